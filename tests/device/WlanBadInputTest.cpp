// Requests the device must refuse, and operations in states that refuse
// them: the class the host catches, the raising site's text, the operation
// in the stack, and nothing changed in the service, the store or the host's
// view. A few requests at the edge that the service takes are accepted.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <typeinfo>

#include "WlanRig.h"
#include "records/AccessStatus.h"
#include "records/NetworkInfoList.h"

namespace {

using test::WlanRig;

enum class State { Closed, Open, Associated, Connected, Disconnecting };

void Enter(WlanRig& rig, State state) {
    if (state == State::Closed) return;
    rig.Open();
    if (state == State::Open) return;
    if (state == State::Associated) return rig.Associate(test::kWpa2Net);
    rig.AssociateAndConnect(test::kWpa2Net);
    if (state == State::Connected) return;
    // A disconnect the service never confirms leaves DISCONNECTING.
    rig.wlan.Silence(sim::WlanSilence::Disconnect);
    EXPECT_THROW(rig.device->Disconnect(0), util::SystemCallEx);
    ASSERT_EQ(rig.device->GetDeviceStatus(), DEVICE_STATE::DISCONNECTING);
}

struct Op {
    const wchar_t* function;  // the operation's entry in the stack
    std::function<void(ace::IDeviceAdapter&, WlanRig&)> call;
};

Op AssociateWith(std::shared_ptr<cei::ConnectionInfo> request) {
    return {L"ace::WLanDevice::AssociateNetwork",
            [request](ace::IDeviceAdapter& d, WlanRig&) { d.AssociateNetwork(request.get()); }};
}
Op Associate(const cei::AssociateInfoWlan& request) {
    return AssociateWith(std::make_shared<cei::AssociateInfoWlan>(request));
}
Op ConnectWith(std::shared_ptr<cei::ConnectionInfo> request) {
    return {L"ace::WLanDevice::ConnectAsync",
            [request](ace::IDeviceAdapter& d, WlanRig&) { d.ConnectAsync(request.get()); }};
}
Op AccessStatus(uint32_t mask) {
    return {L"ace::WLanDevice::GetAccessStatus", [mask](ace::IDeviceAdapter& d, WlanRig&) {
                cei::AccessStatus s;
                d.GetAccessStatus(mask, s);
            }};
}
const Op kOpen{L"ace::WLanDevice::Open", [](ace::IDeviceAdapter& d, WlanRig& r) { d.Open(r.host.get()); }};
const Op kConnect = ConnectWith(std::make_shared<cei::ConnectionInfoWlan>(test::Connect()));
const Op kDisconnect{L"ace::WLanDevice::Disconnect", [](ace::IDeviceAdapter& d, WlanRig&) { d.Disconnect(0); }};
const Op kUnAssociate{L"ace::WLanDevice::UnAssociateNetwork",
                      [](ace::IDeviceAdapter& d, WlanRig&) { d.UnAssociateNetwork(); }};
const Op kNetworks{L"ace::WLanDevice::GetAvailableNetworks", [](ace::IDeviceAdapter& d, WlanRig&) {
                       ace::NetworkList networks;
                       d.GetAvailableNetworks(networks);
                   }};
const Op kAssociate = Associate(test::RequestFor(test::kWpa2Net));

cei::AssociateInfoWlan Ssid(const std::wstring& ssid) { return test::Request(ssid, 0, 0); }
// Keys of a character no log line holds: the log must never show a key.
cei::AssociateInfoWlan Wep(size_t keyLength, uint32_t keyIndex = 1) {
    return test::Request(L"Lab", 0, 3, std::wstring(keyLength, L'\u00a7'), keyIndex);
}
cei::AssociateInfoWlan Psk(size_t keyLength, int32_t security = 5) {
    // 64 characters go out as a network key, which the service takes only in hex digits.
    return test::Request(L"Office", security, 1, std::wstring(keyLength, keyLength == 64 ? L'a' : L'\u00b6'));
}

struct Row {
    std::string what;
    State state;
    Op op;
    const std::type_info* thrown;  // nullptr: accepted, the profile is stored
    std::wstring text;             // substring of the raising site's message
};

// What the service, its store and the host have seen: the writes (profile
// sets and deletes, connects, disconnects), the profiles, the status and the
// host's calls.
auto Take(WlanRig& rig) {
    size_t writes = 0;
    std::vector<std::pair<std::wstring, std::wstring>> profiles;
    std::vector<std::string> hostCalls;
    for (const auto& j : rig.wlan.Journal())
        writes += j.call == "WlanSetProfile" || j.call == "WlanDeleteProfile" || j.call == "WlanConnect" ||
                  j.call == "WlanDisconnect";
    for (const auto& p : rig.wlan.Profiles(rig.iface)) profiles.emplace_back(p.name, p.xml);
    for (const auto& c : rig.host->Calls())
        if (c.name != "IpAddressStatus") hostCalls.push_back(c.name);
    return std::make_tuple(writes, profiles, rig.device->GetDeviceStatus(), hostCalls);
}

const std::type_info& kArgument = typeid(util::ArgumentEx);
const std::type_info& kNotOpen = typeid(util::DeviceNotOpenEx);
const std::type_info& kAlreadyOpen = typeid(util::DeviceAlreadyOpenEx);
const std::type_info& kInvalid = typeid(util::InvalidOperationEx);
const std::type_info& kNotAssociated = typeid(util::NotAssociatedEx);

void RunRows(State state, const std::vector<Row>& rows) {
    WlanRig rig;
    Enter(rig, state);
    for (const Row& row : rows) {
        if (row.state != state) continue;
        SCOPED_TRACE(row.what);
        rig.Forget();
        const auto before = Take(rig);
        try {
            row.op.call(*rig.device, rig);
            ASSERT_EQ(row.thrown, nullptr) << "nothing was thrown";
        } catch (const util::Exception& e) {
            ASSERT_NE(row.thrown, nullptr) << testing::PrintToString(test::Dump(e));
            EXPECT_EQ(typeid(e), *row.thrown) << typeid(e).name();
            EXPECT_NE(e.GetFirstEntry().message.find(row.text), std::wstring::npos)
                << testing::PrintToString(std::wstring(e.GetFirstEntry().message));
            EXPECT_TRUE(std::any_of(e.Entries().begin(), e.Entries().end(),
                                    [&](const auto& entry) { return entry.function == row.op.function; }))
                << testing::PrintToString(test::Dump(e));
            EXPECT_EQ(Take(rig), before) << "the refusal changed the service, its store or the host's view";
            // The association refuses a request past its type check as an
            // association failure, logged as an error.
            if (row.thrown == &kArgument && row.text.rfind(L"pAssociateInfo", 0) != 0) {
                EXPECT_TRUE(rig.LoggedText(LOG_ERROR, row.text));
                EXPECT_TRUE(rig.LoggedText(LOG_ERROR, L"AssociateNetwork operation failed: "));
            }
            continue;
        }
        // Accepted: the profile went to the service under the SSID; undone
        // for the next row, which must find no profile left where there was none.
        EXPECT_EQ(rig.wlan.Profiles(rig.iface).size(), 1u);
        rig.device->UnAssociateNetwork();
    }
}

std::vector<Row> Rows() {
    using S = State;
    std::vector<Row> rows = {
        // Requests.
        {"null request", S::Open, AssociateWith(nullptr), &kArgument, L"pAssociateInfo. pAssociateInfo: "},
        {"connect record to associate", S::Open, AssociateWith(std::make_shared<cei::ConnectionInfoWlan>()), &kArgument,
         L"pAssociateInfo. pAssociateInfo: "},
        {"SSID empty", S::Open, Associate(Ssid(L"")), &kArgument, L"SSID length not supported: 0 bytes"},
        {"SSID of 33 bytes", S::Open, Associate(Ssid(std::wstring(33, L's'))), &kArgument,
         L"SSID length not supported: 33 bytes"},
        {"SSID of 34 bytes in 17 characters", S::Open, Associate(Ssid(std::wstring(17, L'\u00e9'))), &kArgument,
         L"SSID length not supported: 34 bytes"},
        {"SSID with a zero byte", S::Open, Associate(Ssid(std::wstring(L"Cut\0tail", 8))), &kArgument,
         L"SSID holds a zero character"},
        {"SSID with a control character", S::Open, Associate(Ssid(L"Bell\u0007")), &kArgument,
         L"SSID holds a character a profile cannot carry: U+0007"},
        {"SSID with U+FFFF", S::Open, Associate(Ssid(L"No\uffff")), &kArgument,
         L"SSID holds a character a profile cannot carry: U+FFFF"},
        {"PSK with a control character", S::Open,
         Associate(test::Request(L"Office", 5, 1, L"\u00b6\u00b6\u00b6\u00b6\u001b\u00b6\u00b6\u00b6")), &kArgument,
         L"Key holds a character a profile cannot carry"},
        {"SSID of 32 bytes", S::Open, Associate(Ssid(std::wstring(32, L's'))), nullptr, L""},
        {"SSID of 32 bytes in 16 characters", S::Open, Associate(Ssid(std::wstring(16, L'\u00e9'))), nullptr, L""},
        {"SSID with markup", S::Open, Associate(Ssid(L"<ssid a=\"1\">&amp;</ssid>")), nullptr, L""},
        {"SSID in CJK", S::Open, Associate(Ssid(L"\u7121\u7dda")), nullptr, L""},
        {"WEP key index 0", S::Open, Associate(Wep(13, 0)), &kArgument, L"Not supported WEP key index: 0"},
        {"WEP key index 5", S::Open, Associate(Wep(13, 5)), &kArgument, L"Not supported WEP key index: 5"},
        {"WPA-PSK key of 7", S::Open, Associate(Psk(7, 3)), &kArgument, L"Not supported WPA key length: 7"},
        {"connect without association", S::Open, kConnect, &kNotAssociated, L"Not associated."},
        {"null connect request", S::Associated, ConnectWith(nullptr), &kInvalid, L"Wrong connection info"},
        {"associate record to connect", S::Associated, ConnectWith(std::make_shared<cei::AssociateInfoWlan>()),
         &kInvalid, L"Wrong connection info"},
        {"access status 2", S::Associated, AccessStatus(2), &typeid(util::DeviceCapabilityEx),
         L"AccessStatusTypes parameter not supported: 2. When compared to DB info: 13"},
        {"access status 16|1", S::Associated, AccessStatus(17), &typeid(util::DeviceCapabilityEx),
         L"AccessStatusTypes parameter not supported: 17"},
        {"access status unassociated", S::Open, AccessStatus(1), &kNotAssociated, L"Not associated."},
        // Operations in the states that refuse them; the uniform ones below.
        {"null request closed", S::Closed, AssociateWith(nullptr), &kNotOpen, L"DeviceStatus: 1. It should be 0"},
        {"access status closed", S::Closed, AccessStatus(1), &kNotOpen, L"DeviceStatus: 1"},
        {"networks closed", S::Closed, kNetworks, &kNotOpen, L"DeviceStatus: 1"},
        {"unassociate unassociated", S::Open, kUnAssociate, &kNotAssociated, L"Not associated."},
    };
    // Open once open; Disconnect unless connected; the association's steps
    // unless open or associated. The state, the status it reports, its name.
    const std::tuple<State, int, const char*> states[] = {
        {S::Closed, 1, " closed"},       {S::Open, 0, " open"},           {S::Associated, 0, " associated"},
        {S::Connected, 2, " connected"}, {S::Disconnecting, 4, " disconnecting"}};
    for (auto [state, status, in] : states) {
        const std::wstring is = L"DeviceStatus: " + std::to_wstring(status);
        if (state != S::Closed) rows.push_back({"open" + std::string(in), state, kOpen, &kAlreadyOpen, L"Wrong " + is});
        if (state != S::Connected)
            rows.push_back({"disconnect" + std::string(in), state, kDisconnect, &kInvalid,
                            L"Wrong " + is + L". It should be one of the following 2, 3"});
        if (state == S::Open || state == S::Associated) continue;
        rows.push_back({"associate" + std::string(in), state, kAssociate, &kNotOpen, is + L". It should be 0"});
        rows.push_back({"connect" + std::string(in), state, kConnect, &kInvalid, is + L". It should be 0"});
        rows.push_back({"unassociate" + std::string(in), state, kUnAssociate, &kNotOpen, is + L". It should be 0"});
    }
    // WEP keys of every length up to 30 and pre-shared keys up to 66: only
    // the lengths the service takes pass; the types the device does not take.
    for (size_t n = 0; n <= 30; ++n) {
        const bool ok = n == 5 || n == 10 || n == 12 || n == 13 || n == 26 || n == 28;
        rows.push_back({"WEP key of " + std::to_string(n), State::Open, Associate(Wep(n)), ok ? nullptr : &kArgument,
                        L"Not supported WEP key length: " + std::to_wstring(n)});
    }
    for (size_t n : {0u, 1u, 6u, 8u, 63u, 64u, 65u, 66u}) {
        const bool ok = n >= 8 && n <= 64;
        rows.push_back({"WPA2-PSK key of " + std::to_string(n), State::Open, Associate(Psk(n)),
                        ok ? nullptr : &kArgument, L"Not supported WPA key length: " + std::to_wstring(n)});
    }
    // Security types WPA (2), WPA2 (4) and beyond, with an encryption each
    // would take; encryption types beyond AES.
    for (auto [security, encryption] : {std::pair{2, 2}, {4, 1}, {6, 0}, {-1, 0}})
        rows.push_back({"security " + std::to_string(security), State::Open,
                        Associate(test::Request(L"Corp", security, encryption)), &kArgument,
                        L"Not supported security type: " + std::to_wstring(security)});
    for (int32_t encryption : {4, -1})
        rows.push_back({"encryption " + std::to_string(encryption), State::Open,
                        Associate(test::Request(L"Corp", 0, encryption)), &kArgument,
                        L"Not supported encryption type: " + std::to_wstring(encryption)});
    return rows;
}

TEST(WlanBadInput, EveryRowInItsState) {
    const std::vector<Row> rows = Rows();
    for (State state : {State::Closed, State::Open, State::Associated, State::Connected, State::Disconnecting})
        RunRows(state, rows);
}

}  // namespace
