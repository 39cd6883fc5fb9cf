// A util::Thread whose routine is a lambda, for the thread tests.
#pragma once

#include <functional>

#include "foundation/Thread.h"

namespace test {

// Long enough for anything that should happen; short enough for what must not.
constexpr DWORD kBound = 10000;
constexpr DWORD kQuiet = 100;

class Worker : public util::Thread {
public:
    using Body = std::function<uint32_t(Worker&)>;
    explicit Worker(Body body) : body_(std::move(body)) {
        started_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    // The body must not outlive its members: stop before they go.
    ~Worker() override {
        try {
            Stop(kBound);
        } catch (...) {
        }
        ::CloseHandle(started_);
    }

    // Called by a body once it is where the test wants it.
    void MarkStarted() { ::SetEvent(started_); }
    bool WaitStarted(DWORD ms = kBound) { return ::WaitForSingleObject(started_, ms) == WAIT_OBJECT_0; }

    using util::Thread::GetStopEvent;
    using util::Thread::GetThreadHandle;

    // Marks itself started, then waits for the stop event. Touches nothing of
    // the object after marking, so it may be terminated from then on.
    static uint32_t UntilStopped(Worker& w) {
        HANDLE stop = w.GetStopEvent();
        w.MarkStarted();
        return ::WaitForSingleObject(stop, INFINITE);
    }
    // Marks itself started and waits on `gate`, ignoring the stop event.
    static uint32_t Ignoring(Worker& w, HANDLE gate) {
        w.MarkStarted();
        return ::WaitForSingleObject(gate, INFINITE);
    }

protected:
    uint32_t ThreadRoutine() override { return body_(*this); }

private:
    Body body_;
    HANDLE started_ = nullptr;
};

}  // namespace test
