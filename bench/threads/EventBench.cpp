// Round trip between two threads: one signals, the other's wait wakes and
// signals back. util::Event with WaitForSingleObject against a plain
// condition-variable hand-off.
#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "foundation/Event.h"
#include "platform/win32.h"

namespace {

void EventRoundTrip(benchmark::State& state) {
    util::Event ping, pong, quit;
    ping.Create(false, false);
    pong.Create(false, false);
    quit.Create(true, false);
    std::thread echo([&] {
        HANDLE handles[] = {quit.GetHandle(), ping.GetHandle()};
        while (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) pong.SetEvent();
    });
    for (auto _ : state) {
        ping.SetEvent();
        ::WaitForSingleObject(pong.GetHandle(), INFINITE);
    }
    quit.SetEvent();
    echo.join();
}
BENCHMARK(EventRoundTrip)->UseRealTime();

// The same hand-off with one mutex, one condition variable and two flags.
void ConditionVariableRoundTrip(benchmark::State& state) {
    std::mutex lock;
    std::condition_variable changed;
    bool ping = false, pong = false, quit = false;
    std::thread echo([&] {
        std::unique_lock<std::mutex> held(lock);
        for (;;) {
            changed.wait(held, [&] { return ping || quit; });
            if (quit) return;
            ping = false;
            pong = true;
            changed.notify_all();
        }
    });
    for (auto _ : state) {
        std::unique_lock<std::mutex> held(lock);
        ping = true;
        changed.notify_all();
        changed.wait(held, [&] { return pong; });
        pong = false;
    }
    {
        std::lock_guard<std::mutex> held(lock);
        quit = true;
    }
    changed.notify_all();
    echo.join();
}
BENCHMARK(ConditionVariableRoundTrip)->UseRealTime();

}  // namespace
