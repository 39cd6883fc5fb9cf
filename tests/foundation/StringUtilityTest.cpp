#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"
#include "foundation/Api.h"
#include "foundation/StringUtility.h"
#include "platform/sim/Faults.h"
#include "platform/win32.h"

using util::String;
using util::StringUtility;
using List = StringUtility::StringList;

namespace {

TEST(StringUtility, TokenizeString) {
    struct Row {
        const wchar_t* text;
        const wchar_t* delimiter;
        List expected;
    };
    const Row rows[] = {
        {L"a,,b", L",", {L"a", L"", L"b"}},
        {L"a,", L",", {L"a"}},
        {L",", L",", {L""}},
        {L"SignalStrength NetworkName", L" ", {L"SignalStrength", L"NetworkName"}},
        {L"abc", L",", {L"abc"}},
    };
    for (const auto& r : rows) {
        List list{L"kept"};
        uint32_t n = StringUtility::TokenizeString(r.text, r.delimiter, list);
        List expected{L"kept"};
        expected.insert(expected.end(), r.expected.begin(), r.expected.end());
        EXPECT_EQ(list, expected) << r.text;
        EXPECT_EQ(n, expected.size());
    }
    List list;
    EXPECT_EQ(StringUtility::TokenizeString(L"", L",", list), 0u);
    EXPECT_EQ(StringUtility::TokenizeString(L"a,b", L"", list), 0u);
    EXPECT_TRUE(list.empty());
}

TEST(StringUtility, DoubleNullRoundTrip) {
    EXPECT_EQ(StringUtility::GetDubbleNullStringSize({}), 1u);
    EXPECT_EQ(StringUtility::GetDubbleNullStringSize({L"ab", L"c"}), 6u);

    List list{L"10.0.0.1", L"", L"x"};
    std::vector<wchar_t> buffer(StringUtility::GetDubbleNullStringSize(list), L'#');
    StringUtility::ConvertToDubbleNullString(list, buffer.data());
    const wchar_t expected[] = L"10.0.0.1\0\0x\0";  // an empty entry ends the list on reading
    EXPECT_EQ(std::wmemcmp(buffer.data(), expected, buffer.size()), 0);

    List back{L"old"};
    StringUtility::ConvertDubbleNullString(L"a\0bc\0", back);
    EXPECT_EQ(back, (List{L"a", L"bc"}));
    StringUtility::ConvertDubbleNullString(nullptr, back);
    EXPECT_EQ(back, (List{L"a", L"bc"}));
    StringUtility::ConvertDubbleNullString(L"", back);
    EXPECT_TRUE(back.empty());
}

TEST(StringUtility, StringIndexToSubString) {
    String s(L"Key <1> was <2> <1>");
    EXPECT_TRUE(StringUtility::StringIndexToSubString(s, 1, L"K"));
    EXPECT_EQ(s, L"Key K was <2> K");
    EXPECT_FALSE(StringUtility::StringIndexToSubString(s, 3, L"Z"));
    String empty;
    auto e = test::ExpectThrows<util::ArgumentEx>([&] { StringUtility::StringIndexToSubString(empty, 1, L"v"); });
    test::ExpectEntry(e, 0, L"class util::ArgumentEx", L"util::StringUtility::StringIndexToSubString",
                      L"Invalid argument: ", 0);
}

TEST(StringUtility, AnsiRoundTrip) {
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(StringUtility::ConvertUnicodeToAnsi(L"WlanDevice", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "WlanDevice");
    EXPECT_TRUE(StringUtility::ConvertUnicodeToAnsi(L"", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "WlanDevice") << "an empty text leaves the buffer alone";
    // A lone surrogate has no ANSI form, whether the code page is UTF-8 or not.
    EXPECT_FALSE(StringUtility::ConvertUnicodeToAnsi(String(1, static_cast<wchar_t>(0xD800)), buffer, sizeof buffer));
    EXPECT_TRUE(StringUtility::ConvertUnicodeToAnsi(L"WlanDevice", buffer, sizeof buffer));
    String back;
    StringUtility::ConvertAnsiToUnicode(buffer, back);
    EXPECT_EQ(back, L"WlanDevice");

    util::MemBuff bytes("net", 3);  // no terminator: read stops at the block's end
    StringUtility::ConvertAnsiToUnicode(bytes, back);
    EXPECT_EQ(back, L"net");
    StringUtility::ConvertAnsiToUnicode("", back);
    EXPECT_EQ(back, L"");
}

TEST(StringUtility, BufferTooSmallRaisesSystemCallExWithApiExFirst) {
    char buffer[4];
    auto e = test::ExpectThrows<util::SystemCallEx>(
        [&] { StringUtility::ConvertUnicodeToAnsi(L"too long for it", buffer, sizeof buffer); });
    ASSERT_EQ(e.Entries().size(), 3u);
    test::ExpectEntry(e, 0, L"class util::ApiEx", L"wapi::WideCharToMultiByte", util::SystemMessage(ERROR_INSUFFICIENT_BUFFER), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_FALSE(e.Entries()[0].message.empty());
    test::ExpectEntry(e, 1, L"class util::SystemCallEx", L"util::StringUtility::ConvertUnicodeToAnsi",
                      L"System call: WideCharToMultiByte failed.", 0);
    test::ExpectEntry(e, 2, L"Stack Entry", L"util::StringUtility::ConvertUnicodeToAnsi", L"", 0);
}

TEST(StringUtility, FailingMultiByteToWideCharRaisesSystemCallEx) {
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the real kernel cannot be made to fail";
    sim::ScopedFault fault("MultiByteToWideChar", ERROR_NO_UNICODE_TRANSLATION);
    String out(L"kept");
    auto e = test::ExpectThrows<util::SystemCallEx>([&] { StringUtility::ConvertAnsiToUnicode("abc", out); });
    ASSERT_EQ(e.Entries().size(), 3u);
    test::ExpectEntry(e, 0, L"class util::ApiEx", L"wapi::MultiByteToWideChar", util::SystemMessage(ERROR_NO_UNICODE_TRANSLATION), ERROR_NO_UNICODE_TRANSLATION);
    test::ExpectEntry(e, 1, L"class util::SystemCallEx", L"util::StringUtility::ConvertAnsiToUnicode",
                      L"System call: MultiByteToWideChar failed.", 0);
    EXPECT_EQ(out, L"kept");
}

}  // namespace
