// 200 associate, connect, disconnect, un-associate cycles on one open
// device: what the process holds after the last cycle must equal what it held
// after the first. The first cycle warms every lazily built cache.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

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
        if (!(first == last)) {
            const std::string message = "held after the first cycle / the last: heap " + std::to_string(first.heapBytes) +
                                        "/" + std::to_string(last.heapBytes) + ", wlan handles " +
                                        std::to_string(first.wlanHandles) + "/" + std::to_string(last.wlanHandles) +
                                        ", wlan allocations " + std::to_string(first.wlanAllocations) + "/" +
                                        std::to_string(last.wlanAllocations) + ", registry keys " +
                                        std::to_string(first.registryKeys) + "/" + std::to_string(last.registryKeys) +
                                        ", kernel objects " + std::to_string(first.kernelObjects) + "/" +
                                        std::to_string(last.kernelObjects);
            state.SkipWithError(message.c_str());
        }
    }
}
BENCHMARK(Cycles)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

// Blocks freed into a thread's malloc cache still count as in use, which
// moves the heap figure by a few KB from cycle to cycle; without the cache it
// is exact. The cache is configured only at start, so the process starts
// itself again with it off.
int main(int argc, char** argv) {
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    if (tunables == nullptr || std::strstr(tunables, "glibc.malloc.tcache_count=0") == nullptr) {
        std::string off = "glibc.malloc.tcache_count=0";
        if (tunables != nullptr && *tunables != '\0') off = std::string(tunables) + ":" + off;
        ::setenv("GLIBC_TUNABLES", off.c_str(), 1);
        ::execv("/proc/self/exe", argv);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
