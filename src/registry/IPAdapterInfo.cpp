#include "registry/IPAdapterInfo.h"

#include <vector>

#include "foundation/CatchChain.h"
#include "foundation/StringUtility.h"

namespace util {
namespace {

const size_t kMacBytes = 6;

String MacText(const IP_ADAPTER_INFO& entry) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    String text;
    if (entry.AddressLength < kMacBytes) return text;
    for (size_t i = 0; i < kMacBytes; ++i) {
        if (i != 0) text.push_back(L':');
        text.push_back(kDigits[entry.Address[i] >> 4]);
        text.push_back(kDigits[entry.Address[i] & 0xF]);
    }
    return text;
}

}  // namespace

IPAdapterInfo::~IPAdapterInfo() = default;

String IPAdapterInfo::InterfaceTypeName(uint32_t type) {
    switch (type) {
        case MIB_IF_TYPE_ETHERNET: return L"Ethernet 802.3";
        case MIB_IF_TYPE_TOKENRING: return L"Token Ring";
        case MIB_IF_TYPE_FDDI: return L"FDDI";
        case MIB_IF_TYPE_PPP: return L"PPP";
        case MIB_IF_TYPE_LOOPBACK: return L"Loopback";
        case MIB_IF_TYPE_SLIP: return L"SLIP";
        default: return L"Other";
    }
}

void IPAdapterInfo::Set(const IP_ADAPTER_INFO& entry) {
    UTIL_TRY
    StringUtility::ConvertAnsiToUnicode(entry.AdapterName, adapterName);
    macAddress = MacText(entry);
    StringUtility::ConvertAnsiToUnicode(entry.IpAddressList.IpAddress.String, ipAddress);
    StringUtility::ConvertAnsiToUnicode(entry.IpAddressList.IpMask.String, ipMask);
    StringUtility::ConvertAnsiToUnicode(entry.GatewayList.IpAddress.String, gateway);
    dhcpEnabled = entry.DhcpEnabled != 0;
    if (dhcpEnabled) StringUtility::ConvertAnsiToUnicode(entry.DhcpServer.IpAddress.String, dhcpServer);
    interfaceType = entry.Type;
    interfaceTypeName = InterfaceTypeName(interfaceType);
    UTIL_CATCH_CHAIN(L"util::IPAdapterInfo::Set")
}

void IPAdapterInfo::Load(const String& adapterGuid) {
    UTIL_TRY
    ULONG size = 0;
    if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return;
    // Whole entries, so the list is aligned for them.
    std::vector<IP_ADAPTER_INFO> buffer(size / sizeof(IP_ADAPTER_INFO) + 1);
    if (GetAdaptersInfo(buffer.data(), &size) != ERROR_SUCCESS) return;
    for (const IP_ADAPTER_INFO* entry = buffer.data(); entry != nullptr; entry = entry->Next) {
        String name;
        StringUtility::ConvertAnsiToUnicode(entry->AdapterName, name);
        if (name == adapterGuid) Set(*entry);
    }
    UTIL_CATCH_CHAIN(L"util::IPAdapterInfo::Load")
}

}  // namespace util
