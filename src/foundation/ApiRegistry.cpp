// Registry wrappers: the code is the call's own result.
#include "foundation/Api.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

#define WAPI_CHECK(name, result)                                                       \
    do {                                                                               \
        LONG r_ = (result);                                                            \
        if (r_ != ERROR_SUCCESS)                                                       \
            detail::ThrowApiEx(UTIL_WFILE, L"wapi::" name, __LINE__, static_cast<DWORD>(r_)); \
        return r_;                                                                     \
    } while (0)

namespace wapi {

LONG RegCloseKey(HKEY hKey) { WAPI_CHECK(L"RegCloseKey", ::RegCloseKey(hKey)); }

LONG RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass, DWORD dwOptions,
                     REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                     LPDWORD lpdwDisposition) {
    WAPI_CHECK(L"RegCreateKeyExW", ::RegCreateKeyExW(hKey, lpSubKey, Reserved, lpClass, dwOptions, samDesired,
                                                     lpSecurityAttributes, phkResult, lpdwDisposition));
}

LONG RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult) {
    WAPI_CHECK(L"RegOpenKeyExW", ::RegOpenKeyExW(hKey, lpSubKey, ulOptions, samDesired, phkResult));
}

LONG RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData) {
    WAPI_CHECK(L"RegQueryValueExW", ::RegQueryValueExW(hKey, lpValueName, lpReserved, lpType, lpData, lpcbData));
}

LONG RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                    DWORD cbData) {
    WAPI_CHECK(L"RegSetValueExW", ::RegSetValueExW(hKey, lpValueName, Reserved, dwType, lpData, cbData));
}

}  // namespace wapi
