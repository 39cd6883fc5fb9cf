#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <type_traits>

#include "Entries.h"
#include "foundation/MemBuff.h"
#include "foundation/String.h"
#include "foundation/StringUtility.h"
#include "platform/sim/Faults.h"
#include "platform/win32.h"

namespace {

using util::String, util::StringUtility;
using List = StringUtility::StringList;

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

TEST(String, SlicesAndTheirBounds) {
    String s(L"abc");
    const std::pair<String, const wchar_t*> slices[] = {{s.Left(2), L"ab"}, {s.Left(10), L"abc"}, {s.Right(2), L"bc"},
                                                        {s.Right(10), L"abc"}, {s.Mid(1), L"bc"}, {s.Mid(3), L""}};
    for (size_t i = 0; i < std::size(slices); ++i) EXPECT_EQ(slices[i].first, slices[i].second) << "slice " << i;

    // ExtractLeft removes the prefix it returns.
    String t(L"abcdef");
    EXPECT_EQ(t.ExtractLeft(2), L"ab");
    EXPECT_EQ(t, L"cdef");
    EXPECT_EQ(t.ExtractLeft(4), L"cdef");
    EXPECT_EQ(t, L"");
    t = L"ab";
    auto e = test::ExpectThrows<util::StlEx>([&] { t.ExtractLeft(3); });
    // Mid, one past the end, raised it; ExtractLeft's chain added its entry.
    ASSERT_EQ(e.Entries().size(), 2u);
    EXPECT_EQ(e.Entries()[0].type, L"class std::out_of_range");
    EXPECT_EQ(e.Entries()[0].function, L"util::Basic_String<wchar_t>::Mid");
    EXPECT_EQ(e.Entries()[1].function, L"util::Basic_String<wchar_t>::ExtractLeft");
    EXPECT_EQ(t, L"ab");
}

TEST(String, Extract) {
    const std::tuple<const wchar_t*, const wchar_t*, bool, const wchar_t*, const wchar_t*> rows[] = {
        {L"a,b,c", L",", true, L"a", L"b,c"}, {L"a,b,c", L",", false, L"a,b", L"c"},
        {L"abc", L",", true, L"abc", L""},    {L"abc", L",", false, L"abc", L""},
        {L"a::b::c", L"::", true, L"a", L"b::c"}, {L",x", L",", true, L"", L"x"},
        {L"", L",", true, L"", L""},
    };
    for (const auto& [text, delimiter, first, returned, left] : rows) {
        String s(text);
        EXPECT_EQ(s.Extract(delimiter, first), returned) << text << " first=" << first;
        EXPECT_EQ(s, left) << text << " first=" << first;
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

    // Equal names in another case are the inventory's (tests/registry).
    EXPECT_LT(String(L"abc").CompareI(L"ABD"), 0);
    EXPECT_GT(String(L"b").CompareI(L"A"), 0);
    EXPECT_NE(String(L"\u00e9").CompareI(L"\u00c9"), 0);
}

TEST(String, TrimRightAndBufferLength) {
    EXPECT_EQ(String().GetBufferLength(), 0u);
    EXPECT_EQ(String(L"ab").GetBufferLength(), 3 * sizeof(wchar_t));  // bytes with the terminator
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
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, bool, const wchar_t*> rows[] = {
        {L"aXbX", L"X", L"XX", true, L"aXXbXX"},
        {L"none", L"X", L"Y", false, L"none"},
        {L"aaaa", L"aa", L"a", true, L"aa"},
    };
    for (const auto& [text, find, replace, replaced, result] : rows) {
        String s(text);
        EXPECT_EQ(s.ReplaceSubString(find, replace), replaced) << text;
        EXPECT_EQ(s, result);
    }
}

TEST(StringUtility, TokenizeString) {
    const std::tuple<const wchar_t*, const wchar_t*, List> rows[] = {
        {L"a,,b", L",", {L"a", L"", L"b"}},
        {L"a,", L",", {L"a"}},
        {L",", L",", {L""}},
        {L"abc", L",", {L"abc"}},
    };
    for (const auto& [text, delimiter, pieces] : rows) {
        List list{L"kept"}, expected{L"kept"};
        uint32_t n = StringUtility::TokenizeString(text, delimiter, list);
        expected.insert(expected.end(), pieces.begin(), pieces.end());
        EXPECT_EQ(list, expected) << text;
        EXPECT_EQ(n, expected.size());
    }
    List list;
    EXPECT_EQ(StringUtility::TokenizeString(L"", L",", list), 0u);
    EXPECT_EQ(StringUtility::TokenizeString(L"a,b", L"", list), 0u);
    EXPECT_TRUE(list.empty());
}

TEST(StringUtility, DoubleNullRoundTrip) {
    // A list's size and its reading are the registry values' (RegEditTest).
    EXPECT_EQ(StringUtility::GetDubbleNullStringSize({}), 1u);

    List list{L"10.0.0.1", L"", L"x"};
    std::vector<wchar_t> buffer(StringUtility::GetDubbleNullStringSize(list), L'#');
    StringUtility::ConvertToDubbleNullString(list, buffer.data());
    const wchar_t expected[] = L"10.0.0.1\0\0x\0";  // an empty entry ends the list on reading
    EXPECT_EQ(std::wmemcmp(buffer.data(), expected, buffer.size()), 0);

    List back{L"old"};
    StringUtility::ConvertDubbleNullString(nullptr, back);
    EXPECT_EQ(back, List{L"old"});
    StringUtility::ConvertDubbleNullString(L"", back);
    EXPECT_TRUE(back.empty());
}

TEST(StringUtility, StringIndexToSubString) {
    String s(L"Key <1> was <2> <1>");
    EXPECT_TRUE(StringUtility::StringIndexToSubString(s, 1, L"K"));  // what it replaces: the SetParam rows
    EXPECT_FALSE(StringUtility::StringIndexToSubString(s, 3, L"Z"));
    String empty;
    auto e = test::ExpectThrows<util::ArgumentEx>([&] { StringUtility::StringIndexToSubString(empty, 1, L"v"); });
    test::ExpectEntry(e, 0, L"class util::ArgumentEx", L"util::StringUtility::StringIndexToSubString",
                      L"Invalid argument: ", 0);
}

TEST(StringUtility, AnsiRoundTrip) {
    char buffer[64];
    // A lone surrogate has no ANSI form, whether the code page is UTF-8 or not.
    EXPECT_FALSE(StringUtility::ConvertUnicodeToAnsi(String(1, static_cast<wchar_t>(0xD800)), buffer, sizeof buffer));
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(StringUtility::ConvertUnicodeToAnsi(L"WlanDevice", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "WlanDevice");
    EXPECT_TRUE(StringUtility::ConvertUnicodeToAnsi(L"", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "WlanDevice") << "an empty text leaves the buffer alone";
    String back;
    util::MemBuff bytes("net", 3);  // no terminator: read stops at the block's end
    StringUtility::ConvertAnsiToUnicode(bytes, back);
    EXPECT_EQ(back, L"net");
    StringUtility::ConvertAnsiToUnicode("", back);
    EXPECT_EQ(back, L"");
}

// A narrowing that does not fit raises the kernel's entry, the utility's,
// then its chain: Thread.NameTooLongForTheAnsiBufferFailsAndLeavesTheThreadIdle.

TEST(StringUtility, FailedWideningRaisesSystemCallExWithApiExFirst) {
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the real kernel cannot be made to fail";
    sim::ScopedFault fault("MultiByteToWideChar", ERROR_NO_UNICODE_TRANSLATION);
    String out(L"kept");
    auto e = test::ExpectThrows<util::SystemCallEx>([&] { StringUtility::ConvertAnsiToUnicode("abc", out); });
    const std::wstring toWide = L"util::StringUtility::ConvertAnsiToUnicode";
    test::ExpectEntries(e, {test::Api(L"MultiByteToWideChar", ERROR_NO_UNICODE_TRANSLATION),
                            test::Call(toWide, L"MultiByteToWideChar"), test::Stack(toWide)});
    EXPECT_EQ(out, L"kept");
}

// The bytes in use, once the invariants every operation must keep are checked.
std::string Contents(const util::MemBuff& b) {
    EXPECT_LE(b.GetSize(), b.GetCapacity());
    EXPECT_EQ(b.GetBuffer() == nullptr, b.GetCapacity() == 0);
    for (uint32_t i = b.GetSize(); i < b.GetCapacity(); ++i) EXPECT_EQ(b.GetBuffer()[i], 0) << "byte " << i;
    return std::string(reinterpret_cast<const char*>(b.GetBuffer()), b.GetSize());
}

TEST(MemBuff, Assign) {
    util::MemBuff b("abc", 3);
    auto e = test::ExpectThrows<util::ArgumentNullEx>([&] { b.Assign(nullptr, 4); });
    test::ExpectEntries(e, {{L"class util::ArgumentNullEx", L"util::MemBuff::Assign",
                             L"NULL value invalid for param pBuffer when uiBufferSize != 0."},
                            test::Stack(L"util::MemBuff::Assign")});
    EXPECT_EQ(Contents(b), "abc");  // nothing lost
    // A large enough block is reused; null with zero size empties.
    util::MemBuff c("abcdef", 6);
    const uint8_t* block = c.GetBuffer();
    c.Assign("xy", 2);
    EXPECT_EQ(c.GetBuffer(), block);
    EXPECT_EQ(Contents(c), "xy");
    EXPECT_EQ(c.GetCapacity(), 6u);
    c.Assign("0123456789", 10);
    EXPECT_EQ(Contents(c), "0123456789");
    EXPECT_EQ(c.GetCapacity(), 10u);
    c.Assign(nullptr, 0);
    EXPECT_EQ(c.GetBuffer(), nullptr);
    EXPECT_EQ(Contents(c), "");
}

// Shrinking reallocates to the exact size; growing within the capacity keeps the block.
TEST(MemBuff, ResizeAppendAndAlloc) {
    util::MemBuff b("abcdef", 6);
    b.Resize(3);
    EXPECT_EQ(b.GetCapacity(), 3u);
    EXPECT_EQ(Contents(b), "abc");
    b.Resize(8);
    EXPECT_EQ(b.GetCapacity(), 8u);
    EXPECT_EQ(Contents(b), std::string("abc\0\0\0\0\0", 8));
    b.Assign("xy", 2);
    const uint8_t* block = b.GetBuffer();
    b.Resize(4);
    EXPECT_EQ(b.GetBuffer(), block);
    EXPECT_EQ(Contents(b), std::string("xy\0\0", 4));  // exposed bytes are zero
    b.Resize(0);
    EXPECT_EQ(b.GetBuffer(), nullptr);
    EXPECT_EQ(Contents(b), "");

    for (uint8_t c : {'h', 'i', '\0'}) b.Append(c);
    EXPECT_EQ(Contents(b), std::string("hi\0", 3));
    b.Alloc(5);
    EXPECT_EQ(Contents(b), std::string(5, '\0'));
}

TEST(MemBuff, CopiesOwnTheirBytes) {
    util::MemBuff a("abc", 3);
    util::MemBuff b(a);
    util::MemBuff c;
    c = a;
    a.Assign("xyz", 3);
    EXPECT_EQ(Contents(b), "abc");
    EXPECT_EQ(Contents(c), "abc");
    c = c;
    EXPECT_EQ(Contents(c), "abc");
}

}  // namespace
