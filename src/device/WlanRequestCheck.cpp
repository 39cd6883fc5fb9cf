#include "device/WlanRequestCheck.h"

#include <cstddef>
#include <cwchar>
#include <string>

#include "foundation/ExceptionTypes.h"
#include "foundation/Logging.h"
#include "xml/TextCodec.h"

namespace ace {

namespace {

constexpr size_t kMaxSsidBytes = 32;

// The SSID goes on the air as UTF-8.
size_t Utf8Length(const util::String& text) {
    size_t bytes = 0;
    for (size_t i = 0; i < text.size();) {
        const uint32_t c = util::NextCodePoint(text, i);
        bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    }
    return bytes;
}

// 5 or 13 characters, 10 or 26 hexadecimal digits, or those digits behind a
// two-character prefix.
bool WepKeyLength(size_t n) { return n == 5 || n == 13 || n == 10 || n == 26 || n == 12 || n == 28; }

// A passphrase of 8 to 63 characters or a key of 64 hexadecimal digits.
bool PskKeyLength(size_t n) { return n >= 8 && n <= 64; }

std::wstring CodePoint(wchar_t c) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%04X", static_cast<unsigned>(c));
    return text;
}

[[noreturn]] void Refuse(const wchar_t* fn, const std::wstring& text) {
    UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << text;
    util::ArgumentEx ex(UTIL_WFILE, fn, __LINE__);
    ex.Stream() << text;
    throw ex;
}

}  // namespace

void CheckAssociateRequest(const cei::AssociateInfoWlan& request, const wchar_t* fn) {
    const size_t ssidBytes = Utf8Length(request.ssid);
    if (ssidBytes == 0 || ssidBytes > kMaxSsidBytes)
        Refuse(fn, L"SSID length not supported: " + std::to_wstring(ssidBytes) + L" bytes");
    // The profile is XML: a control character or a non-character would make
    // it a document no reader takes. The key's character is not told.
    if (const size_t at = util::FindNonXmlChar(request.ssid); at != util::String::npos)
        Refuse(fn, request.ssid[at] == L'\0'
                       ? std::wstring(L"SSID holds a zero character")
                       : L"SSID holds a character a profile cannot carry: U+" + CodePoint(request.ssid[at]));
    if (util::FindNonXmlChar(request.key) != util::String::npos)
        Refuse(fn, L"Key holds a character a profile cannot carry");
    const size_t keyLength = request.key.size();
    const bool psk = request.securityType == cei::SECURITY_WPA_PSK || request.securityType == cei::SECURITY_WPA2_PSK;
    if (psk && !PskKeyLength(keyLength)) Refuse(fn, L"Not supported WPA key length: " + std::to_wstring(keyLength));
    if (request.encryptionType != cei::ENCRYPTION_WEP) return;
    if (!psk && !WepKeyLength(keyLength)) Refuse(fn, L"Not supported WEP key length: " + std::to_wstring(keyLength));
    if (request.keyIndex < 1 || request.keyIndex > 4)
        Refuse(fn, L"Not supported WEP key index: " + std::to_wstring(request.keyIndex));
}

}  // namespace ace
