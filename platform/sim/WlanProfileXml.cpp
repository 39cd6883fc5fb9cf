#include "WlanProfileXml.h"

#include <algorithm>
#include <cwctype>
#include <string_view>
#include <vector>

#include "../Utf8.h"
#include "../win32.h"

namespace sim {
namespace {

constexpr std::wstring_view kProfileNamespace = L"http://www.microsoft.com/networking/WLAN/profile/v1";
constexpr size_t kMaxDepth = 64;

struct Element {
    std::wstring name;  // as written, prefix included
    std::vector<std::pair<std::wstring, std::wstring>> attributes;
    std::wstring text;  // the element's own character data, decoded
    std::vector<Element> children;

    // The first child of that local name.
    const Element* Child(std::wstring_view local) const {
        for (const Element& c : children) {
            std::wstring_view n = c.name;
            size_t colon = n.rfind(L':');
            if ((colon == std::wstring_view::npos ? n : n.substr(colon + 1)) == local) return &c;
        }
        return nullptr;
    }
};

const Element* Find(const Element& root, std::initializer_list<std::wstring_view> path) {
    const Element* e = &root;
    for (std::wstring_view step : path)
        if ((e = e->Child(step)) == nullptr) return nullptr;
    return e;
}

void AppendCodePoint(char32_t cp, std::wstring& out) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp > 0xFFFF) {
            cp -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (cp >> 10));
            out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(cp);
}

bool XmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0x10FFFF && c != 0xFFFE && c != 0xFFFF &&
                                                 (c < 0xD800 || c > 0xDFFF || sizeof(wchar_t) == 2));
}

// A recursive reader of one document: elements nest and close, one root,
// attributes quoted and unique, the five named entities and character
// references, comments, CDATA and processing instructions. No DTD.
class Reader {
public:
    explicit Reader(const std::wstring& s) : s_(s) {}

    bool Document(Element& root) {
        if (At(L"\xFEFF")) ++i_;
        start_ = i_;
        if (!Misc() || !At(L"<")) return false;
        return Read(root, 0) && Misc() && i_ == s_.size();
    }

private:
    bool At(std::wstring_view what) const { return std::wstring_view(s_).substr(i_, what.size()) == what; }

    bool SkipSpace() {
        size_t from = i_;
        while (i_ < s_.size() && (s_[i_] == L' ' || s_[i_] == L'\t' || s_[i_] == L'\r' || s_[i_] == L'\n')) ++i_;
        return i_ > from;
    }

    bool Misc() {
        for (;;) {
            SkipSpace();
            if (At(L"<!--")) {
                if (!Comment()) return false;
            } else if (At(L"<?")) {
                if (!Instruction()) return false;
            } else {
                return true;
            }
        }
    }

    bool Name(std::wstring& name) {
        auto first = [](wchar_t c) { return std::iswalpha(c) || c == L'_' || c == L':' || c >= 0x80; };
        auto rest = [&](wchar_t c) { return first(c) || std::iswdigit(c) || c == L'-' || c == L'.'; };
        if (i_ >= s_.size() || !first(s_[i_])) return false;
        size_t from = i_;
        while (i_ < s_.size() && rest(s_[i_])) ++i_;
        name.assign(s_, from, i_ - from);
        return true;
    }

    bool Comment() {
        size_t end = s_.find(L"--", i_ + 4);
        if (end == std::wstring::npos || end + 2 >= s_.size() || s_[end + 2] != L'>') return false;
        i_ = end + 3;
        return true;
    }

    // The declaration only at the very start; other instructions anywhere.
    bool Instruction() {
        size_t at = i_;
        i_ += 2;
        std::wstring target;
        if (!Name(target)) return false;
        bool declaration = target.size() == 3 && std::towlower(target[0]) == L'x' &&
                           std::towlower(target[1]) == L'm' && std::towlower(target[2]) == L'l';
        if (declaration && at != start_) return false;
        size_t end = s_.find(L"?>", i_);
        if (end == std::wstring::npos) return false;
        i_ = end + 2;
        return true;
    }

    bool Entity(std::wstring& out) {
        size_t end = s_.find(L';', i_);
        if (end == std::wstring::npos || end - i_ > 12) return false;
        std::wstring_view ref(s_.data() + i_ + 1, end - i_ - 1);
        i_ = end + 1;
        static constexpr std::pair<std::wstring_view, wchar_t> kNamed[] = {
            {L"lt", L'<'}, {L"gt", L'>'}, {L"amp", L'&'}, {L"quot", L'"'}, {L"apos", L'\''}};
        for (const auto& [entity, c] : kNamed) {
            if (ref == entity) {
                out += c;
                return true;
            }
        }
        if (ref.size() < 2 || ref[0] != L'#') return false;
        bool hex = ref[1] == L'x';
        std::wstring_view digits = ref.substr(hex ? 2 : 1);
        if (digits.empty()) return false;
        char32_t cp = 0;
        for (wchar_t d : digits) {
            int v = std::iswdigit(d) ? d - L'0' : (hex && std::iswxdigit(d)) ? (std::towlower(d) - L'a' + 10) : -1;
            if (v < 0 || cp > 0x10FFFF) return false;
            cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(v);
        }
        if (!XmlChar(cp) || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        AppendCodePoint(cp, out);
        return true;
    }

    // One character (or reference) of element text (quote 0) or of an
    // attribute value.
    bool Text(std::wstring& out, wchar_t quote) {
        wchar_t c = s_[i_];
        if (c == L'&') return Entity(out);
        if (!XmlChar(static_cast<char32_t>(c)) || (quote != 0 && c == L'<') || (quote == 0 && At(L"]]>")))
            return false;
        out += c;
        ++i_;
        return true;
    }

    bool Quoted(std::wstring& value) {
        if (i_ >= s_.size() || (s_[i_] != L'"' && s_[i_] != L'\'')) return false;
        wchar_t quote = s_[i_++];
        while (i_ < s_.size()) {
            if (s_[i_] == quote) {
                ++i_;
                return true;
            }
            if (!Text(value, quote)) return false;
        }
        return false;
    }

    bool Attributes(Element& e, bool& empty) {
        for (;;) {
            bool space = SkipSpace();
            if (At(L"/>") || At(L">")) {
                empty = At(L"/>");
                i_ += empty ? 2 : 1;
                return true;
            }
            std::wstring name, value;
            if (!space || !Name(name)) return false;
            SkipSpace();
            if (!At(L"=")) return false;
            ++i_;
            SkipSpace();
            if (!Quoted(value)) return false;
            for (const auto& a : e.attributes)
                if (a.first == name) return false;
            e.attributes.emplace_back(std::move(name), std::move(value));
        }
    }

    bool Read(Element& e, size_t depth) {
        ++i_;  // '<'
        bool empty = false;
        if (depth > kMaxDepth || !Name(e.name) || !Attributes(e, empty)) return false;
        if (empty) return true;
        while (i_ < s_.size()) {
            if (At(L"</")) {
                i_ += 2;
                std::wstring end;
                if (!Name(end) || end != e.name) return false;
                SkipSpace();
                if (!At(L">")) return false;
                ++i_;
                return true;
            }
            if (At(L"<!--")) {
                if (!Comment()) return false;
            } else if (At(L"<![CDATA[")) {
                size_t end = s_.find(L"]]>", i_ + 9);
                if (end == std::wstring::npos) return false;
                e.text.append(s_, i_ + 9, end - i_ - 9);
                i_ = end + 3;
            } else if (At(L"<?")) {
                if (!Instruction()) return false;
            } else if (At(L"<")) {
                e.children.emplace_back();
                if (!Read(e.children.back(), depth + 1)) return false;
            } else if (!Text(e.text, 0)) {
                return false;
            }
        }
        return false;
    }

    const std::wstring& s_;
    size_t i_ = 0;
    size_t start_ = 0;
};

std::wstring Trimmed(const std::wstring& s) {
    size_t from = s.find_first_not_of(L" \t\r\n");
    if (from == std::wstring::npos) return {};
    return s.substr(from, s.find_last_not_of(L" \t\r\n") - from + 1);
}

// The SSID name's bytes as UTF-8 (the ANSI code page of the native build).
std::string Utf8(const std::wstring& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = static_cast<char32_t>(text[i]);
        if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size())
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        platform::AppendUtf8(cp, out);
    }
    return out;
}

bool HexBytes(const std::wstring& hex, std::string& out) {
    if (hex.size() % 2 != 0) return false;
    for (size_t i = 0; i < hex.size(); i += 2) {
        std::wstring pair = hex.substr(i, 2);
        if (!std::iswxdigit(pair[0]) || !std::iswxdigit(pair[1])) return false;
        out += static_cast<char>(std::stoi(pair, nullptr, 16));
    }
    return true;
}

bool OneOf(const std::wstring& value, std::initializer_list<std::wstring_view> allowed) {
    for (std::wstring_view a : allowed)
        if (value == a) return true;
    return false;
}

void ReadSsid(const Element& root, WlanProfileFields& f) {
    const Element* ssid = Find(root, {L"SSIDConfig", L"SSID"});
    if (ssid == nullptr) return;
    if (const Element* hex = ssid->Child(L"hex")) {
        f.hasSsid = HexBytes(Trimmed(hex->text), f.ssid);
    } else if (const Element* name = ssid->Child(L"name")) {
        f.hasSsid = true;
        f.ssid = Utf8(name->text);
    }
}

std::wstring TextAt(const Element& root, std::initializer_list<std::wstring_view> path, bool* present = nullptr) {
    const Element* e = Find(root, path);
    if (present) *present = e != nullptr;
    return e ? e->text : std::wstring();
}

}  // namespace

bool IsHexNetworkKey(const std::wstring& key) {
    return key.size() == 64 && std::all_of(key.begin(), key.end(), [](wchar_t c) { return std::iswxdigit(c); });
}

uint32_t CheckProfileXml(const std::wstring& xml, WlanProfileFields& f) {
    Element root;
    if (!Reader(xml).Document(root) || root.name != L"WLANProfile") return WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA;
    bool inNamespace = false;
    for (const auto& [name, value] : root.attributes)
        if (name == L"xmlns") inNamespace = value == kProfileNamespace;
    if (!inNamespace) return WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA;

    f.name = TextAt(root, {L"name"});
    ReadSsid(root, f);
    f.nonBroadcast = Trimmed(TextAt(root, {L"SSIDConfig", L"nonBroadcast"})) == L"true";
    f.connectionType = Trimmed(TextAt(root, {L"connectionType"}));
    f.authentication = Trimmed(TextAt(root, {L"MSM", L"security", L"authEncryption", L"authentication"}));
    f.encryption = Trimmed(TextAt(root, {L"MSM", L"security", L"authEncryption", L"encryption"}));
    f.keyType = Trimmed(TextAt(root, {L"MSM", L"security", L"sharedKey", L"keyType"}, &f.hasSharedKey));
    f.keyMaterial = TextAt(root, {L"MSM", L"security", L"sharedKey", L"keyMaterial"});
    f.keyIndex = Trimmed(TextAt(root, {L"MSM", L"security", L"keyIndex"}, &f.hasKeyIndex));

    if (f.name.empty() || f.name.size() >= WLAN_MAX_NAME_LENGTH) return WLAN_REASON_CODE_INVALID_PROFILE_NAME;
    if (!f.hasSsid || f.ssid.empty() || f.ssid.size() > DOT11_SSID_MAX_LENGTH)
        return WLAN_REASON_CODE_PROFILE_SSID_INVALID;
    if (!f.authentication.empty() &&
        !OneOf(f.authentication, {L"open", L"shared", L"WPA", L"WPAPSK", L"WPA2", L"WPA2PSK"}))
        return WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA;
    if (!f.encryption.empty() && !OneOf(f.encryption, {L"none", L"WEP", L"TKIP", L"AES"}))
        return WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA;
    if (f.hasKeyIndex && !OneOf(f.keyIndex, {L"0", L"1", L"2", L"3"}))
        return WLAN_REASON_CODE_MSMSEC_PROFILE_INVALID_KEY_INDEX;
    if (f.hasSharedKey && !OneOf(f.keyType, {L"networkKey", L"passPhrase"}))
        return WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA;
    // A pre-shared key is 64 hex digits given as a network key, or a
    // passphrase of 8 to 63 characters.
    if (f.hasSharedKey && OneOf(f.authentication, {L"WPAPSK", L"WPA2PSK"})) {
        const size_t n = f.keyMaterial.size();
        const bool fits = f.keyType == L"networkKey" ? IsHexNetworkKey(f.keyMaterial) : n >= 8 && n <= 63;
        if (!fits) return WLAN_REASON_CODE_MSMSEC_PROFILE_PSK_LENGTH;
    }
    return WLAN_REASON_CODE_SUCCESS;
}

}  // namespace sim
