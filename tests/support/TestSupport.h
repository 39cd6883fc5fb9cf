// Shared by the tests: capture the log, catch an exception of an exact class,
// compare exception entries, and a locale that groups digits.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <locale>
#include <memory>
#include <string>
#include <typeinfo>

#include "foundation/ExceptionTypes.h"
#include "logger/Logger.h"

namespace test {

// Captures every log record for the life of the object.
class LogCapture {
public:
    LogCapture() { GetLog().AddSink(sink_); }
    ~LogCapture() { GetLog().RemoveSink(sink_); }
    util::CaptureSink* operator->() { return sink_.get(); }

private:
    std::shared_ptr<util::CaptureSink> sink_ = std::make_shared<util::CaptureSink>();
};

// Registers `secret` (a key or passphrase a test hands to the code) as text
// that no log record of the process may hold; returns it. Every record
// written from then on is checked, and the run fails at its end if one held
// a secret.
std::wstring Secret(const std::wstring& secret);

// Runs `f`, which must throw exactly `Ex` (not a subclass); returns it.
template <class Ex>
Ex ExpectThrows(const std::function<void()>& f) {
    try {
        f();
    } catch (const util::Exception& e) {
        EXPECT_EQ(typeid(e), typeid(Ex)) << "thrown: " << typeid(e).name();
        if (const Ex* exact = dynamic_cast<const Ex*>(&e)) return *exact;
        throw;
    }
    ADD_FAILURE() << "nothing was thrown";
    throw std::logic_error("expected an exception");
}

// Asserts every field of one entry but file and line; an empty expectation
// means the field is empty.
void ExpectEntry(const util::Exception& e, size_t index, const std::wstring& type, const std::wstring& function,
                 const std::wstring& message, uint32_t code);

// The stack dump as text.
std::wstring Dump(const util::Exception& e);

// A locale that groups digits by three with '.' and writes a decimal ',', so
// that any number written in it shows.
struct GroupingPunct : std::numpunct<wchar_t> {
    wchar_t do_thousands_sep() const override { return L'.'; }
    wchar_t do_decimal_point() const override { return L','; }
    std::string do_grouping() const override { return "\3"; }
};
inline std::locale GroupingLocale() { return std::locale(std::locale::classic(), new GroupingPunct); }

}  // namespace test
