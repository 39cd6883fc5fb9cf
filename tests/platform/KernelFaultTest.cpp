// The fault switch of each kernel call: armed, the call fails with the given
// code; the next call works again. CreateEventW, SetEvent, CloseHandle,
// WaitForSingleObject, TerminateThread and _beginthreadex are failed through
// util::Event and util::Thread, whose tests check the code.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "KernelObjects.h"
#include "platform/sim/Faults.h"

namespace {

TEST(KernelFault, ArmedCallFailsOnceWithTheCode) {
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the real kernel has no fault switch";
    auto event = test::NewEvent(true, true);
    auto thread = test::StartThread([] { return 0u; });
    ASSERT_EQ(::WaitForSingleObject(thread.get(), test::kBound), WAIT_OBJECT_0);
    HANDLE e = event.get();
    DWORD code = 0;
    // Each runs the call once; true when it reported failure.
    const std::pair<const char*, std::function<bool()>> rows[] = {
        {"WaitForMultipleObjects", [&] { return ::WaitForMultipleObjects(1, &e, FALSE, 0) == WAIT_FAILED; }},
        {"ResetEvent", [&] { return !::ResetEvent(e); }},
        {"GetExitCodeThread", [&] { return !::GetExitCodeThread(thread.get(), &code); }},
    };
    for (const auto& [call, fails] : rows) {
        SCOPED_TRACE(call);
        sim::ScopedFault fault(call, 0x1234);
        ::SetLastError(0);
        EXPECT_TRUE(fails());
        EXPECT_EQ(::GetLastError(), 0x1234u);
        EXPECT_FALSE(fails()) << "the fault fires once";
    }
}

}  // namespace
