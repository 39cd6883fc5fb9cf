#include "Names.h"

namespace host {

std::string SecurityText(int32_t security) {
    switch (security) {
        case cei::SECURITY_OPEN: return "open";
        case cei::SECURITY_SHARED: return "shared";
        case cei::SECURITY_WPA: return "WPA";
        case cei::SECURITY_WPA_PSK: return "WPA-PSK";
        case cei::SECURITY_WPA2: return "WPA2";
        case cei::SECURITY_WPA2_PSK: return "WPA2-PSK";
        default: return "unknown";
    }
}

std::string CipherText(int32_t cipher) {
    switch (cipher) {
        case cei::ENCRYPTION_NONE: return "none";
        case cei::ENCRYPTION_AES: return "AES";
        case cei::ENCRYPTION_TKIP: return "TKIP";
        case cei::ENCRYPTION_WEP: return "WEP";
        default: return "unknown";
    }
}

std::string BssText(uint32_t bssType) { return bssType == 1 ? "infrastructure" : "other"; }

bool SecurityFromName(const std::string& name, SecurityChoice& choice) {
    if (name == "open") choice = {cei::SECURITY_OPEN, cei::ENCRYPTION_NONE};
    else if (name == "wep") choice = {cei::SECURITY_OPEN, cei::ENCRYPTION_WEP};
    else if (name == "shared") choice = {cei::SECURITY_SHARED, cei::ENCRYPTION_WEP};
    else if (name == "wpa-psk") choice = {cei::SECURITY_WPA_PSK, cei::ENCRYPTION_TKIP};
    else if (name == "wpa2-psk") choice = {cei::SECURITY_WPA2_PSK, cei::ENCRYPTION_AES};
    else return false;
    return true;
}

bool CipherFromName(const std::string& name, cei::EncryptionType& cipher) {
    if (name == "none") cipher = cei::ENCRYPTION_NONE;
    else if (name == "aes") cipher = cei::ENCRYPTION_AES;
    else if (name == "tkip") cipher = cei::ENCRYPTION_TKIP;
    else if (name == "wep") cipher = cei::ENCRYPTION_WEP;
    else return false;
    return true;
}

std::string SecurityName(int32_t security, int32_t cipher) {
    switch (security) {
        case cei::SECURITY_OPEN: return cipher == cei::ENCRYPTION_WEP ? "wep" : "open";
        case cei::SECURITY_SHARED: return "shared";
        case cei::SECURITY_WPA_PSK: return "wpa-psk";
        case cei::SECURITY_WPA2_PSK: return "wpa2-psk";
        default: return "";
    }
}

}  // namespace host
