#include "registry/NetAdapterInfo.h"

#include "foundation/CatchChain.h"
#include "registry/RegEdit.h"
#include "registry/RegEnum.h"

namespace util {
namespace {

const wchar_t kServicesKey[] = L"SYSTEM\\CurrentControlSet\\Services";
const wchar_t kEnumPci[] = L"SYSTEM\\CurrentControlSet\\Enum\\PCI";
const wchar_t kEnumUsb[] = L"SYSTEM\\CurrentControlSet\\Enum\\USB";
const size_t kBusPrefixChars = 4;  // "pci\" or "usb\"
// The class GUID in braces, a backslash and the adapter number: the form in
// which a device instance names its driver key.
const size_t kDriverKeyChars = 43;

String ReadText(const String& key, const wchar_t* name) { return RegText(key, name, HKEY_LOCAL_MACHINE); }

// The instance's friendly name when its "Driver" is `driverKey`; true when
// the search is over (the instance matched, with or without a name).
bool MatchInstance(const String& instanceKey, const String& driverKey, String& friendlyName) {
    RegText driver(instanceKey, L"Driver", HKEY_LOCAL_MACHINE);
    if (!driver.Exists() || static_cast<String>(driver).CompareI(driverKey) != 0) return false;
    RegText name(instanceKey, L"FriendlyName", HKEY_LOCAL_MACHINE);
    if (name.Exists()) friendlyName = name;
    return true;
}

String SearchEnum(const wchar_t* enumRoot, const String& deviceId, const String& driverKey) {
    String friendlyName;
    String wanted;
    deviceId.ToUpper(wanted);
    for (const String& deviceKey : RegEnumKeys(enumRoot, true, HKEY_LOCAL_MACHINE)) {
        String upper;
        deviceKey.ToUpper(upper);
        if (upper.find(wanted) == String::npos) continue;
        for (const String& instanceKey : RegEnumKeys(deviceKey, true, HKEY_LOCAL_MACHINE))
            if (MatchInstance(instanceKey, driverKey, friendlyName)) return friendlyName;
    }
    return friendlyName;
}

}  // namespace

NetAdapterInfo::NetAdapterInfo(const String& classKeyPath, const IP_ADAPTER_INFO* ipEntry) {
    UTIL_TRY
    Init(classKeyPath);
    if (ipEntry != nullptr) {
        ipAdapterInfo.Set(*ipEntry);
    } else {
        ipAdapterInfo.Load(adapterGuid);
    }
    UTIL_CATCH_CHAIN(L"util::NetAdapterInfo::NetAdapterInfo")
}

NetAdapterInfo::~NetAdapterInfo() = default;

String NetAdapterInfo::BusTypeName(const String& text) {
    static const wchar_t* const kNames[] = {L"Internal Bus", L"ISA",   L"EISA", L"MicroChannel", L"TurboChannel",
                                            L"PCI",          L"VME",   L"Nu",   L"PCMCIA",       L"C",
                                            L"MPI",          L"MPSA",  nullptr, nullptr,         L"PNPISA",
                                            L"PNP"};
    const int32_t value = text.GetInt();
    // Only the text "0" itself names the internal bus; other text reads as 0.
    if (value == 0 && text != L"0") return text;
    if (value < 0 || value >= static_cast<int32_t>(sizeof(kNames) / sizeof(kNames[0])) || kNames[value] == nullptr)
        return text;
    return kNames[value];
}

void NetAdapterInfo::Init(const String& classKeyPath) {
    UTIL_TRY
    description = ReadText(classKeyPath, L"DriverDesc");
    providerName = ReadText(classKeyPath, L"ProviderName");
    RegText bus(classKeyPath, L"BusType", HKEY_LOCAL_MACHINE);
    if (bus.Exists()) busType = BusTypeName(bus);
    componentId = ReadText(classKeyPath, L"ComponentId");
    FindFriendlyName(classKeyPath);
    adapterGuid = ReadText(classKeyPath, L"NetCfgInstanceId");
    driverVersion = ReadText(classKeyPath, L"DriverVersion");
    driverDate = ReadText(classKeyPath, L"DriverDate");
    characteristics = static_cast<uint32_t>(
        static_cast<unsigned long>(RegDword(classKeyPath, L"Characteristics", HKEY_LOCAL_MACHINE)));
    RegText service(classKeyPath + L"\\Ndi", L"Service", HKEY_LOCAL_MACHINE);
    if (service.Exists()) {
        serviceName = service;
        const String serviceKey = kServicesKey + (L"\\" + serviceName);
        serviceDisplayName = ReadText(serviceKey, L"DisplayName");
        serviceImagePath = ReadText(serviceKey, L"ImagePath");
    }
    UTIL_CATCH_CHAIN(L"util::NetAdapterInfo::Init")
}

void NetAdapterInfo::FindFriendlyName(const String& classKeyPath) {
    // The bus prefix is matched case-sensitively, as the driver writes it.
    const wchar_t* enumRoot = nullptr;
    if (componentId.find(L"pci\\") != String::npos) {
        enumRoot = kEnumPci;
    } else if (componentId.find(L"usb\\") != String::npos) {
        enumRoot = kEnumUsb;
    } else {
        return;
    }
    try {
        const String deviceId = componentId.Mid(kBusPrefixChars);
        const String driverKey =
            classKeyPath.size() > kDriverKeyChars ? classKeyPath.Right(kDriverKeyChars) : classKeyPath;
        String friendlyName = SearchEnum(enumRoot, deviceId, driverKey);
        if (!friendlyName.empty()) description = friendlyName;
    } catch (Exception&) {
        // No friendly name: the driver's description stands.
    }
}

}  // namespace util
