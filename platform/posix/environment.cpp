// ExpandEnvironmentStringsW: "%NAME%" is replaced by the variable's value;
// an unknown name or a lone '%' stays as written, as on Windows. The result
// size counts the terminating NUL.
#include "../win32.h"
#include "../sim/Faults.h"

#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

bool ReadVariable(const std::wstring& name, std::wstring& value) {
    std::string narrow(name.size() * 4 + 1, '\0');
    int n = WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, narrow.data(), static_cast<int>(narrow.size()),
                                nullptr, nullptr);
    if (n <= 0) return false;
    const char* v = std::getenv(narrow.c_str());
    if (v == nullptr) return false;
    int wn = MultiByteToWideChar(CP_ACP, 0, v, -1, nullptr, 0);
    if (wn <= 0) return false;
    value.assign(static_cast<size_t>(wn), L'\0');
    MultiByteToWideChar(CP_ACP, 0, v, -1, value.data(), wn);
    value.resize(static_cast<size_t>(wn) - 1);
    return true;
}

}  // namespace

DWORD ExpandEnvironmentStringsW(LPCWSTR lpSrc, LPWSTR lpDst, DWORD nSize) {
    uint32_t code = 0;
    if (sim::ShouldFail("ExpandEnvironmentStringsW", &code)) {
        SetLastError(code);
        return 0;
    }
    if (lpSrc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::wstring src(lpSrc), out;
    for (size_t i = 0; i < src.size();) {
        size_t end = src[i] == L'%' ? src.find(L'%', i + 1) : std::wstring::npos;
        std::wstring value;
        if (end != std::wstring::npos && end > i + 1 && ReadVariable(src.substr(i + 1, end - i - 1), value)) {
            out += value;
            i = end + 1;
        } else {
            out += src[i++];
        }
    }
    DWORD needed = static_cast<DWORD>(out.size() + 1);
    if (lpDst != nullptr && nSize >= needed) std::wmemcpy(lpDst, out.c_str(), needed);
    return needed;
}
