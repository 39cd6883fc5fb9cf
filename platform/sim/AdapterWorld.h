// Describes whole network adapters to the machine in one call each: the
// network class key, the Enum device entry with its friendly name, the
// service key, the TCP/IP, legacy and NetBT keys, the IP Helper adapter row,
// interface counters and address row, and the SetupAPI device interface.
// The registry parts go through RegistryTree (the simulated registry
// natively, the real one on Windows) and are removed when the AdapterWorld
// ends; the rest goes into GetWorld(). Defaults are unique per call, so
// tests sharing a real registry do not meet.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "RegistryTree.h"

namespace sim {

struct TcpipSettings {
    DWORD enableDhcp = 0;
    std::vector<std::wstring> ipAddress{L"10.0.0.5"};
    std::vector<std::wstring> subnetMask{L"255.0.0.0"};
    std::vector<std::wstring> defaultGateway{L"10.0.0.1"};
    std::wstring nameServer = L"1.1.1.1,2.2.2.2";
    std::vector<std::wstring> winsServers{L"3.3.3.3", L"4.4.4.4"};  // NetBT "NameServerList"
    // The legacy key's "EnableDHCP"; none: the key is not written.
    std::optional<DWORD> legacyEnableDhcp = 0;
};

struct AdapterDescription {
    // The network class entry. An empty guid gets a fresh one, an empty
    // description a unique one.
    std::wstring description;
    std::wstring guid;
    std::optional<DWORD> characteristics = 0x84;  // physical, has a UI
    std::wstring providerName = L"Contoso";
    std::wstring driverDate = L"6-21-2006";
    std::wstring driverVersion = L"6.0.6000.16386";
    std::optional<std::wstring> busType = std::wstring(L"5");
    // Empty: "pci\" and the Enum device id in lower case.
    std::wstring componentId;

    // The Enum device entry under "Enum\<bus>"; no entry when enumBus is empty.
    std::wstring enumBus = L"PCI";
    std::optional<std::wstring> friendlyName;
    // Empty: the instance names this adapter's class key as its driver.
    std::wstring instanceDriver;

    // "Ndi\Service" and the service key; none when serviceName is empty.
    std::wstring serviceName;
    std::wstring serviceDisplayName = L"Wireless LAN Miniport Driver";
    std::wstring serviceImagePath = L"system32\\DRIVERS\\wlan.sys";

    // The interface, legacy and NetBT keys; none: not written.
    std::optional<TcpipSettings> tcpip = TcpipSettings{};

    // IP Helper: the adapter row, its interface counters and its address row.
    bool ipHelper = true;
    uint32_t ifIndex = 0;  // 0: a fresh one
    uint32_t ifType = IF_TYPE_IEEE80211;
    std::vector<uint8_t> hardwareAddress{0x00, 0x1B, 0x77, 0x0A, 0xBC, 0xDE};
    bool dhcpEnabled = false;
    std::string ipAddress = "10.0.0.5";
    std::string ipMask = "255.0.0.0";
    std::string gateway = "10.0.0.1";
    std::string dhcpServer;
    uint32_t inOctets = 0;
    uint32_t outOctets = 0;

    // The SetupAPI LAN device interface; none when false.
    bool deviceInterface = true;
    bool present = true;
};

// Where an adapter's parts were written (empty for parts not written).
struct AdapterPlaces {
    std::wstring description;
    std::wstring guid;
    std::wstring classKey;
    std::wstring enumDeviceKey;
    std::wstring enumInstanceKey;
    std::wstring serviceKey;
    std::wstring interfaceKey;
    std::wstring legacyKey;
    std::wstring netBtKey;
    uint32_t ifIndex = 0;
};

extern const wchar_t kNetClassKey[];       // with the standard upper-case GUID
extern const wchar_t kTcpipInterfacesKey[];
extern const wchar_t kNetBtInterfacesKey[];
extern const wchar_t kServicesKey[];
extern const GUID kNdisLanInterfaceClass;

class AdapterWorld {
public:
    AdapterWorld() = default;
    AdapterWorld(const AdapterWorld&) = delete;
    AdapterWorld& operator=(const AdapterWorld&) = delete;

    AdapterPlaces Add(const AdapterDescription& adapter);
    // For keys and values beyond the description.
    RegistryTree& Tree() { return tree_; }

private:
    void AddClassEntry(const AdapterDescription& a, AdapterPlaces& p);
    void AddEnumEntry(const AdapterDescription& a, AdapterPlaces& p);
    void AddService(const AdapterDescription& a, AdapterPlaces& p);
    void AddTcpip(const TcpipSettings& t, AdapterPlaces& p);
    void AddIpHelper(const AdapterDescription& a, AdapterPlaces& p);

    RegistryTree tree_;
};

}  // namespace sim
