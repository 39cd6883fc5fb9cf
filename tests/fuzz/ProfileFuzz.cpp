// Builds WLAN profiles from arbitrary names, keys and types. ToXml must give
// a document our reader accepts, carrying the name and the key back
// unchanged; its logged copy must hold "XXXXX" where a key was and agree
// with the document everywhere else. A name or key holding a character XML
// cannot carry gives no document at all.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "foundation/ExceptionTypes.h"
#include "profile/WlanProfile.h"
#include "records/SecurityTypes.h"
#include "xml/TextCodec.h"
#include "xml/XmlReader.h"

namespace {

using Texts = std::vector<util::String>;

// Input: one selector byte, one byte giving the name's length in 16-bit
// units, the name, then the key.
struct Input {
    uint8_t selector = 0;
    util::String name, key;
};

util::String Units(const uint8_t* data, size_t count) {
    util::String text;
    for (size_t i = 0; i + 1 < count; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    return text;
}

Input Decode(const uint8_t* data, size_t size) {
    if (size < 2) return {};
    const size_t nameBytes = std::min<size_t>(size_t{data[1]} * 2, size - 2);
    return {data[0], Units(data + 2, nameBytes), Units(data + 2 + nameBytes, size - 2 - nameBytes)};
}

constexpr int kSecurities[] = {cei::SECURITY_OPEN, cei::SECURITY_SHARED, cei::SECURITY_WPA_PSK, cei::SECURITY_WPA2_PSK};
constexpr int kEncryptions[] = {cei::ENCRYPTION_NONE, cei::ENCRYPTION_WEP, cei::ENCRYPTION_TKIP, cei::ENCRYPTION_AES};

// The profile as the device builds one; returns whether it holds the key.
bool Build(const Input& in, Wlan::WlanProfile& profile) {
    const int security = kSecurities[in.selector & 3];
    const int encryption = kEncryptions[(in.selector >> 2) & 3];
    const bool keyed = encryption == cei::ENCRYPTION_WEP || security >= cei::SECURITY_WPA_PSK;
    Wlan::SSID ssid;
    ssid.SetName(in.name);
    Wlan::SSIDConfig ssidConfig;
    ssidConfig.SetSSID(ssid);
    ssidConfig.SetBroadcast((in.selector & 0x10) != 0);
    Wlan::AuthEncrypt authEncrypt;
    authEncrypt.SetAuthentication(security);
    authEncrypt.SetEncryption(encryption);
    authEncrypt.SetUseOneX((in.selector & 0x20) != 0);
    Wlan::Security sec;
    sec.SetAuthEncrypt(authEncrypt);
    if (keyed) {
        Wlan::SharedKey key;
        key.SetKeyType(in.selector >> 7);
        key.SetProtected(false);
        key.SetKeyMaterial(in.key);
        sec.SetSharedKey(key);
        if (encryption == cei::ENCRYPTION_WEP) sec.SetKeyIndex(1 + ((in.selector >> 6) & 1));
    }
    Wlan::MSM msm;
    msm.SetSecurity(sec);
    profile.SetName(in.name);
    profile.SetConnectionType(0);
    profile.SetConnectionMode(1);
    profile.SetSSIDConfig(ssidConfig);
    profile.SetMSM(msm);
    return keyed;
}

// Every element's text under `node` (its character data, "" for an empty
// element), in document order, with its name.
void Collect(const pug::xml_node& node, std::vector<std::pair<util::String, util::String>>& out) {
    for (pug::xml_node child : node) {
        if (!child.type_element()) continue;
        util::String text;
        for (pug::xml_node part : child)
            if (part.type_pcdata() || part.type_cdata()) text += part.value();
        out.emplace_back(child.name(), text);
        Collect(child, out);
    }
}

std::vector<std::pair<util::String, util::String>> Parsed(const util::String& xml) {
    pug::xml_parser doc;
    try {
        util::XmlReader::Parse(xml, doc);
    } catch (const util::InvalidFormatEx&) {
        std::abort();  // ToXml wrote text our reader refuses
    }
    std::vector<std::pair<util::String, util::String>> elements;
    Collect(doc.document(), elements);
    return elements;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Input in = Decode(data, size);
    Wlan::WlanProfile profile;
    const bool keyed = Build(in, profile);
    const util::String xml = profile.ToXml();
    const bool writable = util::FindNonXmlChar(in.name) == util::String::npos &&
                          (!keyed || util::FindNonXmlChar(in.key) == util::String::npos);
    if (xml.empty() == writable || xml != profile.ToXml()) std::abort();
    if (!writable) return 0;
    const auto elements = Parsed(xml);
    std::map<util::String, Texts> texts;  // by element, in document order
    for (const auto& [element, text] : elements) texts[element].push_back(text);
    // "name" twice: the profile's and the SSID's.
    if (texts[L"name"] != Texts{in.name, in.name}) std::abort();
    if (texts[L"keyMaterial"] != (keyed ? Texts{in.key} : Texts{})) std::abort();

    // The logged copy: "XXXXX" for the key. An empty key may be written as an
    // empty element, which has nothing to mask.
    auto masked = elements;
    for (auto& [element, text] : masked)
        if (element == L"keyMaterial" && !in.key.empty()) text = L"XXXXX";
    if (Parsed(Wlan::WlanProfile::MaskKeyMaterial(xml)) != masked) std::abort();
    return 0;
}
