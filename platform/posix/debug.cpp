// Debug output goes to an in-process capture (see platform/DebugCapture.h)
// and, when WLAN_DEBUG_OUTPUT is set, to stderr, as a debugger would show it.
#include "../win32.h"
#include "../DebugCapture.h"

#include <cstdio>
#include <cstdlib>

void OutputDebugStringW(LPCWSTR lpOutputString) {
    if (lpOutputString == nullptr) return;
    platform::RecordDebugOutput(lpOutputString);
    if (std::getenv("WLAN_DEBUG_OUTPUT") != nullptr) std::fprintf(stderr, "%ls", lpOutputString);
}
