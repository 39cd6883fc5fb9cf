#include "TestSupport.h"

#include <sstream>

namespace test {

LogCapture::LogCapture() : sink_(std::make_shared<util::CaptureSink>()) { GetLog().AddSink(sink_); }

LogCapture::~LogCapture() {
    std::shared_ptr<util::Log::Sink> sink = sink_;
    GetLog().RemoveSink(sink);
}

void ExpectEntry(const util::Exception& e, size_t index, const std::wstring& type, const std::wstring& function,
                 const std::wstring& message, uint32_t code) {
    const auto& entries = e.Entries();
    ASSERT_LT(index, entries.size()) << "no entry " << index;
    const auto& entry = entries[index];
    if (!type.empty()) {
        EXPECT_EQ(entry.type, type) << "entry " << index;
    }
    if (!function.empty()) {
        EXPECT_EQ(entry.function, function) << "entry " << index;
    }
    if (!message.empty()) {
        EXPECT_EQ(entry.message, message) << "entry " << index;
    }
    EXPECT_EQ(entry.code, code) << "entry " << index;
}

std::wstring Dump(const util::Exception& e) {
    std::wostringstream s;
    s << e;
    return s.str();
}

}  // namespace test
