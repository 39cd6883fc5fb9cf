// The environment is read when a Log is constructed; each case builds its own
// Log after setting the variables, so the process's log is left alone.
#include <gtest/gtest.h>

#include <memory>

#include "ScopedEnv.h"
#include "TempFile.h"
#include "logger/Logger.h"

namespace {

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
        util::Log log;
        auto capture = std::make_shared<util::CaptureSink>();
        log.AddSink(capture);
        log.SetMask(LOG_ERROR);
        const unsigned int effective = r.valid ? r.mask : LOG_ERROR;
        EXPECT_EQ(log.GetMask(), effective) << "'" << r.text << "'";
        log.GetLogStream().GetStream(LOG_DETAIL, 2, L"f", L"fn") << L"detail";
        log.GetLogStream().GetStream(LOG_ERROR, 2, L"f", L"fn") << L"error";
        size_t expected = ((effective & LOG_DETAIL) != 0 ? 1 : 0) + ((effective & LOG_ERROR) != 0 ? 1 : 0);
        EXPECT_EQ(capture->Records().size(), expected) << "'" << r.text << "'";
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

TEST(LoggerEnvironment, WithoutVariablesCodeDecides) {
    test::ScopedEnv noMask("WLAN_LOG_MASK", nullptr);
    test::ScopedEnv noFile("WLAN_LOG_FILE", nullptr);
    test::TempFile file;
    {
        util::Log log;
        EXPECT_EQ(log.GetMask(), LOG_ALL);
        log.SetMask(LOG_INFO);
        EXPECT_EQ(log.GetMask(), LOG_INFO);
        ASSERT_TRUE(log.SetLogFile(file.WidePath()));
        log.GetLogStream().GetStream(LOG_INFO, 2, L"f", L"fn") << L"kept";
        log.GetLogStream().GetStream(LOG_ERROR, 2, L"f", L"fn") << L"masked";
    }
    auto lines = file.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("kept"), std::string::npos);
}

}  // namespace
