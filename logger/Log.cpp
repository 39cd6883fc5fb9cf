#include "Logger.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>

#include "Utf8.h"

namespace util {
namespace {

uint32_t ThreadNumber() {
    static std::atomic<uint32_t> next{1};
    thread_local uint32_t number = next.fetch_add(1);
    return number;
}

class StreamSink : public Log::Sink {
public:
    explicit StreamSink(std::FILE* f, bool owned) : file_(f), owned_(owned) {}
    ~StreamSink() override {
        if (owned_) std::fclose(file_);
    }
    void Write(const Log::Record& record) override {
        std::string line = Log::Format(record);
        std::fwrite(line.data(), 1, line.size(), file_);
        std::fflush(file_);
    }

private:
    std::FILE* file_;
    bool owned_;
};

// Decimal, or hexadecimal after "0x": a leading zero does not mean octal, and
// a sign or a value beyond 32 bits is refused.
bool ParseMask(const char* text, unsigned int& mask) {
    int base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
    }
    if (!std::isxdigit(static_cast<unsigned char>(*text))) return false;
    char* end = nullptr;
    unsigned long long v = std::strtoull(text, &end, base);
    if (*end != '\0' || v > 0xFFFFFFFFull) return false;
    mask = static_cast<unsigned int>(v);
    return true;
}

std::FILE* OpenAppend(const std::string& path) {
    if (path == "stderr") return nullptr;
    return std::fopen(path.c_str(), "ab");
}

}  // namespace

Log::Sink::~Sink() = default;

struct Log::Impl {
    mutable std::mutex lock;
    std::atomic<unsigned int> mask{LOG_ALL};
    bool maskFromEnv = false;
    bool fileFromEnv = false;
    std::vector<std::shared_ptr<Sink>> sinks;
    std::shared_ptr<Sink> stderrSink;
    std::shared_ptr<Sink> fileSink;
};

Log::Log() : impl_(new Impl) {
    if (const char* m = std::getenv("WLAN_LOG_MASK")) {
        unsigned int mask = 0;
        if (ParseMask(m, mask)) {
            impl_->mask = mask;
            impl_->maskFromEnv = true;
        }
    }
    if (const char* f = std::getenv("WLAN_LOG_FILE")) {
        std::string path(f);
        if (path == "stderr") {
            impl_->fileSink = std::make_shared<StreamSink>(stderr, false);
            impl_->fileFromEnv = true;
        } else if (std::FILE* file = OpenAppend(path)) {
            impl_->fileSink = std::make_shared<StreamSink>(file, true);
            impl_->fileFromEnv = true;
        }
    }
}

Log::~Log() { delete impl_; }

void Log::SetMask(unsigned int mask) {
    std::lock_guard<std::mutex> g(impl_->lock);
    if (!impl_->maskFromEnv) impl_->mask = mask;
}

unsigned int Log::GetMask() const { return impl_->mask; }

bool Log::IsEnabled(unsigned int level) const { return (impl_->mask.load() & level) != 0; }

void Log::AddSink(const std::shared_ptr<Sink>& sink) {
    std::lock_guard<std::mutex> g(impl_->lock);
    if (sink && std::find(impl_->sinks.begin(), impl_->sinks.end(), sink) == impl_->sinks.end())
        impl_->sinks.push_back(sink);
}

void Log::RemoveSink(const std::shared_ptr<Sink>& sink) {
    std::lock_guard<std::mutex> g(impl_->lock);
    impl_->sinks.erase(std::remove(impl_->sinks.begin(), impl_->sinks.end(), sink), impl_->sinks.end());
}

void Log::SetStderr(bool on) {
    std::lock_guard<std::mutex> g(impl_->lock);
    if (on && !impl_->stderrSink)
        impl_->stderrSink = std::make_shared<StreamSink>(stderr, false);
    else if (!on)
        impl_->stderrSink.reset();
}

bool Log::SetLogFile(const std::wstring& path) {
    std::lock_guard<std::mutex> g(impl_->lock);
    if (impl_->fileFromEnv) return true;
    impl_->fileSink.reset();
    if (path.empty()) return true;
    std::FILE* file = OpenAppend(logger::ToUtf8(path));
    if (file == nullptr) return false;
    impl_->fileSink = std::make_shared<StreamSink>(file, true);
    return true;
}

void Log::Commit(unsigned int level, unsigned int area, const wchar_t* file, const wchar_t* function,
                 const wchar_t* text) {
    if (!IsEnabled(level)) return;
    Record r;
    r.timeMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::system_clock::now().time_since_epoch())
                   .count();
    r.thread = ThreadNumber();
    r.level = level;
    r.area = area;
    r.file = file ? file : L"";
    r.function = function ? function : L"";
    r.text = text ? text : L"";
    std::lock_guard<std::mutex> g(impl_->lock);
    for (const auto& sink : impl_->sinks) sink->Write(r);
    if (impl_->stderrSink) impl_->stderrSink->Write(r);
    if (impl_->fileSink) impl_->fileSink->Write(r);
}

const char* Log::LevelName(unsigned int level) {
    switch (level) {
        case LOG_ERROR: return "ERROR";
        case LOG_WARNING: return "WARN";
        case LOG_INFO: return "INFO";
        case LOG_EVENT: return "EVENT";
        case LOG_TRACE: return "TRACE";
        case LOG_DETAIL: return "DETAIL";
        default: return "LEVEL";
    }
}

std::string Log::Format(const Record& r) {
    std::time_t secs = static_cast<std::time_t>(r.timeMs / 1000);
    std::tm tm{};
    logger::UtcTime(secs, tm);
    char head[96];
    std::snprintf(head, sizeof head, "%04d-%02d-%02d %02d:%02d:%02d.%03d T%u %s(0x%x) area %u ", tm.tm_year + 1900,
                  tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(r.timeMs % 1000),
                  r.thread, LevelName(r.level), r.level, r.area);
    std::string line(head);
    line += logger::ToUtf8(r.function);
    line += " [";
    line += logger::ToUtf8(r.file);
    line += "] ";
    line += logger::ToUtf8(r.text);
    line += '\n';
    return line;
}

}  // namespace util

util::Log& GetLog() {
    // Never destroyed: code may log from threads that outlive static destruction.
    static util::Log* log = new util::Log;
    return *log;
}
