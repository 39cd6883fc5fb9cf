// The "authEncryption" element: authentication, encryption and 802.1X.
#pragma once

#include <cstdint>

#include "xml/XmlSerializer.h"

namespace Wlan {

// "open" 0, "shared" 1, "WPA" 2, "WPAPSK" 3, "WPA2" 4, "WPA2PSK" 5.
extern const util::XmlSerializer::SignedNameTable AuthenticationNames;
// "none" 0, "AES" 1, "TKIP" 2, "WEP" 3.
extern const util::XmlSerializer::SignedNameTable EncryptionNames;

class AuthEncrypt {
public:
    AuthEncrypt() = default;
    AuthEncrypt(const AuthEncrypt&) = default;
    AuthEncrypt& operator=(const AuthEncrypt&) = default;
    virtual ~AuthEncrypt();

    void SetAuthentication(int value) { authentication = value; }
    void SetEncryption(int value) { encryption = value; }
    void SetUseOneX(bool value) { useOneX = value; }
    void Write(util::XmlSerializeWriter& writer) const;

    int32_t authentication = 0;
    int32_t encryption = 0;
    bool useOneX = false;
};

}  // namespace Wlan
