#include <gtest/gtest.h>

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

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// Splits "w<t>#<i>:<payload>|end" and checks the payload; false if malformed.
bool ParseText(const std::string& text, int& thread, int& index) {
    size_t hash = text.find('#');
    size_t colon = text.find(':');
    if (text.size() < 2 || text[0] != 'w' || hash == std::string::npos || colon == std::string::npos ||
        colon < hash)
        return false;
    try {
        thread = std::stoi(text.substr(1, hash - 1));
        index = std::stoi(text.substr(hash + 1, colon - hash - 1));
    } catch (const std::exception&) {
        return false;
    }
    return thread >= 0 && thread < kThreads && index >= 0 && index < kRecords && text == Text(thread, index);
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
                    log.GetLogStream().GetStream(LOG_INFO, 2, L"concurrent.cpp", L"Writer::Run")
                        << L"w" << t << L"#" << i << L":" << Widen(Text(t, i).substr(Text(t, i).find(':') + 1));
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
        int t = -1;
        int i = -1;
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
        int t = -1;
        int i = -1;
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
