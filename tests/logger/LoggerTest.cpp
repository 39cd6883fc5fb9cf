#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ScopedEnv.h"
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

// One record per expression, committed when its temporary ends.
TEST(Logger, OneRecordPerStreamCommittedWhenItEnds) {
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

    LocalLog l;
    {
        util::Log::LogStream stream = l.log.GetLogStream();
        stream.GetStream(LOG_INFO, 1, L"f", L"g") << L"part one";
        EXPECT_TRUE(l.capture->Records().empty()) << "committed before the stream ended";
        stream.GetStream(LOG_INFO, 1, L"f", L"g") << L", part two";
    }
    // A stream that never received GetStream writes nothing; an empty text is a record.
    { util::Log::LogStream unused = l.log.GetLogStream(); }
    l.log.GetLogStream().GetStream(LOG_TRACE, 2, L"f", L"ace::WLanDevice::GetDeviceStatus");
    auto records = l.capture->Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].text, L"part one, part two");
    EXPECT_TRUE(records[1].text.empty());
    EXPECT_EQ(records[1].function, L"ace::WLanDevice::GetDeviceStatus");
}

TEST(Logger, LevelMaskFiltersEveryLevel) {
    test::ScopedEnv noMask("WLAN_LOG_MASK", nullptr);  // without it the code decides
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
    test::ScopedEnv noFile("WLAN_LOG_FILE", nullptr);
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

constexpr int kThreads = 4;
constexpr int kRecords = 2000;

// Long and distinct, so that a torn or interleaved record cannot pass as whole.
std::string Text(int thread, int index) {
    std::string text = "w" + std::to_string(thread) + "#" + std::to_string(index) + ":";
    text.append(150 + index % 97, static_cast<char>('a' + thread));
    return text + "|end";
}

// The writer and index of a whole record's text; false if it is torn or foreign.
bool ParseText(const std::string& text, int& thread, int& index) {
    return std::sscanf(text.c_str(), "w%d#%d:", &thread, &index) == 2 && thread >= 0 && thread < kThreads &&
           index >= 0 && index < kRecords && text == Text(thread, index);
}

TEST(LoggerThreads, RecordsNeverInterleave) {
    test::TempFile file;
    auto capture = std::make_shared<util::CaptureSink>();
    {
        util::Log log;
        ASSERT_TRUE(log.SetLogFile(file.WidePath()));
        log.AddSink(capture);
        std::vector<std::thread> writers;
        for (int t = 0; t < kThreads; ++t) {
            writers.emplace_back([&log, t] {
                for (int i = 0; i < kRecords; ++i) {
                    // Written in pieces, as callers do, to widen any window.
                    const std::string payload = Text(t, i).substr(Text(t, i).find(':') + 1);
                    log.GetLogStream().GetStream(LOG_INFO, 2, L"concurrent.cpp", L"Writer::Run")
                        << L"w" << t << L"#" << i << L":" << std::wstring(payload.begin(), payload.end());
                }
            });
        }
        for (auto& w : writers) w.join();
    }

    // The file: every line one whole record, each record exactly once.
    const std::string marker = " INFO(0x4) area 2 Writer::Run [concurrent.cpp] ";
    std::set<std::pair<int, int>> seen;
    auto lines = file.Lines();
    EXPECT_EQ(lines.size(), static_cast<size_t>(kThreads * kRecords));
    for (const std::string& line : lines) {
        size_t at = line.find(marker);
        int t = -1, i = -1;
        ASSERT_NE(at, std::string::npos) << line;
        ASSERT_TRUE(ParseText(line.substr(at + marker.size()), t, i)) << line;
        ASSERT_TRUE(seen.insert({t, i}).second) << "twice: " << line;
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads * kRecords));

    // The capture: all records, whole, each thread's in its own order and
    // under one thread number per writer.
    auto records = capture->Records();
    ASSERT_EQ(records.size(), static_cast<size_t>(kThreads * kRecords));
    std::map<int, int> next;
    std::map<int, uint32_t> threadOf;
    std::set<uint32_t> numbers;
    for (const auto& r : records) {
        int t = -1, i = -1;
        ASSERT_TRUE(ParseText(std::string(r.text.begin(), r.text.end()), t, i));
        EXPECT_EQ(i, next[t]) << "writer " << t << " out of order";
        next[t] = i + 1;
        auto [it, inserted] = threadOf.emplace(t, r.thread);
        if (inserted) numbers.insert(r.thread);
        EXPECT_EQ(it->second, r.thread);
    }
    EXPECT_EQ(numbers.size(), static_cast<size_t>(kThreads));
}

// The environment is read when a Log is constructed; each case builds its own
// Log after setting the variables, so the process's log is left alone.
TEST(LoggerEnvironment, MaskOverridesSetMask) {
    struct Row {
        const char* text;
        bool valid;
        unsigned int mask;
    };
    const Row rows[] = {
        {"0x11", true, 0x11}, {"0X40", true, 0x40}, {"5", true, 5},   {"010", true, 10},
        {"0", true, 0},       {"abc", false, 0},    {"", false, 0},   {"12x", false, 0},
        {"-1", false, 0},     {"0x", false, 0},     {" 4", false, 0}, {"0x100000002", false, 0},
    };
    for (const Row& r : rows) {
        test::ScopedEnv env("WLAN_LOG_MASK", r.text);
        LocalLog l;
        l.log.SetMask(LOG_ERROR);
        const unsigned int effective = r.valid ? r.mask : LOG_ERROR;
        EXPECT_EQ(l.log.GetMask(), effective) << "'" << r.text << "'";
        l.log.GetLogStream().GetStream(LOG_DETAIL, 2, L"f", L"fn") << L"detail";
        l.log.GetLogStream().GetStream(LOG_ERROR, 2, L"f", L"fn") << L"error";
        size_t expected = ((effective & LOG_DETAIL) != 0 ? 1 : 0) + ((effective & LOG_ERROR) != 0 ? 1 : 0);
        EXPECT_EQ(l.capture->Records().size(), expected) << "'" << r.text << "'";
    }
}

TEST(LoggerEnvironment, FileOverridesSetLogFile) {
    test::TempFile fromEnv;
    test::TempFile fromCode;
    {
        test::ScopedEnv env("WLAN_LOG_FILE", fromEnv.NarrowPath().c_str());
        util::Log log;
        log.GetLogStream().GetStream(LOG_WARNING, 1, L"store.cpp", L"util::RegAdapter::Load") << L"before";
        EXPECT_TRUE(log.SetLogFile(fromCode.WidePath()));
        EXPECT_TRUE(log.SetLogFile(L""));
        log.GetLogStream().GetStream(LOG_WARNING, 1, L"store.cpp", L"util::RegAdapter::Load") << L"after";
    }
    auto lines = fromEnv.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("WARN(0x2) area 1 util::RegAdapter::Load [store.cpp] before"), std::string::npos)
        << lines[0];
    EXPECT_NE(lines[1].find("[store.cpp] after"), std::string::npos) << lines[1];
    EXPECT_TRUE(fromCode.Lines().empty());
}

}  // namespace
