#include "records/SecurityTypes.h"

namespace cei {

const wchar_t* const SecurityTypeNames[SECURITY_TYPE_COUNT] = {L"open", L"shared", L"WPA",
                                                                L"WPAPSK", L"WPA2", L"WPA2PSK"};
const wchar_t* const EncryptionTypeNames[ENCRYPTION_TYPE_COUNT] = {L"none", L"AES", L"TKIP", L"WEP"};

const wchar_t* SecurityTypeName(int32_t value) {
    return value >= 0 && value < SECURITY_TYPE_COUNT ? SecurityTypeNames[value] : nullptr;
}

const wchar_t* EncryptionTypeName(int32_t value) {
    return value >= 0 && value < ENCRYPTION_TYPE_COUNT ? EncryptionTypeNames[value] : nullptr;
}

}  // namespace cei
