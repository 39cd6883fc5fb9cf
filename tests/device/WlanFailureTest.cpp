// Failures of the WLAN device made to happen by the simulated service's
// outcomes or by a fault the campaign's session does not reach: the class
// the host catches, the raising site's text, what the host was told, and the
// log.
#include <gtest/gtest.h>

#include <functional>
#include <typeinfo>

#include "WlanRig.h"
#include "device/Exports.h"
#include "platform/sim/Clock.h"
#include "platform/sim/Faults.h"
#include "records/AccessStatus.h"

namespace {

using test::WlanRig;

using Log = std::pair<unsigned, std::wstring>;  // a level and a substring of one record at it

struct Row {
    const char* label;
    std::function<void(WlanRig&)> setUp;  // before the fault is armed; host calls so far are forgotten
    const char* faultCall;                // nullptr: the world alone makes it fail
    unsigned nth;
    std::function<void(WlanRig&)> action;
    const std::type_info* thrown;         // nullptr: the action succeeds
    std::wstring firstEntry;              // substring of the raising site's message
    std::vector<std::string> hostCalls;   // after set-up, IP address reports left out
    std::vector<Log> logs;
};

constexpr DWORD kFaultCode = ERROR_ACCESS_DENIED;  // 5

std::vector<std::string> HostCalls(const WlanRig& rig) {
    std::vector<std::string> out;
    for (const test::HostCall& c : rig.host->Calls()) {
        if (c.name == "IpAddressStatus") continue;
        out.push_back(c.name + " " + std::to_string(c.value1) +
                      (c.name == "ConnectCompleted" ? " " + std::to_string(c.value2) : ""));
    }
    return out;
}

void RunRows(const std::vector<Row>& rows) {
    // Most rows end by a time-out; the device still sees its full length.
    sim::ScopedClockScale fast(10);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        WlanRig rig;
        if (row.setUp) row.setUp(rig);
        rig.Forget();
        if (row.faultCall != nullptr) sim::FailCall(row.faultCall, kFaultCode, row.nth);
        try {
            row.action(rig);
            EXPECT_EQ(row.thrown, nullptr) << "nothing was thrown";
        } catch (const util::Exception& e) {
            ASSERT_NE(row.thrown, nullptr) << "thrown: " << testing::PrintToString(test::Dump(e));
            EXPECT_EQ(typeid(e), *row.thrown) << typeid(e).name();
            EXPECT_NE(e.GetFirstEntry().message.find(row.firstEntry), std::wstring::npos)
                << testing::PrintToString(std::wstring(e.GetFirstEntry().message));
        }
        sim::ClearFaults();
        EXPECT_EQ(HostCalls(rig), row.hostCalls);
        for (const auto& [level, text] : row.logs)
            EXPECT_TRUE(rig.LoggedText(level, text)) << "no record at " << level << ": "
                                                      << testing::PrintToString(text);
    }
}

using Step = std::function<void(WlanRig&)>;

void Open(WlanRig& r) { r.Open(); }
void OpenAssociate(WlanRig& r) {
    r.Open();
    r.Associate(test::kWpa2Net);
}
void ConnectedSilent(WlanRig& r) {
    r.Open();
    r.AssociateAndConnect(test::kWpa2Net);
    r.wlan.Silence(sim::WlanSilence::Disconnect);
}
void Associate(WlanRig& r) { r.Associate(test::kWpa2Net); }
void Connect(WlanRig& r) { r.Connect(); }
void List(WlanRig& r) {
    ace::NetworkList networks;
    r.device->GetAvailableNetworks(networks);
}
// `first` (if any), then `then`.
Step Then(void (*first)(WlanRig&), Step then) {
    return [first, then](WlanRig& r) {
        if (first != nullptr) first(r);
        then(r);
    };
}
Step Silence(sim::WlanSilence what, void (*first)(WlanRig&) = nullptr) {
    return Then(first, [what](WlanRig& r) { r.wlan.Silence(what); });
}

const std::type_info* const kNone = nullptr;

// The refused WLAN calls of a host session are the fault campaign's, with
// their texts (tests/campaign); here what the simulated world makes happen,
// and the faults the campaign's session does not reach.
TEST(WlanDeviceFailure, WorldOutcomesAndFaultsOutsideTheCampaign) {
    const std::vector<std::string> failed = {"DeviceStatusChanged 3", "ConnectProgress 1", "DeviceStatusChanged 0",
                                             "ConnectCompleted 201 0"};
    const std::vector<Log> scanWait = {{LOG_ERROR, L"WaitForSingleObject 'Scan complete' failed. Result: 258"},
                                       {LOG_WARNING, L"Continue any way"}};
    const std::vector<Log> disconnectWait = {{LOG_ERROR, L"WaitForSingleObject 'Disconnected' failed. Result: 258"}};
    const auto& systemCall = typeid(util::SystemCallEx);
    RunRows({
        {"version unsupported", [](WlanRig& r) { r.wlan.SetServiceVersion(0); }, nullptr, 0, Open,
         &typeid(util::DeviceOpenEx), L"Device open failed.", {},
         {{LOG_ERROR, L"Unsupported version of WLAN service.0"}, {LOG_ERROR, L"Open failed: "}}},
        {"no adapter of that name", [](WlanRig& r) { r.device->SetDeviceName(L"contoso wireless"); }, nullptr, 0,
         Open, &typeid(util::DeviceOpenEx), L"Device open failed.", {},
         {{LOG_WARNING, L"Adapter 'contoso wireless' is not available"}}},
        {"scan unnotified", Silence(sim::WlanSilence::Scan), nullptr, 0, Open, kNone, L"", {"DeviceStatusChanged 0"},
         scanWait},
        // Only "scan complete" ends the wait: a failed scan costs the whole time-out too.
        {"scan fails", Silence(sim::WlanSilence::ScanFail), nullptr, 0, Open, kNone, L"", {"DeviceStatusChanged 0"},
         scanWait},
        {"radio off", Then(Open, [](WlanRig& r) { r.wlan.SetRadio(r.iface, false); }), nullptr, 0, List, &systemCall,
         L"WlanGetAvailableNetworkList", {},
         {{LOG_ERROR, L"error: 2150899714"}, {LOG_ERROR, L"wlan adapter has power off."}}},
        {"set unconfirmed", Silence(sim::WlanSilence::ProfileChange, Open), nullptr, 0, Associate, &systemCall,
         L"System call: WaitForSingleObject failed.", {},
         {{LOG_WARNING, L"WaitForSingleObject 'Set Profile' failed. Result: 258"}}},
        {"hidden network, state unknown", Open, "WlanQueryInterface", 1,
         [](WlanRig& r) {
             cei::AssociateInfoWlan info = test::Request(L"Office", 5, 1, test::kWpa2Net.secret, 1, false);
             r.device->AssociateNetwork(&info);
         },
         &systemCall, L"WlanQueryInterface", {},
         {{LOG_ERROR, L"WlanQueryInterface failed, error: 5"},
          {LOG_ERROR, L"Connect operation failed for a non broadcasted ssid net"}}},
        {"wrong key",
         Then(Open,
              [](WlanRig& r) {
                  cei::AssociateInfoWlan wrong = test::Request(L"Office", 5, 1, L"not the key at all");
                  r.device->AssociateNetwork(&wrong);
              }),
         nullptr, 0, Connect, &systemCall, L"System call: WaitForMultipleObjects failed.", failed,
         {{LOG_INFO, L"Connection fail received."}}},
        {"verdict never comes", Silence(sim::WlanSilence::Connect, OpenAssociate), nullptr, 0,
         [](WlanRig& r) { r.Connect(300); }, &systemCall, L"WaitForMultipleObjects", failed,
         {{LOG_WARNING, L"Notification wait timeout. Timeout value = 300 ms"}}},
        {"counters unreadable on connect", OpenAssociate, "GetIfEntry", 1, Connect, &systemCall,
         L"Failed to get statisctics data", failed, {{LOG_ERROR, L"GetIfEntry failed: 5"}}},
        {"disconnect unnotified", ConnectedSilent, nullptr, 0, [](WlanRig& r) { r.device->Disconnect(0); },
         &systemCall, L"System call: WaitForSingleObject failed.", {"DeviceStatusChanged 4"}, disconnectWait},
        // Close passes the failed disconnect on and keeps its handle; a
        // second Close ends the disconnect silently and closes.
        {"close, disconnect unnotified", ConnectedSilent, nullptr, 0, [](WlanRig& r) { r.device->Close(); },
         &systemCall, L"System call: WaitForSingleObject failed.", {"DeviceStatusChanged 4"}, disconnectWait},
        {"close after a failed close",
         [](WlanRig& r) {
             ConnectedSilent(r);
             EXPECT_THROW(r.device->Close(), util::SystemCallEx);
             EXPECT_EQ(r.device->GetDeviceStatus(), DEVICE_STATE::DISCONNECTING);
             EXPECT_EQ(r.wlan.OpenHandles(), 1u);
         },
         nullptr, 0,
         [](WlanRig& r) {
             r.device->Close();
             EXPECT_EQ(r.wlan.OpenHandles(), 0u);
         },
         kNone, L"", {"DeviceStatusChanged 0", "DeviceStatusChanged 1"}, {{LOG_INFO, L"DoClose End"}}},
        {"list refused, not connected", OpenAssociate, "WlanGetAvailableNetworkList", 1,
         [](WlanRig& r) {
             cei::AccessStatus s;
             r.device->GetAccessStatus(1, s);
         },
         &systemCall, L"WlanGetAvailableNetworkList", {},
         {{LOG_ERROR, L"WlanGetAvailableNetworkList operation failed. error: 5"}}},
        {"counters unreadable", Open, "GetIfEntry", 1,
         [](WlanRig& r) {
             cei::DeviceStatistics s;
             r.device->GetStatistics(s);
         },
         &systemCall, L"Failed to get statisctics data", {}, {}},
    });
}

// A close that fails in the destructor still stops the worker before the
// members go, and the log gets the exception's dump.
TEST(WlanDeviceFailure, DestructorStopsTheWorkerWhenTheCloseFails) {
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the kernel's events cannot be failed here";
    WlanRig rig;
    rig.Open();
    sim::FailCall("ResetEvent", kFaultCode);  // the last step of the close
    DeleteClass(rig.device);
    rig.device = nullptr;
    sim::ClearFaults();
    std::vector<std::wstring> order;
    for (const auto& r : rig.log->Records())
        if (r.text == L"GenericAdapter thread closed." || r.text == L"Finished!") order.push_back(r.text);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"GenericAdapter thread closed.", L"Finished!"}));
    const auto caught = rig.log->Find(LOG_ERROR, 2, L"ace::WLanDevice::~WLanDevice", L"");
    ASSERT_EQ(caught.size(), 1u);
    EXPECT_EQ(caught[0].text.rfind(L"Caught exception\r\n", 0), 0u) << testing::PrintToString(caught[0].text);
    EXPECT_NE(caught[0].text.find(L"System call: ResetEvent failed."), std::wstring::npos);
}

}  // namespace
