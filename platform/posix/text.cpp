// Code page conversion. The ANSI code page here is UTF-8 and wchar_t holds
// UTF-32, so both directions are UTF-8 <-> UTF-32. As on Windows, a length
// of -1 means "NUL-terminated, terminator included", an output size of 0 asks
// for the size, and a buffer that is too small fails with 122.
#include "../win32.h"
#include "../Utf8.h"
#include "../sim/Faults.h"

#include <cstring>
#include <cwchar>
#include <string>

namespace {

bool Injected(const char* call) {
    uint32_t code = 0;
    if (!sim::ShouldFail(call, &code)) return false;
    SetLastError(code);
    return true;
}

// Decodes one UTF-8 sequence; malformed input yields U+FFFD and consumes one byte.
char32_t DecodeOne(const unsigned char* s, size_t n, size_t& used) {
    unsigned char c = s[0];
    used = 1;
    if (c < 0x80) return c;
    int extra = (c >= 0xF0 && c <= 0xF4) ? 3 : (c >= 0xE0) ? 2 : (c >= 0xC2 && c < 0xE0) ? 1 : -1;
    if (extra < 0 || static_cast<size_t>(extra) >= n) return 0xFFFD;
    char32_t cp = c & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        if ((s[i] & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (s[i] & 0x3F);
    }
    static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
    used = static_cast<size_t>(extra) + 1;
    return cp;
}

bool KnownCodePage(UINT cp) { return cp == CP_ACP || cp == CP_UTF8; }

}  // namespace

int MultiByteToWideChar(UINT CodePage, DWORD, LPCCH lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar) {
    if (Injected("MultiByteToWideChar")) return 0;
    if (!KnownCodePage(CodePage) || lpMultiByteStr == nullptr || cbMultiByte == 0 || cchWideChar < 0 ||
        (cchWideChar > 0 && lpWideCharStr == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t n = cbMultiByte < 0 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    // Decoded straight into the caller's buffer (or only counted): the
    // device converts every SSID of a network list this way.
    const auto* s = reinterpret_cast<const unsigned char*>(lpMultiByteStr);
    size_t written = 0;
    for (size_t i = 0; i < n; ++written) {
        size_t used = 1;
        const auto c = static_cast<wchar_t>(DecodeOne(s + i, n - i, used));
        i += used;
        if (cchWideChar == 0) continue;
        if (written == static_cast<size_t>(cchWideChar)) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        lpWideCharStr[written] = c;
    }
    return static_cast<int>(written);
}

UINT GetACP() { return CP_UTF8; }

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCCH lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    if (Injected("WideCharToMultiByte")) return 0;
    if (!KnownCodePage(CodePage) || lpWideCharStr == nullptr || cchWideChar == 0 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && lpMultiByteStr == nullptr) || (dwFlags & ~DWORD{WC_ERR_INVALID_CHARS}) != 0 ||
        lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t n = cchWideChar < 0 ? std::wcslen(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        if (platform::AppendUtf8(static_cast<char32_t>(lpWideCharStr[i]), out)) continue;
        if (dwFlags & WC_ERR_INVALID_CHARS) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
        out += "\xEF\xBF\xBD";  // U+FFFD, as Windows writes for UTF-8
    }
    if (cbMultiByte == 0) return static_cast<int>(out.size());
    if (out.size() > static_cast<size_t>(cbMultiByte)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(lpMultiByteStr, out.data(), out.size());
    return static_cast<int>(out.size());
}
