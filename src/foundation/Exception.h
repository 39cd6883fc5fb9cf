// The exception family. An exception is a stack of entries (a small call
// trace): the raising site pushes the first, every catch chain it passes adds
// a "Stack Entry". Copying copies the whole stack. See CatchChain.h for the
// chain every function ends with.
#pragma once

#include <cstdint>
#include <exception>
#include <new>
#include <ostream>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "foundation/String.h"

namespace util {

class Exception {
public:
    struct ExcepInfo {
        String type;      // run-time class name, "Stack Entry", "DEFAULT" or empty
        String file;      // source file of the site
        String function;  // qualified function name of the site
        uint32_t line = 0;
        uint32_t code = 0;  // operating-system error code, 0 when none
        String message;
    };

    // Text written into it is appended to the last entry's message when the
    // temporary ends; without an exception the text is discarded.
    class ExStream {
    public:
        explicit ExStream(Exception* exception);
        ExStream(ExStream&& other) noexcept;
        ExStream(const ExStream&) = delete;
        ExStream& operator=(const ExStream&) = delete;
        virtual ~ExStream();

        template <class T>
        ExStream& operator<<(const T& value) {
            if (stream_ != nullptr) *stream_ << value;
            return *this;
        }

    private:
        Exception* exception_;
        std::wostringstream* stream_;
    };

    Exception();
    Exception(const wchar_t* file, const wchar_t* function, uint32_t line);
    Exception(const Exception&) = default;
    Exception& operator=(const Exception&) = default;
    virtual ~Exception();

    void AddStackEntry(const wchar_t* file, const wchar_t* function, uint32_t line);
    // Replaces "<index>" in the last entry's message; never throws.
    void SetParam(uint32_t index, const String& value) noexcept;
    void AppendMessage(const String& text);
    ExStream Stream();
    // The stack becomes inner's entries followed by this one's own.
    void PrependEntries(const Exception& inner);
    void AddStdException(const wchar_t* file, const wchar_t* function, uint32_t line, const std::exception& e);
    // The first entry, or the process-wide default entry when there is none.
    const ExcepInfo& GetFirstEntry() const;

    const std::vector<ExcepInfo>& Entries() const { return entries_; }

    friend std::wostream& operator<<(std::wostream& os, const Exception& e);

protected:
    // Used by each class's constructor to make the last entry its own.
    void SetLastEntry(const std::type_info& type, const wchar_t* message);
    void SetLastCode(uint32_t code);

private:
    std::vector<ExcepInfo> entries_;
};

std::wostream& operator<<(std::wostream& os, const Exception& e);

}  // namespace util
