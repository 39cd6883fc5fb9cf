#include "TestSupport.h"

#include <mutex>
#include <set>
#include <sstream>

namespace test {

namespace {

// Sees every record of the process once a secret is registered.
class SecretWatch : public util::Log::Sink {
public:
    void Add(const std::wstring& secret) {
        std::lock_guard<std::mutex> g(lock_);
        secrets_.insert(secret);
    }
    void Write(const util::Log::Record& record) override {
        std::lock_guard<std::mutex> g(lock_);
        for (const std::wstring& s : secrets_)
            if (record.text.find(s) != std::wstring::npos) leaks_.push_back(record.function + L": " + record.text);
    }
    void Report() {
        std::lock_guard<std::mutex> g(lock_);
        for (const std::wstring& leak : leaks_) ADD_FAILURE() << "key material in the log: " << testing::PrintToString(leak);
    }

private:
    std::mutex lock_;
    std::set<std::wstring> secrets_;
    std::vector<std::wstring> leaks_;
};

// Reports at the end of the run; GoogleTest owns it.
class SecretReport : public ::testing::Environment {
public:
    explicit SecretReport(std::shared_ptr<SecretWatch> watch) : watch_(std::move(watch)) {}
    void TearDown() override { watch_->Report(); }

private:
    std::shared_ptr<SecretWatch> watch_;
};

}  // namespace

std::wstring Secret(const std::wstring& secret) {
    static SecretWatch* watch = [] {
        auto sink = std::make_shared<SecretWatch>();
        GetLog().AddSink(sink);
        ::testing::AddGlobalTestEnvironment(new SecretReport(sink));
        return sink.get();
    }();
    if (!secret.empty()) watch->Add(secret);
    return secret;
}

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
    // As standard strings, which GoogleTest prints as text.
    EXPECT_EQ(std::wstring(entry.type), type) << "entry " << index;
    EXPECT_EQ(std::wstring(entry.function), function) << "entry " << index;
    EXPECT_EQ(std::wstring(entry.message), message) << "entry " << index;
    EXPECT_EQ(entry.code, code) << "entry " << index;
}

std::wstring Dump(const util::Exception& e) {
    std::wostringstream s;
    s << e;
    return s.str();
}

}  // namespace test
