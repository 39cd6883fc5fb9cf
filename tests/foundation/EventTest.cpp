#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "TestSupport.h"
#include "foundation/Api.h"
#include "foundation/Event.h"
#include "platform/sim/Faults.h"

namespace {

TEST(Event, CreateGivesAWaitableHandleOfTheRequestedKind) {
    util::Event autoReset, manual;
    autoReset.Create(false, true);
    manual.Create(true, false);
    EXPECT_EQ(::WaitForSingleObject(autoReset.GetHandle(), 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(autoReset.GetHandle(), 0), WAIT_TIMEOUT);
    manual.SetEvent();
    EXPECT_EQ(::WaitForSingleObject(manual.GetHandle(), 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(manual.GetHandle(), 0), WAIT_OBJECT_0);
    manual.ResetEvent();
    EXPECT_EQ(::WaitForSingleObject(manual.GetHandle(), 0), WAIT_TIMEOUT);
}

TEST(Event, CreateFailureReadsAsTheKernelEntryThenTheEventsOwn) {
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the real kernel has no fault switch";
    util::Event e;
    sim::ScopedFault fault("CreateEventW", ERROR_NOT_ENOUGH_MEMORY);
    auto ex = test::ExpectThrows<util::SystemCallEx>([&] { e.Create(false, false); });
    ASSERT_EQ(ex.Entries().size(), 3u);
    test::ExpectEntry(ex, 0, L"class util::ApiEx", L"wapi::CreateEventW", util::SystemMessage(ERROR_NOT_ENOUGH_MEMORY),
                      ERROR_NOT_ENOUGH_MEMORY);
    test::ExpectEntry(ex, 1, L"class util::SystemCallEx", L"util::Event::Create", L"System call: CreateEvent failed.", 0);
    test::ExpectEntry(ex, 2, L"Stack Entry", L"util::Event::Create", L"", 0);
    EXPECT_EQ(e.GetHandle(), nullptr);
}

// Without a handle the kernel refuses the call; the event names it.
TEST(Event, SetAndResetFailureIsASystemCallExNamingTheCall) {
    const std::pair<const wchar_t*, std::function<void(util::Event&)>> rows[] = {
        {L"SetEvent", [](util::Event& e) { e.SetEvent(); }},
        {L"ResetEvent", [](util::Event& e) { e.ResetEvent(); }},
    };
    for (const auto& [call, operation] : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(call)));
        util::Event e;
        auto ex = test::ExpectThrows<util::SystemCallEx>([&] { operation(e); });
        const std::wstring function = std::wstring(L"util::Event::") + call;
        ASSERT_EQ(ex.Entries().size(), 3u);
        test::ExpectEntry(ex, 0, L"class util::ApiEx", std::wstring(L"wapi::") + call, util::SystemMessage(ERROR_INVALID_HANDLE), ERROR_INVALID_HANDLE);
        test::ExpectEntry(ex, 1, L"class util::SystemCallEx", function,
                          std::wstring(L"System call: ") + call + L" failed.", 0);
        test::ExpectEntry(ex, 2, L"Stack Entry", function, L"", 0);
    }
}

TEST(Event, CloseTwiceClosesTheHandleOnce) {
    util::Event e;
    e.Create(true, true);
    HANDLE h = e.GetHandle();
    std::optional<sim::ScopedFault> counter;  // counts the kernel's closes, does not fire
    if (sim::KernelFaultsSupported()) counter.emplace("CloseHandle", ERROR_ACCESS_DENIED, 100);
    e.Close();
    EXPECT_EQ(e.GetHandle(), nullptr);
    EXPECT_EQ(::WaitForSingleObject(h, 0), WAIT_FAILED) << "the handle was closed";
    EXPECT_NO_THROW(e.Close());
    if (counter) {
        EXPECT_EQ(sim::CallCount("CloseHandle"), 1u);
    }
}

TEST(Event, CloseFailureClearsTheHandleAndNamesCloseHandle) {
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the real kernel has no fault switch";
    util::Event e;
    e.Create(false, false);
    HANDLE h = e.GetHandle();
    {
        sim::ScopedFault fault("CloseHandle", ERROR_ACCESS_DENIED);
        auto ex = test::ExpectThrows<util::SystemCallEx>([&] { e.Close(); });
        test::ExpectEntry(ex, 0, L"class util::ApiEx", L"wapi::CloseHandle", util::SystemMessage(ERROR_ACCESS_DENIED), ERROR_ACCESS_DENIED);
        test::ExpectEntry(ex, 1, L"class util::SystemCallEx", L"util::Event::Close",
                          L"System call: CloseHandle failed.", 0);
        EXPECT_EQ(e.GetHandle(), nullptr);
        // The destructor must swallow a failed close too.
        sim::FailCall("CloseHandle", ERROR_ACCESS_DENIED);
        EXPECT_NO_THROW({
            util::Event doomed;
            doomed.Create(false, false);
        });
    }
    ::CloseHandle(h);
}

}  // namespace
