// The adapter TCP/IP store against a registry world written per test, and
// the DHCP client of the simulation.
#include <gtest/gtest.h>

#include <tuple>

#include "OpenKeys.h"
#include "TestSupport.h"
#include "platform/sim/Faults.h"
#include "platform/sim/AdapterWorld.h"
#include "platform/sim/World.h"
#include "registry/RegAdapter.h"
#include "registry/RegEdit.h"

using util::RegAdapter;
using Texts = std::vector<std::wstring>;

namespace {

// One adapter of this test's own, its TCP/IP keys holding a static
// configuration (AdapterWorld's defaults).
class RegAdapterTest : public ::testing::Test {
protected:
    void SetUp() override { dhcp.Reset(); }
    void TearDown() override {
        openKeys.ExpectNoneLeft();
        dhcp.Reset();
    }

    // Read as the store reads it (RegEdit's tests pin the stored form).
    static Texts List(const std::wstring& key, const wchar_t* name) {
        const std::vector<util::String> values = util::RegTextList(key, name, HKEY_LOCAL_MACHINE);
        return Texts(values.begin(), values.end());
    }

    test::OpenKeys openKeys;
    sim::AdapterWorld world;
    sim::RegistryTree& tree = world.Tree();
    sim::DhcpClient& dhcp = sim::GetWorld().Dhcp();
    const sim::AdapterPlaces at = world.Add({});
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
    same.description = at.description;
    const sim::AdapterPlaces other = world.Add(same);
    RegAdapter adapter(at.description);
    EXPECT_EQ(adapter.GetAdapterGuid(), other.classKey < at.classKey ? other.guid : at.guid);

    // The description compares case-sensitively; the walk passes every key.
    std::wstring upper = at.description;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
    test::LogCapture log;
    EXPECT_FALSE(adapter.SetAdapterName(upper));
    EXPECT_TRUE(adapter.GetAdapterGuid().empty());
    EXPECT_FALSE(log->Find(LOG_ERROR, 1, L"util::RegAdapter::SetAdapterName",
                           L"Caught exception:Registry value not found.").empty());
}

TEST_F(RegAdapterTest, UnknownAdapterAnswersFalseAndWritesNothing) {
    RegAdapter adapter(L"No such adapter " + at.guid);
    RegAdapter::Configuration c = Static();
    EXPECT_FALSE(adapter.LoadConfiguration(c));
    EXPECT_FALSE(adapter.SaveConfiguration(c, true));
    EXPECT_FALSE(adapter.CommitConfiguration(c));
    EXPECT_EQ(List(at.interfaceKey, L"IPAddress"), Texts{L"10.0.0.5"});
    EXPECT_EQ(dhcp.Loads(), 0u);
}

TEST_F(RegAdapterTest, NameServerVariants) {
    struct Row { const wchar_t* nameServer; Texts wins; bool automatic; const wchar_t *primary, *secondary; };
    const Row rows[] = {{L"1.1.1.1", {L"3.3.3.3"}, false, L"1.1.1.1", L"kept"},
                        {L"1.1.1.1,2.2.2.2,5.5.5.5", {L"3.3.3.3"}, false, L"1.1.1.1", L"2.2.2.2"},
                        {L"1.1.1.1,", {L"3.3.3.3"}, false, L"1.1.1.1", L"kept"},
                        {L"", {L"3.3.3.3"}, true, L"kept", L"kept"}, {L"1.1.1.1", {}, true, L"1.1.1.1", L"kept"}};
    RegAdapter adapter(at.description);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.nameServer);
        tree.SetString(at.interfaceKey, L"NameServer", r.nameServer);
        tree.SetMultiString(at.netBtKey, L"NameServerList", r.wins);
        RegAdapter::Configuration c{};
        c.primaryDns = c.secondaryDns = L"kept";
        ASSERT_TRUE(adapter.LoadConfiguration(c));
        EXPECT_EQ(std::tie(c.nameServersAutomatic, c.primaryDns, c.secondaryDns),
                  std::make_tuple(r.automatic, std::wstring(r.primary), std::wstring(r.secondary)));
    }
}

TEST_F(RegAdapterTest, MissingValuesWhenLoading) {
    RegAdapter adapter(at.description);
    // The IP values may be missing: logged, empty.
    for (const wchar_t* name : {L"IPAddress", L"SubnetMask", L"DefaultGateway"})
        test::DeleteValue(at.interfaceKey, name);
    test::LogCapture log;
    RegAdapter::Configuration c = Static();
    ASSERT_TRUE(adapter.LoadConfiguration(c));
    EXPECT_EQ(c.ipAddress, L"");
    EXPECT_EQ(c.defaultGateway, L"");
    EXPECT_EQ(log->Find(LOG_INFO, 1, L"util::RegAdapter::GetRegistryValue", L"Key has no value.").size(), 3u);

    // The others may not.
    for (const auto& [key, name] : {std::make_pair(at.netBtKey, L"NameServerList"),
                                    std::make_pair(at.interfaceKey, L"NameServer"),
                                    std::make_pair(at.interfaceKey, L"EnableDHCP")}) {
        test::DeleteValue(key, name);
        log->Clear();
        EXPECT_FALSE(adapter.LoadConfiguration(c)) << name;
        EXPECT_FALSE(log->Find(LOG_ERROR, 1, L"util::RegAdapter::LoadConfiguration", L"Caught exception.").empty());
    }
}

TEST_F(RegAdapterTest, SavesEveryPlaceWithoutCommitting) {
    RegAdapter adapter(at.description);
    RegAdapter::Configuration c = Static();
    c.primaryDns.clear();
    c.secondaryWins.clear();
    ASSERT_TRUE(adapter.SaveConfiguration(c, false));
    for (const std::wstring& key : {at.legacyKey, at.interfaceKey}) {
        for (const auto& [name, value] : {std::make_pair(L"IPAddress", L"192.168.1.20"),
                                          std::make_pair(L"SubnetMask", L"255.255.255.0"),
                                          std::make_pair(L"DefaultGateway", L"192.168.1.1")})
            EXPECT_EQ(List(key, name), Texts{value}) << name;
    }
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(tree.Get(at.interfaceKey, L"NameServer", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    // Only the secondary server, no leading comma, the terminator twice.
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t)),
              std::wstring(L"8.8.4.4\0", 9));
    EXPECT_EQ(List(at.netBtKey, L"NameServerList"), Texts{L"9.9.9.9"});
    EXPECT_EQ(dhcp.Loads(), 0u);

    RegAdapter::Configuration back{};
    ASSERT_TRUE(adapter.LoadConfiguration(back));
    EXPECT_EQ(back.primaryDns, L"8.8.4.4");
}

TEST_F(RegAdapterTest, SaveFailsWithoutLegacyEnableDhcpOrOnARefusedWrite) {
    test::DeleteValue(at.legacyKey, L"EnableDHCP");
    test::LogCapture log;
    RegAdapter adapter(at.description);
    EXPECT_FALSE(adapter.SaveConfiguration(Static(), true));
    EXPECT_EQ(List(at.interfaceKey, L"IPAddress"), Texts{L"10.0.0.5"});
    EXPECT_FALSE(log->Find(LOG_ERROR, 1, L"util::RegAdapter::SaveConfiguration", L"Caught exception.").empty());

    if (!sim::World::RegistrySimulated()) return;  // the real registry cannot be made to refuse
    tree.SetDword(at.legacyKey, L"EnableDHCP", 1);
    // The fifth write (the interface key's "EnableDHCP") is refused.
    sim::ScopedFault refuse("RegSetValueExW", ERROR_ACCESS_DENIED, 5);
    EXPECT_FALSE(adapter.SaveConfiguration(Static(), true));
    EXPECT_EQ(List(at.legacyKey, L"DefaultGateway"), Texts{L"192.168.1.1"});
    EXPECT_EQ(List(at.interfaceKey, L"DefaultGateway"), Texts{L"10.0.0.1"});
    EXPECT_EQ(List(at.netBtKey, L"NameServerList"), (Texts{L"3.3.3.3", L"4.4.4.4"}));
    EXPECT_EQ(dhcp.Loads(), 0u);
}

TEST_F(RegAdapterTest, CommitChoosesTheDhcpAction) {
    // Server null, adapter, new address, index, address, mask, action.
    using Notification = std::tuple<bool, std::wstring, bool, uint32_t, uint32_t, uint32_t, int>;
    struct Row { DWORD previous; bool enable, called, newIpAddress; int action; };
    const Row rows[] = {{1, false, true, true, 2}, {0, true, true, false, 1}, {0, false, true, true, 0},
                        {1, true, true, false, 0}, {7, true, false, false, 0}};
    RegAdapter adapter(at.description);
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.previous << r.enable);
        dhcp.Reset();
        tree.SetDword(at.legacyKey, L"EnableDHCP", r.previous);
        RegAdapter::Configuration c = Static();
        c.enableDhcp = r.enable;
        EXPECT_TRUE(adapter.SaveConfiguration(c, true));
        std::vector<Notification> calls, expected;
        for (const auto& n : dhcp.Calls())
            calls.emplace_back(n.serverNull, n.adapterName, n.newIpAddress, n.ipIndex, n.ipAddress, n.subnetMask,
                               n.action);
        if (r.called) expected.emplace_back(true, at.guid, r.newIpAddress, 0u, inet_addr("192.168.1.20"),
                                            inet_addr("255.255.255.0"), r.action);
        EXPECT_EQ(calls, expected);
        EXPECT_EQ(dhcp.LoadedModules(), 0);
    }
}

TEST_F(RegAdapterTest, CommitWithoutTheDhcpClientSucceedsWithoutNotifying) {
    RegAdapter adapter(at.description);
    dhcp.SetExportsNotify(false);
    EXPECT_TRUE(adapter.CommitConfiguration(Static()));
    EXPECT_EQ(dhcp.Loads(), 1u);
    EXPECT_EQ(dhcp.LoadedModules(), 0);  // freed again
    dhcp.SetInstalled(false);
    EXPECT_TRUE(adapter.CommitConfiguration(Static()));
    EXPECT_TRUE(dhcp.Calls().empty());
}

// Refusals cost a real 1000 ms wait each (Sleep of the platform); these two
// cases take about 2 s and 3 s. Time is bounded from below only: the calls
// count the refusals, and a load that slows the machine fails nothing.
TEST_F(RegAdapterTest, CommitRetriesARefusingDhcpClient) {
    // times: how many calls are refused, 0 for every one.
    struct Row { unsigned times; bool committed; DWORD atLeastMs; size_t calls; };
    RegAdapter adapter(at.description);
    for (const Row& r : {Row{2, true, 1900, 3}, Row{0, false, 2900, 4}}) {
        SCOPED_TRACE(r.times);
        dhcp.Reset();
        sim::ScopedFault refuse("DhcpNotifyConfigChange", 5, 1, r.times);
        const DWORD start = GetTickCount();
        EXPECT_EQ(adapter.CommitConfiguration(Static()), r.committed);
        EXPECT_GE(GetTickCount() - start, r.atLeastMs);
        EXPECT_EQ(dhcp.Calls().size(), r.calls);
        EXPECT_EQ(dhcp.LoadedModules(), 0);
    }
}

}  // namespace
