#include "foundation/DebugOutput.h"

#include <cstdarg>
#include <cwchar>

#include "platform/win32.h"

namespace util {

void DebugOutput(const wchar_t* format, ...) noexcept {
    wchar_t buffer[1024];
    buffer[0] = L'\0';
    va_list args;
    va_start(args, format);
    int n = std::vswprintf(buffer, sizeof buffer / sizeof buffer[0], format, args);
    va_end(args);
    // vswprintf fails on truncation; keep what fitted.
    if (n < 0) buffer[sizeof buffer / sizeof buffer[0] - 1] = L'\0';
    OutputDebugStringW(buffer);
}

}  // namespace util
