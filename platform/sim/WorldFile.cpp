#include "WorldFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "AdapterWorld.h"
#include "WlanProfileXml.h"
#include "WlanService.h"
#include "World.h"

namespace sim {

const char kWorldFileVariable[] = "WLAN_SIM_WORLD";

namespace {

using Json = nlohmann::json;

// --- the text and where each value stands -----------------------------------

// Walks the text for the parser and remembers how far it has read, so that
// the handler knows where the token it is told about ends.
class ReadingIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    ReadingIterator() = default;
    ReadingIterator(const char* at, const char** reached) : at_(at), reached_(reached) {}
    reference operator*() const { return *at_; }
    ReadingIterator& operator++() {
        *reached_ = ++at_;
        return *this;
    }
    ReadingIterator operator++(int) {
        ReadingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const ReadingIterator& other) const { return at_ == other.at_; }
    bool operator!=(const ReadingIterator& other) const { return at_ != other.at_; }

private:
    const char* at_ = nullptr;
    const char** reached_ = nullptr;
};

// The file's name and the line of every value, by the path errors name it by
// ("interfaces[0].networks[2].ssid"; "" for the document).
struct Source {
    std::string file;
    std::map<std::string, size_t> lines;
};

[[noreturn]] void Fail(const Source& source, size_t line, const std::string& path, const std::string& what) {
    throw WorldFileError(source.file + ":" + std::to_string(line) + ": " + (path.empty() ? "" : path + ": ") + what);
}


std::string Join(const std::string& path, const std::string& name) { return path.empty() ? name : path + "." + name; }

// Builds the document from the parser's events and records the line of each
// value: a member's is the line of its name, an element's the line of its
// last character (a container's: of its opening bracket). The parser reports
// a token when it has read to its end, or one character further after a
// number, which is on the number's line or is the line feed that ends it.
class LineRecorder {
public:
    LineRecorder(const std::string& text, Source& source) : text_(text), source_(source), reached_(text.data()) {
        for (size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') newlines_.push_back(i);
    }

    Json Parse() {
        const char* begin = text_.data();
        Json::sax_parse(ReadingIterator(begin, &reached_), ReadingIterator(begin + text_.size(), &reached_), this);
        return std::move(root_);
    }

    bool null() { return Value(Json(nullptr)); }
    bool boolean(bool value) { return Value(Json(value)); }
    bool number_integer(Json::number_integer_t value) { return Value(Json(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return Value(Json(value)); }
    bool number_float(Json::number_float_t value, const Json::string_t&) { return Value(Json(value)); }
    bool string(Json::string_t& value) { return Value(Json(std::move(value))); }
    bool binary(Json::binary_t& value) { return Value(Json::binary(std::move(value))); }
    bool start_object(std::size_t) { return Begin(Json::object()); }
    bool start_array(std::size_t) { return Begin(Json::array()); }
    bool end_object() { return End(); }
    bool end_array() { return End(); }

    bool key(Json::string_t& name) {
        const Frame& parent = open_.back();
        member_ = name;
        memberPath_ = Join(parent.path, name);
        memberLine_ = LineHere();
        if (parent.value->contains(name)) Fail(source_, memberLine_, memberPath_, "given twice");
        return true;
    }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& error) {
        // The parser's text reads "[json.exception.parse_error.101] parse
        // error at line 3, column 5: syntax error ..."; the place is ours.
        std::string what = error.what();
        const size_t column = what.find("column ");
        const size_t colon = column == std::string::npos ? std::string::npos : what.find(": ", column);
        if (colon != std::string::npos) what = what.substr(colon + 2);
        const size_t last = std::min(position > 0 ? position - 1 : 0, text_.size());
        Fail(source_, LineOf(last), open_.empty() ? "" : NextPath(), what);
    }

private:
    struct Frame {
        Json* value;
        std::string path;
    };

    size_t LineOf(size_t offset) const {
        return 1 + static_cast<size_t>(std::lower_bound(newlines_.begin(), newlines_.end(), offset) - newlines_.begin());
    }
    // The line of the last character read; a line feed belongs to the line it ends.
    size_t LineHere() const {
        const size_t read = static_cast<size_t>(reached_ - text_.data());
        return LineOf(read > 0 ? read - 1 : 0);
    }
    // The path of the value that comes next: the member just named, or the
    // next element of the open array.
    std::string NextPath() const {
        const Frame& parent = open_.back();
        if (parent.value->is_object()) return member_.empty() ? parent.path : memberPath_;
        return parent.path + "[" + std::to_string(parent.value->size()) + "]";
    }

    Json* Insert(Json value, std::string& path) {
        if (open_.empty()) {
            source_.lines[path] = LineHere();
            root_ = std::move(value);
            return &root_;
        }
        Frame& parent = open_.back();
        path = NextPath();
        if (parent.value->is_array()) {
            source_.lines[path] = LineHere();
            parent.value->push_back(std::move(value));
            return &parent.value->back();
        }
        source_.lines[path] = memberLine_;
        Json& member = (*parent.value)[member_];
        member_.clear();
        member = std::move(value);
        return &member;
    }
    bool Value(Json value) {
        std::string path;
        Insert(std::move(value), path);
        return true;
    }
    bool Begin(Json container) {
        std::string path;
        Json* added = Insert(std::move(container), path);
        open_.push_back({added, path});
        return true;
    }
    bool End() {
        open_.pop_back();
        return true;
    }

    const std::string& text_;
    Source& source_;
    const char* reached_;
    std::vector<size_t> newlines_;
    Json root_;
    std::vector<Frame> open_;
    std::string member_;
    std::string memberPath_;
    size_t memberLine_ = 1;
};

// --- reading values ----------------------------------------------------------

// A value of the document with its path, read through the functions below,
// which name it in their errors.
class Node {
public:
    Node(const Json& value, std::string path, const Source& source)
        : value_(&value), path_(std::move(path)), source_(&source) {}
    const Json& Value() const { return *value_; }
    const std::string& Path() const { return path_; }
    const Source& From() const { return *source_; }
    size_t Line() const {
        const auto found = source_->lines.find(path_);
        return found == source_->lines.end() ? 1 : found->second;
    }
    [[noreturn]] void Fail(const std::string& what) const { sim::Fail(*source_, Line(), path_, what); }

private:
    const Json* value_;
    std::string path_;
    const Source* source_;
};

std::string Kind(const Json& value) {
    switch (value.type()) {
        case Json::value_t::object: return "an object";
        case Json::value_t::array: return "an array";
        case Json::value_t::string: return "a string";
        case Json::value_t::boolean: return "true or false";
        case Json::value_t::null: return "null";
        default: return value.is_number_integer() ? "an integer" : value.is_number() ? "a number" : value.type_name();
    }
}

void Expect(const Node& node, Json::value_t type) {
    if (node.Value().type() != type) node.Fail("expected " + Kind(Json(type)) + ", got " + Kind(node.Value()));
}

// An object whose members are all among `known`.
class Object {
public:
    Object(const Node& node, std::initializer_list<const char*> known) : node_(node) {
        Expect(node, Json::value_t::object);
        for (const auto& member : node.Value().items())
            if (std::none_of(known.begin(), known.end(), [&](const char* name) { return member.key() == name; }))
                Member(member.key()).Fail("unknown field");
    }
    std::optional<Node> Find(const char* name) const {
        if (!node_.Value().contains(name)) return std::nullopt;
        return Member(name);
    }
    Node Require(const char* name) const {
        if (std::optional<Node> found = Find(name)) return *found;
        Missing(name);
    }
    [[noreturn]] void Missing(const char* name, const std::string& what = "missing") const {
        Fail(node_.From(), node_.Line(), Join(node_.Path(), name), what);
    }

private:
    Node Member(const std::string& name) const {
        return Node(node_.Value()[name], Join(node_.Path(), name), node_.From());
    }
    Node node_;
};

std::vector<Node> Items(const Node& node) {
    Expect(node, Json::value_t::array);
    std::vector<Node> items;
    for (size_t i = 0; i < node.Value().size(); ++i)
        items.emplace_back(node.Value()[i], node.Path() + "[" + std::to_string(i) + "]", node.From());
    return items;
}

const std::string& Text(const Node& node) {
    Expect(node, Json::value_t::string);
    return node.Value().get_ref<const std::string&>();
}

bool Flag(const Node& node) {
    Expect(node, Json::value_t::boolean);
    return node.Value().get<bool>();
}

int64_t Integer(const Node& node, int64_t min, int64_t max) {
    const Json& value = node.Value();
    if (!value.is_number_integer()) node.Fail("expected an integer, got " + Kind(value));
    if (value.is_number_unsigned() && value.get<uint64_t>() > static_cast<uint64_t>(max))
        node.Fail(value.dump() + ", at most " + std::to_string(max));
    const int64_t number = value.get<int64_t>();
    if (number < min) node.Fail(value.dump() + ", at least " + std::to_string(min));
    return number;
}

// UTF-8 (as the parser has checked it) to wide text: UTF-16 where wchar_t
// has 16 bits, UTF-32 elsewhere.
std::wstring Wide(const std::string& utf8) {
    std::wstring wide;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < utf8.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += 1 + extra;
        if constexpr (sizeof(wchar_t) == 2) {
            if (code >= 0x10000) {
                code -= 0x10000;
                wide += static_cast<wchar_t>(0xD800 + (code >> 10));
                code = 0xDC00 + (code & 0x3FF);
            }
        }
        wide += static_cast<wchar_t>(code);
    }
    return wide;
}

// A name or other text handed to the service as wide text.
std::wstring WideText(const Node& node, size_t maxChars) {
    const std::wstring text = Wide(Text(node));
    if (text.find(L'\0') != std::wstring::npos) node.Fail("a zero character");
    if (text.size() > maxChars)
        node.Fail(std::to_string(text.size()) + " characters, at most " + std::to_string(maxChars));
    return text;
}

constexpr size_t kMaxName = 255;  // WLAN_MAX_NAME_LENGTH with its terminator
constexpr size_t kMaxSsid = 32;

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool AllHex(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return HexDigit(c) >= 0; });
}

// A network's name and the member it was given in: "ssid" (text) or
// "ssid_hex" (bytes as pairs of hex digits).
struct SsidField {
    std::string bytes;
    Node node;
};

SsidField Ssid(const Object& object) {
    const std::optional<Node> text = object.Find("ssid");
    const std::optional<Node> hex = object.Find("ssid_hex");
    if (text && hex) hex->Fail("ssid is given already");
    if (!text && !hex) object.Missing("ssid");
    SsidField ssid{text ? Text(*text) : std::string(), text ? *text : *hex};
    if (hex) {
        const std::wstring digits = Wide(Text(*hex));
        if (digits.size() % 2 != 0 || !AllHex(digits)) hex->Fail("expected pairs of hex digits");
        for (size_t i = 0; i < digits.size(); i += 2)
            ssid.bytes += static_cast<char>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1]));
    }
    if (ssid.bytes.size() > kMaxSsid)
        ssid.node.Fail(std::to_string(ssid.bytes.size()) + " bytes, at most " + std::to_string(kMaxSsid));
    return ssid;
}

// A name of the file, its number for the service and its text in a profile.
struct Name {
    const char* name;
    DWORD value;
    const wchar_t* profileText;
};

constexpr DWORD kAuthOpen = 1;      // DOT11_AUTH_ALGO_80211_OPEN
constexpr DWORD kAuthWpaPsk = 4;    // DOT11_AUTH_ALGO_WPA_PSK
constexpr DWORD kAuthWpa2Psk = 7;   // DOT11_AUTH_ALGO_RSNA_PSK
constexpr DWORD kCipherNone = 0;    // DOT11_CIPHER_ALGO_NONE
constexpr DWORD kCipherWep40 = 1;   // DOT11_CIPHER_ALGO_WEP40
constexpr DWORD kCipherWep104 = 5;  // DOT11_CIPHER_ALGO_WEP104
constexpr DWORD kBssAdhoc = 2;      // dot11_BSS_type_independent

// DOT11_AUTH_ALGORITHM, with the profile's authentication names.
const Name kAuths[] = {{"open", kAuthOpen, L"open"},
                       {"shared", 2, L"shared"},
                       {"WPA-PSK", kAuthWpaPsk, L"WPAPSK"},
                       {"WPA2-PSK", kAuthWpa2Psk, L"WPA2PSK"}};
// DOT11_CIPHER_ALGORITHM, with the profile's encryption names; WEP is
// WEP-40 or WEP-104 by the length of its key.
const Name kCiphers[] = {
    {"none", kCipherNone, L"none"}, {"WEP", kCipherWep40, L"WEP"}, {"TKIP", 2, L"TKIP"}, {"CCMP", 4, L"AES"}};
// DOT11_BSS_TYPE, with the profile's connection types.
const Name kBssTypes[] = {{"infrastructure", 1, L"ESS"}, {"adhoc", kBssAdhoc, L"IBSS"}};

template <size_t N>
const Name& Named(const Node& node, const Name (&table)[N]) {
    const std::string& text = Text(node);
    std::string names;
    for (size_t i = 0; i < N; ++i) {
        if (text == table[i].name) return table[i];
        names += (i == 0 ? "" : i + 1 == N ? " or " : ", ") + std::string(table[i].name);
    }
    node.Fail("unknown name \"" + text + "\", expected " + names);
}

template <size_t N>
const Name& ByValue(const Name (&table)[N], DWORD value) {
    return *std::find_if(std::begin(table), std::end(table), [&](const Name& n) { return n.value == value; });
}

// --- the world ---------------------------------------------------------------

struct InterfacePlan {
    WlanInterfaceDescription wlan;
    bool guidGiven = false;
    AdapterDescription adapter;
    std::vector<WlanStoredProfile> profiles;
    std::vector<std::wstring> protectedProfiles;
};

struct EventPlan {
    std::chrono::milliseconds after{0};
    size_t iface = 0;
    bool loseLink = false;  // else a signal change
    std::string ssid;
    DWORD quality = 0;
    LONG rssi = 0;
};

struct WorldPlan {
    DWORD serviceVersion = 2;
    std::chrono::milliseconds connectDelay{0};
    std::vector<InterfacePlan> interfaces;
    std::vector<EventPlan> events;
};

void AppendHex(std::string& out, uint64_t value, int digits) {
    for (int i = digits - 1; i >= 0; --i) out += "0123456789ABCDEF"[(value >> (4 * i)) & 0xF];
}

// Braced and in upper case, as StringFromCLSID writes it.
std::string GuidText(const GUID& guid) {
    std::string text = "{";
    AppendHex(text, guid.Data1, 8);
    text += '-';
    AppendHex(text, guid.Data2, 4);
    text += '-';
    AppendHex(text, guid.Data3, 4);
    text += '-';
    for (int i = 0; i < 8; ++i) {
        if (i == 2) text += '-';
        AppendHex(text, guid.Data4[i], 2);
    }
    return text + "}";
}

GUID ReadGuid(const Node& node) {
    const std::wstring text = Wide(Text(node));
    GUID guid{};
    bool ok = text.size() == 38 && text.front() == L'{' && text.back() == L'}';
    for (size_t i = 1; ok && i < 37; ++i) ok = (i == 9 || i == 14 || i == 19 || i == 24) ? text[i] == L'-' : HexDigit(text[i]) >= 0;
    if (!ok) node.Fail("expected a GUID such as {6B29FC40-CA47-1067-B31D-00DD010662DA}");
    const auto hex = [&](size_t from, size_t digits) {
        uint64_t value = 0;
        for (size_t i = from; i < from + digits; ++i) value = value * 16 + static_cast<uint64_t>(HexDigit(text[i]));
        return value;
    };
    guid.Data1 = static_cast<uint32_t>(hex(1, 8));
    guid.Data2 = static_cast<uint16_t>(hex(10, 4));
    guid.Data3 = static_cast<uint16_t>(hex(15, 4));
    for (size_t i = 0; i < 8; ++i) guid.Data4[i] = static_cast<unsigned char>(hex(i < 2 ? 20 + 2 * i : 21 + 2 * i, 2));
    if (guid == GUID{}) node.Fail("the zero GUID");
    return guid;
}

std::string Address(const Node& node, bool emptyAllowed) {
    const std::string& text = Text(node);
    if (text.empty() && emptyAllowed) return text;
    int parts = 0;
    bool ok = true;
    for (size_t at = 0; ok && at <= text.size(); ++parts) {
        const size_t dot = std::min(text.find('.', at), text.size());
        const std::string part = text.substr(at, dot - at);
        ok = !part.empty() && part.size() <= 3 && std::all_of(part.begin(), part.end(), [](char c) {
            return c >= '0' && c <= '9';
        }) && std::stoi(part) <= 255;
        at = dot + 1;
    }
    if (!ok || parts != 4) node.Fail("\"" + text + "\" is no dotted IPv4 address");
    return text;
}

// The key a connect must present: WEP keys are 5 or 13 characters or 10 or
// 26 hex digits (and choose WEP-40 or WEP-104), pre-shared keys 8 to 63
// characters or 64 hex digits.
void ReadSecret(const Object& object, WlanNetwork& network) {
    const bool wep = network.cipherAlgorithm == kCipherWep40;
    const bool psk = network.authAlgorithm == kAuthWpaPsk || network.authAlgorithm == kAuthWpa2Psk;
    const std::optional<Node> secret = object.Find("secret");
    if (secret) network.secret = WideText(*secret, 64);
    if (!wep && !psk) return;
    if (!secret) object.Missing("secret", wep ? "missing: a WEP network has a key" : "missing: a PSK network has a key");
    const size_t n = network.secret.size();
    const bool hex = AllHex(network.secret);
    if (wep) {
        if (!(n == 5 || n == 13 || (hex && (n == 10 || n == 26))))
            secret->Fail("a WEP key has 5 or 13 characters or 10 or 26 hex digits");
        network.cipherAlgorithm = (n == 5 || n == 10) ? kCipherWep40 : kCipherWep104;
    } else if (!((n >= 8 && n <= 63) || (hex && n == 64))) {
        secret->Fail("a pre-shared key has 8 to 63 characters or 64 hex digits");
    }
}

WlanNetwork ReadNetwork(const Node& node, const std::vector<WlanNetwork>& before) {
    const Object o(node, {"ssid", "ssid_hex", "bss", "signal", "rssi", "security", "secret", "hidden"});
    WlanNetwork network;
    const SsidField ssid = Ssid(o);
    network.ssid = ssid.bytes;
    if (std::any_of(before.begin(), before.end(), [&](const WlanNetwork& n) { return n.ssid == ssid.bytes; }))
        ssid.node.Fail("given twice on this interface");
    if (const std::optional<Node> bss = o.Find("bss")) network.bssType = Named(*bss, kBssTypes).value;
    if (const std::optional<Node> signal = o.Find("signal"))
        network.signalQuality = static_cast<DWORD>(Integer(*signal, 0, 100));
    if (const std::optional<Node> rssi = o.Find("rssi")) network.rssi = static_cast<LONG>(Integer(*rssi, -128, 0));
    if (const std::optional<Node> security = o.Find("security")) {
        const Object s(*security, {"auth", "cipher"});
        network.authAlgorithm = Named(s.Require("auth"), kAuths).value;
        network.cipherAlgorithm = Named(s.Require("cipher"), kCiphers).value;
    }
    network.securityEnabled = network.authAlgorithm != kAuthOpen || network.cipherAlgorithm != kCipherNone;
    ReadSecret(o, network);
    if (const std::optional<Node> hidden = o.Find("hidden")) network.broadcast = !Flag(*hidden);
    return network;
}

std::wstring Escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
            case L'&': out += L"&amp;"; break;
            case L'<': out += L"&lt;"; break;
            case L'>': out += L"&gt;"; break;
            case L'"': out += L"&quot;"; break;
            case L'\'': out += L"&apos;"; break;
            default: out += c;
        }
    }
    return out;
}

// A WLAN profile (schema version 1) for the network, as a user who joined it
// would have stored it.
std::wstring ProfileXml(const std::wstring& name, const WlanNetwork& network) {
    std::wstring xml = L"<?xml version=\"1.0\"?>\n";
    int depth = 0;
    const auto indent = [&] { xml.append(static_cast<size_t>(depth), L'\t'); };
    const auto open = [&](const std::wstring& tag) {
        indent();
        xml += L"<" + tag + L">\n";
        ++depth;
    };
    const auto close = [&](const std::wstring& tag) {
        --depth;
        indent();
        xml += L"</" + tag + L">\n";
    };
    const auto leaf = [&](const std::wstring& tag, const std::wstring& text) {
        indent();
        xml += L"<" + tag + L">" + Escaped(text) + L"</" + tag + L">\n";
    };
    const bool wep = network.cipherAlgorithm == kCipherWep40 || network.cipherAlgorithm == kCipherWep104;
    const bool hexKey = IsHexNetworkKey(network.secret);

    indent();
    xml += L"<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\n";
    ++depth;
    leaf(L"name", name);
    open(L"SSIDConfig");
    open(L"SSID");
    leaf(L"name", Wide(network.ssid));
    close(L"SSID");
    leaf(L"nonBroadcast", network.broadcast ? L"false" : L"true");
    close(L"SSIDConfig");
    leaf(L"connectionType", ByValue(kBssTypes, network.bssType).profileText);
    leaf(L"connectionMode", L"auto");
    open(L"MSM");
    open(L"security");
    open(L"authEncryption");
    leaf(L"authentication", ByValue(kAuths, network.authAlgorithm).profileText);
    leaf(L"encryption", ByValue(kCiphers, wep ? kCipherWep40 : network.cipherAlgorithm).profileText);
    leaf(L"useOneX", L"false");
    close(L"authEncryption");
    if (!network.secret.empty()) {
        open(L"sharedKey");
        leaf(L"keyType", wep || hexKey ? L"networkKey" : L"passPhrase");
        leaf(L"protected", L"false");
        leaf(L"keyMaterial", network.secret);
        close(L"sharedKey");
    }
    if (wep) leaf(L"keyIndex", L"0");
    close(L"security");
    close(L"MSM");
    close(L"WLANProfile");
    return xml;
}

WlanStoredProfile ReadProfile(const Node& node, const InterfacePlan& iface) {
    const Object o(node, {"name", "xml", "network"});
    const std::optional<Node> xml = o.Find("xml");
    const std::optional<Node> network = o.Find("network");
    const std::optional<Node> name = o.Find("name");
    if (xml && network) network->Fail("xml is given already");
    WlanStoredProfile profile;
    if (network) {
        const std::string& ssid = Text(*network);
        const auto& networks = iface.wlan.networks;
        const auto found =
            std::find_if(networks.begin(), networks.end(), [&](const WlanNetwork& n) { return n.ssid == ssid; });
        if (found == networks.end()) network->Fail("no network \"" + ssid + "\" on this interface");
        if (ssid.find('\0') != std::string::npos) network->Fail("an SSID with a zero byte cannot be written in a profile");
        profile.name = name ? WideText(*name, kMaxName) : Wide(ssid);
        profile.xml = ProfileXml(profile.name, *found);
    } else {
        if (!xml) o.Missing("xml", "missing: give xml or network");
        profile.name = WideText(o.Require("name"), kMaxName);
        profile.xml = WideText(*xml, std::wstring::npos);
    }
    for (const WlanStoredProfile& other : iface.profiles)
        if (other.name == profile.name) (name ? *name : *network).Fail("a profile of this name is stored already");
    return profile;
}

AdapterDescription ReadAdapter(const std::optional<Node>& ip, const std::wstring& description) {
    AdapterDescription a;
    a.description = description;
    a.friendlyName = description;
    a.serviceName = RegistryTree::UniqueName(L"wlansim");
    std::vector<std::wstring> dns{L"1.1.1.1", L"2.2.2.2"};
    if (ip) {
        const Object o(*ip, {"address", "mask", "gateway", "dhcp", "dhcp_server", "dns", "in_octets", "out_octets"});
        if (const std::optional<Node> v = o.Find("address")) a.ipAddress = Address(*v, true);
        if (const std::optional<Node> v = o.Find("mask")) a.ipMask = Address(*v, false);
        if (const std::optional<Node> v = o.Find("gateway")) a.gateway = Address(*v, true);
        if (const std::optional<Node> v = o.Find("dhcp")) a.dhcpEnabled = Flag(*v);
        if (const std::optional<Node> v = o.Find("dhcp_server")) a.dhcpServer = Address(*v, true);
        if (const std::optional<Node> v = o.Find("dns")) {
            dns.clear();
            for (const Node& server : Items(*v)) dns.push_back(Wide(Address(server, false)));
        }
        if (const std::optional<Node> v = o.Find("in_octets")) a.inOctets = static_cast<uint32_t>(Integer(*v, 0, UINT32_MAX));
        if (const std::optional<Node> v = o.Find("out_octets")) a.outOctets = static_cast<uint32_t>(Integer(*v, 0, UINT32_MAX));
    }
    TcpipSettings& tcpip = *a.tcpip;
    tcpip.enableDhcp = a.dhcpEnabled ? 1 : 0;
    tcpip.legacyEnableDhcp = tcpip.enableDhcp;
    tcpip.ipAddress = {Wide(a.ipAddress.empty() ? "0.0.0.0" : a.ipAddress)};
    tcpip.subnetMask = {Wide(a.ipMask)};
    tcpip.defaultGateway.clear();
    if (!a.gateway.empty()) tcpip.defaultGateway.push_back(Wide(a.gateway));
    tcpip.nameServer.clear();
    for (const std::wstring& server : dns) tcpip.nameServer += (tcpip.nameServer.empty() ? L"" : L",") + server;
    return a;
}

InterfacePlan ReadInterface(const Node& node, const std::vector<InterfacePlan>& before) {
    const Object o(node, {"description", "guid", "radio_on", "ip", "networks", "profiles", "protected_profiles"});
    InterfacePlan iface;
    const Node description = o.Require("description");
    iface.wlan.description = WideText(description, kMaxName);
    if (const std::optional<Node> guid = o.Find("guid")) {
        iface.wlan.guid = ReadGuid(*guid);
        iface.guidGiven = true;
        for (const InterfacePlan& other : before)
            if (other.guidGiven && other.wlan.guid == iface.wlan.guid) guid->Fail("given twice");
    }
    for (const InterfacePlan& other : before)
        if (other.wlan.description == iface.wlan.description) description.Fail("given twice");
    if (const std::optional<Node> radio = o.Find("radio_on")) iface.wlan.radioOn = Flag(*radio);
    if (const std::optional<Node> networks = o.Find("networks"))
        for (const Node& network : Items(*networks)) iface.wlan.networks.push_back(ReadNetwork(network, iface.wlan.networks));
    iface.adapter = ReadAdapter(o.Find("ip"), iface.wlan.description);
    if (const std::optional<Node> profiles = o.Find("profiles"))
        for (const Node& profile : Items(*profiles)) iface.profiles.push_back(ReadProfile(profile, iface));
    if (const std::optional<Node> names = o.Find("protected_profiles"))
        for (const Node& name : Items(*names)) iface.protectedProfiles.push_back(WideText(name, kMaxName));
    return iface;
}

// An interface named by its description or its GUID text.
size_t FindInterface(const Node& node, const std::vector<InterfacePlan>& interfaces) {
    const std::string& name = Text(node);
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    for (size_t i = 0; i < interfaces.size(); ++i)
        if (interfaces[i].wlan.description == Wide(name) ||
            (interfaces[i].guidGiven && GuidText(interfaces[i].wlan.guid) == upper))
            return i;
    node.Fail("no interface \"" + name + "\"");
}

EventPlan ReadEvent(const Node& node, const std::vector<InterfacePlan>& interfaces) {
    const Object o(node, {"after_ms", "lose_link", "signal"});
    EventPlan event;
    event.after = std::chrono::milliseconds(Integer(o.Require("after_ms"), 0, 24 * 3600 * 1000));
    const std::optional<Node> loseLink = o.Find("lose_link");
    const std::optional<Node> signal = o.Find("signal");
    if (loseLink && signal) signal->Fail("lose_link is given already");
    if (loseLink) {
        event.iface = FindInterface(*loseLink, interfaces);
        event.loseLink = true;
        return event;
    }
    if (!signal) o.Missing("lose_link", "missing: give lose_link or signal");
    const Object s(*signal, {"interface", "ssid", "ssid_hex", "quality", "rssi"});
    event.iface = FindInterface(s.Require("interface"), interfaces);
    const SsidField ssid = Ssid(s);
    const auto& networks = interfaces[event.iface].wlan.networks;
    const auto found = std::find_if(networks.begin(), networks.end(),
                                    [&](const WlanNetwork& n) { return n.ssid == ssid.bytes; });
    if (found == networks.end()) ssid.node.Fail("no such network on that interface");
    event.ssid = ssid.bytes;
    event.quality = static_cast<DWORD>(Integer(s.Require("quality"), 0, 100));
    event.rssi = found->rssi;
    if (const std::optional<Node> rssi = s.Find("rssi")) event.rssi = static_cast<LONG>(Integer(*rssi, -128, 0));
    return event;
}

WorldPlan ReadWorld(const Node& root) {
    const Object o(root, {"service_version", "connect_delay_ms", "interfaces", "events"});
    WorldPlan world;
    if (const std::optional<Node> version = o.Find("service_version"))
        world.serviceVersion = static_cast<DWORD>(Integer(*version, 1, 2));
    if (const std::optional<Node> delay = o.Find("connect_delay_ms"))
        world.connectDelay = std::chrono::milliseconds(Integer(*delay, 0, 60000));
    for (const Node& iface : Items(o.Require("interfaces")))
        world.interfaces.push_back(ReadInterface(iface, world.interfaces));
    if (const std::optional<Node> events = o.Find("events"))
        for (const Node& event : Items(*events)) world.events.push_back(ReadEvent(event, world.interfaces));
    return world;
}

// --- putting it into the machine ---------------------------------------------

// The adapters of the loaded world; never destroyed, as the world is not.
struct Loaded {
    std::mutex lock;
    std::vector<std::unique_ptr<AdapterWorld>> adapters;
};

Loaded& LoadedWorld() {
    static Loaded* loaded = new Loaded;
    return *loaded;
}

// Drops the world loaded before: its registry keys first, then the services.
void Clear(Loaded& loaded) {
    loaded.adapters.clear();
    GetWorld().Reset();
}

void Apply(const WorldPlan& plan) {
    GetWorld();  // the first call may load a world itself: before the lock
    Loaded& loaded = LoadedWorld();
    const std::lock_guard<std::mutex> guard(loaded.lock);
    Clear(loaded);
    WlanService& wlan = GetWorld().Wlan();
    wlan.SetServiceVersion(plan.serviceVersion);
    wlan.SetConnectDelay(plan.connectDelay);
    std::vector<GUID> guids;
    for (const InterfacePlan& iface : plan.interfaces) {
        const GUID guid = wlan.AddInterface(iface.wlan);
        guids.push_back(guid);
        AdapterDescription adapter = iface.adapter;
        adapter.guid = Wide(GuidText(guid));
        loaded.adapters.push_back(std::make_unique<AdapterWorld>());
        loaded.adapters.back()->Add(adapter);
        for (const WlanStoredProfile& profile : iface.profiles)
            wlan.StoreProfile(guid, profile.name, profile.xml, profile.flags);
        for (const std::wstring& name : iface.protectedProfiles) wlan.ProtectProfile(guid, name);
    }
    for (const EventPlan& event : plan.events) {
        const GUID guid = guids[event.iface];
        if (event.loseLink)
            wlan.After(event.after, [&wlan, guid] { wlan.LoseLink(guid); });
        else
            wlan.After(event.after, [&wlan, guid, event] { wlan.SetSignal(guid, event.ssid, event.quality, event.rssi); });
    }
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void LoadWorld(const std::string& jsonText, const std::string& fileNameForErrors) {
    Source source{fileNameForErrors, {}};
    const Json root = LineRecorder(jsonText, source).Parse();
    Apply(ReadWorld(Node(root, "", source)));
}

void LoadWorldFile(const std::string& path) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw WorldFileError(path + ": cannot open: " + std::strerror(errno));
    std::string text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) text.append(buffer, n);
    if (std::ferror(file.get())) throw WorldFileError(path + ": cannot read: " + std::strerror(errno));
    LoadWorld(text, path);
}

void LoadDefaultWorld() { LoadWorld(DefaultWorldText(), "default world"); }

bool LoadWorldFromEnvironment() {
    const char* path = std::getenv(kWorldFileVariable);
    if (path == nullptr || *path == '\0') {
        LoadDefaultWorld();
        return false;
    }
    LoadWorldFile(path);
    return true;
}

void UnloadWorld() {
    Loaded& loaded = LoadedWorld();
    const std::lock_guard<std::mutex> guard(loaded.lock);
    Clear(loaded);
}

const std::string& DefaultWorldText() {
    // Far enough apart for a quick demo to finish before the signal drops
    // (10 s) and the link is lost (20 s).
    static const std::string text = R"json({
  "service_version": 2,
  "interfaces": [{
    "description": "Contoso Wireless LAN Adapter",
    "ip": {"address": "10.0.0.5", "mask": "255.0.0.0", "gateway": "10.0.0.1",
           "dns": ["10.0.0.1"], "in_octets": 1048576, "out_octets": 262144},
    "networks": [
      {"ssid": "Contoso Guest", "signal": 90, "rssi": -45},
      {"ssid": "Contoso Legacy", "signal": 55, "rssi": -70,
       "security": {"auth": "open", "cipher": "WEP"}, "secret": "0123456789"},
      {"ssid": "Contoso Office", "signal": 70, "rssi": -58,
       "security": {"auth": "WPA-PSK", "cipher": "TKIP"}, "secret": "office-passphrase"},
      {"ssid": "Contoso Home", "signal": 85, "rssi": -50,
       "security": {"auth": "WPA2-PSK", "cipher": "CCMP"}, "secret": "home-passphrase"},
      {"ssid": "Contoso Hidden", "signal": 60, "rssi": -66, "hidden": true,
       "security": {"auth": "WPA2-PSK", "cipher": "CCMP"}, "secret": "hidden-passphrase"},
      {"ssid": "Contoso Ad Hoc", "bss": "adhoc", "signal": 40, "rssi": -80}
    ],
    "profiles": [{"network": "Contoso Home"}]
  }],
  "events": [
    {"after_ms": 10000, "signal": {"interface": "Contoso Wireless LAN Adapter", "ssid": "Contoso Home",
                                   "quality": 35, "rssi": -78}},
    {"after_ms": 20000, "lose_link": "Contoso Wireless LAN Adapter"}
  ]
})json";
    return text;
}

}  // namespace sim
