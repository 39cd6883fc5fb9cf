// World files: what a loaded world shows through the Wlan* and IP Helper
// calls, and errors that name the file, the line and the field.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <span>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "../logger/ScopedEnv.h"
#include "../logger/TempFile.h"
#include "platform/sim/WlanService.h"
#include "platform/sim/World.h"
#include "platform/sim/WorldFile.h"
#include "platform/win32.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using ::testing::ThrowsMessage;

// A client handle of the service for the life of the object.
struct Client {
    Client() { EXPECT_EQ(WlanOpenHandle(2, nullptr, &version, &handle), 0u); }
    ~Client() { WlanCloseHandle(handle, nullptr); }
    HANDLE handle = nullptr;
    DWORD version = 0;
};

// One network as WlanGetAvailableNetworkList lists it: SSID, BSS type,
// quality, authentication, cipher, whether secured.
using Listed = std::tuple<std::string, DWORD, DWORD, DWORD, DWORD, bool>;

// An interface as the Wlan* calls, the control interface and IP Helper show it.
struct Shown {
    std::wstring description;
    std::vector<Listed> networks;
    std::vector<std::wstring> profiles;
    std::string ipAddress;  // of the IP Helper adapter named by the GUID
};

// Braced, upper case: the adapter name IP Helper must list for an interface.
std::string GuidText(const GUID& g) {
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3],
                  g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

std::vector<Shown> ShowMachine() {
    const Client client;
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    EXPECT_EQ(WlanEnumInterfaces(client.handle, nullptr, &list), 0u);
    ULONG size = 0;
    GetAdaptersInfo(nullptr, &size);
    std::vector<BYTE> adapters(size);
    EXPECT_EQ(GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(adapters.data()), &size), 0u);
    std::vector<Shown> shown;
    for (DWORD i = 0; list && i < list->dwNumberOfItems; ++i) {
        const WLAN_INTERFACE_INFO& info = list->InterfaceInfo[i];
        Shown& s = shown.emplace_back(Shown{info.strInterfaceDescription, {}, {}, {}});
        PWLAN_AVAILABLE_NETWORK_LIST networks = nullptr;
        if (WlanGetAvailableNetworkList(client.handle, &info.InterfaceGuid, 0, nullptr, &networks) == 0) {
            for (const WLAN_AVAILABLE_NETWORK& n : std::span(networks->Network, networks->dwNumberOfItems))
                s.networks.emplace_back(std::string(n.dot11Ssid.ucSSID, n.dot11Ssid.ucSSID + n.dot11Ssid.uSSIDLength),
                                        n.dot11BssType, n.wlanSignalQuality, n.dot11DefaultAuthAlgorithm,
                                        n.dot11DefaultCipherAlgorithm, n.bSecurityEnabled != 0);
            WlanFreeMemory(networks);
        }
        for (const sim::WlanStoredProfile& p : sim::GetWorld().Wlan().Profiles(info.InterfaceGuid))
            s.profiles.push_back(p.name);
        for (auto* a = size ? reinterpret_cast<PIP_ADAPTER_INFO>(adapters.data()) : nullptr; a; a = a->Next)
            if (GuidText(info.InterfaceGuid) == a->AdapterName) s.ipAddress = a->IpAddressList.IpAddress.String;
    }
    WlanFreeMemory(list);
    return shown;
}

class WorldFile : public ::testing::Test {
protected:
    void TearDown() override { sim::UnloadWorld(); }
};

}  // namespace

TEST_F(WorldFile, DefaultWorldWhenNoFileIsNamed) {
    const test::ScopedEnv unset(sim::kWorldFileVariable, nullptr);
    EXPECT_FALSE(sim::LoadWorldFromEnvironment());
    const std::vector<Shown> machine = ShowMachine();
    ASSERT_EQ(machine.size(), 1u);
    const Shown& iface = machine[0];
    EXPECT_THAT(iface.description, HasSubstr(L"Contoso Wireless LAN Adapter"));
    // Open, WEP-40, WPA-PSK/TKIP, WPA2-PSK/CCMP, hidden and ad hoc.
    EXPECT_THAT(iface.networks, ElementsAre(Listed{"Contoso Guest", 1, 90, 1, 0, false},
                                            Listed{"Contoso Legacy", 1, 55, 1, 1, true},
                                            Listed{"Contoso Office", 1, 70, 4, 2, true},
                                            Listed{"Contoso Home", 1, 85, 7, 4, true},
                                            Listed{"", 1, 60, 7, 4, true},  // hidden
                                            Listed{"Contoso Ad Hoc", 2, 40, 1, 0, false}));
    EXPECT_THAT(iface.profiles, ElementsAre(L"Contoso Home"));
    EXPECT_EQ(iface.ipAddress, "10.0.0.5");
    // Its stored profile is generated from a network, as "Home" below is.
}

TEST_F(WorldFile, FileNamedByTheEnvironmentDrivesTheService) {
    const test::TempFile file;
    std::ofstream(file.NarrowPath(), std::ios::binary) << R"({
  "service_version": 1,
  "interfaces": [
    {"description": "Fabrikam USB Wireless", "radio_on": false, "networks": [{"ssid": "Cafe"}]},
    {"description": "Contoso PCI Wireless", "guid": "{6b29fc40-ca47-1067-b31d-00dd010662da}",
     "ip": {"address": "10.1.2.3", "in_octets": 4000, "out_octets": 3000},
     "networks": [
       {"ssid_hex": "410042", "bss": "adhoc", "signal": 20},
       {"ssid": "Lab", "signal": 65, "security": {"auth": "shared", "cipher": "WEP"},
        "secret": "0123456789abcdef0123456789"},
       {"ssid": "Home & Garden", "security": {"auth": "WPA2-PSK", "cipher": "CCMP"}, "secret": "home<passphrase>"}],
     "profiles": [{"name": "Mine", "xml": "<WLANProfile/>"}, {"network": "Home & Garden", "name": "Home"}],
     "protected_profiles": ["Mine"]}],
  "events": [{"after_ms": 0, "signal": {"interface": "Contoso PCI Wireless", "ssid": "Lab", "quality": 12}},
             {"after_ms": 1000, "lose_link": "{6B29FC40-CA47-1067-B31D-00DD010662DA}"}]
})";
    const test::ScopedEnv named(sim::kWorldFileVariable, file.NarrowPath().c_str());
    ASSERT_TRUE(sim::LoadWorldFromEnvironment());

    // The generated profile connects (the service decides at once); the timed events run in their order.
    const GUID pci = {0x6B29FC40, 0xCA47, 0x1067, {0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA}};
    const Client client;
    EXPECT_EQ(client.version, 1u);
    WLAN_CONNECTION_PARAMETERS home{wlan_connection_mode_profile, L"Home", nullptr, nullptr,
                                    dot11_BSS_type_infrastructure, 0};
    EXPECT_EQ(WlanConnect(client.handle, &pci, &home, nullptr), 0u);
    sim::WlanService& wlan = sim::GetWorld().Wlan();
    EXPECT_EQ(wlan.ConnectedSsid(pci), "Home & Garden");
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!wlan.ConnectedSsid(pci).empty() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(wlan.ConnectedSsid(pci), "");  // the lost link, after the signal change

    const std::vector<Shown> machine = ShowMachine();
    ASSERT_EQ(machine.size(), 2u);
    EXPECT_EQ(machine[0].description, L"Fabrikam USB Wireless");
    EXPECT_TRUE(machine[0].networks.empty());  // the radio is off
    const Shown& iface = machine[1];  // its GUID is the one the connect above used
    EXPECT_EQ(iface.ipAddress, "10.1.2.3");
    EXPECT_THAT(iface.networks, ElementsAre(Listed{std::string("A\0B", 3), 2, 20, 1, 0, false},
                                            Listed{"Lab", 1, 12, 2, 5, true},
                                            Listed{"Home & Garden", 1, 80, 7, 4, true}));
    EXPECT_THAT(iface.profiles, ElementsAre(L"Mine", L"Home"));
    // The octets are wlanhost's stats (tests/host).
    // "Mine" is protected: storing a profile of that name is refused.
    std::wstring mine = wlan.Profile(pci, L"Home")->xml;
    mine.replace(mine.find(L"<name>Home</name>"), 17, L"<name>Mine</name>");
    DWORD reason = 0;
    EXPECT_EQ(WlanSetProfile(client.handle, &pci, 0, mine.c_str(), nullptr, TRUE, nullptr, &reason),
              static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

// Each fault, with the start of the error it must give: file, line, field.
TEST_F(WorldFile, FaultsNameFileLineAndField) {
    const std::string before = R"({"interfaces": [{"description": "Before"}]})";
    sim::LoadWorld(before, "before.json");
    const std::string a = "{\"interfaces\": [{\"description\": \"A\"";  // most faults are in interface "A"
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"{\"interfaces\": [{\n  \"description\": \"A\",\n  \"radio_on\": tru\n}]}",
         "w.json:3: interfaces[0].radio_on: syntax error"},
        {a + "}]}\n,", "w.json:2: syntax error"},
        {"{\"interfaces\": [\n  {\"networks\": []}\n]}", "w.json:2: interfaces[0].description: missing"},
        {a + ",\n  \"networks\": [{\"ssid\": \"N\",\n    \"signal\": \"high\"}]}]}",
         "w.json:3: interfaces[0].networks[0].signal: expected an integer, got a string"},
        {a + ", \"networks\": [\n  {\"ssid\": \"123456789012345678901234567890123\"}]}]}",
         "w.json:2: interfaces[0].networks[0].ssid: 33 bytes, at most 32"},
        {a + ", \"networks\": [{\"ssid_hex\": \"00\"},\n  {\"ssid_hex\": \"0\"}]}]}",
         "w.json:2: interfaces[0].networks[1].ssid_hex: expected pairs of hex digits"},
        {a + ", \"networks\": [{\"ssid\": \"N\",\n  \"security\": {\"auth\": \"WPA3-SAE\", \"cipher\": \"CCMP\"}}]}]}",
         "w.json:2: interfaces[0].networks[0].security.auth: unknown name \"WPA3-SAE\", expected open, shared, "
         "WPA-PSK or WPA2-PSK"},
        {a + ", \"networks\": [{\"ssid\": \"N\", \"security\":\n  {\"auth\": \"open\", \"cipher\": \"WEP\"}, "
             "\"secret\": \"123\"}]}]}",
         "w.json:2: interfaces[0].networks[0].secret: a WEP key has 5 or 13 characters"},
        {a + "}],\n \"events\": [{\"after_ms\": 5, \"lose_link\": \"B\"}]}",
         "w.json:2: events[0].lose_link: no interface \"B\""},
        {a + ", \"networks\": [{\"ssid\": \"N\"}]}],\n \"events\": [{\"after_ms\": 5,\n"
         "  \"signal\": {\"interface\": \"A\", \"ssid\": \"M\", \"quality\": 5}}]}",
         "w.json:3: events[0].signal.ssid: no such network on that interface"},
        {a + ",\n  \"hiden\": true}]}", "w.json:2: interfaces[0].hiden: unknown field"},
        {a + ",\n  \"description\": \"B\"}]}", "w.json:2: interfaces[0].description: given twice"},
        {a + ", \"protected_profiles\": [\"P\",\n    7\n  ]}]}",
         "w.json:2: interfaces[0].protected_profiles[1]: expected a string, got an integer"},
        {a + ", \"profiles\": [\n  {\"network\": \"N\"}]}]}",
         "w.json:2: interfaces[0].profiles[0].network: no network \"N\" on this interface"},
    };
    for (const auto& c : cases)
        EXPECT_THAT([&] { sim::LoadWorld(c.text, "w.json"); }, ThrowsMessage<sim::WorldFileError>(StartsWith(c.error)))
            << c.text;
    // No fault changed the machine.
    const std::vector<Shown> machine = ShowMachine();
    ASSERT_EQ(machine.size(), 1u);
    EXPECT_EQ(machine[0].description, L"Before");
}

TEST_F(WorldFile, MissingFileIsNamed) {
    const std::string path = test::TempFile().NarrowPath();  // a name no file has
    const test::ScopedEnv named(sim::kWorldFileVariable, path.c_str());
    EXPECT_THAT([] { sim::LoadWorldFromEnvironment(); },
                ThrowsMessage<sim::WorldFileError>(StartsWith(path + ": cannot open")));
}
