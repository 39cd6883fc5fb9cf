// The simulated WLAN service through the Wlan* calls, on both builds:
// notification delivery, the profile store's refusals, connects on their
// merits, the scripted departures, fault injection and bad input.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/sim/World.h"
#include "platform/win32.h"

namespace {

using namespace std::chrono_literals;
using Codes = std::vector<std::pair<DWORD, DWORD>>;  // source, code

constexpr DWORD kAcm = WLAN_NOTIFICATION_SOURCE_ACM;
constexpr DWORD kMsm = WLAN_NOTIFICATION_SOURCE_MSM;
constexpr auto kBound = 5s;

const Codes kConnected = {{kAcm, wlan_notification_acm_connection_start}, {kMsm, wlan_notification_msm_associating},
                          {kMsm, wlan_notification_msm_associated}, {kMsm, wlan_notification_msm_authenticating},
                          {kMsm, wlan_notification_msm_connected}, {kAcm, wlan_notification_acm_connection_complete}};
const Codes kDisconnected = {{kMsm, wlan_notification_msm_disconnected}, {kAcm, wlan_notification_acm_disconnected}};
const Codes kProfileChange = {{kAcm, wlan_notification_acm_profile_change}};
const Codes kFailed = {{kAcm, wlan_notification_acm_connection_start},
                       {kAcm, wlan_notification_acm_connection_complete}};

Codes operator+(Codes a, const Codes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Note {
    DWORD source, code, reason;  // reason: of an ACM connection notification
    std::thread::id thread;
};

Codes CodesOf(const std::vector<Note>& notes) {
    Codes codes;
    for (const Note& n : notes) codes.emplace_back(n.source, n.code);
    return codes;
}

const std::wstring kNamespace = L"http://www.microsoft.com/networking/WLAN/profile/v1";

// A profile document with the elements the device writes.
std::wstring ProfileXml(const std::wstring& ssid, const std::wstring& auth = L"open", const std::wstring& enc = L"none",
                        const std::wstring& key = L"", const std::wstring& extraSecurity = L"") {
    const std::wstring shared = key.empty() ? L"" : L"<sharedKey><keyType>passPhrase</keyType><protected>false"
                                                    L"</protected><keyMaterial>" + key + L"</keyMaterial></sharedKey>";
    return L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<WLANProfile xmlns=\"" + kNamespace + L"\"><name>" + ssid +
           L"</name><SSIDConfig><SSID><name>" + ssid + L"</name></SSID><nonBroadcast>false</nonBroadcast>"
           L"</SSIDConfig><connectionType>ESS</connectionType><connectionMode>manual</connectionMode>"
           L"<MSM><security><authEncryption><authentication>" + auth + L"</authentication><encryption>" + enc +
           L"</encryption><useOneX>false</useOneX></authEncryption>" + shared + extraSecurity +
           L"</security></MSM></WLANProfile>\n";
}

sim::WlanNetwork Network(const std::string& ssid, DWORD auth = 1, DWORD cipher = 0, const std::wstring& secret = L"",
                         bool broadcast = true) {
    return {.ssid = ssid, .securityEnabled = auth != 1 || cipher != 0, .authAlgorithm = auth, .cipherAlgorithm = cipher,
            .secret = secret, .broadcast = broadcast};
}

// Whether the service has a text for the reason code.
bool Described(DWORD reason) {
    wchar_t text[256] = {};
    return WlanReasonCodeToString(reason, 256, text, nullptr) == 0 && text[0] != L'\0';
}

// A machine with one adapter and a client handle registered for ACM and MSM
// that records what arrives; `react` runs inside the callback, on the
// service's thread. What a call handed out must have come back.
class WlanServiceTest : public ::testing::Test {
protected:
    void SetUp() override { Fresh(); }
    void TearDown() override {
        EXPECT_EQ(wlan.OutstandingAllocations(), 0u);
        world.Reset();
    }

    void Fresh(std::vector<sim::WlanNetwork> networks = {}) {
        EXPECT_EQ(wlan.OutstandingAllocations(), 0u) << "a call left service memory unfreed";
        world.Reset();
        Take(0);
        react = nullptr;
        iface = wlan.AddInterface({GUID{}, L"Sim 802.11n Adapter", 4, true, std::move(networks)});
        ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &client), 0u);
        ASSERT_EQ(WlanRegisterNotification(client, kAcm | kMsm, FALSE, &Callback, this, nullptr, nullptr), 0u);
    }

    static VOID WINAPI Callback(PWLAN_NOTIFICATION_DATA data, PVOID context) {
        auto* self = static_cast<WlanServiceTest*>(context);
        Note n{data->NotificationSource, data->NotificationCode, 0, std::this_thread::get_id()};
        if (data->NotificationSource == kAcm && data->dwDataSize >= sizeof(WLAN_CONNECTION_NOTIFICATION_DATA))
            n.reason = static_cast<WLAN_CONNECTION_NOTIFICATION_DATA*>(data->pData)->wlanReasonCode;
        if (self->react) self->react(*data);
        std::lock_guard<std::mutex> g(self->lock);
        self->notes.push_back(n);
        self->arrived.notify_all();
    }

    // The notes once `count` have arrived (fewer after the bound), then forgotten.
    std::vector<Note> Take(size_t count) {
        std::unique_lock<std::mutex> g(lock);
        arrived.wait_for(g, kBound, [&] { return notes.size() >= count; });
        return std::exchange(notes, {});
    }
    Codes TakeCodes(size_t count) { return CodesOf(Take(count)); }

    // `reason` receives the service's reason code.
    DWORD SetProfile(const std::wstring& xml, BOOL overwrite = TRUE) {
        reason = 0;
        return WlanSetProfile(client, &iface, WLAN_PROFILE_USER, xml.c_str(), nullptr, overwrite, nullptr, &reason);
    }

    DWORD Connect(const std::wstring& profile) {
        WLAN_CONNECTION_PARAMETERS p{wlan_connection_mode_profile, profile.c_str(), nullptr, nullptr,
                                     dot11_BSS_type_infrastructure, 0};
        return WlanConnect(client, &iface, &p, nullptr);
    }

    // Connected to the open network "Cafe", its notifications taken.
    void ConnectToCafe() {
        Fresh({Network("Cafe")});
        ASSERT_EQ(SetProfile(ProfileXml(L"Cafe")), 0u);
        ASSERT_EQ(Connect(L"Cafe"), 0u);
        ASSERT_EQ(TakeCodes(7), kProfileChange + kConnected);
    }

    sim::World& world = sim::GetWorld();
    sim::WlanService& wlan = world.Wlan();
    GUID iface{};
    HANDLE client = nullptr;
    DWORD version = 0, reason = 0;
    std::function<void(const WLAN_NOTIFICATION_DATA&)> react;
    std::mutex lock;
    std::condition_variable arrived;
    std::vector<Note> notes;
};

// Each connect notifies in order on the service's own thread; a callback may
// call the service but not close it. A key or SSID with markup connecting is
// the device's (WlanProfileStoreTest), as is the registration's context.
TEST_F(WlanServiceTest, ConnectSucceedsOrFailsOnItsMerits) {
    const sim::WlanNetwork home = Network("Home", 7, 4, L"secret01");  // WPA2-PSK, CCMP
    const DWORD mismatch = WLAN_REASON_CODE_KEY_MISMATCH, incompatible = WLAN_REASON_CODE_PROFILE_NOT_COMPATIBLE;
    const DWORD unavailable = WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE;
    const struct {
        const char* what;
        sim::WlanNetwork network;
        std::wstring profile;
        DWORD reason;
    } cases[] = {
        {"wrong passphrase", home, ProfileXml(L"Home", L"WPA2PSK", L"AES", L"secret02"), mismatch},
        {"no key", home, ProfileXml(L"Home", L"WPA2PSK", L"AES"), mismatch},
        {"other cipher", home, ProfileXml(L"Home", L"WPA2PSK", L"TKIP", L"secret01"), incompatible},
        {"other authentication", home, ProfileXml(L"Home", L"WPAPSK", L"AES", L"secret01"), incompatible},
        {"not in range", Network("Away", 7, 4, L"secret01"), ProfileXml(L"Home", L"WPA2PSK", L"AES", L"secret01"),
         unavailable},
        {"WEP hex in any case", Network("Old", 1, 5, L"ABCDEF0123"),
         ProfileXml(L"Old", L"open", L"WEP", L"abcdef0123", L"<keyIndex>0</keyIndex>"), 0},
        {"hidden, profile does not", Network("Lurk", 1, 0, L"", false), ProfileXml(L"Lurk"), unavailable},
        {"no profile", Network("Cafe"), L"", WLAN_REASON_CODE_PROFILE_MISSING},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh({c.network});
        DWORD listed = 1;
        react = [&](const WLAN_NOTIFICATION_DATA& n) {
            if (n.NotificationSource != kMsm || n.NotificationCode != wlan_notification_msm_connected) return;
            PWLAN_AVAILABLE_NETWORK_LIST list = nullptr;
            listed = WlanGetAvailableNetworkList(client, &iface, 0, nullptr, &list);
            WlanFreeMemory(list);
            EXPECT_EQ(WlanCloseHandle(client, nullptr), static_cast<DWORD>(ERROR_INVALID_STATE));
        };
        const size_t at = c.profile.find(L"<name>") + 6;
        const std::wstring name = c.profile.empty() ? L"Cafe" : c.profile.substr(at, c.profile.find(L'<', at) - at);
        ASSERT_EQ(c.profile.empty() ? 0u : SetProfile(c.profile), 0u);
        EXPECT_EQ(TakeCodes(c.profile.empty() ? 0 : 1), c.profile.empty() ? Codes{} : kProfileChange);
        ASSERT_EQ(Connect(name), 0u);
        const bool joins = c.reason == 0;
        const std::vector<Note> got = Take((joins ? kConnected : kFailed).size());
        for (const Note& n : got) EXPECT_EQ(n.thread, got.front().thread);
        for (const Note& n : got) EXPECT_NE(n.thread, std::this_thread::get_id());
        ASSERT_EQ(CodesOf(got), joins ? kConnected : kFailed);
        EXPECT_EQ(got.back().reason, c.reason);
        EXPECT_EQ(listed, joins ? 0u : 1u);
        EXPECT_EQ(wlan.Faults(), joins ? std::vector<std::string>{"WlanCloseHandle from callback"}
                                       : std::vector<std::string>{});
        EXPECT_EQ(wlan.ConnectedSsid(iface), joins ? std::string(name.begin(), name.end()) : "");
        DWORD size = 0, state = joins ? wlan_interface_state_connected : wlan_interface_state_disconnected;
        PVOID data = nullptr;
        ASSERT_EQ(WlanQueryInterface(client, &iface, wlan_intf_opcode_interface_state, nullptr, &size, &data, nullptr),
                  0u);
        EXPECT_EQ(*static_cast<DWORD*>(data), state);
        WlanFreeMemory(data);
        EXPECT_TRUE(Described(c.reason));
    }
}

TEST_F(WlanServiceTest, ProfileStoreRefusesWhatTheServiceRefuses) {
    auto edit = [](std::wstring xml, const std::wstring& from, const std::wstring& to) {
        return xml.replace(xml.find(from), from.size(), to);
    };
    const std::wstring good = ProfileXml(L"Home"), psk = ProfileXml(L"Home", L"WPA2PSK", L"AES", L"secret01");
    const std::wstring name = L"<name>Home</name><SSIDConfig>", ssid = L"<name>Home</name></SSID>";
    auto replace = [&](const std::wstring& from, const std::wstring& to) { return edit(good, from, to); };
    const DWORD schema = WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA;
    const DWORD pskLength = WLAN_REASON_CODE_MSMSEC_PROFILE_PSK_LENGTH;
    const DWORD keyIndex = WLAN_REASON_CODE_MSMSEC_PROFILE_INVALID_KEY_INDEX;
    const struct {
        const char* what;
        std::wstring xml;
        DWORD reason;
    } refused[] = {
        {"unclosed element", replace(L"</SSIDConfig>", L""), schema},
        {"crossed elements", replace(L"</SSID>", L"</nonBroadcast></SSID><nonBroadcast>"), schema},
        {"second root", good + L"<WLANProfile/>", schema},
        {"unquoted attribute", replace(L"xmlns=\"" + kNamespace + L"\"", L"xmlns=v1"), schema},
        {"stray ampersand", replace(L"Home</name><SSIDConfig>", L"A&B</name><SSIDConfig>"), schema},
        {"stray less-than", replace(name, L"<name>A<B</name><SSIDConfig>"), schema},
        {"unknown entity", replace(L">Home</name><SSIDConfig>", L">&nbsp;</name><SSIDConfig>"), schema},
        {"declaration not first", L"\n" + good.substr(good.find(L'\n') + 1) + L"<?xml version=\"1.0\"?>", schema},
        {"other namespace", replace(kNamespace, L"urn:other"), schema},
        {"unknown authentication", replace(L">open<", L">WPA3<"), schema},
        {"no name", replace(name, L"<SSIDConfig>"), WLAN_REASON_CODE_INVALID_PROFILE_NAME},
        {"empty SSID", replace(ssid, L"<name></name></SSID>"), WLAN_REASON_CODE_PROFILE_SSID_INVALID},
        {"33-byte SSID", replace(ssid, L"<name>" + std::wstring(33, L'x') + L"</name></SSID>"),
         WLAN_REASON_CODE_PROFILE_SSID_INVALID},
        {"key index 4", replace(L"</security>", L"<keyIndex>4</keyIndex></security>"), keyIndex},
        {"key index minus one", replace(L"</security>", L"<keyIndex>4294967295</keyIndex></security>"), keyIndex},
        {"unknown key type", edit(psk, L"passPhrase", L"password"), schema},
        {"passphrase of 7", ProfileXml(L"Home", L"WPA2PSK", L"AES", L"seven77"), pskLength},
        {"64 hex digits as a passphrase", ProfileXml(L"Home", L"WPAPSK", L"TKIP", std::wstring(64, L'a')), pskLength},
        {"network key not of 64 hex digits", edit(psk, L"passPhrase", L"networkKey"), pskLength},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SetProfile(c.xml), static_cast<DWORD>(ERROR_BAD_PROFILE));
        EXPECT_EQ(reason, c.reason);
        EXPECT_TRUE(Described(reason));
    }
    EXPECT_TRUE(wlan.Profiles(iface).empty());

    // Comments, CDATA, references and a 32-byte SSID are taken; the XML comes back verbatim.
    const std::wstring odd = L"<!-- c --><name>H&#111;m&#x65;<![CDATA[&]]>&amp;</name><SSIDConfig>";
    const std::wstring taken = edit(replace(name, odd), ssid, L"<name>" + std::wstring(32, L'y') + L"</name></SSID>");
    ASSERT_EQ(SetProfile(taken), 0u);
    EXPECT_EQ(SetProfile(taken, FALSE), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    LPWSTR xml = nullptr;
    DWORD flags = 0;
    ASSERT_EQ(WlanGetProfile(client, &iface, L"Home&&", nullptr, &xml, &flags, nullptr), 0u);
    EXPECT_EQ(std::wstring(xml), taken);
    EXPECT_EQ(flags, static_cast<DWORD>(WLAN_PROFILE_USER));
    WlanFreeMemory(xml);
    EXPECT_EQ(WlanDeleteProfile(client, &iface, L"Home&&", nullptr), 0u);
    EXPECT_EQ(TakeCodes(2), kProfileChange + kProfileChange);
    EXPECT_TRUE(wlan.Profiles(iface).empty());
}

TEST_F(WlanServiceTest, UnregisteringDropsPendingNotificationsAndWaitsForTheCallbackInProgress) {
    std::promise<void> entered, release;
    const std::shared_future<void> released = release.get_future().share();
    std::once_flag once;
    std::atomic<bool> finished{false}, finishedAtReturn{false};
    react = [&](const WLAN_NOTIFICATION_DATA&) {
        std::call_once(once, [&] { entered.set_value(); });
        released.wait_for(kBound);
        finished = true;
    };
    for (int i = 0; i < 20; ++i) wlan.Notify(kAcm, wlan_notification_acm_scan_complete, iface);
    ASSERT_EQ(entered.get_future().wait_for(kBound), std::future_status::ready);
    std::thread unregister([&] {
        EXPECT_EQ(WlanRegisterNotification(client, WLAN_NOTIFICATION_SOURCE_NONE, FALSE, nullptr, nullptr, nullptr,
                                           nullptr),
                  0u);
        finishedAtReturn = finished.load();
    });
    // The unregistration has entered the service before the callback may end.
    for (auto until = std::chrono::steady_clock::now() + kBound;
         wlan.CallCount("WlanRegisterNotification") < 2 && std::chrono::steady_clock::now() < until;)
        std::this_thread::yield();
    release.set_value();
    unregister.join();
    EXPECT_TRUE(finishedAtReturn);
    wlan.Notify(kAcm, wlan_notification_acm_scan_complete, iface);
    ASSERT_TRUE(wlan.WaitIdle(kBound));
    EXPECT_EQ(Take(0).size(), 1u);
    EXPECT_TRUE(wlan.Faults().empty());
}

TEST_F(WlanServiceTest, UnfreedAndDoubleFreedMemoryIsReported) {
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    ASSERT_EQ(WlanEnumInterfaces(client, nullptr, &list), 0u);
    ASSERT_EQ(list->dwNumberOfItems, 1u);
    EXPECT_EQ(list->InterfaceInfo[0].isState, wlan_interface_state_disconnected);
    EXPECT_EQ(wlan.OutstandingAllocations(), 1u);
    WlanFreeMemory(list);
    WlanFreeMemory(list);
    int local = 0;
    WlanFreeMemory(&local);
    EXPECT_EQ(wlan.OutstandingAllocations(), 0u);
    EXPECT_EQ(wlan.BadFrees(), 2u);
}

TEST_F(WlanServiceTest, ScriptedDepartures) {
    auto scan = [&](DWORD expected) { EXPECT_EQ(WlanScan(client, &iface, nullptr, nullptr, nullptr), expected); };
    auto disconnect = [&] { EXPECT_EQ(WlanDisconnect(client, &iface, nullptr), 0u); };
    const DWORD radioOff = static_cast<DWORD>(ERROR_NDIS_DOT11_POWER_STATE_INVALID);
    const struct {
        const char* what;
        std::function<void()> act;
        Codes expected;
        DWORD state;
    } cases[] = {
        {"scan", [&] { scan(0); }, {{kAcm, wlan_notification_acm_scan_complete}}, 1},
        {"disconnect, twice", [&] { disconnect(); disconnect(); }, kDisconnected, 4},
        {"connect while connected", [&] { EXPECT_EQ(Connect(L"Cafe"), 0u); }, kDisconnected + kConnected, 1},
        {"network gone", [&] { wlan.RemoveNetwork(iface, "Cafe"); }, kDisconnected, 4},
        {"radio off", [&] {
             wlan.SetRadio(iface, false);
             scan(radioOff);  // the network list's refusal is the device's (WlanFailureTest)
             EXPECT_EQ(Connect(L"Cafe"), radioOff);
         }, kDisconnected + Codes{{kMsm, wlan_notification_msm_radio_state_change}}, 4},
        {"later signal change", [&] { wlan.After(1ms, [&] { wlan.SetSignal(iface, "Cafe", 20, -90); }); },
         {{kMsm, wlan_notification_msm_signal_quality_change}}, 1},
        {"any notification, registered sources only", [&] {
             wlan.Notify(0x04, 1, iface);
             wlan.Notify(kAcm, wlan_notification_acm_connection_attempt_fail, iface,
                         WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE);
         }, {{kAcm, wlan_notification_acm_connection_attempt_fail}}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ConnectToCafe();
        c.act();
        EXPECT_EQ(TakeCodes(c.expected.size()), c.expected);
        ASSERT_TRUE(wlan.WaitIdle(kBound));
        EXPECT_EQ(Take(0).size(), 0u);  // nothing beyond
        EXPECT_EQ(wlan.InterfaceState(iface), c.state);
    }
}

TEST_F(WlanServiceTest, BadInputGetsTheServicesCodeAndChangesNothing) {
    ConnectToCafe();
    ASSERT_EQ(WlanDisconnect(client, &iface, nullptr), 0u);
    Take(2);
    GUID unknown = iface;
    unknown.Data1 ^= 1;
    HANDLE stale = nullptr;
    DWORD v = 0, size = 0;
    ASSERT_EQ(WlanOpenHandle(1, nullptr, &v, &stale), 0u);
    EXPECT_EQ(v, 1u);
    ASSERT_EQ(WlanCloseHandle(stale, nullptr), 0u);
    PVOID data = nullptr;
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    PWLAN_AVAILABLE_NETWORK_LIST networks = nullptr;
    LPWSTR xml = nullptr;
    int reserved = 0;
    WLAN_CONNECTION_PARAMETERS noProfile{};
    noProfile.dot11BssType = dot11_BSS_type_infrastructure;
    wchar_t text[5] = {};
    const std::wstring profile = ProfileXml(L"X");
    const DWORD param = ERROR_INVALID_PARAMETER, handle = ERROR_INVALID_HANDLE, notFound = ERROR_NOT_FOUND;
    const WLAN_INTF_OPCODE state = wlan_intf_opcode_interface_state;
    const struct {
        const char* what;
        DWORD code;
        std::function<DWORD()> call;
    } cases[] = {
        {"open, reserved", param, [&] { return WlanOpenHandle(2, &reserved, &v, &stale); }},
        {"open, no out handle", param, [&] { return WlanOpenHandle(2, nullptr, &v, nullptr); }},
        {"close, null handle", param, [&] { return WlanCloseHandle(nullptr, nullptr); }},
        {"close, closed handle", handle, [&] { return WlanCloseHandle(stale, nullptr); }},
        {"register without callback", param,
         [&] { return WlanRegisterNotification(client, kAcm, FALSE, nullptr, nullptr, nullptr, nullptr); }},
        {"enum, closed handle", handle, [&] { return WlanEnumInterfaces(stale, nullptr, &list); }},
        {"enum, no out list", param, [&] { return WlanEnumInterfaces(client, nullptr, nullptr); }},
        {"scan, unknown interface", notFound, [&] { return WlanScan(client, &unknown, nullptr, nullptr, nullptr); }},
        {"scan, null interface", param, [&] { return WlanScan(client, nullptr, nullptr, nullptr, nullptr); }},
        {"network list, reserved", param,
         [&] { return WlanGetAvailableNetworkList(client, &iface, 0, &reserved, &networks); }},
        {"RSSI while disconnected", ERROR_INVALID_STATE,
         [&] { return WlanQueryInterface(client, &iface, wlan_intf_opcode_rssi, nullptr, &size, &data, nullptr); }},
        {"query, no out data", param,
         [&] { return WlanQueryInterface(client, &iface, state, nullptr, &size, nullptr, nullptr); }},
        {"set profile, no reason out", param,
         [&] { return WlanSetProfile(client, &iface, 0, profile.c_str(), nullptr, TRUE, nullptr, nullptr); }},
        {"get profile, unknown name", notFound,
         [&] { return WlanGetProfile(client, &iface, L"cafe", nullptr, &xml, nullptr, nullptr); }},
        {"delete profile, unknown name", notFound, [&] { return WlanDeleteProfile(client, &iface, L"CAFE", nullptr); }},
        {"connect, no parameters", param, [&] { return WlanConnect(client, &iface, nullptr, nullptr); }},
        {"connect, no profile name", param, [&] { return WlanConnect(client, &iface, &noProfile, nullptr); }},
        {"disconnect, unknown interface", notFound, [&] { return WlanDisconnect(client, &unknown, nullptr); }},
        {"reason text, unknown code", param, [&] { return WlanReasonCodeToString(0x7777, 5, text, nullptr); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.call(), c.code);
        EXPECT_EQ(wlan.OpenHandles(), 1u);
        EXPECT_EQ(wlan.Profiles(iface).size(), 1u);
    }
    ASSERT_TRUE(wlan.WaitIdle(kBound));
    EXPECT_EQ(Take(0).size(), 0u);
    EXPECT_EQ(WlanReasonCodeToString(WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE, 5, text, nullptr), 0u);
    EXPECT_EQ(std::wstring(text), L"The ");
}

}  // namespace
