#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "ScopedEnv.h"
#include "TempFile.h"
#include "TestSupport.h"
#include "logger/Logger.h"

namespace {

using Lines = std::vector<std::string>;
// Level, area, file, function and text of a record: all of it but time and thread.
using Fields = std::tuple<unsigned int, unsigned int, std::wstring, std::wstring, std::wstring>;
using FieldList = std::vector<Fields>;

Fields FieldsOf(const util::Log::Record& r) { return {r.level, r.area, r.file, r.function, r.text}; }

int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// The lines of a log file without their time and thread ("2000-01-01 00:00:00.000 T7 ").
Lines Bodies(const test::TempFile& file) {
    Lines bodies;
    for (const std::string& line : file.Lines()) bodies.push_back(line.substr(line.find(' ', 24) + 1));
    return bodies;
}

// A log of its own with a capture attached, so that the process's log and
// its configuration stay untouched.
struct LocalLog {
    util::Log log;
    std::shared_ptr<util::CaptureSink> capture = std::make_shared<util::CaptureSink>();
    LocalLog() { log.AddSink(capture); }
    FieldList Seen() const {
        FieldList seen;
        for (const auto& r : capture->Records()) seen.push_back(FieldsOf(r));
        return seen;
    }
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
    EXPECT_EQ(FieldsOf(found[0]),
              Fields(LOG_EVENT, 2, L"src/device/Open.cpp", L"ace::WLanDevice::Open", L"Scan complete, 3 networks"));
    EXPECT_GE(found[0].timeMs, before);
    EXPECT_LE(found[0].timeMs, after);
    EXPECT_NE(found[0].thread, 0u);

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
    // A removed sink receives nothing more; a second add does not double the records.
    l.log.RemoveSink(l.capture);
    l.log.GetLogStream().GetStream(LOG_INFO, 1, L"f", L"fn") << L"removed";
    l.log.AddSink(l.capture);
    l.log.AddSink(l.capture);
    l.log.GetLogStream().GetStream(LOG_INFO, 1, L"f", L"fn") << L"added again";
    EXPECT_EQ(l.Seen(), (FieldList{{LOG_INFO, 1, L"f", L"g", L"part one, part two"},
                                   {LOG_TRACE, 2, L"f", L"ace::WLanDevice::GetDeviceStatus", L""},
                                   {LOG_INFO, 1, L"f", L"fn", L"added again"}}));
}

// The environment's mask is read when a Log is constructed and overrides
// SetMask; each case builds its own Log, so the process's log is left alone.
TEST(Logger, LevelMaskFromCodeOrEnvironmentFiltersEveryLevel) {
    // The environment's text (null: unset), the mask set in code and the mask in force; a text that is no
    // mask leaves the code's.
    struct Row { const char* text; unsigned int set, mask; };
    const Row rows[] = {
        {nullptr, 0, 0}, {nullptr, LOG_ERROR, LOG_ERROR}, {nullptr, LOG_ERROR | LOG_EVENT, LOG_ERROR | LOG_EVENT},
        {nullptr, LOG_TRACE | LOG_DETAIL, LOG_TRACE | LOG_DETAIL}, {nullptr, LOG_ALL, LOG_ALL},
        {"0x11", LOG_ERROR, 0x11}, {"0X40", LOG_ERROR, 0x40}, {"5", LOG_ERROR, 5}, {"010", LOG_ERROR, 10},
        {"0", LOG_ERROR, 0}, {"abc", LOG_ERROR, LOG_ERROR}, {"", LOG_ERROR, LOG_ERROR}, {"12x", LOG_ERROR, LOG_ERROR},
        {"-1", LOG_ERROR, LOG_ERROR}, {"0x", LOG_ERROR, LOG_ERROR}, {" 4", LOG_ERROR, LOG_ERROR},
        {"0x100000002", LOG_ERROR, LOG_ERROR}};
    const unsigned int levels[] = {LOG_ERROR, LOG_WARNING, LOG_INFO, LOG_EVENT, LOG_TRACE, LOG_DETAIL};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "'" << (r.text != nullptr ? r.text : "unset") << "', set " << r.set);
        test::ScopedEnv env("WLAN_LOG_MASK", r.text);
        LocalLog l;
        if (r.text == nullptr) {
            EXPECT_EQ(l.log.GetMask(), LOG_ALL) << "the default lets everything through";
        }
        l.log.SetMask(r.set);
        EXPECT_EQ(l.log.GetMask(), r.mask);
        FieldList expected;
        for (unsigned int level : levels) {
            EXPECT_EQ(l.log.IsEnabled(level), (r.mask & level) != 0) << level;
            l.log.GetLogStream().GetStream(level, 2, L"f", L"fn") << level;
            if ((r.mask & level) != 0) expected.emplace_back(level, 2, L"f", L"fn", std::to_wstring(level));
        }
        EXPECT_EQ(l.Seen(), expected);
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

    struct Query { unsigned int levelMask, area; const wchar_t *function, *text; size_t count; };
    const Query queries[] = {
        {0, 0, L"", L"", 4}, {LOG_EVENT, 0, L"", L"", 2}, {LOG_ERROR | LOG_TRACE, 0, L"", L"", 2},
        {LOG_WARNING, 0, L"", L"", 0}, {0, 1, L"", L"", 1}, {0, 2, L"", L"", 3},
        {0, 0, L"ace::WLanDevice::Open", L"", 2},
        {0, 0, L"ace::WLanDevice", L"", 0},  // function names match whole
        {0, 0, L"", L"failed", 1},           // texts match as a substring
        {0, 0, L"", L"scan complete", 0},    // and exactly, case included
        {LOG_EVENT, 2, L"ace::WLanDevice::Open", L"Scan", 1}, {LOG_EVENT, 1, L"ace::WLanDevice::Open", L"Scan", 0},
    };
    for (const Query& q : queries)
        EXPECT_EQ(l.capture->Find(q.levelMask, q.area, q.function, q.text).size(), q.count) << "query " << &q - queries;
    EXPECT_TRUE(l.capture->Contains(L"Profile time: "));
    EXPECT_FALSE(l.capture->Contains(L"Connected"));
    l.capture->Clear();
    EXPECT_TRUE(l.capture->Records().empty());
}

// Each row: time, level, and the line's start up to the level; the rest is the same for all.
TEST(Logger, TextLineFormat) {
    const std::tuple<int64_t, unsigned int, const char*> rows[] = {
        {0, LOG_ERROR, "1970-01-01 00:00:00.000 T7 ERROR(0x1)"},
        {951782400123, LOG_WARNING, "2000-02-29 00:00:00.123 T7 WARN(0x2)"},
        {4107542399999, LOG_DETAIL, "2100-02-28 23:59:59.999 T7 DETAIL(0x40)"},
        {1234567890000, LOG_ERROR | LOG_INFO, "2009-02-13 23:31:30.000 T7 LEVEL(0x5)"},
    };
    for (const auto& [timeMs, level, head] : rows) {
        EXPECT_EQ(util::Log::Format({timeMs, 7, level, 2, L"a.cpp", L"ns::Fn", L"text \u00E9"}),
                  std::string(head) + " area 2 ns::Fn [a.cpp] text \xC3\xA9\n");
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
    EXPECT_EQ(Bodies(file), (Lines{"INFO(0x4) area 2 ns::First [a.cpp] first",
                             "INFO(0x4) area 2 ns::Second [a.cpp] second"}));
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
    EXPECT_EQ(l.Seen(), (FieldList{{LOG_INFO, 2, L"f", L"fn", L"1234567 4294967295 2.5 -10000"}}));
}

constexpr int kThreads = 4;
constexpr int kRecords = 2000;

// Long and distinct, so that a torn or interleaved record cannot pass as whole.
std::string Text(int thread, int index) {
    std::string text = "w" + std::to_string(thread) + "#" + std::to_string(index) + ":";
    text.append(150 + index % 97, static_cast<char>('a' + thread));
    return text + "|end";
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
    const std::string marker = "INFO(0x4) area 2 Writer::Run [concurrent.cpp] ";
    Lines expected, bodies = Bodies(file);
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kRecords; ++i) expected.push_back(marker + Text(t, i));
    std::sort(expected.begin(), expected.end());
    std::sort(bodies.begin(), bodies.end());
    EXPECT_EQ(bodies, expected);

    // The capture: all records, whole, each writer's in its own order (the
    // writer is the digit after the 'w') and under one thread number per writer.
    auto records = capture->Records();
    ASSERT_EQ(records.size(), expected.size());
    int next[kThreads] = {};
    std::map<int, uint32_t> threadOf;
    for (const auto& r : records) {
        const int t = r.text.size() > 1 ? r.text[1] - L'0' : -1;
        ASSERT_TRUE(t >= 0 && t < kThreads) << testing::PrintToString(r.text);
        ASSERT_EQ(std::string(r.text.begin(), r.text.end()), Text(t, next[t]++)) << "writer " << t << " out of order";
        EXPECT_EQ(threadOf.emplace(t, r.thread).first->second, r.thread) << "writer " << t;
    }
    std::set<uint32_t> numbers;
    for (const auto& [writer, number] : threadOf) numbers.insert(number);
    EXPECT_EQ(numbers.size(), static_cast<size_t>(kThreads));
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
    EXPECT_EQ(Bodies(fromEnv), (Lines{"WARN(0x2) area 1 util::RegAdapter::Load [store.cpp] before",
                                      "WARN(0x2) area 1 util::RegAdapter::Load [store.cpp] after"}));
    EXPECT_TRUE(fromCode.Lines().empty());
}

}  // namespace
