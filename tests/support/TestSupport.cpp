#include "TestSupport.h"

#include <mutex>
#include <set>
#include <sstream>

namespace test {

namespace {

// Sees every record of the process once a secret is registered.
struct SecretWatch : util::Log::Sink {
    void Write(const util::Log::Record& record) override {
        std::lock_guard<std::mutex> g(lock);
        for (const std::wstring& s : secrets)
            if (record.text.find(s) != std::wstring::npos) leaks.push_back(record.function + L": " + record.text);
    }
    std::mutex lock;
    std::set<std::wstring> secrets;
    std::vector<std::wstring> leaks;
};

// Reports at the end of the run; GoogleTest owns it.
struct SecretReport : ::testing::Environment {
    explicit SecretReport(std::shared_ptr<SecretWatch> w) : watch(std::move(w)) {}
    void TearDown() override {
        std::lock_guard<std::mutex> g(watch->lock);
        for (const std::wstring& leak : watch->leaks)
            ADD_FAILURE() << "key material in the log: " << testing::PrintToString(leak);
    }
    std::shared_ptr<SecretWatch> watch;
};

}  // namespace

std::wstring Secret(const std::wstring& secret) {
    static SecretWatch* watch = [] {
        auto sink = std::make_shared<SecretWatch>();
        GetLog().AddSink(sink);
        ::testing::AddGlobalTestEnvironment(new SecretReport(sink));
        return sink.get();
    }();
    std::lock_guard<std::mutex> g(watch->lock);
    if (!secret.empty()) watch->secrets.insert(secret);
    return secret;
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
