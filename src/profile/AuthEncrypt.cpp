#include "profile/AuthEncrypt.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

namespace Wlan {

const util::XmlSerializer::SignedNameTable AuthenticationNames{
    {L"open", 0}, {L"shared", 1}, {L"WPA", 2}, {L"WPAPSK", 3}, {L"WPA2", 4}, {L"WPA2PSK", 5}};
const util::XmlSerializer::SignedNameTable EncryptionNames{{L"none", 0}, {L"AES", 1}, {L"TKIP", 2}, {L"WEP", 3}};

AuthEncrypt::~AuthEncrypt() = default;

void AuthEncrypt::Write(util::XmlSerializeWriter& writer) const {
    UTIL_TRY
    util::XmlSerializer::ATagLevel level(writer, L"authEncryption");
    writer.PutEnum(authentication, AuthenticationNames, L"authentication");
    writer.PutEnum(encryption, EncryptionNames, L"encryption");
    writer.Put(useOneX, L"useOneX");
    UTIL_CATCH_CHAIN(L"Wlan::AuthEncrypt::Write")
}

}  // namespace Wlan
