#include <gtest/gtest.h>

#include <climits>
#include <type_traits>

#include "TestSupport.h"
#include "foundation/String.h"

using util::String;

namespace {

static_assert(std::is_base_of_v<std::wstring, String> && sizeof(String) == sizeof(std::wstring));

TEST(String, NullPointerIsEmptyInConstructionAssignmentAndConcatenation) {
    const wchar_t* none = nullptr;
    EXPECT_TRUE(String(none).empty());
    String t(L"abc");
    t = none;
    EXPECT_TRUE(t.empty());
    String a(L"ab"), b(L"cd");
    EXPECT_EQ(a + L"x", L"abx");
    EXPECT_EQ(L"x" + a, L"xab");
    EXPECT_EQ(a + b, L"abcd");
    EXPECT_EQ(String(a, none), L"ab");
    EXPECT_EQ(String(none, a), L"ab");
}

TEST(String, LeftMidRightBounds) {
    String s(L"abc");
    EXPECT_EQ(s.Left(2), L"ab");
    EXPECT_EQ(s.Left(10), L"abc");
    EXPECT_EQ(s.Right(2), L"bc");
    EXPECT_EQ(s.Right(10), L"abc");
    EXPECT_EQ(s.Mid(1), L"bc");
    EXPECT_EQ(s.Mid(3), L"");
    auto e = test::ExpectThrows<util::StlEx>([&] { s.Mid(4); });
    ASSERT_EQ(e.Entries().size(), 1u);
    EXPECT_EQ(e.Entries()[0].type, L"class std::out_of_range");
    EXPECT_EQ(e.Entries()[0].function, L"util::Basic_String<wchar_t>::Mid");
}

TEST(String, ExtractLeftRemovesThePrefix) {
    String s(L"abcdef");
    EXPECT_EQ(s.ExtractLeft(2), L"ab");
    EXPECT_EQ(s, L"cdef");
    EXPECT_EQ(s.ExtractLeft(4), L"cdef");
    EXPECT_EQ(s, L"");
    String t(L"ab");
    auto e = test::ExpectThrows<util::StlEx>([&] { t.ExtractLeft(3); });
    // Mid raised it; ExtractLeft's chain added its entry.
    ASSERT_EQ(e.Entries().size(), 2u);
    EXPECT_EQ(e.Entries()[1].function, L"util::Basic_String<wchar_t>::ExtractLeft");
    EXPECT_EQ(t, L"ab");
}

TEST(String, Extract) {
    struct Row {
        const wchar_t* text;
        const wchar_t* delimiter;
        bool first;
        const wchar_t* returned;
        const wchar_t* left;
    };
    const Row rows[] = {
        {L"a,b,c", L",", true, L"a", L"b,c"}, {L"a,b,c", L",", false, L"a,b", L"c"},
        {L"abc", L",", true, L"abc", L""},    {L"abc", L",", false, L"abc", L""},
        {L"a::b::c", L"::", true, L"a", L"b::c"}, {L",x", L",", true, L"", L"x"},
        {L"", L",", true, L"", L""},
    };
    for (const auto& r : rows) {
        String s(r.text);
        EXPECT_EQ(s.Extract(r.delimiter, r.first), r.returned) << r.text << " first=" << r.first;
        EXPECT_EQ(s, r.left) << r.text << " first=" << r.first;
    }
}

TEST(String, CaseChangesAndComparesOnlyAsciiLetters) {
    String s(L"aZ\u00e9\u00c9 1-\u0431");
    String upper, lower;
    s.ToUpper(upper);
    s.ToLower(lower);
    EXPECT_EQ(upper, L"AZ\u00e9\u00c9 1-\u0431");
    EXPECT_EQ(lower, L"az\u00e9\u00c9 1-\u0431");
    EXPECT_EQ(s, L"aZ\u00e9\u00c9 1-\u0431");  // the copies changed, not the source
    s.ToUpper();
    EXPECT_EQ(s, upper);

    EXPECT_EQ(String(L"WLan").CompareI(L"wlan"), 0);
    EXPECT_LT(String(L"abc").CompareI(L"ABD"), 0);
    EXPECT_GT(String(L"b").CompareI(L"A"), 0);
    EXPECT_NE(String(L"\u00e9").CompareI(L"\u00c9"), 0);
}

TEST(String, TrimRight) {
    const std::pair<const wchar_t*, const wchar_t*> rows[] = {
        {L"ab  \t\r\n", L"ab"}, {L" \t ", L""}, {L"", L""}, {L" a b ", L" a b"}};
    for (const auto& [in, out] : rows) {
        String s(in);
        s.TrimRight();
        EXPECT_EQ(s, out);
    }
}

TEST(String, NumbersUseTheClassicLocale) {
    String s(L"n=");
    s.AppendNumber(UINT32_MAX);
    EXPECT_EQ(s, L"n=4294967295");
    s.AssignNumber(0);
    EXPECT_EQ(s, L"0");
    const std::pair<const wchar_t*, int32_t> rows[] = {
        {L"42", 42}, {L"  -17abc", -17}, {L"+5", 5}, {L"abc", 0}, {L"", 0}, {L"12 34", 12}, {L"2147483647", INT32_MAX},
    };
    for (const auto& [in, v] : rows) EXPECT_EQ(String(in).GetInt(), v) << in;
}

TEST(String, ReplaceSubStringNeverRescansInsertedText) {
    String s(L"aXbX");
    EXPECT_TRUE(s.ReplaceSubString(L"X", L"XX"));
    EXPECT_EQ(s, L"aXXbXX");
    String t(L"none");
    EXPECT_FALSE(t.ReplaceSubString(L"X", L"Y"));
    EXPECT_EQ(t, L"none");
    String u(L"aaaa");
    EXPECT_TRUE(u.ReplaceSubString(L"aa", L"a"));
    EXPECT_EQ(u, L"aa");
}

TEST(String, GetBufferLengthCountsBytesWithTerminator) {
    EXPECT_EQ(String().GetBufferLength(), 0u);
    EXPECT_EQ(String(L"ab").GetBufferLength(), 3 * sizeof(wchar_t));
}

}  // namespace
