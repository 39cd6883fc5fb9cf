#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "TestSupport.h"
#include "foundation/CatchChain.h"

namespace {

// Three nested functions, each ending in the chain.
void Innermost(int what) {
    UTIL_TRY
    switch (what) {
        case 0: throw util::SystemCallEx(L"raise.cpp", L"test::Raise", 5, 1, L"WlanScan");
        case 1: throw std::bad_alloc();
        case 2: throw std::out_of_range("range");
        case 3: throw 42;
        default: break;
    }
    UTIL_CATCH_CHAIN(L"test::Innermost")
}

void Middle(int what) {
    UTIL_TRY
    Innermost(what);
    UTIL_CATCH_CHAIN(L"test::Middle")
}

void Outer(int what) {
    UTIL_TRY
    Middle(what);
    UTIL_CATCH_CHAIN(L"test::Outer")
}

TEST(CatchChain, ExceptionPassingThreeFunctionsGetsThreeStackEntriesInnermostFirst) {
    auto e = test::ExpectThrows<util::SystemCallEx>([] { Outer(0); });
    ASSERT_EQ(e.Entries().size(), 4u);
    test::ExpectEntry(e, 0, L"class util::SystemCallEx", L"test::Raise", L"System call: WlanScan failed.", 0);
    test::ExpectEntry(e, 1, L"Stack Entry", L"test::Innermost", L"", 0);
    test::ExpectEntry(e, 2, L"Stack Entry", L"test::Middle", L"", 0);
    test::ExpectEntry(e, 3, L"Stack Entry", L"test::Outer", L"", 0);
    EXPECT_NE(e.Entries()[1].file.find(L"CatchChainTest.cpp"), std::wstring::npos);
    EXPECT_GT(e.Entries()[1].line, 0u);
}

TEST(CatchChain, BadAllocBecomesOutOfMemoryAtTheFirstChain) {
    auto e = test::ExpectThrows<util::OutOfMemory>([] { Outer(1); });
    ASSERT_EQ(e.Entries().size(), 4u);
    const std::string what = std::bad_alloc().what();
    test::ExpectEntry(e, 0, L"class util::MemEx", L"test::Innermost", L"Memory exception.", 0);
    test::ExpectEntry(e, 1, L"class std::bad_alloc", L"test::Innermost", std::wstring(what.begin(), what.end()), 0);
    test::ExpectEntry(e, 2, L"Stack Entry", L"test::Middle", L"", 0);
}

TEST(CatchChain, StandardExceptionBecomesStlEx) {
    auto e = test::ExpectThrows<util::StlEx>([] { Outer(2); });
    ASSERT_EQ(e.Entries().size(), 3u);
    test::ExpectEntry(e, 0, L"class std::out_of_range", L"test::Innermost", L"range", 0);
}

TEST(CatchChain, AnythingElseBecomesPlainException) {
    auto e = test::ExpectThrows<util::Exception>([] { Outer(3); });
    ASSERT_EQ(e.Entries().size(), 3u);
    test::ExpectEntry(e, 0, L"", L"test::Innermost", L"", 0);
}

}  // namespace
