// Wide text to UTF-8 for the log's text sinks, for 16-bit (UTF-16) and
// 32-bit (UTF-32) wchar_t alike; and the UTC calendar time.
#pragma once

#include <ctime>
#include <string>

namespace logger {
std::string ToUtf8(const std::wstring& text);
void UtcTime(std::time_t secs, std::tm& out);
}  // namespace logger
