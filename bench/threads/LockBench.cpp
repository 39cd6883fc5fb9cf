// An uncontended lock and unlock: util::ScopedLock on util::CriticalSection
// against std::lock_guard on std::recursive_mutex.
#include <benchmark/benchmark.h>

#include <mutex>

#include "foundation/CriticalSection.h"
#include "foundation/ScopedLock.h"

namespace {

void ScopedLockUncontended(benchmark::State& state) {
    util::CriticalSection section;
    int counter = 0;
    for (auto _ : state) {
        util::ScopedLock hold(section);
        benchmark::DoNotOptimize(++counter);
    }
}
BENCHMARK(ScopedLockUncontended);

void RecursiveMutexUncontended(benchmark::State& state) {
    std::recursive_mutex mutex;
    int counter = 0;
    for (auto _ : state) {
        std::lock_guard<std::recursive_mutex> hold(mutex);
        benchmark::DoNotOptimize(++counter);
    }
}
BENCHMARK(RecursiveMutexUncontended);

}  // namespace
