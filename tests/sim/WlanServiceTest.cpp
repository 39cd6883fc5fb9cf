// The simulated WLAN service through the Wlan* calls, on both builds:
// notification delivery, the profile store's refusals, connects on their
// merits, the scripted departures, fault injection and bad input.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/sim/Faults.h"
#include "platform/sim/World.h"
#include "platform/win32.h"

namespace {

using namespace std::chrono_literals;
using Codes = std::vector<std::pair<DWORD, DWORD>>;  // source, code

constexpr DWORD kAcm = WLAN_NOTIFICATION_SOURCE_ACM;
constexpr DWORD kMsm = WLAN_NOTIFICATION_SOURCE_MSM;
constexpr auto kBound = 5s;

const Codes kConnected = {{kAcm, wlan_notification_acm_connection_start},
                          {kMsm, wlan_notification_msm_associating},
                          {kMsm, wlan_notification_msm_associated},
                          {kMsm, wlan_notification_msm_authenticating},
                          {kMsm, wlan_notification_msm_connected},
                          {kAcm, wlan_notification_acm_connection_complete}};
const Codes kDisconnected = {{kMsm, wlan_notification_msm_disconnected}, {kAcm, wlan_notification_acm_disconnected}};
const Codes kProfileChange = {{kAcm, wlan_notification_acm_profile_change}};
const Codes kFailed = {{kAcm, wlan_notification_acm_connection_start},
                       {kAcm, wlan_notification_acm_connection_complete}};

Codes operator+(Codes a, const Codes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Note {
    DWORD source = 0;
    DWORD code = 0;
    DWORD reason = 0;  // of an ACM connection notification
    std::thread::id thread;
};

// Records the notifications of one registration; `react` runs inside the
// callback, on the service's thread.
class Recorder {
public:
    static VOID WINAPI Callback(PWLAN_NOTIFICATION_DATA data, PVOID context) {
        auto* self = static_cast<Recorder*>(context);
        Note n{data->NotificationSource, data->NotificationCode, 0, std::this_thread::get_id()};
        if (data->NotificationSource == kAcm && data->dwDataSize >= sizeof(WLAN_CONNECTION_NOTIFICATION_DATA))
            n.reason = static_cast<WLAN_CONNECTION_NOTIFICATION_DATA*>(data->pData)->wlanReasonCode;
        if (self->react) self->react(*data);
        std::lock_guard<std::mutex> g(self->lock_);
        self->notes_.push_back(n);
        self->arrived_.notify_all();
    }

    // The notes once `count` have arrived (fewer after the bound).
    std::vector<Note> Wait(size_t count) {
        std::unique_lock<std::mutex> g(lock_);
        arrived_.wait_for(g, kBound, [&] { return notes_.size() >= count; });
        return notes_;
    }
    Codes WaitCodes(size_t count) {
        Codes codes;
        for (const Note& n : Wait(count)) codes.emplace_back(n.source, n.code);
        return codes;
    }
    void Clear() {
        std::lock_guard<std::mutex> g(lock_);
        notes_.clear();
    }

    std::function<void(const WLAN_NOTIFICATION_DATA&)> react;

private:
    std::mutex lock_;
    std::condition_variable arrived_;
    std::vector<Note> notes_;
};

const std::wstring kNamespace = L"http://www.microsoft.com/networking/WLAN/profile/v1";

// A profile document with the elements the device writes.
std::wstring ProfileXml(const std::wstring& ssid, const std::wstring& auth = L"open",
                        const std::wstring& enc = L"none", const std::wstring& key = L"", bool hidden = false,
                        const std::wstring& extraSecurity = L"") {
    const std::wstring shared = key.empty() ? L"" : L"<sharedKey><keyType>passPhrase</keyType><protected>false"
                                                    L"</protected><keyMaterial>" + key + L"</keyMaterial></sharedKey>";
    return L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<WLANProfile xmlns=\"" + kNamespace + L"\"><name>" + ssid +
           L"</name><SSIDConfig><SSID><name>" + ssid + L"</name></SSID><nonBroadcast>" + (hidden ? L"true" : L"false") +
           L"</nonBroadcast></SSIDConfig><connectionType>ESS</connectionType><connectionMode>manual</connectionMode>"
           L"<MSM><security><authEncryption><authentication>" + auth + L"</authentication><encryption>" + enc +
           L"</encryption><useOneX>false</useOneX></authEncryption>" + shared + extraSecurity +
           L"</security></MSM></WLANProfile>\n";
}

sim::WlanNetwork Network(const std::string& ssid, DWORD auth = 1, DWORD cipher = 0, const std::wstring& secret = L"",
                         bool broadcast = true) {
    sim::WlanNetwork n;
    n.ssid = ssid;
    n.securityEnabled = auth != 1 || cipher != 0;
    n.authAlgorithm = auth;
    n.cipherAlgorithm = cipher;
    n.secret = secret;
    n.broadcast = broadcast;
    return n;
}

sim::WlanNetwork Wpa2(const std::string& ssid, const std::wstring& secret) { return Network(ssid, 7, 4, secret); }

class WlanServiceTest : public ::testing::Test {
protected:
    void SetUp() override { Fresh(); }
    void TearDown() override {
        EXPECT_EQ(wlan.OutstandingAllocations(), 0u);
        world.Reset();
    }

    // A machine with one adapter, a client handle registered for ACM and MSM;
    // what the last one handed out must have come back.
    void Fresh(std::vector<sim::WlanNetwork> networks = {}) {
        EXPECT_EQ(wlan.OutstandingAllocations(), 0u) << "a call left service memory unfreed";
        world.Reset();
        recorder.Clear();
        recorder.react = nullptr;
        iface = wlan.AddInterface({GUID{}, L"Sim 802.11n Adapter", 4, true, std::move(networks)});
        ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &client), 0u);
        ASSERT_EQ(WlanRegisterNotification(client, kAcm | kMsm, FALSE, &Recorder::Callback, &recorder, nullptr,
                                           nullptr),
                  0u);
    }

    DWORD SetProfile(const std::wstring& xml, DWORD* reason = nullptr, BOOL overwrite = TRUE) {
        DWORD ignored = 0;
        return WlanSetProfile(client, &iface, WLAN_PROFILE_USER, xml.c_str(), nullptr, overwrite, nullptr,
                              reason ? reason : &ignored);
    }

    DWORD Connect(const std::wstring& profile) {
        WLAN_CONNECTION_PARAMETERS p{};
        p.wlanConnectionMode = wlan_connection_mode_profile;
        p.strProfile = profile.c_str();
        p.dot11BssType = dot11_BSS_type_infrastructure;
        return WlanConnect(client, &iface, &p, nullptr);
    }

    // Connected to the open network "Cafe", its notifications taken.
    void ConnectToCafe() {
        Fresh({Network("Cafe")});
        ASSERT_EQ(SetProfile(ProfileXml(L"Cafe")), 0u);
        ASSERT_EQ(Connect(L"Cafe"), 0u);
        ASSERT_EQ(recorder.WaitCodes(7), kProfileChange + kConnected);
        recorder.Clear();
    }

    sim::World& world = sim::GetWorld();
    sim::WlanService& wlan = world.Wlan();
    Recorder recorder;
    GUID iface{};
    DWORD version = 0;
    HANDLE client = nullptr;
};

// Each connect notifies in order on the service's own thread; a callback may
// call the service but not close it. A key or SSID with markup connecting is
// the device's (WlanProfileStoreTest), as is the registration's context.
TEST_F(WlanServiceTest, ConnectSucceedsOrFailsOnItsMerits) {
    const struct {
        const char* what;
        sim::WlanNetwork network;
        std::wstring profile;
        DWORD reason;
    } cases[] = {
        {"wrong passphrase", Wpa2("Home", L"secret01"), ProfileXml(L"Home", L"WPA2PSK", L"AES", L"secret02"),
         WLAN_REASON_CODE_KEY_MISMATCH},
        {"no key", Wpa2("Home", L"secret01"), ProfileXml(L"Home", L"WPA2PSK", L"AES"), WLAN_REASON_CODE_KEY_MISMATCH},
        {"other cipher", Wpa2("Home", L"secret01"), ProfileXml(L"Home", L"WPA2PSK", L"TKIP", L"secret01"),
         WLAN_REASON_CODE_PROFILE_NOT_COMPATIBLE},
        {"other authentication", Wpa2("Home", L"secret01"), ProfileXml(L"Home", L"WPAPSK", L"AES", L"secret01"),
         WLAN_REASON_CODE_PROFILE_NOT_COMPATIBLE},
        {"not in range", Wpa2("Away", L"secret01"), ProfileXml(L"Home", L"WPA2PSK", L"AES", L"secret01"),
         WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE},
        {"WEP hex in any case", Network("Old", 1, 5, L"ABCDEF0123"),
         ProfileXml(L"Old", L"open", L"WEP", L"abcdef0123", false, L"<keyIndex>0</keyIndex>"), 0},
        {"hidden, profile does not", Network("Lurk", 1, 0, L"", false), ProfileXml(L"Lurk"),
         WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh({c.network});
        DWORD listed = 1;
        recorder.react = [&](const WLAN_NOTIFICATION_DATA& n) {
            if (n.NotificationSource != kMsm || n.NotificationCode != wlan_notification_msm_connected) return;
            PWLAN_AVAILABLE_NETWORK_LIST list = nullptr;
            listed = WlanGetAvailableNetworkList(client, &iface, 0, nullptr, &list);
            WlanFreeMemory(list);
            EXPECT_EQ(WlanCloseHandle(client, nullptr), static_cast<DWORD>(ERROR_INVALID_STATE));
        };
        ASSERT_EQ(SetProfile(c.profile), 0u);
        EXPECT_EQ(recorder.WaitCodes(1), kProfileChange);
        recorder.Clear();
        std::wstring name = c.profile.substr(c.profile.find(L"<name>") + 6);
        name.resize(name.find(L'<'));
        ASSERT_EQ(Connect(name), 0u);
        const Codes& expected = c.reason == 0 ? kConnected : kFailed;
        const std::vector<Note> notes = recorder.Wait(expected.size());
        Codes codes;
        for (const Note& n : notes) {
            codes.emplace_back(n.source, n.code);
            EXPECT_EQ(n.thread, notes.front().thread);
            EXPECT_NE(n.thread, std::this_thread::get_id());
        }
        ASSERT_EQ(codes, expected);
        EXPECT_EQ(notes.back().reason, c.reason);
        EXPECT_EQ(listed, c.reason == 0 ? 0u : 1u);
        EXPECT_EQ(wlan.Faults(), c.reason == 0 ? std::vector<std::string>{"WlanCloseHandle from callback"}
                                               : std::vector<std::string>{});
        EXPECT_EQ(wlan.ConnectedSsid(iface), c.reason == 0 ? std::string(name.begin(), name.end()) : "");
        DWORD size = 0;
        PVOID data = nullptr;
        ASSERT_EQ(WlanQueryInterface(client, &iface, wlan_intf_opcode_interface_state, nullptr, &size, &data, nullptr),
                  0u);
        EXPECT_EQ(*static_cast<DWORD*>(data), static_cast<DWORD>(c.reason == 0 ? wlan_interface_state_connected
                                                                                : wlan_interface_state_disconnected));
        WlanFreeMemory(data);
        wchar_t text[256] = {};
        EXPECT_EQ(WlanReasonCodeToString(c.reason, 256, text, nullptr), 0u);
        EXPECT_NE(text[0], L'\0');
    }
    Fresh();
    ASSERT_EQ(Connect(L"Nowhere"), 0u);
    EXPECT_EQ(recorder.Wait(2).back().reason, static_cast<DWORD>(WLAN_REASON_CODE_PROFILE_MISSING));
}

TEST_F(WlanServiceTest, ProfileStoreRefusesWhatTheServiceRefuses) {
    const std::wstring good = ProfileXml(L"Home");
    auto edit = [](std::wstring xml, const std::wstring& from, const std::wstring& to) {
        return xml.replace(xml.find(from), from.size(), to);
    };
    auto replace = [&](const std::wstring& from, const std::wstring& to) { return edit(good, from, to); };
    const std::wstring psk = ProfileXml(L"Home", L"WPA2PSK", L"AES", L"secret01");
    const DWORD schema = WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA;
    const DWORD pskLength = WLAN_REASON_CODE_MSMSEC_PROFILE_PSK_LENGTH;
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
        {"stray less-than", replace(L"<name>Home</name><SSIDConfig>", L"<name>A<B</name><SSIDConfig>"), schema},
        {"unknown entity", replace(L">Home</name><SSIDConfig>", L">&nbsp;</name><SSIDConfig>"), schema},
        {"declaration not first", L"\n" + good.substr(good.find(L'\n') + 1) + L"<?xml version=\"1.0\"?>", schema},
        {"other namespace", replace(kNamespace, L"urn:other"), schema},
        {"unknown authentication", replace(L">open<", L">WPA3<"), schema},
        {"no name", replace(L"<name>Home</name><SSIDConfig>", L"<SSIDConfig>"), WLAN_REASON_CODE_INVALID_PROFILE_NAME},
        {"empty SSID", replace(L"<name>Home</name></SSID>", L"<name></name></SSID>"),
         WLAN_REASON_CODE_PROFILE_SSID_INVALID},
        {"33-byte SSID",
         replace(L"<name>Home</name></SSID>", L"<name>" + std::wstring(33, L'x') + L"</name></SSID>"),
         WLAN_REASON_CODE_PROFILE_SSID_INVALID},
        {"key index 4", replace(L"</security>", L"<keyIndex>4</keyIndex></security>"),
         WLAN_REASON_CODE_MSMSEC_PROFILE_INVALID_KEY_INDEX},
        {"key index minus one", replace(L"</security>", L"<keyIndex>4294967295</keyIndex></security>"),
         WLAN_REASON_CODE_MSMSEC_PROFILE_INVALID_KEY_INDEX},
        {"unknown key type", edit(psk, L"passPhrase", L"password"), schema},
        {"passphrase of 7", ProfileXml(L"Home", L"WPA2PSK", L"AES", L"seven77"), pskLength},
        {"64 hex digits as a passphrase", ProfileXml(L"Home", L"WPAPSK", L"TKIP", std::wstring(64, L'a')), pskLength},
        {"network key not of 64 hex digits", edit(psk, L"passPhrase", L"networkKey"), pskLength},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        DWORD reason = 0;
        EXPECT_EQ(SetProfile(c.xml, &reason), static_cast<DWORD>(ERROR_BAD_PROFILE));
        EXPECT_EQ(reason, c.reason);
        wchar_t text[256] = {};
        EXPECT_EQ(WlanReasonCodeToString(reason, 256, text, nullptr), 0u);
        EXPECT_NE(text[0], L'\0');
    }
    EXPECT_TRUE(wlan.Profiles(iface).empty());

    // Comments, CDATA, references and a 32-byte SSID are taken; the XML comes back verbatim.
    const std::wstring taken = edit(replace(L"<name>Home</name><SSIDConfig>",
                                            L"<!-- c --><name>H&#111;m&#x65;<![CDATA[&]]>&amp;</name><SSIDConfig>"),
                                    L"<name>Home</name></SSID>",
                                    L"<name>" + std::wstring(32, L'y') + L"</name></SSID>");
    ASSERT_EQ(SetProfile(taken), 0u);
    EXPECT_EQ(SetProfile(taken, nullptr, FALSE), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    LPWSTR xml = nullptr;
    DWORD flags = 0;
    EXPECT_EQ(WlanGetProfile(client, &iface, L"home&&", nullptr, &xml, &flags, nullptr),
              static_cast<DWORD>(ERROR_NOT_FOUND));
    ASSERT_EQ(WlanGetProfile(client, &iface, L"Home&&", nullptr, &xml, &flags, nullptr), 0u);
    EXPECT_EQ(std::wstring(xml), taken);
    EXPECT_EQ(flags, static_cast<DWORD>(WLAN_PROFILE_USER));
    WlanFreeMemory(xml);
    EXPECT_EQ(WlanDeleteProfile(client, &iface, L"Home&&", nullptr), 0u);
    EXPECT_EQ(recorder.WaitCodes(2), kProfileChange + kProfileChange);
    EXPECT_TRUE(wlan.Profiles(iface).empty());
}

TEST_F(WlanServiceTest, UnregisteringDropsPendingNotificationsAndWaitsForTheCallbackInProgress) {
    std::mutex m;
    std::condition_variable cv;
    bool entered = false, release = false;
    std::atomic<bool> finished{false};
    recorder.react = [&](const WLAN_NOTIFICATION_DATA&) {
        std::unique_lock<std::mutex> g(m);
        entered = true;
        cv.notify_all();
        cv.wait_for(g, kBound, [&] { return release; });
        finished = true;
    };
    for (int i = 0; i < 20; ++i) wlan.Notify(kAcm, wlan_notification_acm_scan_complete, iface);
    {
        std::unique_lock<std::mutex> g(m);
        ASSERT_TRUE(cv.wait_for(g, kBound, [&] { return entered; }));
    }
    std::atomic<bool> finishedAtReturn{false};
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
    {
        std::lock_guard<std::mutex> g(m);
        release = true;
    }
    cv.notify_all();
    unregister.join();
    EXPECT_TRUE(finishedAtReturn);
    wlan.Notify(kAcm, wlan_notification_acm_scan_complete, iface);
    ASSERT_TRUE(wlan.WaitIdle(kBound));
    EXPECT_EQ(recorder.Wait(0).size(), 1u);
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
    const DWORD radioOff = static_cast<DWORD>(ERROR_NDIS_DOT11_POWER_STATE_INVALID);
    const struct {
        const char* what;
        std::function<void()> act;
        Codes expected;
        DWORD state;
    } cases[] = {
        {"scan", [&] { scan(0); }, {{kAcm, wlan_notification_acm_scan_complete}}, 1},
        {"disconnect, twice", [&] {
             EXPECT_EQ(WlanDisconnect(client, &iface, nullptr), 0u);
             EXPECT_EQ(WlanDisconnect(client, &iface, nullptr), 0u);
         }, kDisconnected, 4},
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
        EXPECT_EQ(recorder.WaitCodes(c.expected.size()), c.expected);
        ASSERT_TRUE(wlan.WaitIdle(kBound));
        EXPECT_EQ(recorder.Wait(0).size(), c.expected.size());
        EXPECT_EQ(wlan.InterfaceState(iface), c.state);
    }
}

TEST_F(WlanServiceTest, BadInputGetsTheServicesCodeAndChangesNothing) {
    ConnectToCafe();
    ASSERT_EQ(WlanDisconnect(client, &iface, nullptr), 0u);
    recorder.WaitCodes(2);
    recorder.Clear();
    GUID unknown = iface;
    unknown.Data1 ^= 1;
    HANDLE stale = nullptr;
    DWORD v = 0, size = 0;
    ASSERT_EQ(WlanOpenHandle(1, nullptr, &v, &stale), 0u);
    EXPECT_EQ(v, 1u);
    ASSERT_EQ(WlanCloseHandle(stale, nullptr), 0u);
    PVOID data = nullptr;
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    LPWSTR xml = nullptr;
    int reserved = 0;
    WLAN_CONNECTION_PARAMETERS noProfile{};
    noProfile.dot11BssType = dot11_BSS_type_infrastructure;
    wchar_t text[5] = {};
    const struct {
        const char* what;
        std::function<DWORD()> call;
        DWORD code;
    } cases[] = {
        {"open, reserved", [&] { return WlanOpenHandle(2, &reserved, &v, &stale); }, ERROR_INVALID_PARAMETER},
        {"open, no out handle", [&] { return WlanOpenHandle(2, nullptr, &v, nullptr); }, ERROR_INVALID_PARAMETER},
        {"close, null handle", [&] { return WlanCloseHandle(nullptr, nullptr); }, ERROR_INVALID_PARAMETER},
        {"close, closed handle", [&] { return WlanCloseHandle(stale, nullptr); }, ERROR_INVALID_HANDLE},
        {"register without callback",
         [&] { return WlanRegisterNotification(client, kAcm, FALSE, nullptr, nullptr, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {"enum, closed handle", [&] { return WlanEnumInterfaces(stale, nullptr, &list); }, ERROR_INVALID_HANDLE},
        {"enum, no out list", [&] { return WlanEnumInterfaces(client, nullptr, nullptr); }, ERROR_INVALID_PARAMETER},
        {"scan, unknown interface", [&] { return WlanScan(client, &unknown, nullptr, nullptr, nullptr); },
         ERROR_NOT_FOUND},
        {"scan, null interface", [&] { return WlanScan(client, nullptr, nullptr, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {"network list, reserved",
         [&] {
             PWLAN_AVAILABLE_NETWORK_LIST n = nullptr;
             return WlanGetAvailableNetworkList(client, &iface, 0, &reserved, &n);
         },
         ERROR_INVALID_PARAMETER},
        {"RSSI while disconnected",
         [&] { return WlanQueryInterface(client, &iface, wlan_intf_opcode_rssi, nullptr, &size, &data, nullptr); },
         ERROR_INVALID_STATE},
        {"query, no out data",
         [&] {
             return WlanQueryInterface(client, &iface, wlan_intf_opcode_interface_state, nullptr, &size, nullptr,
                                       nullptr);
         },
         ERROR_INVALID_PARAMETER},
        {"set profile, no reason out",
         [&] {
             return WlanSetProfile(client, &iface, 0, ProfileXml(L"X").c_str(), nullptr, TRUE, nullptr, nullptr);
         },
         ERROR_INVALID_PARAMETER},
        {"get profile, unknown name",
         [&] { return WlanGetProfile(client, &iface, L"cafe", nullptr, &xml, nullptr, nullptr); }, ERROR_NOT_FOUND},
        {"delete profile, unknown name", [&] { return WlanDeleteProfile(client, &iface, L"CAFE", nullptr); },
         ERROR_NOT_FOUND},
        {"connect, no parameters", [&] { return WlanConnect(client, &iface, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {"connect, no profile name", [&] { return WlanConnect(client, &iface, &noProfile, nullptr); },
         ERROR_INVALID_PARAMETER},
        {"disconnect, unknown interface", [&] { return WlanDisconnect(client, &unknown, nullptr); }, ERROR_NOT_FOUND},
        {"reason text, unknown code", [&] { return WlanReasonCodeToString(0x7777, 5, text, nullptr); },
         ERROR_INVALID_PARAMETER},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.call(), c.code);
        EXPECT_EQ(wlan.OpenHandles(), 1u);
        EXPECT_EQ(wlan.Profiles(iface).size(), 1u);
    }
    ASSERT_TRUE(wlan.WaitIdle(kBound));
    EXPECT_EQ(recorder.Wait(0).size(), 0u);
    EXPECT_EQ(WlanReasonCodeToString(WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE, 5, text, nullptr), 0u);
    EXPECT_EQ(std::wstring(text), L"The ");
}

}  // namespace
