#include "device/WlanSupport.h"

#include <algorithm>
#include <string>

#include "foundation/StringUtility.h"

namespace ace {

util::String GuidText(const GUID& guid) {
    LPWSTR text = nullptr;
    if (::StringFromCLSID(guid, &text) != S_OK || text == nullptr) return util::String();
    std::unique_ptr<wchar_t, void (*)(wchar_t*)> owned(text, [](wchar_t* p) { ::CoTaskMemFree(p); });
    return util::String(owned.get());
}

util::String SsidText(const DOT11_SSID& ssid) {
    size_t length = std::min<size_t>(ssid.uSSIDLength, sizeof(ssid.ucSSID));
    std::string bytes(reinterpret_cast<const char*>(ssid.ucSSID), length);
    util::String text;
    util::StringUtility::ConvertAnsiToUnicode(bytes.c_str(), text);
    return text;
}

}  // namespace ace
