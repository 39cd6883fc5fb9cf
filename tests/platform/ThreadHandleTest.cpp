#include <gtest/gtest.h>

#include "KernelObjects.h"

namespace {

using test::kBound;
using test::kQuiet;

TEST(KernelThread, HandleIsSignalledWhenTheRoutineReturnsWithItsResult) {
    auto go = test::NewEvent(false, false);
    auto thread = test::StartThread([&] {
        ::WaitForSingleObject(go.get(), INFINITE);
        return 17u;
    });
    EXPECT_EQ(test::ExitCode(thread.get()), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(::WaitForSingleObject(thread.get(), 0), WAIT_TIMEOUT);

    ASSERT_TRUE(::SetEvent(go.get()));
    ASSERT_EQ(::WaitForSingleObject(thread.get(), kBound), WAIT_OBJECT_0);
    EXPECT_EQ(test::ExitCode(thread.get()), 17u);
    EXPECT_EQ(::WaitForSingleObject(thread.get(), 0), WAIT_OBJECT_0) << "a thread handle stays signalled";
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

TEST(KernelThread, ClosingTheHandleLetsTheThreadRunOn) {
    auto done = test::NewEvent(true, false);
    auto go = test::NewEvent(false, false);
    auto thread = test::StartThread([&] {
        ::WaitForSingleObject(go.get(), INFINITE);
        ::SetEvent(done.get());
        return 0u;
    });
    thread.reset();
    ASSERT_TRUE(::SetEvent(go.get()));
    EXPECT_EQ(::WaitForSingleObject(done.get(), kBound), WAIT_OBJECT_0);
}

}  // namespace
