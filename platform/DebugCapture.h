// Test access to the process's debug output (OutputDebugStringW). On POSIX our
// OutputDebugStringW records every text; on Windows a vectored exception
// handler sees the debug-print exception that OutputDebugStringW raises.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts recording (clearing what was recorded); false where it cannot.
bool StartDebugCapture();
void StopDebugCapture();
std::vector<std::wstring> CapturedDebugOutput();

// Called by the platform's OutputDebugStringW side.
void RecordDebugOutput(const wchar_t* text);

}  // namespace platform
