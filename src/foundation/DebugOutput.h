#pragma once

namespace util {
// printf-style wide text to OutputDebugStringW, truncated to 1023 characters.
// For failures inside the exception machinery itself; never throws.
void DebugOutput(const wchar_t* format, ...) noexcept;
}  // namespace util
