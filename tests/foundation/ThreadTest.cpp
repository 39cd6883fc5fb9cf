#include <gtest/gtest.h>

#include <atomic>
#include <iterator>
#include <string>
#include <thread>

#include "TestSupport.h"
#include "foundation/Api.h"
#include "TestWorker.h"
#include "foundation/ThreadName.h"

namespace {

using test::kBound;
using test::kQuiet;
using test::Worker;

TEST(Thread, StopOnAnIdleThreadReturnsTrueAndSignalsNothing) {
    Worker w(Worker::UntilStopped);
    EXPECT_FALSE(w.IsRunning());
    EXPECT_TRUE(w.Stop(static_cast<DWORD>(-1)));
    EXPECT_EQ(::WaitForSingleObject(w.GetStopEvent(), 0), WAIT_TIMEOUT);
}

TEST(Thread, WorkerRunsUnderItsNameAndEndsWhenStopped) {
    std::wstring seen;
    Worker w([&](Worker& self) {
        seen = util::GetCurrentThreadName();
        return Worker::UntilStopped(self);
    });
    w.Start(L"Wlan Device");
    EXPECT_TRUE(w.IsRunning());
    EXPECT_TRUE(w.Stop(static_cast<DWORD>(-1)));
    EXPECT_FALSE(w.IsRunning());
    EXPECT_EQ(seen, L"Wlan Device");
}

TEST(Thread, NameSlotIsEmptyInOtherThreadsAndSetOnce) {
    std::thread plain([] {
        EXPECT_EQ(util::GetCurrentThreadName(), nullptr);
        const wchar_t* first = L"first";
        EXPECT_TRUE(util::SetCurrentThreadName(first, "first"));
        EXPECT_FALSE(util::SetCurrentThreadName(L"second", "second"));
        EXPECT_EQ(util::GetCurrentThreadName(), first);
    });
    plain.join();
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

// The worker waits for an event nobody sets and never looks at the stop event.
TEST(Thread, WorkerIgnoringTheStopEventIsTerminated) {
    HANDLE never = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(never, nullptr);
    Worker w([never](Worker& self) { return Worker::Ignoring(self, never); });
    w.Start(L"deaf");
    ASSERT_TRUE(w.WaitStarted());
    DWORD start = ::GetTickCount();
    EXPECT_FALSE(w.Stop(60));
    EXPECT_GE(::GetTickCount() - start, 40u);
    EXPECT_FALSE(w.IsRunning());
    ::CloseHandle(never);
}

// -1 is not "no wait": a worker that takes a while after the signal is
// waited for, not terminated.
TEST(Thread, StopMinusOneWaitsForAWorkerThatEndsAfterTheSignal) {
    EXPECT_EQ(util::Thread::kDefaultStopTimeout, 60000u);
    HANDLE never = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(never, nullptr);
    Worker w([never](Worker& self) {
        Worker::UntilStopped(self);
        return ::WaitForSingleObject(never, 2 * kQuiet);
    });
    w.Start(L"slow");
    EXPECT_TRUE(w.Stop(static_cast<DWORD>(-1)));
    ::CloseHandle(never);
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

TEST(Thread, DestructionStopsARunningWorker) {
    std::atomic<bool> ended{false};
    {
        Worker w([&](Worker& self) {
            Worker::UntilStopped(self);
            ended = true;
            return 0u;
        });
        w.Start(L"scoped");
    }
    EXPECT_TRUE(ended);
}

// The ANSI name must fit 512 bytes with its terminator.
TEST(Thread, NameTooLongForTheAnsiBufferFailsAndLeavesTheThreadIdle) {
    Worker w(Worker::UntilStopped);
    auto e = test::ExpectThrows<util::SystemCallEx>([&] { w.Start(util::String(512, L'x')); });
    test::ExpectEntry(e, 0, L"class util::ApiEx", L"wapi::WideCharToMultiByte", util::SystemMessage(ERROR_INSUFFICIENT_BUFFER), ERROR_INSUFFICIENT_BUFFER);
    test::ExpectEntry(e, 1, L"class util::SystemCallEx", L"util::StringUtility::ConvertUnicodeToAnsi",
                      L"System call: WideCharToMultiByte failed.", 0);
    EXPECT_EQ(e.Entries().back().function, L"util::Thread::Start");
    EXPECT_FALSE(w.IsRunning());
    w.Start(util::String(511, L'x'));
    EXPECT_TRUE(w.Stop(kBound));
}

}  // namespace
