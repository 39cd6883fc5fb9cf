// The network adapter inventory over adapters described per test: natively
// in a world of the test's own, on Windows in Wine's registry beside the
// adapters of tests running at the same time (so every check looks only at
// this test's GUIDs).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "OpenKeys.h"
#include "TestSupport.h"
#include "platform/sim/AdapterWorld.h"
#include "platform/sim/Faults.h"
#include "platform/sim/World.h"
#include "registry/NetAdapterInfoVector.h"
#include "registry/RegAdapter.h"

using namespace util;

namespace {

const uint32_t kPhysical = 0x4;

class Inventory : public ::testing::Test {
protected:
    void SetUp() override {
        sim::GetWorld().Reset();
        openKeys = test::OpenKeys();  // counted from the fresh world
    }
    void TearDown() override {
        openKeys.ExpectNoneLeft();
        sim::GetWorld().Reset();
    }

    // The entries of `guid`, compared without regard to case.
    static std::vector<NetAdapterInfo> Entries(const NetAdapterInfoVector& list, const std::wstring& guid) {
        std::vector<NetAdapterInfo> out;
        for (const NetAdapterInfo& e : list)
            if (e.adapterGuid.CompareI(guid) == 0) out.push_back(e);
        return out;
    }
    static bool Listed(const NetAdapterInfoVector& l, const std::wstring& guid) { return !Entries(l, guid).empty(); }

    test::OpenKeys openKeys;
    sim::AdapterWorld world;
};

TEST_F(Inventory, ReadsEveryPartOfAnAdapterOptionalOnesMayBeMissing) {
    sim::AdapterDescription d;
    d.serviceName = sim::RegistryTree::UniqueName(L"wlsvc");
    d.dhcpEnabled = true;
    d.dhcpServer = "10.0.0.254";
    const sim::AdapterPlaces p = world.Add(d);
    const std::vector<NetAdapterInfo> found = Entries(NetAdapterInfoVector(kPhysical, false), p.guid);
    ASSERT_EQ(found.size(), 1u);
    const NetAdapterInfo& e = found[0];
    const IPAdapterInfo& ip = e.ipAdapterInfo;
    // The friendly name, provider, driver and service texts and the GUID are
    // the device information's (tests/device).
    const std::pair<String, std::wstring> texts[] = {
        {e.busType, L"PCI"}, {e.componentId.substr(0, 4), L"pci\\"}, {e.serviceName, d.serviceName},
        {ip.adapterName, p.guid}, {ip.macAddress, L"00:1B:77:0A:BC:DE"}, {ip.ipAddress, L"10.0.0.5"},
        {ip.ipMask, L"255.0.0.0"}, {ip.gateway, L"10.0.0.1"}, {ip.dhcpServer, L"10.0.0.254"},
        {ip.interfaceTypeName, L"Other"}};
    for (const auto& [got, expected] : texts) EXPECT_EQ(got, expected);
    EXPECT_EQ(e.characteristics, 0x84u);
    EXPECT_TRUE(ip.dhcpEnabled);
    EXPECT_EQ(ip.interfaceType, static_cast<uint32_t>(IF_TYPE_IEEE80211));

    // Optional values may be missing; an empty friendly name does not count.
    sim::AdapterDescription bare;
    bare.busType.reset();
    bare.friendlyName = L"";
    const sim::AdapterPlaces q = world.Add(bare);
    const NetAdapterInfo o(q.classKey);
    EXPECT_EQ(o.description, q.description);
    for (const String& empty : {o.busType, o.serviceName, o.serviceDisplayName, o.serviceImagePath})
        EXPECT_EQ(empty, L"");
}

TEST_F(Inventory, AnAdapterLackingARequiredValueDropsOutSilently) {
    const wchar_t* required[] = {L"DriverDesc", L"ProviderName", L"ComponentId", L"NetCfgInstanceId",
                                 L"DriverVersion", L"DriverDate", L"Characteristics"};
    std::vector<sim::AdapterPlaces> places;
    for (const wchar_t* name : required) {
        places.push_back(world.Add({}));
        test::DeleteValue(places.back().classKey, name);
    }
    // A properties sub-key of the class, as Windows keeps one.
    world.Tree().CreateKey(world.Tree().AddNumberedKey(sim::kNetClassKey) + L"\\Properties");
    const sim::AdapterPlaces kept = world.Add({});
    const NetAdapterInfoVector list(kPhysical, false);
    EXPECT_TRUE(Listed(list, kept.guid));
    for (size_t i = 0; i < places.size(); ++i) EXPECT_FALSE(Listed(list, places[i].guid)) << required[i];

    auto e = test::ExpectThrows<util::RegistryValueNotFoundEx>([&] { NetAdapterInfo info(places[0].classKey); });
    const size_t n = e.Entries().size();
    test::ExpectEntry(e, n - 2, L"Stack Entry", L"util::NetAdapterInfo::Init", L"", 0);
    test::ExpectEntry(e, n - 1, L"Stack Entry", L"util::NetAdapterInfo::NetAdapterInfo", L"", 0);
}

// The inventory spells the class GUID otherwise than the world and the TCP/IP
// store: every listing here reaches the world's keys only through the
// registry's case-blind key names.

TEST_F(Inventory, SelectsByCharacteristics) {
    struct Row { DWORD characteristics; uint32_t mask; bool listed; };
    const Row rows[] = {{0x84, kPhysical, true}, {0x4, kPhysical, true}, {0x1, kPhysical, false},
                        {0x0, 0xFFFFFFFF, false}, {0x84, 0x1, false}, {0x1, 0x1, true}};
    std::vector<std::wstring> guids;
    for (const Row& r : rows) {
        sim::AdapterDescription d;
        d.characteristics = r.characteristics;
        guids.push_back(world.Add(d).guid);
    }
    for (size_t i = 0; i < guids.size(); ++i)
        EXPECT_EQ(Listed(NetAdapterInfoVector(rows[i].mask, false), guids[i]), rows[i].listed) << i;
}

TEST_F(Inventory, ADuplicateGuidIsListedOnceTheFirstInOrder) {
    const sim::AdapterPlaces a = world.Add({});
    sim::AdapterDescription d;
    d.guid = a.guid;
    for (wchar_t& c : d.guid) c = static_cast<wchar_t>(towlower(c));
    const sim::AdapterPlaces b = world.Add(d);
    const std::vector<NetAdapterInfo> found = Entries(NetAdapterInfoVector(kPhysical, false), a.guid);
    ASSERT_EQ(found.size(), 1u);
    // Numbered keys are upper-case hexadecimal: name order is text order.
    EXPECT_EQ(found[0].description, a.classKey < b.classKey ? a.description : b.description);
}

TEST_F(Inventory, PresentOnlyListsTheAdaptersWithAPresentInterface) {
    sim::AdapterDescription absent, gone;
    absent.present = false;
    gone.deviceInterface = false;
    const std::wstring present = world.Add({}).guid, notPresent = world.Add(absent).guid,
                       noInterface = world.Add(gone).guid;

    const NetAdapterInfoVector all(kPhysical, false);
    for (const std::wstring& g : {present, notPresent, noInterface}) EXPECT_TRUE(Listed(all, g));
    const NetAdapterInfoVector only(kPhysical, true);
    EXPECT_TRUE(Listed(only, present));
    for (const std::wstring& g : {notPresent, noInterface}) EXPECT_FALSE(Listed(only, g));

    // A failing SetupAPI only shortens the collection, and every set is destroyed.
    for (const char* call : {"SetupDiGetClassDevsW", "SetupDiEnumDeviceInterfaces",
                             "SetupDiGetDeviceInterfaceDetailW"}) {
        sim::ScopedFault fault(call, ERROR_NOT_ENOUGH_MEMORY);
        EXPECT_FALSE(Listed(NetAdapterInfoVector(kPhysical, true), present)) << call;
        EXPECT_EQ(sim::GetWorld().Devices().OpenSets(), 0u) << call;
    }
}

TEST_F(Inventory, FriendlyNameSearch) {
    // An empty component id: the bus and device id; an empty driver: this
    // adapter's class key.
    struct Row { const wchar_t* bus; std::wstring componentId, driver; bool friendly; };
    const Row rows[] = {
        {L"PCI", L"", L"", true}, {L"USB", L"", L"", true},
        {L"PCI", L"PCI\\VEN_8086", L"", false},  // the bus prefix compares case-sensitively
        {L"PCI", L"", L"{4D36E972-E325-11CE-BFC1-08002BE10318}\\FFFF", false}, {L"PCI", L"isa\\pnp0a03", L"", false}};
    for (const Row& r : rows) {
        sim::AdapterDescription d;
        d.enumBus = r.bus;
        d.componentId = r.componentId;
        d.instanceDriver = r.driver;
        d.friendlyName = sim::RegistryTree::UniqueName(L"Friendly");
        const sim::AdapterPlaces p = world.Add(d);
        const std::vector<NetAdapterInfo> found = Entries(NetAdapterInfoVector(kPhysical, false), p.guid);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].description, r.friendly ? *d.friendlyName : p.description) << r.bus << r.componentId;
    }
}

TEST(AdapterNames, InterfaceAndBusTypes) {
    const std::pair<uint32_t, const wchar_t*> types[] = {
        {6, L"Ethernet 802.3"}, {24, L"Loopback"}, {28, L"SLIP"}, {71, L"Other"}, {0, L"Other"}};
    for (const auto& r : types) EXPECT_EQ(IPAdapterInfo::InterfaceTypeName(r.first), r.second) << r.first;
    EXPECT_EQ(IPAdapterInfo().interfaceType, 65535u);
    // Unnamed numbers and text that is not a plain number stay as they are.
    const std::pair<const wchar_t*, const wchar_t*> buses[] = {
        {L"0", L"Internal Bus"}, {L"5", L"PCI"}, {L"11", L"MPSA"}, {L"12", L"12"}, {L"14", L"PNPISA"},
        {L"15", L"PNP"}, {L"16", L"16"}, {L"-1", L"-1"}, {L"x", L"x"}, {L"00", L"00"}, {L"", L""}};
    for (const auto& r : buses) EXPECT_EQ(NetAdapterInfo::BusTypeName(r.first), r.second) << r.first;
}

TEST_F(Inventory, HardwareAddressAndLookUp) {
    const std::pair<std::vector<uint8_t>, const wchar_t*> rows[] = {
        {{}, L""}, {{1, 2, 3, 4, 5}, L""}, {{0xAB, 0xCD, 0xEF, 0x01, 0x02, 0x03}, L"AB:CD:EF:01:02:03"},
        {{1, 2, 3, 4, 5, 6, 7, 8}, L"01:02:03:04:05:06"}};
    for (const auto& [address, mac] : rows) {
        sim::AdapterDescription d;
        d.hardwareAddress = address;
        const std::wstring guid = world.Add(d).guid;
        IPAdapterInfo info;
        info.Load(guid);
        EXPECT_EQ(info.macAddress, mac) << address.size();
    }

    // Unknown names and failing IP Helper leave the fields alone.
    IPAdapterInfo info;
    info.ipAddress = L"kept";
    info.Load(L"{00000000-0000-0000-0000-000000000000}");
    sim::ScopedFault fault("GetAdaptersInfo", ERROR_NOT_SUPPORTED, 2);
    info.Load(world.Add({}).guid);
    EXPECT_EQ(info.ipAddress, L"kept");
    EXPECT_EQ(info.adapterName, L"");
}

TEST_F(Inventory, AMissingClassKeyLeavesTheConstructor) {
    if (!sim::World::RegistrySimulated()) GTEST_SKIP() << "the real registry keeps its class key";
    auto e = test::ExpectThrows<util::ApiEx>([] { NetAdapterInfoVector list(kPhysical, false); });
    const size_t n = e.Entries().size();
    test::ExpectEntry(e, n - 2, L"Stack Entry", L"util::NetAdapterInfoVector::InitVector", L"", 0);
    test::ExpectEntry(e, n - 1, L"Stack Entry", L"util::NetAdapterInfoVector::NetAdapterInfoVector", L"", 0);
}

}  // namespace
