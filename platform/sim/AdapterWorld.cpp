#include "AdapterWorld.h"

#include <atomic>

#include "World.h"

namespace sim {

const wchar_t kNetClassKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
const wchar_t kTcpipInterfacesKey[] = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";
const wchar_t kNetBtInterfacesKey[] = L"SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters\\Interfaces";
const wchar_t kServicesKey[] = L"SYSTEM\\CurrentControlSet\\Services";
const GUID kNdisLanInterfaceClass = {0xAD498944, 0x762F, 0x11D0, {0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C}};

namespace {

const wchar_t kEnumKey[] = L"SYSTEM\\CurrentControlSet\\Enum";
// Device instances name their driver key in lower case.
const wchar_t kNetClassDriverPrefix[] = L"{4d36e972-e325-11ce-bfc1-08002be10318}\\";

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

std::wstring AfterLastSlash(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

std::string Ansi(const std::wstring& text) { return std::string(text.begin(), text.end()); }

uint32_t FreshIfIndex() {
    static std::atomic<uint32_t> next{100};
    return next++;
}

}  // namespace

AdapterPlaces AdapterWorld::Add(const AdapterDescription& a) {
    AdapterPlaces p;
    p.description = a.description.empty() ? RegistryTree::UniqueName(L"Network Adapter") : a.description;
    p.guid = a.guid.empty() ? RegistryTree::NewGuidText() : a.guid;
    p.ifIndex = a.ifIndex != 0 ? a.ifIndex : FreshIfIndex();
    AddClassEntry(a, p);
    AddEnumEntry(a, p);
    AddService(a, p);
    if (a.tcpip) AddTcpip(*a.tcpip, p);
    AddIpHelper(a, p);
    if (a.deviceInterface) {
        const std::wstring path = L"\\\\?\\ROOT#NET#" + std::to_wstring(p.ifIndex) +
                                  L"#{ad498944-762f-11d0-8dcb-00c04fc3358c}\\" + p.guid;
        GetWorld().Devices().AddInterface(kNdisLanInterfaceClass, path, a.present);
    }
    return p;
}

void AdapterWorld::AddClassEntry(const AdapterDescription& a, AdapterPlaces& p) {
    p.classKey = tree_.AddNumberedKey(kNetClassKey);
    tree_.SetString(p.classKey, L"DriverDesc", p.description);
    tree_.SetString(p.classKey, L"NetCfgInstanceId", p.guid);
    tree_.SetString(p.classKey, L"ProviderName", a.providerName);
    tree_.SetString(p.classKey, L"DriverDate", a.driverDate);
    tree_.SetString(p.classKey, L"DriverVersion", a.driverVersion);
    if (a.characteristics) tree_.SetDword(p.classKey, L"Characteristics", *a.characteristics);
    if (a.busType) tree_.SetString(p.classKey, L"BusType", *a.busType);
}

void AdapterWorld::AddEnumEntry(const AdapterDescription& a, AdapterPlaces& p) {
    const std::wstring deviceId = RegistryTree::UniqueName(L"VEN_8086&DEV_4229&SUBSYS");
    tree_.SetString(p.classKey, L"ComponentId",
                    a.componentId.empty() ? Lower(a.enumBus.empty() ? L"pci" : a.enumBus) + L"\\" + Lower(deviceId)
                                          : a.componentId);
    if (a.enumBus.empty()) return;
    const std::wstring busKey = std::wstring(kEnumKey) + L"\\" + a.enumBus;
    tree_.CreateKey(busKey, false);
    p.enumDeviceKey = busKey + L"\\" + deviceId;
    p.enumInstanceKey = p.enumDeviceKey + L"\\4&1f7dbc9f&0&00E1";
    const std::wstring driver =
        a.instanceDriver.empty() ? kNetClassDriverPrefix + AfterLastSlash(p.classKey) : a.instanceDriver;
    tree_.SetString(p.enumInstanceKey, L"Driver", driver);
    if (a.friendlyName) tree_.SetString(p.enumInstanceKey, L"FriendlyName", *a.friendlyName);
}

void AdapterWorld::AddService(const AdapterDescription& a, AdapterPlaces& p) {
    tree_.CreateKey(p.classKey + L"\\Ndi");
    if (a.serviceName.empty()) return;
    tree_.CreateKey(kServicesKey, false);
    tree_.SetString(p.classKey + L"\\Ndi", L"Service", a.serviceName);
    p.serviceKey = std::wstring(kServicesKey) + L"\\" + a.serviceName;
    tree_.SetString(p.serviceKey, L"DisplayName", a.serviceDisplayName);
    tree_.SetString(p.serviceKey, L"ImagePath", a.serviceImagePath, REG_EXPAND_SZ);
}

void AdapterWorld::AddTcpip(const TcpipSettings& t, AdapterPlaces& p) {
    // The shared parents stay when this world ends; only the adapter's keys go.
    tree_.CreateKey(kServicesKey, false);
    tree_.CreateKey(kTcpipInterfacesKey, false);
    tree_.CreateKey(kNetBtInterfacesKey, false);
    p.interfaceKey = std::wstring(kTcpipInterfacesKey) + L"\\" + p.guid;
    p.legacyKey = std::wstring(kServicesKey) + L"\\" + p.guid + L"\\Parameters\\TCPIP";
    p.netBtKey = std::wstring(kNetBtInterfacesKey) + L"\\Tcpip_" + p.guid;
    // Owned even before anything is written, for the code under test may create them.
    for (const std::wstring& key : {p.interfaceKey, std::wstring(kServicesKey) + L"\\" + p.guid, p.netBtKey})
        tree_.Own(key);
    tree_.SetDword(p.interfaceKey, L"EnableDHCP", t.enableDhcp);
    tree_.SetMultiString(p.interfaceKey, L"IPAddress", t.ipAddress);
    tree_.SetMultiString(p.interfaceKey, L"SubnetMask", t.subnetMask);
    tree_.SetMultiString(p.interfaceKey, L"DefaultGateway", t.defaultGateway);
    tree_.SetString(p.interfaceKey, L"NameServer", t.nameServer);
    tree_.SetMultiString(p.netBtKey, L"NameServerList", t.winsServers);
    if (t.legacyEnableDhcp) tree_.SetDword(p.legacyKey, L"EnableDHCP", *t.legacyEnableDhcp);
}

void AdapterWorld::AddIpHelper(const AdapterDescription& a, AdapterPlaces& p) {
    if (!a.ipHelper) return;
    IpHelper& ip = GetWorld().IpHelp();
    IpAdapter row;
    row.name = Ansi(p.guid);
    row.description = Ansi(p.description);
    row.hardwareAddress = a.hardwareAddress;
    row.index = p.ifIndex;
    row.type = a.ifType;
    row.dhcpEnabled = a.dhcpEnabled;
    row.ipAddress = a.ipAddress;
    row.ipMask = a.ipMask;
    row.gateway = a.gateway;
    row.dhcpServer = a.dhcpServer;
    ip.AddAdapter(row);
    ip.SetInterface(IpInterface{p.ifIndex, a.ifType, a.inOctets, a.outOctets});
    if (!a.ipAddress.empty()) ip.AddAddress(IpAddressRow{a.ipAddress, p.ifIndex, a.ipMask});
}

}  // namespace sim
