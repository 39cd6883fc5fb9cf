// The authentication and cipher value sets shared by the scanned networks,
// the associate request and the WLAN profile document. Values are signed
// 32-bit; the host may pass any number, so a field of these types can hold
// values that have no name (the adapter refuses or reports those).
#pragma once

#include <cstdint>

namespace cei {

enum SecurityType : int32_t {
    SECURITY_UNKNOWN = -1,  // scan only: an algorithm the adapter does not know
    SECURITY_OPEN = 0,
    SECURITY_SHARED = 1,
    SECURITY_WPA = 2,
    SECURITY_WPA_PSK = 3,
    SECURITY_WPA2 = 4,
    SECURITY_WPA2_PSK = 5,
};

enum EncryptionType : int32_t {
    ENCRYPTION_UNKNOWN = -1,  // scan only
    ENCRYPTION_NONE = 0,
    ENCRYPTION_AES = 1,
    ENCRYPTION_TKIP = 2,
    ENCRYPTION_WEP = 3,
};

// The names the profile document uses, indexed by value.
constexpr int32_t SECURITY_TYPE_COUNT = 6;
constexpr int32_t ENCRYPTION_TYPE_COUNT = 4;
extern const wchar_t* const SecurityTypeNames[SECURITY_TYPE_COUNT];
extern const wchar_t* const EncryptionTypeNames[ENCRYPTION_TYPE_COUNT];

// The profile name of a value, or nullptr when the value has none.
const wchar_t* SecurityTypeName(int32_t value);
const wchar_t* EncryptionTypeName(int32_t value);

}  // namespace cei
