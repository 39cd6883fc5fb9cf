// The fault campaign. A host session (open, list, associate over a user's
// same-named profile, connect, status, statistics, disconnect, connect again,
// a lost link, un-associate, close, delete) runs once to count the platform
// calls it makes, then once for each call and occurrence with that one call
// failed. Every run must end without a hang or leak, with legal status
// reports (the last one told after each operation being the device's state)
// and exceptions of the classes each operation may throw, no key in the log,
// the user's profile back unless the service refused a profile call, and for
// a refused WLAN call the raising site's text and the log records it is due. The sweep of the WLAN calls runs with every test run, in shards that
// run in parallel; `make campaign` runs the sweep of every call.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "Session.h"

namespace {

using test::Fault;
using test::Outcome;
using test::Problem;

bool IsWlan(const std::string& call) { return call.rfind("Wlan", 0) == 0; }

// Codes the real service and system give for each call.
std::vector<uint32_t> CodesFor(const std::string& call) {
    static const std::map<std::string, std::vector<uint32_t>> codes = {
        {"WlanOpenHandle", {1062, 1220}},                  // service not running; too many sessions
        {"WlanEnumInterfaces", {8}},                       // out of memory
        {"WlanScan", {0x80342002}},                        // radio off
        {"WlanGetAvailableNetworkList", {0x80342002, 8}},
        {"WlanQueryInterface", {5023}},                    // invalid state
        {"WlanGetProfile", {1168, 5}},                     // not found; access denied
        {"WlanSetProfile", {1206, 183}},                   // bad profile; exists and may not be overwritten
        {"WlanDeleteProfile", {1168}},
        {"WlanConnect", {5023}},
        {"WlanDisconnect", {6}},                           // invalid handle
        {"WlanCloseHandle", {6}},
    };
    auto it = codes.find(call);
    if (it != codes.end()) return it->second;
    if (IsWlan(call)) return {87};                         // invalid parameter
    if (call.rfind("Reg", 0) == 0) return {5};
    if (call.find("Wait") != std::string::npos) return {6};
    return {8};
}

struct Tally {
    unsigned runs = 0, hit = 0;
    std::map<Problem, unsigned> byKind;
    std::vector<std::string> notRestored;

    void Print(const std::string& title) const {
        std::printf("%s: %u runs, %u faults injected and hit\n", title.c_str(), runs, hit);
        for (Problem p : {Problem::Hang, Problem::Leak, Problem::Status, Problem::Exception, Problem::Profile,
                          Problem::Key, Problem::Text}) {
            auto it = byKind.find(p);
            std::printf("  %-10s %u\n", test::ProblemName(p), it == byKind.end() ? 0u : it->second);
        }
        std::printf("  user's profile not back, with the reason: %zu\n", notRestored.size());
        for (const std::string& label : notRestored) std::printf("    %s\n", label.c_str());
        std::fflush(stdout);
    }
};

void Sweep(bool wlanOnly, unsigned shard, unsigned shards) {
    std::vector<std::pair<std::string, unsigned>> counted;
    const Outcome base = test::RunSession(Fault{}, &counted);
    for (const auto& [kind, text] : base.problems) ADD_FAILURE() << "no fault: " << test::ProblemName(kind) << ": " << text;
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
    ASSERT_FALSE(plan.empty());

    // ACE_CAMPAIGN_ONLY=<label> replays one run (labels as the failures show them).
    const char* only = std::getenv("ACE_CAMPAIGN_ONLY");
    Tally tally;
    for (size_t i = shard; i < plan.size(); i += shards) {
        const Fault& fault = plan[i];
        if (only != nullptr && fault.Label() != only) continue;
        const Outcome out = test::RunSession(fault);
        ++tally.runs;
        if (out.hit) ++tally.hit;
        if (!out.profileBack) tally.notRestored.push_back(fault.Label() + ": " + out.notBackWhy);
        for (const auto& [kind, text] : out.problems) {
            ++tally.byKind[kind];
            ADD_FAILURE() << fault.Label() << ": " << test::ProblemName(kind) << ": " << text << " [" << out.thrown
                          << "]";
        }
    }
    tally.Print((wlanOnly ? "WLAN call faults, shard " : "every platform call, shard ") + std::to_string(shard + 1) +
                "/" + std::to_string(shards) + ", clock x" + std::to_string(test::CampaignClockScale()) + ", " +
                std::to_string(plan.size()) + " planned in all");
}

class WlanFaultSweep : public testing::TestWithParam<unsigned> {};

constexpr unsigned kShards = 4;

TEST_P(WlanFaultSweep, EveryCallAndOccurrence) { Sweep(true, GetParam(), kShards); }

INSTANTIATE_TEST_SUITE_P(Shard, WlanFaultSweep, testing::Range(0u, kShards));

// `make campaign`: natively the kernel, registry and IP Helper calls too.
TEST(FaultCampaign, DISABLED_EveryPlatformCall) { Sweep(false, 0, 1); }

}  // namespace
