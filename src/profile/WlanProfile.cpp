#include "profile/WlanProfile.h"

#include "foundation/CatchChain.h"
#include "profile/ProfileText.h"
#include "foundation/ExceptionTypes.h"

#include <sstream>

namespace Wlan {

const wchar_t* const ProfileNamespace = L"http://www.microsoft.com/networking/WLAN/profile/v1";
const util::XmlSerializer::SignedNameTable ConnectionTypeNames{{L"ESS", 0}, {L"IBSS", 1}};
const util::XmlSerializer::SignedNameTable ConnectionModeNames{{L"auto", 0}, {L"manual", 1}};

WlanProfile::~WlanProfile() = default;

void WlanProfile::Write(util::XmlSerializeWriter& writer) const {
    UTIL_TRY
    writer.Put(EscapeAmpersands(name), L"name");
    ssidConfig.Write(writer);
    writer.PutEnum(connectionType, ConnectionTypeNames, L"connectionType");
    writer.PutEnum(connectionMode, ConnectionModeNames, L"connectionMode");
    msm.Write(writer);
    UTIL_CATCH_CHAIN(L"Wlan::WlanProfile::Write")
}

util::String WlanProfile::ToXml() const {
    std::wstringstream stream;
    try {
        util::XmlSerializeSingleWriter writer(L"WLANProfile", L"xmlns", ProfileNamespace);
        Write(writer);
        writer.WriteToStream(stream);
        return util::String(std::move(stream).str());
    } catch (const util::Exception&) {
        return util::String();
    }
}

util::String WlanProfile::MaskKeyMaterial(const util::String& xml) {
    static const util::String open(L"<keyMaterial>");
    static const util::String close(L"</keyMaterial>");
    util::String masked(xml);
    size_t start = masked.find(open);
    size_t end = masked.find(close);
    if (start == util::String::npos || end == util::String::npos || end < start + open.size()) return masked;
    masked.replace(start + open.size(), end - start - open.size(), L"XXXXX");
    return masked;
}

}  // namespace Wlan
