// The adapter's IP interface: its index, traffic counters and IPv4 address.
#include "device/GenericAdapter.h"

#include "foundation/CatchChain.h"
#include "foundation/Logging.h"
#include "foundation/MemBuff.h"
#include "foundation/StringUtility.h"
#include "platform/win32.h"

namespace ace {

namespace {

[[noreturn]] void ThrowIndexNotFound(uint32_t line) {
    util::DeviceOpenEx ex(UTIL_WFILE, L"ace::GenericAdapter::FindIndexFromGuid", line);
    ex.Stream() << L"Failed to get index from adapter guid.";
    throw ex;
}

// A 32-bit counter that wraps, widened into a 64-bit accumulator.
void Widen(uint64_t& accumulator, uint32_t value) {
    if (value < static_cast<uint32_t>(accumulator)) accumulator += uint64_t(1) << 32;
    accumulator = (accumulator & 0xFFFFFFFF00000000ull) | value;
}

// A LocalAlloc'd block, freed on every way out.
struct LocalBlock {
    explicit LocalBlock(SIZE_T size) : p(::LocalAlloc(LPTR, size)) {}
    ~LocalBlock() {
        if (p != nullptr) ::LocalFree(p);
    }
    LocalBlock(const LocalBlock&) = delete;
    LocalBlock& operator=(const LocalBlock&) = delete;
    HLOCAL p;
};

}  // namespace

void GenericAdapter::FindIndexFromGuid(const util::String& guid, uint32_t& index) {
    UTIL_TRY
    const wchar_t* const fn = L"ace::GenericAdapter::FindIndexFromGuid";
    ULONG size = 0;
    if (::GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Failure: GetAdaptersInfo() failed for memory.";
        ThrowIndexNotFound(__LINE__);
    }
    util::MemBuff buffer;
    buffer.Alloc(size);
    auto* adapters = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.GetBuffer());
    if (::GetAdaptersInfo(adapters, &size) != ERROR_SUCCESS) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Failure: GetAdaptersInfo() failed.";
        ThrowIndexNotFound(__LINE__);
    }
    for (const IP_ADAPTER_INFO* a = adapters; a != nullptr; a = a->Next) {
        util::String name;
        util::StringUtility::ConvertAnsiToUnicode(a->AdapterName, name);
        if (name == guid) {
            index = a->Index;
            return;
        }
    }
    UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Failure: Did not find GUID " << guid;
    ThrowIndexNotFound(__LINE__);
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::FindIndexFromGuid")
}

cei::DeviceStatistics& GenericAdapter::GetInterfaceData(uint32_t index, cei::DeviceStatistics& statistics) {
    UTIL_TRY
    MIB_IFROW row{};
    row.dwIndex = index;
    DWORD result = ::GetIfEntry(&row);
    if (result != NO_ERROR) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, L"ace::GenericAdapter::GetInterfaceData")
            << L"GetIfEntry failed: " << static_cast<uint32_t>(result);
        util::SystemCallEx ex(UTIL_WFILE, L"ace::GenericAdapter::GetInterfaceData", __LINE__);
        ex.Stream() << L"Failed to get statisctics data";
        throw ex;
    }
    Widen(receivedAccumulator, row.dwInOctets);
    Widen(sentAccumulator, row.dwOutOctets);
    statistics.bytesSent = sentAccumulator;
    statistics.bytesReceived = receivedAccumulator;
    return statistics;
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::GetInterfaceData")
}

uint32_t GenericAdapter::GetIpAddress() {
    UTIL_TRY
    ULONG size = 0;
    if (::GetIpAddrTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER) return 0;
    LocalBlock block(size);
    if (block.p == nullptr) return 0;
    auto* table = static_cast<MIB_IPADDRTABLE*>(block.p);
    if (::GetIpAddrTable(table, &size, TRUE) != NO_ERROR) return 0;
    const uint32_t wanted = interfaceIndex;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        if (table->table[i].dwIndex == wanted) return ntohl(table->table[i].dwAddr);
    }
    return 0;
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::GetIpAddress")
}

void GenericAdapter::CheckIpAddress() {
    UTIL_TRY
    IDeviceCallback* callback = HostCallback();
    if (callback == nullptr) return;
    const uint32_t address = GetIpAddress();
    const bool usable = address != 0 && (address & 0xFFFF0000u) != 0xA9FE0000u;  // not 169.254.x.x
    if (usable) {
        if (!IsIpAddressReported()) {
            callback->IpAddressStatus(deviceIndex, true);
            SetIpAddressReported(true);
        }
    } else if (IsIpAddressReported()) {
        callback->IpAddressStatus(deviceIndex, false);
        SetIpAddressReported(false);
    }
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::CheckIpAddress")
}

}  // namespace ace
