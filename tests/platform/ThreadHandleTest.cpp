#include <gtest/gtest.h>

#include <atomic>

#include "KernelObjects.h"

namespace {

using test::kBound;
using test::kQuiet;

// A thread whose handle is closed while it runs runs on. That the handle
// stays signalled shows in util::Thread's Stop after a wait on it.
TEST(KernelThread, HandleIsSignalledWhenTheRoutineReturnsWithItsResultAndMayBeClosedBefore) {
    auto go = test::NewEvent(true, false), done = test::NewEvent(true, false);
    auto thread = test::StartThread([&] {
        ::WaitForSingleObject(go.get(), INFINITE);
        return 17u;
    });
    test::StartThread([&] {  // the handle closes at the end of the statement
        ::WaitForSingleObject(go.get(), INFINITE);
        return static_cast<unsigned>(::SetEvent(done.get()));
    });
    EXPECT_EQ(test::ExitCode(thread.get()), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(::WaitForSingleObject(thread.get(), 0), WAIT_TIMEOUT);

    ASSERT_TRUE(::SetEvent(go.get()));
    ASSERT_EQ(::WaitForSingleObject(thread.get(), kBound), WAIT_OBJECT_0);
    EXPECT_EQ(test::ExitCode(thread.get()), 17u);
    EXPECT_EQ(::WaitForSingleObject(done.get(), kBound), WAIT_OBJECT_0) << "the thread whose handle was closed ran on";
}

// A terminated thread ends at once with the given code and never gets back
// to its own code: the event it was waiting for stays signalled.
TEST(KernelThread, TerminateEndsABlockedThreadWithTheGivenCode) {
    auto gate = test::NewEvent(false, false);
    auto thread = test::StartThread([&] { return ::WaitForSingleObject(gate.get(), INFINITE); });
    EXPECT_EQ(::WaitForSingleObject(thread.get(), kQuiet), WAIT_TIMEOUT);

    ASSERT_TRUE(::TerminateThread(thread.get(), 42));
    ASSERT_EQ(::WaitForSingleObject(thread.get(), kBound), WAIT_OBJECT_0);
    EXPECT_EQ(test::ExitCode(thread.get()), 42u);

    ASSERT_TRUE(::SetEvent(gate.get()));
    EXPECT_EQ(::WaitForSingleObject(gate.get(), kQuiet), WAIT_OBJECT_0) << "the terminated thread took the signal";
    EXPECT_EQ(test::ExitCode(thread.get()), 42u);
}

// A thread that makes no call but critical sections stops there too. The
// section is never deleted: the thread may have been stopped holding it.
TEST(KernelThread, TerminateStopsAThreadThatOnlyTakesCriticalSections) {
    static CRITICAL_SECTION section;
    ::InitializeCriticalSection(&section);
    std::atomic<unsigned> turns{0};
    auto thread = test::StartThread([&] {
        for (;;) {
            ::EnterCriticalSection(&section);
            ++turns;
            ::LeaveCriticalSection(&section);
        }
        return 0u;
    });
    while (turns == 0) ::Sleep(1);
    ASSERT_TRUE(::TerminateThread(thread.get(), 7));
    ASSERT_EQ(::WaitForSingleObject(thread.get(), kBound), WAIT_OBJECT_0);
    const unsigned stopped = turns;
    ::Sleep(kQuiet);
    EXPECT_LE(turns, stopped + 1) << "the terminated thread went on taking the section";
}

}  // namespace
