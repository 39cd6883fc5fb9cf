#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "TempFile.h"
#include "logger/Logger.h"

namespace {

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

}  // namespace
