// The host's logging library. The system writes one record per expression:
//
//   GetLog().GetLogStream().GetStream(level, area, file, function) << text;
//
// The stream reference stays valid until the LogStream temporary ends, and
// the record is complete (and written to every sink) when it ends. The
// stream lives in the caller's module and is imbued with the "C" locale; only
// plain data crosses into the library, so callers and the library may each
// carry their own C++ runtime.
//
// Thread-safe: records from many threads never interleave in a sink.
//
// Environment (read once, when the log is first used), for a person who must
// debug a host they cannot rebuild:
//   WLAN_LOG_MASK  level mask, decimal or 0x-hex; overrides SetMask
//   WLAN_LOG_FILE  append every record to this file ("stderr" for stderr);
//                  overrides SetLogFile
#pragma once

#include "platform/export.h"

#include <cstdint>
#include <locale>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#ifdef LOGGER_BUILD
#  define LOGGER_API PLATFORM_EXPORT
#else
#  define LOGGER_API PLATFORM_IMPORT
#endif

// Level bits.
constexpr unsigned int LOG_ERROR = 0x01;
constexpr unsigned int LOG_WARNING = 0x02;
constexpr unsigned int LOG_INFO = 0x04;
constexpr unsigned int LOG_EVENT = 0x10;
constexpr unsigned int LOG_TRACE = 0x20;
constexpr unsigned int LOG_DETAIL = 0x40;
constexpr unsigned int LOG_ALL = 0x77;

namespace util {

class LOGGER_API Log {
public:
    // One finished record as sinks receive it.
    struct Record {
        int64_t timeMs = 0;      // milliseconds since the Unix epoch
        uint32_t thread = 0;     // small per-process thread number, 1 for the first thread that logged
        unsigned int level = 0;
        unsigned int area = 0;
        std::wstring file;
        std::wstring function;
        std::wstring text;
    };

    // A destination. Write is called under the log's lock, one record at a time.
    class LOGGER_API Sink {
    public:
        virtual ~Sink();
        virtual void Write(const Record& record) = 0;
    };

    // The temporary through which one record is written.
    class LogStream {
    public:
        explicit LogStream(Log* log) : log_(log) {}
        LogStream(LogStream&& other) noexcept
            : log_(other.log_), level_(other.level_), area_(other.area_), file_(other.file_),
              function_(other.function_), started_(other.started_), stream_(std::move(other.stream_)) {
            other.log_ = nullptr;
        }
        LogStream(const LogStream&) = delete;
        LogStream& operator=(const LogStream&) = delete;
        LogStream& operator=(LogStream&&) = delete;

        ~LogStream() {
            if (log_ == nullptr || !started_) return;
            try {
                std::wstring text = stream_.str();
                log_->Commit(level_, area_, file_, function_, text.c_str());
            } catch (...) {
                // Logging never throws into the code that logs.
            }
        }

        std::basic_stringstream<wchar_t>& GetStream(unsigned int level, unsigned int area, const wchar_t* file,
                                                    const wchar_t* function) {
            // A level the mask leaves out: the stream is left bad, so every
            // insertion returns at once and no record is committed.
            if (log_ == nullptr || !log_->IsEnabled(level)) {
                stream_.setstate(std::ios_base::badbit);
                return stream_;
            }
            level_ = level;
            area_ = area;
            file_ = file;
            function_ = function;
            started_ = true;
            stream_.imbue(std::locale::classic());
            return stream_;
        }

    private:
        Log* log_;
        unsigned int level_ = 0;
        unsigned int area_ = 0;
        const wchar_t* file_ = nullptr;
        const wchar_t* function_ = nullptr;
        bool started_ = false;
        std::basic_stringstream<wchar_t> stream_;
    };

    Log();
    ~Log();
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    LogStream GetLogStream() { return LogStream(this); }

    // Configuration, done by the host in code.
    void SetMask(unsigned int mask);
    unsigned int GetMask() const;
    bool IsEnabled(unsigned int level) const;
    void AddSink(const std::shared_ptr<Sink>& sink);
    void RemoveSink(const std::shared_ptr<Sink>& sink);
    void SetStderr(bool on);
    // Appends records to a file (UTF-8); an empty path closes it. False when
    // the file cannot be opened.
    bool SetLogFile(const std::wstring& path);

    // Ends one record: applies the mask and hands it to every sink.
    void Commit(unsigned int level, unsigned int area, const wchar_t* file, const wchar_t* function,
                const wchar_t* text);

    // The one-line text form used by the stderr and file sinks.
    static std::string Format(const Record& record);
    static const char* LevelName(unsigned int level);

private:
    struct Impl;
    Impl* impl_;
};

// Keeps every record in memory; what tests read to assert log lines.
class LOGGER_API CaptureSink : public Log::Sink {
public:
    CaptureSink();
    ~CaptureSink() override;
    void Write(const Log::Record& record) override;

    std::vector<Log::Record> Records() const;
    void Clear();
    // Records whose level bit, area, function and text match; empty
    // function/text match any, area 0 matches any, text matches as a substring.
    std::vector<Log::Record> Find(unsigned int levelMask, unsigned int area, const std::wstring& function,
                                  const std::wstring& text) const;
    bool Contains(const std::wstring& text) const;

private:
    struct Impl;
    Impl* impl_;
};

}  // namespace util

// The process's log.
LOGGER_API util::Log& GetLog();
