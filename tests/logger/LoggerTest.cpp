#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <sstream>

#include "TempFile.h"
#include "TestSupport.h"
#include "logger/Logger.h"

namespace {

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// A log of its own with a capture attached, so that the process's log and
// its configuration stay untouched.
struct LocalLog {
    util::Log log;
    std::shared_ptr<util::CaptureSink> capture = std::make_shared<util::CaptureSink>();
    LocalLog() { log.AddSink(capture); }
};

TEST(Logger, TheFourCallsWriteOneRecordPerExpression) {
    test::LogCapture capture;
    int64_t before = NowMs();
    GetLog().GetLogStream().GetStream(LOG_EVENT, 2, L"src/device/Open.cpp", L"ace::WLanDevice::Open")
        << L"Scan complete, " << 3 << L" networks";
    int64_t after = NowMs();

    auto found = capture->Find(LOG_EVENT, 2, L"ace::WLanDevice::Open", L"");
    ASSERT_EQ(found.size(), 1u);
    const util::Log::Record& r = found[0];
    EXPECT_EQ(r.text, L"Scan complete, 3 networks");
    EXPECT_EQ(r.level, LOG_EVENT);
    EXPECT_EQ(r.area, 2u);
    EXPECT_EQ(r.file, L"src/device/Open.cpp");
    EXPECT_EQ(r.function, L"ace::WLanDevice::Open");
    EXPECT_GE(r.timeMs, before);
    EXPECT_LE(r.timeMs, after);
    EXPECT_NE(r.thread, 0u);
}

TEST(Logger, RecordEndsWithItsTemporary) {
    LocalLog l;
    {
        util::Log::LogStream stream = l.log.GetLogStream();
        stream.GetStream(LOG_INFO, 1, L"f", L"g") << L"part one";
        EXPECT_TRUE(l.capture->Records().empty()) << "committed before the stream ended";
        stream.GetStream(LOG_INFO, 1, L"f", L"g") << L", part two";
    }
    auto records = l.capture->Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text, L"part one, part two");

    // A stream that never received GetStream writes nothing; an empty text is a record.
    { util::Log::LogStream unused = l.log.GetLogStream(); }
    l.log.GetLogStream().GetStream(LOG_TRACE, 2, L"f", L"ace::WLanDevice::GetDeviceStatus");
    records = l.capture->Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[1].text.empty());
    EXPECT_EQ(records[1].function, L"ace::WLanDevice::GetDeviceStatus");
}

TEST(Logger, LevelMaskFiltersEveryLevel) {
    const unsigned int levels[] = {LOG_ERROR, LOG_WARNING, LOG_INFO, LOG_EVENT, LOG_TRACE, LOG_DETAIL};
    const unsigned int masks[] = {0u, LOG_ERROR, LOG_ERROR | LOG_EVENT, LOG_TRACE | LOG_DETAIL, LOG_ALL};
    for (unsigned int mask : masks) {
        LocalLog l;
        EXPECT_EQ(l.log.GetMask(), LOG_ALL) << "the default lets everything through";
        l.log.SetMask(mask);
        for (unsigned int level : levels) {
            EXPECT_EQ(l.log.IsEnabled(level), (mask & level) != 0) << mask << "/" << level;
            l.log.GetLogStream().GetStream(level, 2, L"f", L"fn") << level;
        }
        auto records = l.capture->Records();
        size_t expected = 0;
        for (unsigned int level : levels) expected += (mask & level) != 0 ? 1 : 0;
        ASSERT_EQ(records.size(), expected) << "mask " << mask;
        for (const auto& r : records) {
            EXPECT_NE(r.level & mask, 0u);
            EXPECT_EQ(r.text, std::to_wstring(r.level));
        }
    }
}

TEST(CaptureSink, FindByLevelAreaFunctionAndText) {
    LocalLog l;
    auto write = [&l](unsigned int level, unsigned int area, const wchar_t* function, const wchar_t* text) {
        l.log.GetLogStream().GetStream(level, area, L"file.cpp", function) << text;
    };
    write(LOG_ERROR, 2, L"ace::WLanDevice::Open", L"Open failed: no adapter");
    write(LOG_EVENT, 2, L"ace::WLanDevice::Open", L"Scan complete");
    write(LOG_EVENT, 1, L"util::RegAdapter::Load", L"Scan complete");
    write(LOG_TRACE, 2, L"ace::WLanDevice::DoScan", L"Profile time: 0");

    struct Query {
        unsigned int levelMask;
        unsigned int area;
        const wchar_t* function;
        const wchar_t* text;
        size_t count;
    };
    const Query queries[] = {
        {0, 0, L"", L"", 4},
        {LOG_EVENT, 0, L"", L"", 2},
        {LOG_ERROR | LOG_TRACE, 0, L"", L"", 2},
        {LOG_WARNING, 0, L"", L"", 0},
        {0, 1, L"", L"", 1},
        {0, 2, L"", L"", 3},
        {0, 0, L"ace::WLanDevice::Open", L"", 2},
        {0, 0, L"ace::WLanDevice", L"", 0},  // function names match whole
        {0, 0, L"", L"failed", 1},           // texts match as a substring
        {0, 0, L"", L"scan complete", 0},    // and exactly, case included
        {LOG_EVENT, 2, L"ace::WLanDevice::Open", L"Scan", 1},
        {LOG_EVENT, 1, L"ace::WLanDevice::Open", L"Scan", 0},
    };
    for (const Query& q : queries) {
        EXPECT_EQ(l.capture->Find(q.levelMask, q.area, q.function, q.text).size(), q.count)
            << q.levelMask << " " << q.area << " '" << testing::PrintToString(std::wstring(q.function)) << "' "
            << testing::PrintToString(std::wstring(q.text));
    }
    EXPECT_TRUE(l.capture->Contains(L"Profile time: "));
    EXPECT_FALSE(l.capture->Contains(L"Connected"));
    l.capture->Clear();
    EXPECT_TRUE(l.capture->Records().empty());
}

TEST(Logger, RemovedSinkReceivesNothingMore) {
    LocalLog l;
    l.log.GetLogStream().GetStream(LOG_INFO, 1, L"f", L"fn") << L"one";
    l.log.RemoveSink(l.capture);
    l.log.GetLogStream().GetStream(LOG_INFO, 1, L"f", L"fn") << L"two";
    l.log.AddSink(l.capture);
    l.log.AddSink(l.capture);  // a second add does not double the records
    l.log.GetLogStream().GetStream(LOG_INFO, 1, L"f", L"fn") << L"three";
    auto records = l.capture->Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].text, L"one");
    EXPECT_EQ(records[1].text, L"three");
}

TEST(Logger, TextLineFormat) {
    struct Row {
        int64_t timeMs;
        unsigned int level;
        const char* expected;
    };
    const Row rows[] = {
        {0, LOG_ERROR, "1970-01-01 00:00:00.000 T7 ERROR(0x1) area 2 ns::Fn [a.cpp] text \xC3\xA9\n"},
        {951782400123, LOG_WARNING, "2000-02-29 00:00:00.123 T7 WARN(0x2) area 2 ns::Fn [a.cpp] text \xC3\xA9\n"},
        {4107542399999, LOG_DETAIL, "2100-02-28 23:59:59.999 T7 DETAIL(0x40) area 2 ns::Fn [a.cpp] text \xC3\xA9\n"},
        {1234567890000, LOG_ERROR | LOG_INFO, "2009-02-13 23:31:30.000 T7 LEVEL(0x5) area 2 ns::Fn [a.cpp] text \xC3\xA9\n"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(util::Log::Format({r.timeMs, 7, r.level, 2, L"a.cpp", L"ns::Fn", L"text \u00E9"}), r.expected);
    }
}

TEST(Logger, FileSinkAppendsOneLinePerRecord) {
    test::TempFile file;
    {
        LocalLog l;
        ASSERT_TRUE(l.log.SetLogFile(file.WidePath()));
        l.log.GetLogStream().GetStream(LOG_INFO, 2, L"a.cpp", L"ns::First") << L"first";
        ASSERT_TRUE(l.log.SetLogFile(L""));  // closes it
        l.log.GetLogStream().GetStream(LOG_INFO, 2, L"a.cpp", L"ns::Lost") << L"not written";
        ASSERT_TRUE(l.log.SetLogFile(file.WidePath()));  // appends
        l.log.GetLogStream().GetStream(LOG_INFO, 2, L"a.cpp", L"ns::Second") << L"second";
    }
    auto lines = file.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("area 2 ns::First [a.cpp] first"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("area 2 ns::Second [a.cpp] second"), std::string::npos) << lines[1];

    util::Log other;
    EXPECT_FALSE(other.SetLogFile(file.WidePath() + L".missing/dir/x.log"));
}

TEST(Logger, NumbersUseTheClassicLocale) {
    const std::locale previous = std::locale::global(test::GroupingLocale());
    std::wostringstream control;
    control << 1234567;
    LocalLog l;
    l.log.GetLogStream().GetStream(LOG_INFO, 2, L"f", L"fn")
        << 1234567 << L" " << 4294967295u << L" " << 2.5 << L" " << -10000;
    std::locale::global(previous);
    ASSERT_EQ(control.str(), L"1.234.567") << "the global locale should group here";
    auto records = l.capture->Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text, L"1234567 4294967295 2.5 -10000");
}

}  // namespace
