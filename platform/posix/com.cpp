// COM task memory and the registry text of a GUID, as ole32 gives them:
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
#include "../win32.h"
#include "../sim/Faults.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>

HRESULT StringFromCLSID(REFCLSID rclsid, LPWSTR* lplpsz) {
    uint32_t code = 0;
    if (sim::ShouldFail("StringFromCLSID", &code)) return static_cast<HRESULT>(code);
    if (lplpsz == nullptr) return static_cast<HRESULT>(0x80070057L);  // E_INVALIDARG
    const size_t length = 39;
    auto* text = static_cast<LPWSTR>(std::malloc((length + 1) * sizeof(wchar_t)));
    if (text == nullptr) {
        *lplpsz = nullptr;
        return E_OUTOFMEMORY;
    }
    const GUID& g = rclsid;
    std::swprintf(text, length + 1, L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    *lplpsz = text;
    return S_OK;
}

void CoTaskMemFree(LPVOID pv) { std::free(pv); }
