#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "Entries.h"
#include "foundation/CriticalSection.h"
#include "foundation/Event.h"
#include "foundation/ProfileTimer.h"
#include "foundation/ScopedLock.h"
#include "foundation/Thread.h"
#include "foundation/ThreadName.h"
#include "platform/sim/Faults.h"

namespace {

using test::Api, test::Call, test::ExpectEntries, test::ExpectThrows, test::Stack;

// Long enough for anything that should happen; short enough for what must not.
constexpr DWORD kBound = 10000;
constexpr DWORD kQuiet = 100;

// A util::Thread whose routine is a lambda.
class Worker : public util::Thread {
public:
    using Body = std::function<uint32_t(Worker&)>;
    explicit Worker(Body body) : body_(std::move(body)) {
        started_.Create(true, false);
        gate_.Create(true, false);
    }
    // The body must not outlive its members: stop before they go.
    ~Worker() override {
        try {
            Stop(kBound);
        } catch (...) {
        }
    }

    // Called by a body once it is where the test wants it.
    void MarkStarted() { started_.SetEvent(); }
    bool WaitStarted(DWORD ms = kBound) { return ::WaitForSingleObject(started_.GetHandle(), ms) == WAIT_OBJECT_0; }
    // A manual-reset event that nobody sets.
    HANDLE Gate() const { return gate_.GetHandle(); }

    using util::Thread::GetStopEvent, util::Thread::GetThreadHandle;

    // Marks itself started, then waits for the stop event. Touches nothing of
    // the object after marking, so it may be terminated from then on.
    static uint32_t UntilStopped(Worker& w) {
        HANDLE stop = w.GetStopEvent();
        w.MarkStarted();
        // Not WaitForSingleObject: a fault armed on that call once the worker
        // has started is meant for Stop's wait, and the worker may not be
        // waiting yet.
        return ::WaitForMultipleObjects(1, &stop, FALSE, INFINITE);
    }
    // Marks itself started and waits on the gate, ignoring the stop event.
    static uint32_t Ignoring(Worker& w) {
        HANDLE gate = w.Gate();
        w.MarkStarted();
        return ::WaitForSingleObject(gate, INFINITE);
    }

protected:
    uint32_t ThreadRoutine() override { return body_(*this); }

private:
    Body body_;
    util::Event started_, gate_;
};

// Stop on an idle thread returns true and signals nothing. -1 is not "no
// wait": a worker that takes a while after the signal is waited for, not
// terminated. A thread not started here has no name until it sets one, once;
// a worker's own name is the restarted worker's.
TEST(Thread, WorkerEndsWhenStoppedOtherThreadsNameThemselvesOnce) {
    Worker w([](Worker& self) {
        Worker::UntilStopped(self);
        return ::WaitForSingleObject(self.Gate(), 2 * kQuiet);
    });
    EXPECT_FALSE(w.IsRunning());
    EXPECT_TRUE(w.Stop(static_cast<DWORD>(-1)));
    EXPECT_EQ(::WaitForSingleObject(w.GetStopEvent(), 0), WAIT_TIMEOUT);
    w.Start(L"Wlan Device");  // running once started: the device's worker (GenericAdapterTest)
    EXPECT_TRUE(w.Stop(static_cast<DWORD>(-1)));
    EXPECT_FALSE(w.IsRunning());

    std::thread plain([] {
        EXPECT_EQ(util::GetCurrentThreadName(), nullptr);
        const wchar_t* first = L"first";
        EXPECT_TRUE(util::SetCurrentThreadName(first, "first"));
        EXPECT_FALSE(util::SetCurrentThreadName(L"second", "second"));
        EXPECT_EQ(util::GetCurrentThreadName(), first);
    });
    plain.join();
}

// The base destructor must stop the worker itself: this one has no stop of
// its own, and its routine touches only the base and the test's flags, so
// it may run while the base is being destroyed.
TEST(Thread, DestructorStopsTheWorkerWhichEndsByItself) {
    struct Bare : util::Thread {
        std::atomic<int>* state = nullptr;  // 1 once running, 2 once it saw the stop event
        uint32_t ThreadRoutine() override {
            std::atomic<int>* mine = state;
            HANDLE stop = GetStopEvent();
            *mine = 1;
            if (::WaitForSingleObject(stop, INFINITE) == WAIT_OBJECT_0) *mine = 2;
            return 0;
        }
    };
    std::atomic<int> state{0};
    {
        Bare bare;
        bare.state = &state;
        bare.Start(L"bare");
        for (DWORD waited = 0; state == 0 && waited < kBound; waited += 1) ::Sleep(1);
        ASSERT_EQ(state, 1);
    }
    EXPECT_EQ(state, 2) << "the destructor did not stop the worker, or terminated it";
}

TEST(Thread, ExitCodeIsZeroWhenTheRoutineReturnsAndOneWhenAnythingEscapes) {
    const std::pair<Worker::Body, DWORD> rows[] = {
        {[](Worker&) -> uint32_t { return 7; }, 0},
        {[](Worker&) -> uint32_t { throw util::SystemCallEx(L"f", L"fn", 1, 1, L"X"); }, 1},
        {[](Worker&) -> uint32_t { throw std::runtime_error("no"); }, 1},
        {[](Worker&) -> uint32_t { throw 5; }, 1},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        Worker w(rows[i].first);
        w.Start(L"exit");
        ASSERT_EQ(::WaitForSingleObject(w.GetThreadHandle(), kBound), WAIT_OBJECT_0);
        DWORD code = STILL_ACTIVE;
        ASSERT_TRUE(::GetExitCodeThread(w.GetThreadHandle(), &code));
        EXPECT_EQ(code, rows[i].second);
        EXPECT_TRUE(w.Stop(kBound)) << "a worker that has ended was not terminated";
    }
}

TEST(Thread, WorkerIgnoringTheStopEventIsTerminated) {
    Worker w(Worker::Ignoring);
    w.Start(L"deaf");
    ASSERT_TRUE(w.WaitStarted());
    DWORD start = ::GetTickCount();
    EXPECT_FALSE(w.Stop(60));
    EXPECT_GE(::GetTickCount() - start, 40u);
    EXPECT_FALSE(w.IsRunning());
}

// Start stops the worker before it; a stop signal left from before does not reach the new worker.
TEST(Thread, StartTwiceStopsTheFirstWorkerBeforeTheSecondRunsAndResetsTheStopEvent) {
    std::atomic<int> finished{0};
    std::wstring lastName;
    DWORD firstAtStart = WAIT_FAILED;
    Worker w([&](Worker& self) {
        lastName = util::GetCurrentThreadName();
        if (finished == 0) firstAtStart = ::WaitForSingleObject(self.GetStopEvent(), 0);
        Worker::UntilStopped(self);
        return static_cast<uint32_t>(++finished);
    });
    ASSERT_TRUE(::SetEvent(w.GetStopEvent()));
    w.Start(L"first");
    ASSERT_TRUE(w.WaitStarted());
    w.Start(L"second");
    EXPECT_EQ(finished, 1) << "the second Start waited for the first worker";
    EXPECT_TRUE(w.Stop(kBound));
    EXPECT_EQ(finished, 2);
    EXPECT_EQ(lastName, L"second");
    EXPECT_EQ(firstAtStart, WAIT_TIMEOUT);
}

// The ANSI name must fit 512 bytes with its terminator.
TEST(Thread, NameTooLongForTheAnsiBufferFailsAndLeavesTheThreadIdle) {
    Worker w(Worker::UntilStopped);
    auto e = ExpectThrows<util::SystemCallEx>([&] { w.Start(util::String(512, L'x')); });
    const std::wstring toAnsi = L"util::StringUtility::ConvertUnicodeToAnsi";
    ExpectEntries(e, {Api(L"WideCharToMultiByte", ERROR_INSUFFICIENT_BUFFER), Call(toAnsi, L"WideCharToMultiByte"),
                      Stack(toAnsi), Stack(L"util::Thread::Start")});
    EXPECT_FALSE(e.Entries()[0].message.empty()) << "the kernel has a text for it";
    EXPECT_FALSE(w.IsRunning());
    w.Start(util::String(511, L'x'));
    EXPECT_TRUE(w.Stop(kBound));
}

// A failed creation leaves the thread idle. A failed signal, wait, termination
// or close still ends and closes the thread, and reports util::Thread::Stop
// with the kernel's entry in front.
TEST(ThreadFault, KernelFailureInStartOrStopIsReportedAndTheThreadDropped) {
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the real kernel has no fault switch";
    {
        Worker w(Worker::UntilStopped);
        sim::ScopedFault fault("_beginthreadex", ERROR_NOT_ENOUGH_MEMORY);
        auto e = ExpectThrows<util::SystemCallEx>([&] { w.Start(L"unborn"); });
        ExpectEntries(e, {Call(L"util::Thread::Start", L"_beginthreadex"), Stack(L"util::Thread::Start")});
        EXPECT_FALSE(w.IsRunning());
    }
    const std::wstring stop = L"util::Thread::Stop", set = L"util::Event::SetEvent";
    // Call, whether the worker ignores the stop event (so that Stop has to terminate it), code, entries.
    const std::tuple<const char*, bool, DWORD, std::vector<test::Entry>> rows[] = {
        {"SetEvent", false, ERROR_INVALID_HANDLE,
         {Api(L"SetEvent", ERROR_INVALID_HANDLE), Call(set, L"SetEvent"), Stack(set), Stack(stop)}},
        {"WaitForSingleObject", false, ERROR_ACCESS_DENIED,
         {Api(L"WaitForSingleObject", ERROR_ACCESS_DENIED), Call(stop, L"WaitForSingleObject"), Stack(stop)}},
        {"TerminateThread", true, ERROR_ACCESS_DENIED,
         {Api(L"TerminateThread", ERROR_ACCESS_DENIED), Call(stop, L"TerminateThread"), Stack(stop)}},
        {"CloseHandle", false, ERROR_ACCESS_DENIED,
         {Api(L"CloseHandle", ERROR_ACCESS_DENIED), Call(stop, L"CloseHandle"), Stack(stop)}},
    };
    for (const auto& [call, ignoresStop, code, entries] : rows) {
        SCOPED_TRACE(call);
        Worker w(ignoresStop ? Worker::Ignoring : Worker::UntilStopped);
        w.Start(L"worker");
        ASSERT_TRUE(w.WaitStarted());
        HANDLE thread = w.GetThreadHandle();
        const DWORD timeout = ignoresStop ? 30 : kBound;
        sim::ScopedFault fault(call, code);  // fires once: the checks below call the kernel
        ExpectEntries(ExpectThrows<util::SystemCallEx>([&] { w.Stop(timeout); }), entries);
        EXPECT_FALSE(w.IsRunning());
        EXPECT_EQ(::WaitForSingleObject(thread, 0), WAIT_FAILED) << "the handle was closed";
    }
}

// Enters the section on a worker thread and marks itself started once it is in.
std::unique_ptr<Worker> Contend(util::CriticalSection& section) {
    auto worker = std::make_unique<Worker>([&section](Worker& self) {
        util::ScopedLock hold(section);
        self.MarkStarted();
        return 0u;
    });
    worker->Start(L"contender");
    return worker;
}

TEST(ScopedLock, OwnerReentersAndOthersWaitForTheLastLeaveAlsoWhenAnExceptionLeaves) {
    util::CriticalSection section;
    auto outer = std::make_unique<util::ScopedLock>(section);
    auto inner = std::make_unique<util::ScopedLock>(section);
    auto other = Contend(section);
    inner.reset();
    EXPECT_FALSE(other->WaitStarted(kQuiet));
    outer.reset();
    EXPECT_TRUE(other->WaitStarted());
    // An exception leaving the scope releases the lock too.
    EXPECT_THROW(
        {
            util::ScopedLock hold(section);
            throw std::runtime_error("leaving");
        },
        std::runtime_error);
    EXPECT_TRUE(Contend(section)->WaitStarted());
}

TEST(ProfileTimer, ElapsedCountsFromStartAndIsWrittenInTheCLocaleRestoringTheStreamsLocale) {
    util::ProfileTimer timer(true);
    ::Sleep(60);
    uint32_t elapsed = timer.Elapsed();
    EXPECT_GE(elapsed, 40u);
    EXPECT_LT(elapsed, kBound);
    timer.Start();
    EXPECT_LT(timer.Elapsed(), elapsed);

    std::wostringstream os;
    os.imbue(test::GroupingLocale());
    util::ProfileTimer sinceBoot(false);  // start tick 0: Elapsed is the tick count
    os << sinceBoot;
    std::wstring text = os.str();
    ASSERT_EQ(text.rfind(L"Profile time: ", 0), 0u) << text;
    std::wstring digits = text.substr(14);
    EXPECT_EQ(digits.find_first_not_of(L"0123456789"), std::wstring::npos) << text;
    EXPECT_GE(std::stoul(digits), 1000u) << "the tick count is large enough to be grouped";

    os.str(L"");
    os << 1234567;
    EXPECT_EQ(os.str(), L"1.234.567");
}

}  // namespace
