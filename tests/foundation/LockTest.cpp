#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <stdexcept>

#include "TestSupport.h"
#include "TestWorker.h"
#include "foundation/CriticalSection.h"
#include "foundation/ProfileTimer.h"
#include "foundation/ScopedLock.h"

namespace {

using test::kBound;
using test::kQuiet;

// Enters the section on a worker thread and marks itself started once it is in.
std::unique_ptr<test::Worker> Contend(util::CriticalSection& section) {
    auto worker = std::make_unique<test::Worker>([&section](test::Worker& self) {
        util::ScopedLock hold(section);
        self.MarkStarted();
        return 0u;
    });
    worker->Start(L"contender");
    return worker;
}

TEST(ScopedLock, OwnerReentersAndOthersWaitForTheLastLeave) {
    util::CriticalSection section;
    auto outer = std::make_unique<util::ScopedLock>(section);
    auto inner = std::make_unique<util::ScopedLock>(section);
    auto other = Contend(section);
    inner.reset();
    EXPECT_FALSE(other->WaitStarted(kQuiet));
    outer.reset();
    EXPECT_TRUE(other->WaitStarted());
}

TEST(ScopedLock, ReleasesTheLockWhenAnExceptionLeavesTheScope) {
    util::CriticalSection section;
    EXPECT_THROW(
        {
            util::ScopedLock hold(section);
            throw std::runtime_error("leaving");
        },
        std::runtime_error);
    EXPECT_TRUE(Contend(section)->WaitStarted());
}

TEST(ProfileTimer, WritesInTheCLocaleAndRestoresTheStreamsLocale) {
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

TEST(ProfileTimer, ElapsedCountsFromStart) {
    util::ProfileTimer timer(true);
    HANDLE never = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ::WaitForSingleObject(never, 60);
    ::CloseHandle(never);
    uint32_t elapsed = timer.Elapsed();
    EXPECT_GE(elapsed, 40u);
    EXPECT_LT(elapsed, kBound);
    timer.Start();
    EXPECT_LT(timer.Elapsed(), elapsed);
}

}  // namespace
