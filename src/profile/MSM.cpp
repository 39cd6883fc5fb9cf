#include "profile/MSM.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

namespace Wlan {

MSM::~MSM() = default;

void MSM::Write(util::XmlSerializeWriter& writer) const {
    UTIL_TRY
    util::XmlSerializer::ATagLevel level(writer, L"MSM");
    security.Write(writer);
    UTIL_CATCH_CHAIN(L"Wlan::MSM::Write")
}

}  // namespace Wlan
