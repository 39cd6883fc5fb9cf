// 200 associate, connect, disconnect, un-associate cycles on one open
// device: what the process holds after the last cycle must equal what it held
// after the first. The first cycle warms every lazily built cache.
#include <benchmark/benchmark.h>

#include "BenchDevice.h"

namespace {

constexpr int kCycles = 200;

void Cycle(bench::BenchDevice& rig) {
    rig.Associate();
    rig.Connect();
    rig.device->Disconnect(0);
    rig.device->UnAssociateNetwork();
    rig.wlan.WaitIdle(std::chrono::seconds(10));
    rig.wlan.ClearJournal();
}

void Report(benchmark::State& state, const char* when, const bench::Holdings& h) {
    const std::string at(when);
    state.counters[at + "_heap"] = static_cast<double>(h.heapBytes);
    state.counters[at + "_wlan_handles"] = static_cast<double>(h.wlanHandles);
    state.counters[at + "_wlan_allocs"] = static_cast<double>(h.wlanAllocations);
    state.counters[at + "_reg_keys"] = static_cast<double>(h.registryKeys);
    state.counters[at + "_kernel_objs"] = static_cast<double>(h.kernelObjects);
}

void Cycles(benchmark::State& state) {
    for (auto _ : state) {
        bench::BenchDevice rig;
        rig.Open();
        Cycle(rig);
        const bench::Holdings first = bench::Holdings::Now();
        for (int i = 1; i < kCycles; ++i) Cycle(rig);
        const bench::Holdings last = bench::Holdings::Now();
        rig.device->Close();
        Report(state, "first", first);
        Report(state, "last", last);
        if (!(first == last)) state.SkipWithError("the cycles leave more held than the first");
    }
}
BENCHMARK(Cycles)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
