// Kernel and text wrappers (the registry ones are in ApiRegistry.cpp).
#include "foundation/Api.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

// The wrapper's own site with "wapi::" and the Windows name.
#define WAPI_FAIL(name) detail::ThrowApiEx(UTIL_WFILE, L"wapi::" name, __LINE__, ::GetLastError())

namespace util {

String SystemMessage(uint32_t code) {
    LPWSTR buffer = nullptr;
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                                   FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                               nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                               reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    String text;
    if (n != 0 && buffer != nullptr) text.assign(buffer, n);
    if (buffer != nullptr) ::LocalFree(buffer);
    return text;
}

}  // namespace util

namespace wapi {

void detail::ThrowApiEx(const wchar_t* file, const wchar_t* function, uint32_t line, DWORD code) {
    throw util::ApiEx(file, function, line, code);
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    DWORD r = ::WaitForSingleObject(hHandle, dwMilliseconds);
    if (r == WAIT_FAILED) WAPI_FAIL(L"WaitForSingleObject");
    return r;
}

BOOL CloseHandle(HANDLE hObject) {
    BOOL r = ::CloseHandle(hObject);
    if (!r) WAPI_FAIL(L"CloseHandle");
    return r;
}

BOOL ResetEvent(HANDLE hEvent) {
    BOOL r = ::ResetEvent(hEvent);
    if (!r) WAPI_FAIL(L"ResetEvent");
    return r;
}

BOOL SetEvent(HANDLE hEvent) {
    BOOL r = ::SetEvent(hEvent);
    if (!r) WAPI_FAIL(L"SetEvent");
    return r;
}

BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode) {
    BOOL r = ::TerminateThread(hThread, dwExitCode);
    if (!r) WAPI_FAIL(L"TerminateThread");
    return r;
}

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState, LPCWSTR lpName) {
    HANDLE h = ::CreateEventW(lpEventAttributes, bManualReset, bInitialState, lpName);
    if (h == nullptr) WAPI_FAIL(L"CreateEventW");
    return h;
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCCH lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    int r = ::WideCharToMultiByte(CodePage, dwFlags, lpWideCharStr, cchWideChar, lpMultiByteStr, cbMultiByte,
                                  lpDefaultChar, lpUsedDefaultChar);
    if (r == 0) WAPI_FAIL(L"WideCharToMultiByte");
    return r;
}

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar) {
    int r = ::MultiByteToWideChar(CodePage, dwFlags, lpMultiByteStr, cbMultiByte, lpWideCharStr, cchWideChar);
    if (r == 0) WAPI_FAIL(L"MultiByteToWideChar");
    return r;
}

DWORD ExpandEnvironmentStringsW(LPCWSTR lpSrc, LPWSTR lpDst, DWORD nSize) {
    DWORD r = ::ExpandEnvironmentStringsW(lpSrc, lpDst, nSize);
    if (r == 0) WAPI_FAIL(L"ExpandEnvironmentStringsW");
    return r;
}

}  // namespace wapi
