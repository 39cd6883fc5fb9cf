#include <gtest/gtest.h>

#include <locale>
#include <sstream>
#include <stdexcept>

#include "TestWorker.h"
#include "foundation/CriticalSection.h"
#include "foundation/ProfileTimer.h"
#include "foundation/ScopedLock.h"

namespace {

using test::kBound;
using test::kQuiet;

// Enters the section on its own thread and signals once it is in.
class Contender {
public:
    explicit Contender(util::CriticalSection& section)
        : worker_([&section, this](test::Worker&) {
              util::ScopedLock hold(section);
              ::SetEvent(entered_);
              return 0u;
          }) {
        entered_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        worker_.Start(L"contender");
    }
    ~Contender() { ::CloseHandle(entered_); }
    bool EnteredWithin(DWORD ms) { return ::WaitForSingleObject(entered_, ms) == WAIT_OBJECT_0; }

private:
    HANDLE entered_ = nullptr;
    test::Worker worker_;
};

TEST(ScopedLock, OwnerReentersAndOthersWaitForTheLastLeave) {
    util::CriticalSection section;
    auto outer = std::make_unique<util::ScopedLock>(section);
    auto inner = std::make_unique<util::ScopedLock>(section);
    Contender other(section);
    inner.reset();
    EXPECT_FALSE(other.EnteredWithin(kQuiet));
    outer.reset();
    EXPECT_TRUE(other.EnteredWithin(kBound));
}

TEST(ScopedLock, ReleasesTheLockWhenAnExceptionLeavesTheScope) {
    util::CriticalSection section;
    EXPECT_THROW(
        {
            util::ScopedLock hold(section);
            throw std::runtime_error("leaving");
        },
        std::runtime_error);
    Contender other(section);
    EXPECT_TRUE(other.EnteredWithin(kBound));
}

// Groups thousands with a dot, so any number written in it shows.
struct Grouping : std::numpunct<wchar_t> {
    wchar_t do_thousands_sep() const override { return L'.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(ProfileTimer, WritesInTheCLocaleAndRestoresTheStreamsLocale) {
    std::wostringstream os;
    os.imbue(std::locale(std::locale::classic(), new Grouping));
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
