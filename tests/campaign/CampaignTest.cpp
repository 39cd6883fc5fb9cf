// The fault campaign. A host session (open, list, associate over a user's
// same-named profile, connect, status, statistics, disconnect, connect again,
// a lost link, un-associate, close, delete) runs once to count the platform
// calls it makes, then once for each call and occurrence with that one call
// failed. Every run must end without a hang or leak, with legal status
// reports (the last one told after each operation being the device's state)
// and exceptions of the classes each operation may throw, no key in the log,
// the user's profile back unless the service refused a profile call, and for
// a refused WLAN call the raising site's text and the log records it is due.
// The sweep of the WLAN calls runs with every test run, in shards that run in
// parallel; `make campaign` runs the sweep of every call.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <typeindex>
#include <utility>
#include <vector>

#include "StatusChecker.h"
#include "Watchdog.h"
#include "WlanRig.h"
#include "device/Exports.h"
#include "foundation/TypeName.h"
#include "platform/sim/Clock.h"
#include "platform/sim/Faults.h"
#include "platform/sim/World.h"

namespace test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Real time an operation may take beyond its scaled bound: scheduling on a
// loaded machine, sanitizers, Wine.
constexpr milliseconds kMargin{5000};
// Past its bound by this much an operation is taken to hang for good.
constexpr milliseconds kGrace{30000};

// Fail occurrence `nth` of `call` with `code`; an empty call fails nothing.
struct Fault {
    std::string call;
    uint32_t code = 0;
    unsigned nth = 1;
    std::string Label() const {
        return call.empty() ? "none" : call + "#" + std::to_string(nth) + "=" + std::to_string(code);
    }
};

// Kinds of problem, in the order the table shows them.
enum class Problem { Hang, Leak, Status, Exception, Profile, Key, Text };
constexpr const char* kProblemNames[] = {"hang", "leak", "status", "exception", "profile", "key", "text"};
const char* Name(Problem p) { return kProblemNames[static_cast<int>(p)]; }

// What one session showed: the problems found and whether the user's
// same-named profile was back at the end.
struct Outcome {
    bool hit = false;                 // the failed call was made
    std::vector<std::pair<Problem, std::string>> problems;
    bool profileBack = true;          // the user's profile, byte for byte
    std::string notBackWhy;           // where it is not: what the journal shows
    std::string thrown;               // "Operation: Class" of each exception, for the report
};

bool IsWlan(const std::string& call) { return call.rfind("Wlan", 0) == 0; }
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
std::string ClassName(const std::type_info& type) { return Narrow(util::TypeName(type).c_str()); }

// The speed-up of the clock the campaign runs with (1 where the kernel is real).
unsigned CampaignClockScale() {
    if (!sim::ClockScaleSupported()) return 1;
    const char* env = std::getenv("ACE_CAMPAIGN_CLOCK");
    return env != nullptr && std::atoi(env) > 0 ? static_cast<unsigned>(std::atoi(env)) : 10;
}

// One host operation: its time bound on the device's clock and the
// exception classes it may end in.
struct Step {
    const char* name;
    unsigned boundMs;
    std::vector<std::type_index> allowed;
    std::function<void()> body;
};

// The exception classes of a refused call, with `more`.
std::vector<std::type_index> With(std::initializer_list<std::type_index> more = {}) {
    std::vector<std::type_index> all{typeid(util::SystemCallEx), typeid(util::ApiEx)};
    all.insert(all.end(), more);
    return all;
}

// A thread's kernel object goes a moment after the thread was waited for, as
// its last steps run; counts are taken once they have settled to `target`.
size_t SettledObjects(size_t target, milliseconds bound) {
    for (const auto end = Clock::now() + bound; sim::KernelObjectCount() > target && Clock::now() < end;)
        std::this_thread::sleep_for(milliseconds(5));
    return sim::KernelObjectCount();
}

size_t OpenKeys() { return sim::World::RegistrySimulated() ? sim::GetWorld().Registry().OpenHandles() : 0; }

// What whoever reads a failure must find, per refused WLAN call (and code,
// 0: any) and the operation that made it: a substring of the first entry of
// what the operation threw (nullptr: it returns) and records by level, '%'
// standing for the code.
using Records = std::vector<std::pair<unsigned, std::wstring>>;
const std::vector<std::tuple<const char*, uint32_t, const char*, const wchar_t*, Records>> kTexts = {
    {"WlanOpenHandle", 0, "Open", L"Device open failed.",
     {{LOG_ERROR, L"Failed to open Wlan api handle."}, {LOG_ERROR, L"Open failed: "}}},
    {"WlanRegisterNotification", 0, "Open", L"Device open failed.",
     {{LOG_WARNING, L"Register WLAN notification failed. error: %"}, {LOG_ERROR, L"Open failed: "}}},
    {"WlanEnumInterfaces", 0, "Open", L"Device open failed.",
     {{LOG_ERROR, L"WlanEnumInterfaces operation failed. error: %"}, {LOG_ERROR, L"System call: WlanEnumInterfaces"}}},
    {"WlanScan", 0, "Open", nullptr,
     {{LOG_ERROR, L"Wlan scan failed, error: %"}, {LOG_WARNING, L"Continue any way.. "}}},
    {"WlanGetAvailableNetworkList", 0, "GetAvailableNetworks", L"System call: WlanGetAvailableNetworkList failed.",
     {{LOG_ERROR, L"WlanGetAvailableNetworkList operation failed. error: %"},
      {LOG_ERROR, L"GetAvailableNetworks operation failed: "}}},
    {"WlanSetProfile", 183, "AssociateNetwork", L"Set profile failed: already existing profile blocks.",
     {{LOG_ERROR, L"WlanSetProfile failed, reason: 183"}, {LOG_ERROR, L"can't be overwritten! wlan profile: Office"}}},
    {"WlanSetProfile", 0, "AssociateNetwork", L"System call: WlanSetProfile failed.",
     {{LOG_ERROR, L"WlanSetProfile failed, reason: %"}, {LOG_ERROR, L" The reason"}}},
    {"WlanDeleteProfile", 0, "AssociateNetwork", L"WlanDeleteProfile",
     {{LOG_ERROR, L"Wlan delete profile failed, error: %"}}},
    {"WlanQueryInterface", 0, "ConnectAsync", L"WlanQueryInterface", {{LOG_ERROR, L"Connect operation failed: "}}},
    {"WlanConnect", 0, "ConnectAsync", L"System call: WlanConnect failed.", {{LOG_ERROR, L"WlanConnect failed"}}},
    {"WlanQueryInterface", 0, "GetAccessStatus", L"Failed to retrieve signal strength from adapter{",
     {{LOG_ERROR, L"WlanQueryInterface failed, error: %"}, {LOG_ERROR, L"GetAccessStatus operation failed: "}}},
    {"WlanDisconnect", 0, "Disconnect", L"System call: WlanDisconnect failed.",
     {{LOG_WARNING, L"WlanDisconnect operation failed. error: %"}, {LOG_ERROR, L"Disconnect failed: "}}},
    {"WlanDisconnect", 0, "lost link", nullptr,
     {{LOG_WARNING, L"WlanDisconnect operation failed. error: %"}, {LOG_ERROR, L"Disconnect failed: "}}},
    {"WlanSetProfile", 0, "UnAssociateNetwork", nullptr, {{LOG_ERROR, L"WlanSetProfile failed, reason: %"}}},
    {"WlanDeleteProfile", 0, "UnAssociateNetwork", L"WlanDeleteProfile", {{LOG_ERROR, L"Exception caught: "}}},
    {"WlanRegisterNotification", 0, "Close", nullptr, {{LOG_ERROR, L"Unregister WLAN notification failed. error: %"}}},
    // Taken as "no profile of that name" (told unless the service says so)
    // and as a handle gone.
    {"WlanGetProfile", ERROR_NOT_FOUND, "AssociateNetwork", nullptr, {}},
    {"WlanGetProfile", 0, "AssociateNetwork", nullptr,
     {{LOG_WARNING, L"WlanGetProfile failed. error: %. A profile named Office is not kept aside"}}},
    {"WlanCloseHandle", 0, "Close", nullptr, {{LOG_WARNING, L"WlanCloseHandle failed. error: %"}}},
};

// One host session on a fresh machine with at most one call failed, run
// operation by operation, and what it showed.
class Session {
public:
    explicit Session(const Fault& fault) : fault_(fault) { rig_.wlan.StoreProfile(rig_.iface, L"Office", kUserXml); }

    // `counted`, when given, receives every platform call the session made
    // (by name, with its number of calls).
    Outcome Run(std::vector<std::pair<std::string, unsigned>>* counted = nullptr) {
        const std::type_index notOpen = typeid(util::DeviceNotOpenEx), invalid = typeid(util::InvalidOperationEx),
                              notAssociated = typeid(util::NotAssociatedEx);
        // What earlier runs left (a refused close) stays; the last run's threads go.
        static size_t leftBefore = 0;
        const size_t keysBefore = OpenKeys(), objectsBefore = SettledObjects(leftBefore, std::chrono::seconds(1));
        cei::AssociateInfoWlan request = RequestFor(kWpa2Net);
        cei::ConnectionInfoWlan connect = Connect(10000);
        ace::NetworkList networks;
        cei::AccessStatus access;
        cei::DeviceStatistics statistics;

        if (!fault_.call.empty())
            sim::FailCall(fault_.call.c_str(), fault_.code, fault_.nth, 1);
        else if (counted != nullptr)
            sim::StartCounting();

        Do({"CreateClass", 1000, With({typeid(util::MemEx), typeid(util::OutOfMemory)}), [&] { rig_.CreateDevice(); }});
        ace::IDeviceAdapter* d = rig_.device;
        const std::vector<Step> steps = {
            {"Open", 8000, {typeid(util::DeviceOpenEx)}, [&] { d->Open(rig_.host.get()); }},
            {"GetAvailableNetworks", 8000, With({notOpen}), [&] { d->GetAvailableNetworks(networks); }},
            {"AssociateNetwork", 5000, With({invalid, notOpen}), [&] { d->AssociateNetwork(&request); }},
            {"ConnectAsync", 12000, With({invalid, notAssociated}), [&] { d->ConnectAsync(&connect); }},
            {"GetAccessStatus", 1000, With({notOpen, notAssociated}), [&] { d->GetAccessStatus(13, access); }},
            {"GetStatistics", 1000, With(), [&] { d->GetStatistics(statistics); }},
            {"Disconnect", 6000, With({invalid}), [&] { d->Disconnect(0); }},
            {"ConnectAsync again", 12000, With({invalid, notAssociated}), [&] { d->ConnectAsync(&connect); }},
            {"lost link", 6000, {}, [&] {
                 if (d->GetDeviceStatus() != DEVICE_STATE::CONNECTED) return;
                 // The device reacts on the service's thread: once that is idle,
                 // the reaction is complete.
                 rig_.wlan.LoseLink(rig_.iface);
                 rig_.wlan.WaitIdle(milliseconds(6000 / scale_) + kMargin / 2);
             }},
            {"UnAssociateNetwork", 9000, With({notOpen, notAssociated}), [&] { d->UnAssociateNetwork(); }},
            {"Close", 16000, With(), [&] { d->Close(); }},
            {"DeleteClass", 61000, {}, [&] {
                 DeleteClass(rig_.device);
                 rig_.device = nullptr;
             }},
        };
        for (size_t i = 0; d != nullptr && i < steps.size(); ++i) {
            Do(steps[i]);
            // After each operation the host knows the device's state.
            if (rig_.device == nullptr) continue;
            const std::vector<uint32_t> told = rig_.Statuses();
            const uint32_t last = told.empty() ? static_cast<uint32_t>(DEVICE_STATE::CLOSED) : told.back();
            if (last != static_cast<uint32_t>(rig_.device->GetDeviceStatus()))
                Add(Problem::Status, std::string("after ") + steps[i].name + " the device is in " +
                                         std::to_string(static_cast<uint32_t>(rig_.device->GetDeviceStatus())) +
                                         ", the host was told " + StatusText(told));
        }

        if (!fault_.call.empty()) {
            out_.hit = sim::CallCount(fault_.call.c_str()) >= fault_.nth;
            sim::ClearFault(fault_.call.c_str());
        } else if (counted != nullptr) {
            *counted = sim::StopCounting();
        }

        CheckLeaks(keysBefore, objectsBefore);
        leftBefore = sim::KernelObjectCount();
        const std::vector<uint32_t> statuses = rig_.Statuses();
        if (auto illegal = FirstIllegalStatus(statuses))
            Add(Problem::Status, "step " + std::to_string(*illegal) + " of " + StatusText(statuses));
        CheckProfile();
        CheckLog();
        CheckTexts();
        return out_;
    }

private:
    void Do(const Step& step) {
        const milliseconds bound = milliseconds(step.boundMs / scale_) + kMargin;
        const auto start = Clock::now();
        const unsigned before = Calls();
        std::optional<std::wstring> message;
        dog_.Arm(step.name, bound + kGrace);
        try {
            step.body();
        } catch (const util::Exception& e) {
            message = std::wstring(e.GetFirstEntry().message);
            Thrown(step, typeid(e));
        } catch (const std::exception& e) {
            Add(Problem::Exception, std::string(step.name) + ": not a util::Exception: " + e.what());
        } catch (...) {
            Add(Problem::Exception, std::string(step.name) + ": an unknown exception");
        }
        dog_.Disarm();
        if (before < fault_.nth && Calls() >= fault_.nth) hit_.emplace(step.name, message);
        const auto took = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
        if (took > bound)
            Add(Problem::Hang, std::string(step.name) + " took " + std::to_string(took.count()) + " ms, bound " +
                                   std::to_string(bound.count()) + " ms");
    }

    void Add(Problem p, const std::string& text) { out_.problems.emplace_back(p, text); }
    unsigned Calls() const { return fault_.call.empty() ? 0 : sim::CallCount(fault_.call.c_str()); }

    void Thrown(const Step& step, const std::type_info& type) {
        failed_ = failed_ || type == typeid(util::SystemCallEx) || type == typeid(util::ApiEx) ||
                  type == typeid(util::DeviceOpenEx);
        out_.thrown += std::string(step.name) + ": " + ClassName(type) + "; ";
        if (std::find(step.allowed.begin(), step.allowed.end(), std::type_index(type)) == step.allowed.end())
            Add(Problem::Exception, std::string(step.name) + " threw " + ClassName(type));
    }

    // The user's profile must be back wherever the service took the restore.
    // Where it is not back, the journal says why; a refused WLAN call other
    // than the profile calls must not cost it.
    void CheckProfile() {
        const auto profile = rig_.wlan.Profile(rig_.iface, L"Office");
        out_.profileBack = profile && profile->xml == kUserXml;
        bool accepted = false, refused = false, unread = false;
        for (const auto& j : rig_.wlan.Journal()) {
            if (j.call == "WlanSetProfile" && j.profileXml == kUserXml) (j.result == 0 ? accepted : refused) = true;
            if (j.call == "WlanGetProfile" && j.profileName == L"Office" && j.result != 0) unread = true;
        }
        if (out_.profileBack) return;
        if (accepted) return Add(Problem::Profile, "the restore was accepted, the store holds another profile");
        out_.notBackWhy = unread ? "the service did not hand out the user's profile"
                          : refused ? "the service refused the restore"
                                    : "no restore was made [" + out_.thrown + "]";
        if (!unread && !refused && IsWlan(fault_.call))
            Add(Problem::Profile, "a refused " + fault_.call + " cost the user's profile");
    }

    // A handle whose close was refused stays open.
    void CheckLeaks(size_t keysBefore, size_t objectsBefore) {
        const size_t refusedCloses = out_.hit ? 1 : 0;
        if (!rig_.wlan.WaitIdle(std::chrono::seconds(10))) Add(Problem::Hang, "the service did not get idle");
        auto expect = [&](size_t now, size_t before, const char* what) {
            if (now != before)
                Add(Problem::Leak,
                    std::string(what) + ": " + std::to_string(now) + ", before " + std::to_string(before));
        };
        const std::string& call = fault_.call;
        expect(rig_.wlan.OutstandingAllocations(), 0, "service allocations not freed");
        expect(rig_.wlan.BadFrees(), 0, "frees of memory the service did not hand out");
        expect(rig_.wlan.OpenHandles(), call == "WlanCloseHandle" ? refusedCloses : 0, "WLAN client handles open");
        expect(OpenKeys(), keysBefore + (call == "RegCloseKey" ? refusedCloses : 0), "registry keys open");
        // A refused close may leave its object (or the code may abandon it safely).
        const size_t objects = SettledObjects(objectsBefore, std::chrono::seconds(2));
        if (objects != objectsBefore && !(call == "CloseHandle" && objects == objectsBefore + refusedCloses))
            expect(objects, objectsBefore, "kernel objects alive");
    }

    void CheckLog() {
        // The key as it is: test::Secret watches every record of the run.
        const std::wstring escaped = L"staple &amp; &lt;paper&gt;";
        for (const auto& r : rig_.log->Records())
            if (r.text.find(escaped) != std::wstring::npos)
                Add(Problem::Key, "key in a record of " + Narrow(r.function));
        // Whoever reads the log after a failure must find why.
        // Kernel failures may surface in the host's exception only (a
        // constructor has no log entry of its own).
        if (IsWlan(fault_.call) && failed_ && rig_.log->Find(LOG_ERROR | LOG_WARNING, 0, L"", L"").empty())
            Add(Problem::Exception, "an operation failed and the log holds no error or warning");
    }

    void CheckTexts() {
        if (!IsWlan(fault_.call) || !hit_) return;
        const auto& [where, thrown] = *hit_;
        for (const auto& [call, code, step, message, logs] : kTexts) {
            // "ConnectAsync again" is a ConnectAsync.
            if (fault_.call != call || where.rfind(step, 0) != 0 || (code != 0 && code != fault_.code)) continue;
            for (auto [level, log] : logs) {
                if (const size_t at = log.find(L'%'); at != std::wstring::npos)
                    log.replace(at, 1, std::to_wstring(fault_.code));
                if (rig_.log->Find(level, 0, L"", log).empty())
                    Add(Problem::Text, where + ": no record at " + std::to_string(level) + ": " + Narrow(log));
            }
            if (message == nullptr ? thrown.has_value() : !thrown || thrown->find(message) == std::wstring::npos)
                Add(Problem::Text, where + (thrown ? " threw \"" + Narrow(*thrown) + "\"" : " returned"));
            return;
        }
        Add(Problem::Text, "no expected texts for " + fault_.call + " in " + where +
                               (thrown ? " (it threw \"" + Narrow(*thrown) + "\")" : " (it returned)"));
    }

    const Fault& fault_;
    const unsigned scale_ = CampaignClockScale();
    sim::ScopedClockScale fast_{scale_};
    WlanRig rig_{2, WlanRig::DefaultNetworks(), false};
    Watchdog dog_;
    Outcome out_;
    bool failed_ = false;  // an operation failed on a refused call (not on a state refusal)
    // Where the failed call was made: the operation, and the first entry of
    // what it threw (nothing: it returned).
    std::optional<std::pair<std::string, std::optional<std::wstring>>> hit_;
};

// Codes the real service and system give for each call: 1062 service not
// running, 1220 too many sessions, 8 out of memory, 0x80342002 radio off,
// 5023 invalid state, 1168 not found, 5 access denied, 1206 bad profile, 183
// exists and may not be overwritten, 6 invalid handle, 87 invalid parameter.
std::vector<uint32_t> CodesFor(const std::string& call) {
    static const std::map<std::string, std::vector<uint32_t>> codes = {
        {"WlanOpenHandle", {1062, 1220}}, {"WlanEnumInterfaces", {8}}, {"WlanScan", {0x80342002}},
        {"WlanGetAvailableNetworkList", {0x80342002, 8}}, {"WlanQueryInterface", {5023}},
        {"WlanGetProfile", {1168, 5}}, {"WlanSetProfile", {1206, 183}}, {"WlanDeleteProfile", {1168}},
        {"WlanConnect", {5023}}, {"WlanDisconnect", {6}}, {"WlanCloseHandle", {6}},
    };
    auto it = codes.find(call);
    if (it != codes.end()) return it->second;
    if (IsWlan(call)) return {87};
    if (call.rfind("Reg", 0) == 0) return {5};
    if (call.find("Wait") != std::string::npos) return {6};
    return {8};
}

void Sweep(bool wlanOnly, unsigned shard, unsigned shards) {
    std::vector<std::pair<std::string, unsigned>> counted;
    const Outcome base = Session(Fault{}).Run(&counted);
    for (const auto& [kind, text] : base.problems) ADD_FAILURE() << "no fault: " << Name(kind) << ": " << text;
    EXPECT_TRUE(base.profileBack);
    EXPECT_EQ(base.thrown, "");
    // The session is the whole one: two connects, the device's profile and
    // the user's written, one deleted, the handle closed.
    std::map<std::string, unsigned> calls(counted.begin(), counted.end());
    EXPECT_GE(calls["WlanConnect"], 2u);
    EXPECT_GE(calls["WlanSetProfile"], 2u);
    EXPECT_GE(calls["WlanDeleteProfile"], 1u);
    EXPECT_EQ(calls["WlanCloseHandle"], 1u);

    std::vector<Fault> plan;
    for (const auto& [call, times] : counted) {
        if (wlanOnly && !IsWlan(call)) continue;
        for (unsigned nth = 1; nth <= times; ++nth)
            for (uint32_t code : CodesFor(call)) plan.push_back(Fault{call, code, nth});
    }

    // ACE_CAMPAIGN_ONLY=<label> replays one run (labels as the failures show them).
    const char* only = std::getenv("ACE_CAMPAIGN_ONLY");
    unsigned runs = 0, hit = 0, byKind[std::size(kProblemNames)] = {};
    std::vector<std::string> notRestored;
    for (size_t i = shard; i < plan.size(); i += shards) {
        const Fault& fault = plan[i];
        if (only != nullptr && fault.Label() != only) continue;
        const Outcome out = Session(fault).Run();
        ++runs;
        if (out.hit) ++hit;
        if (!out.profileBack) notRestored.push_back(fault.Label() + ": " + out.notBackWhy);
        for (const auto& [kind, text] : out.problems) {
            ++byKind[static_cast<int>(kind)];
            ADD_FAILURE() << fault.Label() << ": " << Name(kind) << ": " << text << " [" << out.thrown << "]";
        }
    }
    std::printf("%s, shard %u/%u, clock x%u, %zu planned in all: %u runs, %u faults injected and hit\n",
                wlanOnly ? "WLAN call faults" : "every platform call", shard + 1, shards, CampaignClockScale(),
                plan.size(), runs, hit);
    for (size_t p = 0; p < std::size(kProblemNames); ++p) std::printf("  %-10s %u\n", kProblemNames[p], byKind[p]);
    std::printf("  user's profile not back, with the reason: %zu\n", notRestored.size());
    for (const std::string& label : notRestored) std::printf("    %s\n", label.c_str());
    std::fflush(stdout);
}

class WlanFaultSweep : public testing::TestWithParam<unsigned> {};

constexpr unsigned kShards = 4;

TEST_P(WlanFaultSweep, EveryCallAndOccurrence) { Sweep(true, GetParam(), kShards); }

INSTANTIATE_TEST_SUITE_P(Shard, WlanFaultSweep, testing::Range(0u, kShards));

// `make campaign`: natively the kernel, registry and IP Helper calls too.
TEST(FaultCampaign, DISABLED_EveryPlatformCall) { Sweep(false, 0, 1); }

}  // namespace
}  // namespace test
