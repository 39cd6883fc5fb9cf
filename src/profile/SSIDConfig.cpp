#include "profile/SSIDConfig.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

namespace Wlan {

SSIDConfig::~SSIDConfig() = default;

void SSIDConfig::Write(util::XmlSerializeWriter& writer) const {
    UTIL_TRY
    util::XmlSerializer::ATagLevel level(writer, L"SSIDConfig");
    ssid.Write(writer);
    writer.Put(!broadcast, L"nonBroadcast");
    UTIL_CATCH_CHAIN(L"Wlan::SSIDConfig::Write")
}

}  // namespace Wlan
