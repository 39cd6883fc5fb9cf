#pragma once

namespace util {
// "\r\n", the line end of the exception stack dump. A literal, so nothing
// destroys it at exit while a late thread still writes a dump.
inline constexpr wchar_t NewLine[] = L"\r\n";
}  // namespace util
