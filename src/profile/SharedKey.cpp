#include "profile/SharedKey.h"

#include "foundation/CatchChain.h"
#include "profile/ProfileText.h"
#include "foundation/ExceptionTypes.h"

namespace Wlan {

const util::XmlSerializer::SignedNameTable KeyTypeNames{{L"networkKey", 0}, {L"passPhrase", 1}};

SharedKey::~SharedKey() = default;

void SharedKey::SetKeyType(int value) {
    keyType = value;
    isSet = true;
}

void SharedKey::SetProtected(bool value) {
    protectedKey = value;
    isSet = true;
}

void SharedKey::SetKeyMaterial(const util::String& value) {
    keyMaterial = value;
    isSet = true;
}

void SharedKey::Write(util::XmlSerializeWriter& writer) const {
    UTIL_TRY
    if (!isSet) return;
    util::XmlSerializer::ATagLevel level(writer, L"sharedKey");
    writer.PutEnum(keyType, KeyTypeNames, L"keyType");
    writer.Put(protectedKey, L"protected");
    writer.Put(EscapeAmpersands(keyMaterial), L"keyMaterial");
    UTIL_CATCH_CHAIN(L"Wlan::SharedKey::Write")
}

}  // namespace Wlan
