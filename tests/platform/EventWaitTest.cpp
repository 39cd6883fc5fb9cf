#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <tuple>

#include "KernelObjects.h"
#include "platform/sim/Clock.h"

namespace {

using test::kBound;
using test::kQuiet;

// That a wait lasts its whole time-out in real time shows in the thread tests
// (a worker ignoring its stop event is waited for before it is terminated).

// A faster clock: a time-out passes sooner in real time, and the ticks the
// code sees advance by the whole time-out.
TEST(KernelWait, AFasterClockShortensTimeOutsAndKeepsTicksWhole) {
    if (!sim::ClockScaleSupported()) GTEST_SKIP() << "the real kernel's clock runs at its own pace";
    auto e = test::NewEvent(false, false);
    const auto realStart = std::chrono::steady_clock::now();
    DWORD start = 0, waited = 0;
    {
        sim::ScopedClockScale fast(50);
        start = ::GetTickCount();
        EXPECT_EQ(::WaitForSingleObject(e.get(), 5000), WAIT_TIMEOUT);
        waited = ::GetTickCount() - start;
    }
    EXPECT_GE(waited, 5000u);
    EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::milliseconds(5000));
    EXPECT_GE(::GetTickCount() - start, waited) << "ticks went back when the clock slowed again";
}

// One set releases one waiter of an auto-reset event and takes its signal;
// of a manual-reset event it releases every waiter and stays set.
TEST(KernelWait, OneSetReleasesOneWaiterOfAnAutoResetEventAndEveryWaiterOfAManualOne) {
    for (bool manual : {false, true}) {
        SCOPED_TRACE(manual ? "manual-reset" : "auto-reset");
        auto e = test::NewEvent(manual, false);
        auto body = [&] { return ::WaitForSingleObject(e.get(), INFINITE); };
        test::Handle threads[] = {test::StartThread(body), test::StartThread(body)};
        HANDLE handles[] = {threads[0].get(), threads[1].get()};
        ASSERT_TRUE(::SetEvent(e.get()));
        DWORD first = ::WaitForMultipleObjects(2, handles, FALSE, kBound);
        ASSERT_LT(first - WAIT_OBJECT_0, 2u);
        HANDLE other = handles[1 - (first - WAIT_OBJECT_0)];
        EXPECT_EQ(::WaitForSingleObject(other, manual ? kBound : kQuiet), manual ? WAIT_OBJECT_0 : WAIT_TIMEOUT);
        EXPECT_EQ(::WaitForSingleObject(e.get(), 0), manual ? WAIT_OBJECT_0 : WAIT_TIMEOUT) << "the signal after";
        if (manual) continue;
        ASSERT_TRUE(::SetEvent(e.get()));
        EXPECT_EQ(::WaitForSingleObject(other, kBound), WAIT_OBJECT_0);
    }
}

// That an any-of waiter wakes for an object set later shows in the device's
// connect, which waits for "connected" or "failed".
TEST(KernelWait, AnyOfReturnsTheFirstSignalledIndexAndConsumesOnlyIt) {
    test::Handle events[] = {test::NewEvent(false, false), test::NewEvent(false, true), test::NewEvent(false, true)};
    HANDLE handles[] = {events[0].get(), events[1].get(), events[2].get()};
    EXPECT_EQ(::WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(::WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 2);
    EXPECT_EQ(::WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_TIMEOUT);
}

TEST(KernelWait, WaitAllTakesNothingUntilEveryObjectIsSignalledAndWakesForTheLast) {
    test::Handle events[] = {test::NewEvent(false, true), test::NewEvent(true, false)};
    HANDLE handles[] = {events[0].get(), events[1].get()};
    EXPECT_EQ(::WaitForMultipleObjects(2, handles, TRUE, 0), WAIT_TIMEOUT);
    EXPECT_EQ(::WaitForMultipleObjects(2, handles, TRUE, 30), WAIT_TIMEOUT);
    EXPECT_EQ(::WaitForSingleObject(handles[0], 0), WAIT_OBJECT_0) << "a partial wait-all consumed an event";

    ASSERT_TRUE(::SetEvent(handles[0]));
    ASSERT_TRUE(::SetEvent(handles[1]));
    EXPECT_EQ(::WaitForMultipleObjects(2, handles, TRUE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(handles[0], 0), WAIT_TIMEOUT) << "auto-reset consumed";
    EXPECT_EQ(::WaitForSingleObject(handles[1], 0), WAIT_OBJECT_0) << "manual-reset kept";
    // A waiter wakes when the last object is set.
    auto waiter = test::StartThread([&] { return ::WaitForMultipleObjects(2, handles, TRUE, INFINITE); });
    EXPECT_EQ(::WaitForSingleObject(waiter.get(), kQuiet), WAIT_TIMEOUT);
    ASSERT_TRUE(::SetEvent(handles[0]));
    ASSERT_EQ(::WaitForSingleObject(waiter.get(), kBound), WAIT_OBJECT_0);
    EXPECT_EQ(test::ExitCode(waiter.get()), WAIT_OBJECT_0);
}

// Every call on a null or closed handle fails with ERROR_INVALID_HANDLE, and
// so does a thread call on an event.
TEST(KernelWait, BadHandlesFailWithInvalidHandle) {
    auto good = test::NewEvent(true, true), unset = test::NewEvent(false, false);
    HANDLE closed = test::NewEvent(true, true).get();  // closed at the end of the statement
    DWORD code = 0;
    for (HANDLE bad : {HANDLE(nullptr), closed, unset.get()}) {
        HANDLE pair[] = {good.get(), bad};
        // Each call's name, whether it is a thread call, and the call, true when it failed.
        const std::tuple<const char*, bool, std::function<bool()>> calls[] = {
            {"WaitForSingleObject", false, [&] { return ::WaitForSingleObject(bad, 0) == WAIT_FAILED; }},
            {"WaitForMultipleObjects", false,
             [&] { return ::WaitForMultipleObjects(2, pair, FALSE, 0) == WAIT_FAILED; }},
            {"SetEvent", false, [&] { return !::SetEvent(bad); }},
            {"ResetEvent", false, [&] { return !::ResetEvent(bad); }},
            {"CloseHandle", false, [&] { return !::CloseHandle(bad); }},
            {"TerminateThread", true, [&] { return !::TerminateThread(bad, 0); }},
            {"GetExitCodeThread", true, [&] { return !::GetExitCodeThread(bad, &code); }},
        };
        for (const auto& [name, threadCall, fails] : calls) {
            if (bad == unset.get() && !threadCall) continue;
            ::SetLastError(0);
            EXPECT_TRUE(fails()) << name << " on " << bad;
            EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE)) << name << " on " << bad;
        }
    }
    EXPECT_EQ(::WaitForSingleObject(good.get(), 0), WAIT_OBJECT_0) << "a failed any-of wait took the good event";
    EXPECT_EQ(::WaitForSingleObject(unset.get(), 0), WAIT_TIMEOUT) << "a thread call on the event set it";
}

}  // namespace
