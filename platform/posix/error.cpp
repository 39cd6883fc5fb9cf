// Per-thread error slot and the system texts of the codes we report.
#include "../win32.h"
#include "../sim/Faults.h"

#include <cstring>
#include <cwchar>

namespace {
thread_local DWORD lastError = 0;

struct Text {
    DWORD code;
    const wchar_t* text;
};

// The English texts Windows gives for the codes this system meets.
const Text kTexts[] = {
    {0, L"The operation completed successfully."},
    {2, L"The system cannot find the file specified."},
    {5, L"Access is denied."},
    {6, L"The handle is invalid."},
    {8, L"Not enough memory resources are available to process this command."},
    {14, L"Not enough memory resources are available to complete this operation."},
    {50, L"The request is not supported."},
    {87, L"The parameter is incorrect."},
    {111, L"The file name is too long."},
    {120, L"This function is not supported on this system."},
    {122, L"The data area passed to a system call is too small."},
    {123, L"The filename, directory name, or volume label syntax is incorrect."},
    {126, L"The specified module could not be found."},
    {127, L"The specified procedure could not be found."},
    {183, L"Cannot create a file when that file already exists."},
    {203, L"The system could not find the environment option that was entered."},
    {232, L"The pipe is being closed."},
    {234, L"More data is available."},
    {258, L"The wait operation timed out."},
    {259, L"No more data is available."},
    {1062, L"The service has not been started."},
    {1113, L"No mapping for the Unicode character exists in the target multi-byte code page."},
    {1168, L"Element not found."},
    {1206, L"The network connection profile is corrupted."},
    {4319, L"The device is not ready for use."},
    {5023, L"The group or resource is not in the correct state to perform the requested operation."},
    {0x80342002u, L"The wireless local area network interface is powered down and doesn't support the requested operation."},
};

const wchar_t* Lookup(DWORD code) {
    for (const Text& t : kTexts)
        if (t.code == code) return t.text;
    return nullptr;
}
}  // namespace

DWORD GetLastError() { return lastError; }
void SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }

// Only the form the system uses is supported: from the system table, inserts
// ignored, optionally into a LocalAlloc'd buffer.
DWORD FormatMessageW(DWORD dwFlags, LPCVOID, DWORD dwMessageId, DWORD, LPWSTR lpBuffer, DWORD nSize, void*) {
    uint32_t code = 0;
    if (sim::ShouldFail("FormatMessageW", &code)) {
        SetLastError(code);
        return 0;
    }
    if (!(dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) || lpBuffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const wchar_t* text = Lookup(dwMessageId);
    if (text == nullptr) {
        SetLastError(317);  // ERROR_MR_MID_NOT_FOUND
        return 0;
    }
    size_t len = std::wcslen(text);
    if (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        auto* out = static_cast<wchar_t*>(LocalAlloc(LPTR, (len + 1) * sizeof(wchar_t)));
        if (out == nullptr) return 0;
        std::wmemcpy(out, text, len + 1);
        *reinterpret_cast<wchar_t**>(lpBuffer) = out;
        return static_cast<DWORD>(len);
    }
    if (nSize < len + 1) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::wmemcpy(lpBuffer, text, len + 1);
    return static_cast<DWORD>(len);
}
