// wapi: one thin wrapper per Windows call the foundation uses. Each calls the
// function with the same arguments and returns its result; on failure it
// throws util::ApiEx with the code (GetLastError, or the registry call's own
// result), function "wapi::<name>". Wrappers never retry.
#pragma once

#include "foundation/String.h"
#include "platform/win32.h"

namespace util {
// The operating system's text for `code` (FormatMessageW from the system,
// inserts ignored, no line breaks); empty when the system has none.
String SystemMessage(uint32_t code);
}  // namespace util

namespace wapi {

namespace detail {
// The one way a wrapper raises: util::ApiEx of its own site. The code comes
// as an argument, so it is read before anything else runs: a throw
// allocates its exception object first, and the allocator may change the
// thread's last error.
[[noreturn]] void ThrowApiEx(const wchar_t* file, const wchar_t* function, uint32_t line, DWORD code);
}  // namespace detail

// WAIT_OBJECT_0, WAIT_TIMEOUT and WAIT_ABANDONED are results; WAIT_FAILED throws.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
BOOL CloseHandle(HANDLE hObject);
BOOL ResetEvent(HANDLE hEvent);
BOOL SetEvent(HANDLE hEvent);
BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode);
HANDLE CreateEventW(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                    LPCWSTR lpName);

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCCH lpDefaultChar, LPBOOL lpUsedDefaultChar);
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
DWORD ExpandEnvironmentStringsW(LPCWSTR lpSrc, LPWSTR lpDst, DWORD nSize);

LONG RegCloseKey(HKEY hKey);
LONG RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass, DWORD dwOptions,
                     REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                     LPDWORD lpdwDisposition);
LONG RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LONG RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData);
LONG RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                    DWORD cbData);

}  // namespace wapi
