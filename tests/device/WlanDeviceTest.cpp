// The WLAN device's lifecycle, network list, notifications and status
// queries on the simulated service, with API version 1 and 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include "DeviceProbe.h"
#include "WlanRig.h"
#include "device/WLanDevice.h"
#include "records/AccessStatus.h"
#include "records/NetworkInfoList.h"

namespace {

using test::WlanRig;

void Disconnect(WlanRig& r) { r.device->Disconnect(0); }
void UnAssociate(WlanRig& r) { r.device->UnAssociateNetwork(); }
void Close(WlanRig& r) { r.device->Close(); }
void Open(WlanRig& r) { r.Open(); }
void Associate(WlanRig& r) { r.Associate(test::kWpa2Net); }
void Connect(WlanRig& r) { r.Connect(); }
void LoseLink(WlanRig& r) {
    r.wlan.LoseLink(r.iface);
    // The device reacts on the service's thread: once that is idle, it has.
    ASSERT_TRUE(r.wlan.WaitIdle(std::chrono::seconds(10)));
}
// A host that throws when told of a lost link: the device logs it, and it
// does not reach the service.
struct ThrowingHost : test::RecordingHost {
    void Disconnected(int32_t, uint32_t) override { throw util::DeviceEx(L"host.cpp", L"Host::Disconnected", 1); }
};
void HostThrows(WlanRig& r) { r.host = std::make_unique<ThrowingHost>(); }
void HandlingFailedLogged(WlanRig& r) { EXPECT_TRUE(r.LoggedText(LOG_ERROR, L"Notification handling failed: ")); }

TEST(WlanDevice, StatusSequences) {
    using Step = std::function<void(WlanRig&)>;
    // Label, steps, the statuses the host is told.
    const std::vector<std::tuple<const char*, std::vector<Step>, std::vector<uint32_t>>> rows = {
        // Longer rows hold the shorter sequences as their beginnings.
        {"close associated", {Open, Associate, Close}, {0, 0, 1}},
        {"close connected", {Open, Associate, Connect, Close}, {0, 3, 2, 4, 0, 0, 1}},
        {"reconnect after disconnect", {Open, Associate, Connect, Disconnect, Connect}, {0, 3, 2, 4, 0, 3, 2}},
        {"unassociate", {Open, Associate, UnAssociate}, {0, 0}},
        {"lost link", {Open, Associate, Connect, LoseLink}, {0, 3, 2, 4, 0}},
        {"lost link, the host throws", {HostThrows, Open, Associate, Connect, LoseLink, HandlingFailedLogged},
         {0, 3, 2, 4, 0}},
        {"reopen", {Open, Close, Open}, {0, 1, 0}},
    };
    for (const auto& [label, steps, statuses] : rows) {
        SCOPED_TRACE(label);
        WlanRig rig;
        for (const Step& step : steps) step(rig);
        EXPECT_EQ(rig.Statuses(), statuses);
        for (const test::HostCall& c : rig.host->Calls()) EXPECT_EQ(c.deviceIndex, 7);
    }
}

// The host's view of a connect is wlanhost's (tests/host); here what the
// service was given and the counters' reset.
TEST(WlanDevice, ConnectResetsCountersAndAsksForTheProfile) {
    WlanRig rig;
    rig.Open();
    rig.AssociateAndConnect(test::kWpa2Net);
    EXPECT_EQ(rig.wlan.ConnectedSsid(rig.iface), "Office");
    cei::DeviceStatistics s;
    rig.device->GetStatistics(s);
    EXPECT_EQ(s.bytesSent, 0u);
    EXPECT_EQ(s.bytesReceived, 0u);
    // What WlanConnect was given.
    for (const auto& j : rig.wlan.Journal()) {
        if (j.call != "WlanConnect") continue;
        EXPECT_EQ(j.connectionMode, static_cast<DWORD>(wlan_connection_mode_profile));
        EXPECT_EQ(j.profileName, L"Office");
        EXPECT_EQ(j.bssType, static_cast<DWORD>(dot11_BSS_type_infrastructure));
        EXPECT_FALSE(j.ssidGiven || j.bssidListGiven || j.connectFlags != 0);
    }
}

// The version, the duplicates, the callback and its context are every
// connect's; here that no source is asked for past the two it handles.
TEST(WlanDevice, OpenRegistersForTheAcmAndMsmSourcesOnlyAndCloseEndsWithTheHandle) {
    WlanRig rig;
    rig.Open();
    size_t registrations = 0;
    for (const auto& j : rig.wlan.Journal())
        registrations += j.call == "WlanRegisterNotification" && j.sourceMask == 0x18;
    EXPECT_EQ(registrations, 1u);
    rig.device->Close();
    EXPECT_EQ(rig.wlan.Journal().back().call, "WlanCloseHandle");
}

TEST(WlanDevice, NetworkListMirrorsTheService) {
    auto net = [](std::string ssid, DWORD bss, DWORD auth, DWORD cipher, DWORD quality) {
        sim::WlanNetwork n = test::Network({"", auth, cipher, L""}, quality);  // secured when ciphered
        n.ssid = std::move(ssid);
        n.bssType = bss;
        return n;
    };
    WlanRig rig(2, {net("Office", 1, 7, 4, 90), net("Cafe", 1, 1, 0, 60), net("Lab", 1, 2, 5, 50),
                    net("Old", 1, 1, 1, 40), net("Home", 1, 4, 2, 30), net("Corp", 1, 6, 4, 20),
                    net("Ent", 1, 3, 2, 10), net("Party", 2, 1, 0, 5), net(std::string("Cut\0tail", 8), 1, 5, 0x101, 1),
                    net("", 1, 0x80000001, 0, 0), net("Office", 1, 7, 4, 70)});
    rig.Open();
    ace::NetworkList networks;
    rig.device->GetAvailableNetworks(networks);
    // SSID, BSS type, quality, security, encryption, secured.
    using Seen = std::tuple<std::wstring, uint32_t, uint32_t, int32_t, int32_t, bool>;
    const std::vector<Seen> want = {
        {L"Office", 1, 90, 5, 1, true}, {L"Cafe", 1, 60, 0, 0, false}, {L"Lab", 1, 50, 1, 3, true},
        {L"Old", 1, 40, 0, 3, true},    {L"Home", 1, 30, 3, 2, true},  {L"Corp", 1, 20, 4, 1, true},
        {L"Ent", 1, 10, 2, 2, true},    {L"Party", 0, 5, 0, 0, false}, {L"Cut", 1, 1, -1, -1, true},
        {L"", 1, 0, -1, 0, false},      {L"Office", 1, 70, 5, 1, true}};
    std::vector<Seen> seen;
    for (const auto& entry : networks) {
        auto* n = dynamic_cast<cei::NetworkInfoListWlan*>(entry.Get());
        ASSERT_NE(n, nullptr);
        seen.emplace_back(n->ssid, n->bssType, n->signalQuality, n->securityType, n->encryptionType,
                          n->securityEnabled);
    }
    EXPECT_EQ(seen, want);
    EXPECT_TRUE(rig.LoggedText(LOG_DETAIL, L"Not supported bss type: 2"));
    EXPECT_TRUE(rig.LoggedText(LOG_WARNING, L"Unknown security type. Auth: 5"));
    EXPECT_TRUE(rig.LoggedText(LOG_WARNING, L"Unknown encryption type. Ciph: 257"));
    // The caller's entries stay; the next call appends.
    rig.device->GetAvailableNetworks(networks);
    EXPECT_EQ(networks.size(), 2 * want.size());
}

TEST(WlanDevice, SignalConversion) {
    const std::vector<std::pair<int32_t, int32_t>> rows = {{55, 55}, {0, 0},     {100, 100}, {-113, 0}, {-112, 0},
                                                           {-111, 3}, {-80, 51}, {-51, 100}, {-40, 100}, {150, 100},
                                                           {-200, 0}, {-1, 100}};
    for (auto [in, out] : rows) EXPECT_EQ(ace::WLanDeviceProbe::ConvertSignalToPercent(in), out) << in;
}

TEST(WlanDevice, AccessStatusByVersionAndState) {
    sim::WlanNetwork weak = test::Network(test::kWpa2Net, 40), strong = test::Network(test::kWpa2Net, 70);
    weak.rssi = strong.rssi = -80;
    sim::WlanNetwork zero = test::Network(test::kWpa2Net, 0), faint = test::Network(test::kWpa2Net, 10);
    faint.rssi = -120;
    // Label, service version, connected, networks, mask; signal, registration and name reported.
    using Row = std::tuple<const char*, DWORD, bool, std::vector<sim::WlanNetwork>, uint32_t, int32_t, int32_t,
                           std::wstring>;
    const std::vector<Row> rows = {
        {"v2 connected: RSSI", 2, true, {weak, strong}, 13, 51, 2, L"Office"},
        {"v1 connected: the best listed", 1, true, {weak, strong}, 13, 70, 2, L"Office"},
        {"v2 not connected: the list", 2, false, {strong, weak}, 1, 70, -9, L"-"},
        {"only quality 0: not found", 2, false, {zero}, 8, -1, 2, L"-"},
        {"signal 0 on a broadcast network", 2, true, {faint}, 12, 0, 0, L"Office"},
    };
    for (const auto& [label, version, connect, networks, mask, signal, registration, name] : rows) {
        SCOPED_TRACE(label);
        WlanRig rig(version, networks);
        rig.Open();
        rig.Associate(test::kWpa2Net);
        if (connect) rig.Connect();
        cei::AccessStatus status;
        status.networkRegistrationType = -9;
        status.networkName = L"-";
        rig.device->GetAccessStatus(mask, status);
        EXPECT_EQ(std::tie(status.signalStrength, status.networkRegistrationType, status.networkName),
                  std::tie(signal, registration, name));
    }
}

TEST(WlanDevice, VersionOneConnectsOnConnectionCompleteAndToleratesUnconfirmedSets) {
    WlanRig rig(1);
    rig.Open();
    rig.wlan.Silence(sim::WlanSilence::ProfileChange);
    // Returns after the 1000 ms wait, without error (the flags of a version 1
    // set are WlanProfileStoreTest's).
    rig.Associate(test::kWpa2Net);
    rig.Connect();
    EXPECT_EQ(rig.device->GetDeviceStatus(), DEVICE_STATE::CONNECTED);
    rig.Forget();
    rig.device->Disconnect(0);
    // Version 1 tells the host itself, besides the service's MSM report.
    const std::vector<test::HostCall> calls = rig.host->Calls();
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const auto& c) { return c.name == "Disconnected"; }));
}

TEST(WlanDevice, NotificationsThatChangeNothing) {
    WlanRig rig;
    rig.Open();
    rig.Forget();
    WLAN_NOTIFICATION_DATA n{};
    // Source, code, from another interface, without a device; the record's level and text.
    const std::vector<std::tuple<DWORD, DWORD, bool, bool, unsigned, std::wstring>> rows = {
        {0x10, 14, false, false, LOG_TRACE, L"Notification:unknown MSM notification Source:16 Code:14"},
        {0x08, 24, false, false, LOG_TRACE, L"Notification:unknown ACM notification Source:8 Code:24"},
        {0x08, 8, false, false, LOG_TRACE, L"Notification:scan fail Source:8 Code:8"},
        {0x04, 1, false, false, LOG_TRACE, L"Unknown notification source: 4"},
        {0x04, 1, false, false, LOG_TRACE, L"Notification:unknown notification source:  Source:4"},
        {0x08, 7, true, false, LOG_INFO, L"Notification from not selected wlan adapter. Guid: {"},
        {0x08, 7, false, true, LOG_WARNING, L"Closing down, notification not accepted. Notification: scan complete"},
    };
    for (const auto& [source, code, otherInterface, nullContext, level, text] : rows) {
        n.NotificationSource = source;
        n.NotificationCode = code;
        n.InterfaceGuid = rig.iface;
        if (otherInterface) n.InterfaceGuid.Data1 ^= 1;
        ace::WLanDevice::NotificationCallback(&n, nullContext ? nullptr : rig.device);
        EXPECT_TRUE(rig.LoggedText(level, text)) << testing::PrintToString(text);
    }
    ace::WLanDevice::NotificationCallback(nullptr, rig.device);
    EXPECT_TRUE(rig.host->Calls().empty() || rig.host->Calls().front().name == "IpAddressStatus");
}

}  // namespace
