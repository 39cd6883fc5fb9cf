// util::Thread when the kernel fails; the faults are injected natively only.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "foundation/Api.h"
#include "TestWorker.h"
#include "platform/sim/Faults.h"

namespace {

using test::kBound;
using test::Worker;

#define REQUIRE_KERNEL_FAULTS() \
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the real kernel has no fault switch"

TEST(ThreadFault, CreationFailureThrowsAndLeavesTheThreadIdle) {
    REQUIRE_KERNEL_FAULTS();
    Worker w(Worker::UntilStopped);
    sim::ScopedFault fault("_beginthreadex", ERROR_NOT_ENOUGH_MEMORY);
    auto e = test::ExpectThrows<util::SystemCallEx>([&] { w.Start(L"unborn"); });
    ASSERT_EQ(e.Entries().size(), 2u);
    test::ExpectEntry(e, 0, L"class util::SystemCallEx", L"util::Thread::Start",
                      L"System call: _beginthreadex failed.", 0);
    test::ExpectEntry(e, 1, L"Stack Entry", L"util::Thread::Start", L"", 0);
    EXPECT_FALSE(w.IsRunning());
}

// Signalling fails: the worker is terminated, the handle dropped and the
// event's exception passed on.
TEST(ThreadFault, SetEventFailureInStopTerminatesAndRethrows) {
    REQUIRE_KERNEL_FAULTS();
    Worker w(Worker::UntilStopped);
    w.Start(L"worker");
    ASSERT_TRUE(w.WaitStarted());
    HANDLE thread = w.GetThreadHandle();
    sim::ScopedFault fault("SetEvent", ERROR_INVALID_HANDLE);
    auto e = test::ExpectThrows<util::SystemCallEx>([&] { w.Stop(kBound); });
    ASSERT_EQ(e.Entries().size(), 4u);
    test::ExpectEntry(e, 0, L"class util::ApiEx", L"wapi::SetEvent", util::SystemMessage(ERROR_INVALID_HANDLE), ERROR_INVALID_HANDLE);
    test::ExpectEntry(e, 1, L"class util::SystemCallEx", L"util::Event::SetEvent", L"System call: SetEvent failed.", 0);
    test::ExpectEntry(e, 2, L"Stack Entry", L"util::Event::SetEvent", L"", 0);
    test::ExpectEntry(e, 3, L"Stack Entry", L"util::Thread::Stop", L"", 0);
    EXPECT_FALSE(w.IsRunning());
    EXPECT_EQ(::WaitForSingleObject(thread, 0), WAIT_FAILED) << "the handle was closed";
}

struct StopFault {
    const char* call;
    bool workerIgnoresStop;  // so that Stop has to terminate it
};

class ThreadStopFault : public testing::TestWithParam<StopFault> {};

// A failed wait, termination or close still ends and closes the thread and
// reports util::Thread::Stop with the kernel's entry in front.
TEST_P(ThreadStopFault, KernelFailureInStopIsReportedAndTheThreadDropped) {
    REQUIRE_KERNEL_FAULTS();
    HANDLE never = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(never, nullptr);
    const StopFault& c = GetParam();
    Worker w([&](Worker& self) {
        return c.workerIgnoresStop ? Worker::Ignoring(self, never) : Worker::UntilStopped(self);
    });
    w.Start(L"worker");
    ASSERT_TRUE(w.WaitStarted());
    HANDLE thread = w.GetThreadHandle();
    {
        sim::ScopedFault fault(c.call, ERROR_ACCESS_DENIED);
        auto e = test::ExpectThrows<util::SystemCallEx>([&] { w.Stop(c.workerIgnoresStop ? 30 : kBound); });
        std::wstring call(c.call, c.call + std::char_traits<char>::length(c.call));
        ASSERT_EQ(e.Entries().size(), 3u);
        test::ExpectEntry(e, 0, L"class util::ApiEx", L"wapi::" + call, util::SystemMessage(ERROR_ACCESS_DENIED), ERROR_ACCESS_DENIED);
        test::ExpectEntry(e, 1, L"class util::SystemCallEx", L"util::Thread::Stop",
                          L"System call: " + call + L" failed.", 0);
        test::ExpectEntry(e, 2, L"Stack Entry", L"util::Thread::Stop", L"", 0);
    }
    EXPECT_FALSE(w.IsRunning());
    EXPECT_EQ(::WaitForSingleObject(thread, 0), WAIT_FAILED) << "the handle was closed";
    ::CloseHandle(never);
}

INSTANTIATE_TEST_SUITE_P(ThreadFault, ThreadStopFault,
                         testing::Values(StopFault{"WaitForSingleObject", false}, StopFault{"TerminateThread", true},
                                         StopFault{"CloseHandle", false}),
                         [](const testing::TestParamInfo<StopFault>& param) { return std::string(param.param.call); });

}  // namespace
