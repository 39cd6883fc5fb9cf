#include "profile/ProfileText.h"

namespace Wlan {

util::String EscapeAmpersands(const util::String& text) {
    if (text.find(L'&') == util::String::npos) return text;
    util::String escaped;
    escaped.reserve(text.size() + 8);
    for (wchar_t c : text) {
        if (c == L'&')
            escaped += L"&amp;";
        else
            escaped += c;
    }
    return escaped;
}

}  // namespace Wlan
