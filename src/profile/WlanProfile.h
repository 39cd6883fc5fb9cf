// A WLAN profile and its XML document for the WLAN service.
#pragma once

#include <cstdint>

#include "foundation/String.h"
#include "profile/MSM.h"
#include "profile/SSIDConfig.h"

namespace Wlan {

// The default namespace of version 1 of the WLAN profile schema.
extern const wchar_t* const ProfileNamespace;
// "ESS" 0, "IBSS" 1.
extern const util::XmlSerializer::SignedNameTable ConnectionTypeNames;
// "auto" 0, "manual" 1.
extern const util::XmlSerializer::SignedNameTable ConnectionModeNames;

class WlanProfile {
public:
    WlanProfile() = default;
    WlanProfile(const WlanProfile&) = default;
    WlanProfile& operator=(const WlanProfile&) = default;
    virtual ~WlanProfile();

    void SetName(const util::String& value) { name = value; }
    void SetSSIDConfig(const SSIDConfig& value) { ssidConfig = value; }
    void SetConnectionType(int value) { connectionType = value; }
    void SetConnectionMode(int value) { connectionMode = value; }
    void SetMSM(const MSM& value) { msm = value; }

    // The children of the root element; the root is the writer's.
    void Write(util::XmlSerializeWriter& writer) const;
    // The whole document; empty when writing failed.
    util::String ToXml() const;
    // The document as it may be logged: the first key material replaced by
    // "XXXXX".
    static util::String MaskKeyMaterial(const util::String& xml);

    util::String name;
    SSIDConfig ssidConfig;
    int32_t connectionType = 0;
    int32_t connectionMode = 1;
    MSM msm;
};

}  // namespace Wlan
