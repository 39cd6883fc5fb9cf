// Each host operation of the WLAN device on the simulated service, whose
// notifications arrive at once, beside its floor: the fixed pauses the
// operation's path takes, slept with the same ::Sleep in the same iteration.
// Every iteration runs a whole cycle from a closed device and times only the
// operation under test.
#include <benchmark/benchmark.h>

#include <chrono>
#include <algorithm>
#include <functional>
#include <string>
#include <initializer_list>
#include <vector>

#include "BenchDevice.h"
#include "platform/win32.h"

namespace {

using Clock = std::chrono::steady_clock;

enum class Op { Open, Associate, Connect, Disconnect, UnAssociate, Close };

// The fixed pauses of each path, in ms: a confirmed profile set 50, a
// confirmed connect 200, a confirmed delete 200, DoClose 100. Open's scan and
// Disconnect only wait on notifications, which arrive at once.
std::vector<DWORD> Pauses(Op op) {
    switch (op) {
        case Op::Associate: return {50};
        case Op::Connect: return {200};
        case Op::UnAssociate: return {200};
        case Op::Close: return {100};
        default: return {};
    }
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double Timed(const std::function<void()>& run) {
    const auto start = Clock::now();
    run();
    return Seconds(Clock::now() - start);
}

void Operation(benchmark::State& state, Op op) {
    bench::BenchDevice rig;
    const std::vector<DWORD> pauses = Pauses(op);
    ace::IDeviceAdapter& device = *rig.device;
    const std::vector<std::pair<Op, std::function<void()>>> cycle = {
        {Op::Open, [&] { rig.Open(); }},
        {Op::Associate, [&] { rig.Associate(); }},
        {Op::Connect, [&] { rig.Connect(); }},
        {Op::Disconnect, [&] { device.Disconnect(0); }},
        {Op::UnAssociate, [&] { device.UnAssociateNetwork(); }},
        {Op::Close, [&] { device.Close(); }},
    };
    double opTotal = 0, floorTotal = 0;
    for (auto _ : state) {
        double took = 0;
        for (const auto& [which, run] : cycle) {
            if (which == op) took = Timed(run);
            else run();
        }
        const double floor = Timed([&] {
            for (DWORD ms : pauses) ::Sleep(ms);
        });
        state.SetIterationTime(took);
        opTotal += took;
        floorTotal += floor;
    }
    const double n = static_cast<double>(state.iterations());
    const double overheadMs = (opTotal - floorTotal) / n * 1e3;
    state.counters["op_ms"] = opTotal / n * 1e3;
    state.counters["floor_ms"] = floorTotal / n * 1e3;
    state.counters["overhead_ms"] = overheadMs;
    // The goal: at most 1 % of the floor or 1 ms, whichever is larger.
    state.counters["allowed_ms"] = std::max(1.0, floorTotal / n * 1e3 * 0.01);
}

void Register() {
    const std::initializer_list<std::pair<const char*, Op>> ops = {
        {"Open", Op::Open},           {"AssociateNetwork", Op::Associate},     {"ConnectAsync", Op::Connect},
        {"Disconnect", Op::Disconnect}, {"UnAssociateNetwork", Op::UnAssociate}, {"Close", Op::Close},
    };
    for (const auto& [name, op] : ops)
        benchmark::RegisterBenchmark((std::string("Operation/") + name).c_str(), Operation, op)
            ->Iterations(5)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
}

const bool kRegistered = (Register(), true);

}  // namespace
