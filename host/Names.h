// The names the host shows and accepts for the records' numbers.
#pragma once

#include <string>

#include "records/SecurityTypes.h"

namespace host {

// As the scan table and JSON show them: "open", "WPA2-PSK", "unknown", ...
std::string SecurityText(int32_t security);
std::string CipherText(int32_t cipher);
std::string BssText(uint32_t bssType);

// What `connect --security` accepts, and the pair of record values each
// name means: open, wep (open authentication with WEP), shared, wpa-psk,
// wpa2-psk.
struct SecurityChoice {
    cei::SecurityType security = cei::SECURITY_OPEN;
    cei::EncryptionType cipher = cei::ENCRYPTION_NONE;
};
bool SecurityFromName(const std::string& name, SecurityChoice& choice);
bool CipherFromName(const std::string& name, cei::EncryptionType& cipher);
// The connect name of what a scan reported; empty when wlanhost cannot
// connect to it (802.1X, unknown algorithms).
std::string SecurityName(int32_t security, int32_t cipher);

}  // namespace host
