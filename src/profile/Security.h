// The "security" element: whichever of its three parts were set.
#pragma once

#include <cstdint>

#include "profile/AuthEncrypt.h"
#include "profile/SharedKey.h"

namespace Wlan {

class Security {
public:
    Security() = default;
    Security(const Security&) = default;
    Security& operator=(const Security&) = default;
    virtual ~Security();

    void SetAuthEncrypt(const AuthEncrypt& value);
    void SetSharedKey(const SharedKey& value);
    // `oneBased` is the request's index; the document holds it zero-based.
    void SetKeyIndex(unsigned oneBased);
    void Write(util::XmlSerializeWriter& writer) const;

    AuthEncrypt authEncrypt;
    SharedKey sharedKey;
    int32_t keyIndex = 0;
    bool hasAuthEncrypt = false;
    bool hasKeyIndex = false;
    bool hasSharedKey = false;
};

}  // namespace Wlan
