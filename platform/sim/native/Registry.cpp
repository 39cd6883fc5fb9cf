// The registry calls of the native build, answered by the simulated store.
#include "../../win32.h"
#include "../Faults.h"
#include "../World.h"

namespace {

sim::RegistryStore& Store() { return sim::GetWorld().Registry(); }

#define SIM_FAULT(name)                                           \
    do {                                                          \
        uint32_t code_ = 0;                                       \
        if (sim::ShouldFail(name, &code_)) return static_cast<LONG>(code_); \
    } while (0)

}  // namespace

LONG RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    SIM_FAULT("RegOpenKeyExW");
    return Store().Open(hKey, lpSubKey, samDesired, false, reinterpret_cast<void**>(phkResult), nullptr);
}

LONG RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM samDesired, LPSECURITY_ATTRIBUTES,
                     PHKEY phkResult, LPDWORD lpdwDisposition) {
    SIM_FAULT("RegCreateKeyExW");
    bool created = false;
    LONG rc = Store().Open(hKey, lpSubKey, samDesired, true, reinterpret_cast<void**>(phkResult), &created);
    if (rc == ERROR_SUCCESS && lpdwDisposition != nullptr)
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return rc;
}

LONG RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    SIM_FAULT("RegQueryValueExW");
    return Store().Query(hKey, lpValueName, lpType, lpData, lpcbData);
}

LONG RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    SIM_FAULT("RegSetValueExW");
    return Store().Set(hKey, lpValueName, dwType, lpData, cbData);
}

LONG RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD, LPWSTR, LPDWORD,
                   PFILETIME) {
    SIM_FAULT("RegEnumKeyExW");
    return Store().EnumKey(hKey, dwIndex, lpName, lpcchName);
}

LONG RegCloseKey(HKEY hKey) {
    SIM_FAULT("RegCloseKey");
    return Store().Close(hKey);
}

LONG RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
    SIM_FAULT("RegDeleteKeyW");
    return Store().DeleteKey(hKey, lpSubKey);
}

LONG RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
    SIM_FAULT("RegDeleteValueW");
    return Store().DeleteValue(hKey, lpValueName);
}

namespace sim {
bool World::RegistrySimulated() { return true; }
}  // namespace sim
