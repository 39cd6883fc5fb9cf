// The fault switch of each kernel call: armed, the call fails with the given
// code; the next call works again. CreateEventW, SetEvent, CloseHandle,
// WaitForSingleObject and TerminateThread are failed through util::Event and
// util::Thread, whose tests check the code.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "KernelObjects.h"
#include "platform/sim/Faults.h"

namespace {

struct FaultCase {
    std::string call;
    // Runs the call on fresh objects; true when it reported failure.
    std::function<bool(HANDLE event, HANDLE thread)> fails;
};

class KernelFault : public testing::TestWithParam<FaultCase> {};

TEST_P(KernelFault, ArmedCallFailsOnceWithTheCode) {
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the real kernel has no fault switch";
    auto event = test::NewEvent(true, true);
    auto thread = test::StartThread([] { return 0u; });
    ASSERT_EQ(::WaitForSingleObject(thread.get(), test::kBound), WAIT_OBJECT_0);

    const FaultCase& c = GetParam();
    {
        sim::ScopedFault fault(c.call.c_str(), 0x1234);
        ::SetLastError(0);
        EXPECT_TRUE(c.fails(event.get(), thread.get()));
        EXPECT_EQ(::GetLastError(), 0x1234u);
        EXPECT_FALSE(c.fails(event.get(), thread.get())) << "the fault fires once";
    }
}

std::vector<FaultCase> Cases() {
    return {
        {"ResetEvent", [](HANDLE e, HANDLE) { return !::ResetEvent(e); }},
        {"WaitForMultipleObjects",
         [](HANDLE e, HANDLE) { return ::WaitForMultipleObjects(1, &e, FALSE, 0) == WAIT_FAILED; }},
        {"_beginthreadex",
         [](HANDLE, HANDLE) {
             unsigned id = 0;
             uintptr_t h = ::_beginthreadex(nullptr, 0, [](void*) { return 0u; }, nullptr, 0, &id);
             if (h == 0) return true;
             ::WaitForSingleObject(reinterpret_cast<HANDLE>(h), test::kBound);
             ::CloseHandle(reinterpret_cast<HANDLE>(h));
             return false;
         }},
        {"GetExitCodeThread",
         [](HANDLE, HANDLE t) {
             DWORD code = 0;
             return !::GetExitCodeThread(t, &code);
         }},
    };
}

INSTANTIATE_TEST_SUITE_P(Kernel, KernelFault, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<FaultCase>& param) {
                             std::string name = param.param.call;
                             return name[0] == '_' ? name.substr(1) : name;
                         });

}  // namespace
