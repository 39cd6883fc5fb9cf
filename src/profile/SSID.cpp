#include "profile/SSID.h"

#include "foundation/CatchChain.h"
#include "profile/ProfileText.h"
#include "foundation/ExceptionTypes.h"

namespace Wlan {

SSID::~SSID() = default;

void SSID::Write(util::XmlSerializeWriter& writer) const {
    UTIL_TRY
    util::XmlSerializer::ATagLevel level(writer, L"SSID");
    writer.Put(EscapeAmpersands(name), L"name");
    UTIL_CATCH_CHAIN(L"Wlan::SSID::Write")
}

}  // namespace Wlan
