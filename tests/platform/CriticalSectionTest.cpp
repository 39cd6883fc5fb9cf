#include <gtest/gtest.h>

#include "KernelObjects.h"

namespace {

using test::kBound;
using test::kQuiet;

// The owner may enter again; another thread gets in only after the owner
// has left as often as it entered.
TEST(KernelCriticalSection, IsRecursiveForItsOwner) {
    CRITICAL_SECTION section;
    ::InitializeCriticalSection(&section);
    ::EnterCriticalSection(&section);
    ::EnterCriticalSection(&section);

    auto entered = test::NewEvent(true, false);
    auto other = test::StartThread([&] {
        ::EnterCriticalSection(&section);
        ::SetEvent(entered.get());
        ::LeaveCriticalSection(&section);
        return 0u;
    });
    ::LeaveCriticalSection(&section);
    EXPECT_EQ(::WaitForSingleObject(entered.get(), kQuiet), WAIT_TIMEOUT);
    ::LeaveCriticalSection(&section);
    EXPECT_EQ(::WaitForSingleObject(entered.get(), kBound), WAIT_OBJECT_0);
    ASSERT_EQ(::WaitForSingleObject(other.get(), kBound), WAIT_OBJECT_0);
    ::DeleteCriticalSection(&section);
}

}  // namespace
