// What the simulated WLAN service reads of a profile document: a compact
// well-formedness check of the XML and the few texts the service acts on.
// The platform sits below the system's own XML code, so this is its own.
#pragma once

#include <cstdint>
#include <string>

namespace sim {

// The profile texts the service uses, entities decoded; empty when absent.
struct WlanProfileFields {
    std::wstring name;              // WLANProfile/name
    bool hasSsid = false;           // SSIDConfig/SSID/name or SSIDConfig/SSID/hex present
    std::string ssid;               // the SSID bytes (the name as UTF-8, or the hex decoded)
    bool nonBroadcast = false;      // SSIDConfig/nonBroadcast is "true"
    std::wstring connectionType;    // "ESS", "IBSS"
    std::wstring authentication;    // MSM/security/authEncryption/authentication
    std::wstring encryption;        // MSM/security/authEncryption/encryption
    bool hasSharedKey = false;
    std::wstring keyType;           // MSM/security/sharedKey/keyType
    std::wstring keyMaterial;       // MSM/security/sharedKey/keyMaterial
    bool hasKeyIndex = false;
    std::wstring keyIndex;          // MSM/security/keyIndex
};

// The reason code (WLAN_REASON_CODE_*) for which the service refuses the
// document, or 0 when it takes it. The document must be one well-formed
// element (after an optional declaration, comments and processing
// instructions): a WLANProfile in the version 1 profile namespace with a
// name, an SSID of 1 to 32 bytes and, if any, a key index of 0 to 3.
// `fields` holds what was read.
uint32_t CheckProfileXml(const std::wstring& xml, WlanProfileFields& fields);

// A pre-shared key the service takes as a network key: 64 hex digits; any
// other key is a passphrase.
bool IsHexNetworkKey(const std::wstring& key);

}  // namespace sim
