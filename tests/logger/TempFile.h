// A file name in the temporary folder, unique to this process and test; the
// file is removed when the object ends.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace test {

class TempFile {
public:
    TempFile()
        : path_(std::filesystem::temp_directory_path() /
                ("logger_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                 std::to_string(std::random_device()()) + "_" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".log")) {}
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::wstring WidePath() const { return path_.wstring(); }
    std::string NarrowPath() const { return path_.string(); }

    // The file's lines without their '\n'; text after the last '\n' is a line
    // too, so that a torn record shows.
    std::vector<std::string> Lines() const {
        std::ifstream in(path_, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

private:
    std::filesystem::path path_;
};

}  // namespace test
