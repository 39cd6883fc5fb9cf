#include "foundation/Exception.h"

#include <locale>

#include "foundation/CatchChain.h"
#include "foundation/DebugOutput.h"
#include "foundation/ExceptionTypes.h"
#include "foundation/NewLine.h"
#include "foundation/StringUtility.h"
#include "foundation/TypeName.h"

namespace util {

Exception::ExStream::ExStream(Exception* exception) : exception_(exception), stream_(nullptr) {
    if (exception_ != nullptr) {
        stream_ = new std::wostringstream;
        stream_->imbue(std::locale::classic());
    }
}

Exception::ExStream::ExStream(ExStream&& other) noexcept : exception_(other.exception_), stream_(other.stream_) {
    other.exception_ = nullptr;
    other.stream_ = nullptr;
}

Exception::ExStream::~ExStream() {
    if (exception_ != nullptr && stream_ != nullptr) {
        try {
            exception_->AppendMessage(String(stream_->str()));
        } catch (...) {
            DebugOutput(L"Exception catched.");
        }
    }
    delete stream_;
}

Exception::Exception() = default;

Exception::Exception(const wchar_t* file, const wchar_t* function, uint32_t line) {
    ExcepInfo info;
    info.file = file;
    info.function = function;
    info.line = line;
    entries_.push_back(std::move(info));
}

Exception::~Exception() = default;

void Exception::AddStackEntry(const wchar_t* file, const wchar_t* function, uint32_t line) {
    ExcepInfo info;
    info.type = L"Stack Entry";
    info.file = file;
    info.function = function;
    info.line = line;
    entries_.push_back(std::move(info));
}

void Exception::SetParam(uint32_t index, const String& value) noexcept {
    try {
        if (entries_.empty()) return;
        StringUtility::StringIndexToSubString(entries_.back().message, index, value);
    } catch (...) {
        DebugOutput(L"Exception catched.");
    }
}

void Exception::AppendMessage(const String& text) {
    if (!entries_.empty()) entries_.back().message.append(text);
}

Exception::ExStream Exception::Stream() { return ExStream(this); }

void Exception::PrependEntries(const Exception& inner) {
    if (inner.entries_.empty()) return;
    std::vector<ExcepInfo> merged;
    merged.reserve(inner.entries_.size() + entries_.size());
    merged.insert(merged.end(), inner.entries_.begin(), inner.entries_.end());
    merged.insert(merged.end(), entries_.begin(), entries_.end());
    entries_.swap(merged);
}

void Exception::AddStdException(const wchar_t* file, const wchar_t* function, uint32_t line,
                                const std::exception& e) {
    ExcepInfo info;
    info.type = TypeName(typeid(e));
    info.file = file;
    info.function = function;
    info.line = line;
    const char* what = e.what();
    try {
        StringUtility::ConvertAnsiToUnicode(what, info.message);
    } catch (...) {
        // The conversion failed: keep the bytes as they are rather than lose the text.
        for (const char* p = what; p && *p; ++p) info.message.push_back(static_cast<unsigned char>(*p));
    }
    entries_.push_back(std::move(info));
}

namespace {
const Exception::ExcepInfo& DefaultEntry() {
    // Built once on first use (thread-safe) and never destroyed, so that a
    // thread logging while the process exits still reads it.
    static const Exception::ExcepInfo* const entry = new Exception::ExcepInfo{
        L"DEFAULT", UTIL_WFILE, L"DefaultErrExcepInfo", 312, 0, L"Internal Excep Error: could not capture excep info."};
    return *entry;
}
}  // namespace

const Exception::ExcepInfo& Exception::GetFirstEntry() const {
    return entries_.empty() ? DefaultEntry() : entries_.front();
}

void Exception::SetLastEntry(const std::type_info& type, const wchar_t* message) {
    if (entries_.empty()) return;
    entries_.back().type = TypeName(type);
    entries_.back().message = message;
}

void Exception::SetLastCode(uint32_t code) {
    if (!entries_.empty()) entries_.back().code = code;
}

std::wostream& operator<<(std::wostream& os, const Exception& e) {
    std::locale previous = os.imbue(std::locale::classic());
    os << NewLine;
    for (const auto& entry : e.entries_) {
        os << entry.type << L" | " << entry.code << L" | " << entry.message << L" | " << entry.file << L" | "
           << entry.function << L" | " << entry.line << NewLine;
    }
    os.imbue(previous);
    return os;
}

}  // namespace util
