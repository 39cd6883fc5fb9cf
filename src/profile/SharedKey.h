// The "sharedKey" element: the key and how it is given.
#pragma once

#include <cstdint>

#include "foundation/String.h"
#include "xml/XmlSerializer.h"

namespace Wlan {

// "networkKey" 0, "passPhrase" 1.
extern const util::XmlSerializer::SignedNameTable KeyTypeNames;

class SharedKey {
public:
    SharedKey() = default;
    SharedKey(const SharedKey&) = default;
    SharedKey& operator=(const SharedKey&) = default;
    virtual ~SharedKey();

    void SetKeyType(int value);
    void SetProtected(bool value);
    void SetKeyMaterial(const util::String& value);
    // Writes nothing unless a setter was called.
    void Write(util::XmlSerializeWriter& writer) const;

    util::String keyMaterial;
    int32_t keyType = 0;
    bool protectedKey = false;
    bool isSet = false;
};

}  // namespace Wlan
