// The adapter TCP/IP store against a registry world written per test, and
// the DHCP client of the simulation.
#include <gtest/gtest.h>

#include "OpenKeys.h"
#include "TestSupport.h"
#include "platform/sim/Faults.h"
#include "platform/sim/AdapterWorld.h"
#include "platform/sim/World.h"
#include "registry/RegAdapter.h"

using util::RegAdapter;
using util::String;

namespace {

// One adapter of this test's own, its TCP/IP keys holding a static
// configuration (AdapterWorld's defaults).
class RegAdapterTest : public ::testing::Test {
protected:
    void SetUp() override { sim::GetWorld().Dhcp().Reset(); }
    void TearDown() override {
        openKeys.ExpectNoneLeft();
        sim::GetWorld().Dhcp().Reset();
    }

    std::vector<std::wstring> List(const std::wstring& key, const wchar_t* name) {
        DWORD type = 0;
        std::vector<BYTE> data;
        EXPECT_TRUE(tree.Get(key, name, type, data)) << name;
        std::vector<std::wstring> out;
        const auto* p = reinterpret_cast<const wchar_t*>(data.data());
        size_t n = data.size() / sizeof(wchar_t);
        for (size_t i = 0; i < n && p[i] != L'\0'; i += out.back().size() + 1) out.emplace_back(p + i);
        return out;
    }

    test::OpenKeys openKeys;
    sim::AdapterWorld world;
    sim::RegistryTree& tree = world.Tree();
    const sim::AdapterPlaces places = world.Add({});
    const std::wstring& description = places.description;
    const std::wstring& guid = places.guid;
    const std::wstring& interfaceKey = places.interfaceKey;
    const std::wstring& legacyKey = places.legacyKey;
    const std::wstring& netBtKey = places.netBtKey;
    const std::wstring& classKey = places.classKey;
};

// A configuration other than the one the world holds.
RegAdapter::Configuration Static() {
    return RegAdapter::Configuration{false, L"192.168.1.20", L"255.255.255.0", L"192.168.1.1", false,
                                     L"8.8.8.8", L"8.8.4.4", L"9.9.9.9", L"9.9.4.4"};
}

TEST_F(RegAdapterTest, FindsTheFirstAdapterOfTheDescriptionOnly) {
    // A class sub-key without "DriverDesc" is logged and passed over.
    tree.CreateKey(tree.AddNumberedKey(sim::kNetClassKey) + L"\\Properties");
    sim::AdapterDescription same;
    same.description = description;
    const sim::AdapterPlaces other = world.Add(same);
    RegAdapter adapter(description);
    EXPECT_EQ(adapter.GetAdapterGuid(), other.classKey < classKey ? other.guid : guid);

    // The description compares case-sensitively; the walk passes every key.
    std::wstring upper = description;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
    test::LogCapture log;
    EXPECT_FALSE(adapter.SetAdapterName(upper));
    EXPECT_TRUE(adapter.GetAdapterGuid().empty());
    EXPECT_FALSE(log->Find(LOG_ERROR, 1, L"util::RegAdapter::SetAdapterName",
                           L"Caught exception:Registry value not found.").empty());
}

TEST_F(RegAdapterTest, UnknownAdapterAnswersFalseAndWritesNothing) {
    RegAdapter adapter(L"No such adapter " + guid);
    RegAdapter::Configuration c = Static();
    EXPECT_FALSE(adapter.LoadConfiguration(c));
    EXPECT_FALSE(adapter.SaveConfiguration(c, true));
    EXPECT_FALSE(adapter.CommitConfiguration(c));
    EXPECT_EQ(List(interfaceKey, L"IPAddress"), std::vector<std::wstring>{L"10.0.0.5"});
    EXPECT_EQ(sim::GetWorld().Dhcp().Loads(), 0u);
}

TEST_F(RegAdapterTest, NameServerVariants) {
    struct Row {
        const wchar_t* nameServer;
        std::vector<std::wstring> wins;
        bool automatic;
        const wchar_t* primary;
        const wchar_t* secondary;
    };
    const Row rows[] = {
        {L"1.1.1.1", {L"3.3.3.3"}, false, L"1.1.1.1", L"kept"},
        {L"1.1.1.1,2.2.2.2,5.5.5.5", {L"3.3.3.3"}, false, L"1.1.1.1", L"2.2.2.2"},
        {L"1.1.1.1,", {L"3.3.3.3"}, false, L"1.1.1.1", L"kept"},
        {L"", {L"3.3.3.3"}, true, L"kept", L"kept"},
        {L"1.1.1.1", {}, true, L"1.1.1.1", L"kept"},
    };
    RegAdapter adapter(description);
    for (const Row& r : rows) {
        tree.SetString(interfaceKey, L"NameServer", r.nameServer);
        tree.SetMultiString(netBtKey, L"NameServerList", r.wins);
        RegAdapter::Configuration c{};
        c.primaryDns = c.secondaryDns = L"kept";
        ASSERT_TRUE(adapter.LoadConfiguration(c)) << r.nameServer;
        EXPECT_EQ(c.nameServersAutomatic, r.automatic) << r.nameServer;
        EXPECT_EQ(c.primaryDns, r.primary) << r.nameServer;
        EXPECT_EQ(c.secondaryDns, r.secondary) << r.nameServer;
    }
}

TEST_F(RegAdapterTest, MissingValuesWhenLoading) {
    RegAdapter adapter(description);
    // The IP values may be missing: logged, empty.
    for (const wchar_t* name : {L"IPAddress", L"SubnetMask", L"DefaultGateway"}) test::DeleteValue(interfaceKey, name);
    test::LogCapture log;
    RegAdapter::Configuration c = Static();
    ASSERT_TRUE(adapter.LoadConfiguration(c));
    EXPECT_EQ(c.ipAddress, L"");
    EXPECT_EQ(c.defaultGateway, L"");
    EXPECT_EQ(log->Find(LOG_INFO, 1, L"util::RegAdapter::GetRegistryValue", L"Key has no value.").size(), 3u);

    // The others may not.
    for (const std::pair<std::wstring, const wchar_t*>& missing :
         {std::make_pair(netBtKey, L"NameServerList"), std::make_pair(interfaceKey, L"NameServer"),
          std::make_pair(interfaceKey, L"EnableDHCP")}) {
        test::DeleteValue(missing.first, missing.second);
        log->Clear();
        EXPECT_FALSE(adapter.LoadConfiguration(c)) << missing.second;
        EXPECT_FALSE(log->Find(LOG_ERROR, 1, L"util::RegAdapter::LoadConfiguration", L"Caught exception.").empty());
    }
}

TEST_F(RegAdapterTest, SavesEveryPlaceWithoutCommitting) {
    RegAdapter adapter(description);
    RegAdapter::Configuration c = Static();
    c.primaryDns.clear();
    c.secondaryWins.clear();
    ASSERT_TRUE(adapter.SaveConfiguration(c, false));
    for (const std::wstring& key : {legacyKey, interfaceKey}) {
        EXPECT_EQ(List(key, L"IPAddress"), std::vector<std::wstring>{L"192.168.1.20"});
        EXPECT_EQ(List(key, L"SubnetMask"), std::vector<std::wstring>{L"255.255.255.0"});
        EXPECT_EQ(List(key, L"DefaultGateway"), std::vector<std::wstring>{L"192.168.1.1"});
    }
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(tree.Get(interfaceKey, L"NameServer", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    // Only the secondary server, no leading comma, the terminator twice.
    const std::wstring expected(L"8.8.4.4\0", 9);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t)), expected);
    EXPECT_EQ(List(netBtKey, L"NameServerList"), std::vector<std::wstring>{L"9.9.9.9"});
    EXPECT_EQ(sim::GetWorld().Dhcp().Loads(), 0u);

    RegAdapter::Configuration back{};
    ASSERT_TRUE(adapter.LoadConfiguration(back));
    EXPECT_EQ(back.primaryDns, L"8.8.4.4");
}

TEST_F(RegAdapterTest, SaveFailsWithoutLegacyEnableDhcpOrOnARefusedWrite) {
    test::DeleteValue(legacyKey, L"EnableDHCP");
    test::LogCapture log;
    RegAdapter adapter(description);
    EXPECT_FALSE(adapter.SaveConfiguration(Static(), true));
    EXPECT_EQ(List(interfaceKey, L"IPAddress"), std::vector<std::wstring>{L"10.0.0.5"});
    EXPECT_FALSE(log->Find(LOG_ERROR, 1, L"util::RegAdapter::SaveConfiguration", L"Caught exception.").empty());

    if (!sim::World::RegistrySimulated()) return;  // the real registry cannot be made to refuse
    tree.SetDword(legacyKey, L"EnableDHCP", 1);
    // The fifth write (the interface key's "EnableDHCP") is refused.
    sim::ScopedFault refuse("RegSetValueExW", ERROR_ACCESS_DENIED, 5);
    EXPECT_FALSE(adapter.SaveConfiguration(Static(), true));
    EXPECT_EQ(List(legacyKey, L"DefaultGateway"), std::vector<std::wstring>{L"192.168.1.1"});
    EXPECT_EQ(List(interfaceKey, L"DefaultGateway"), std::vector<std::wstring>{L"10.0.0.1"});
    EXPECT_EQ(List(netBtKey, L"NameServerList"), (std::vector<std::wstring>{L"3.3.3.3", L"4.4.4.4"}));
    EXPECT_EQ(sim::GetWorld().Dhcp().Loads(), 0u);
}

TEST_F(RegAdapterTest, CommitChoosesTheDhcpAction) {
    struct Row {
        DWORD previous;
        bool enable;
        bool called;
        bool newIpAddress;
        int action;
    };
    const Row rows[] = {
        {1, false, true, true, 2}, {0, true, true, false, 1}, {0, false, true, true, 0},
        {1, true, true, false, 0}, {7, true, false, false, 0},
    };
    RegAdapter adapter(description);
    for (const Row& r : rows) {
        sim::GetWorld().Dhcp().Reset();
        tree.SetDword(legacyKey, L"EnableDHCP", r.previous);
        RegAdapter::Configuration c = Static();
        c.enableDhcp = r.enable;
        EXPECT_TRUE(adapter.SaveConfiguration(c, true)) << r.previous << r.enable;
        auto calls = sim::GetWorld().Dhcp().Calls();
        ASSERT_EQ(calls.size(), r.called ? 1u : 0u) << r.previous << r.enable;
        EXPECT_EQ(sim::GetWorld().Dhcp().LoadedModules(), 0);
        if (!r.called) continue;
        EXPECT_TRUE(calls[0].serverNull);
        EXPECT_EQ(calls[0].adapterName, guid);
        EXPECT_EQ(calls[0].newIpAddress, r.newIpAddress);
        EXPECT_EQ(calls[0].ipIndex, 0u);
        EXPECT_EQ(calls[0].ipAddress, inet_addr("192.168.1.20"));
        EXPECT_EQ(calls[0].subnetMask, inet_addr("255.255.255.0"));
        EXPECT_EQ(calls[0].action, r.action);
    }
}

TEST_F(RegAdapterTest, CommitWithoutTheDhcpClientSucceedsWithoutNotifying) {
    RegAdapter adapter(description);
    sim::GetWorld().Dhcp().SetExportsNotify(false);
    EXPECT_TRUE(adapter.CommitConfiguration(Static()));
    EXPECT_EQ(sim::GetWorld().Dhcp().Loads(), 1u);
    EXPECT_EQ(sim::GetWorld().Dhcp().LoadedModules(), 0);  // freed again
    sim::GetWorld().Dhcp().SetInstalled(false);
    EXPECT_TRUE(adapter.CommitConfiguration(Static()));
    EXPECT_TRUE(sim::GetWorld().Dhcp().Calls().empty());
}

// Refusals cost a real 1000 ms wait each (Sleep of the platform); these two
// cases take about 2 s and 3 s. Time is bounded from below only: the calls
// count the refusals, and a load that slows the machine fails nothing.
TEST_F(RegAdapterTest, CommitRetriesARefusingDhcpClient) {
    RegAdapter adapter(description);
    {
        sim::ScopedFault refuse("DhcpNotifyConfigChange", 5, 1, 2);
        DWORD start = GetTickCount();
        EXPECT_TRUE(adapter.CommitConfiguration(Static()));
        EXPECT_GE(GetTickCount() - start, 1900u);
        EXPECT_EQ(sim::GetWorld().Dhcp().Calls().size(), 3u);
    }
    sim::GetWorld().Dhcp().Reset();
    sim::ScopedFault refuse("DhcpNotifyConfigChange", 5, 1, 0);
    DWORD start = GetTickCount();
    EXPECT_FALSE(adapter.CommitConfiguration(Static()));
    EXPECT_GE(GetTickCount() - start, 2900u);
    EXPECT_EQ(sim::GetWorld().Dhcp().Calls().size(), 4u);
    EXPECT_EQ(sim::GetWorld().Dhcp().LoadedModules(), 0);
}

}  // namespace
