#include "profile/Security.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

namespace Wlan {

Security::~Security() = default;

void Security::SetAuthEncrypt(const AuthEncrypt& value) {
    authEncrypt = value;
    hasAuthEncrypt = true;
}

void Security::SetSharedKey(const SharedKey& value) {
    sharedKey = value;
    hasSharedKey = true;
}

void Security::SetKeyIndex(unsigned oneBased) {
    keyIndex = static_cast<int32_t>(oneBased - 1u);
    hasKeyIndex = true;
}

void Security::Write(util::XmlSerializeWriter& writer) const {
    UTIL_TRY
    util::XmlSerializer::ATagLevel level(writer, L"security");
    if (hasAuthEncrypt) authEncrypt.Write(writer);
    if (hasSharedKey) sharedKey.Write(writer);
    if (hasKeyIndex) writer.Put(static_cast<uint32_t>(keyIndex), L"keyIndex");
    UTIL_CATCH_CHAIN(L"Wlan::Security::Write")
}

}  // namespace Wlan
