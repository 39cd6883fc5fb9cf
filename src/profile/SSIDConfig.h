// The "SSIDConfig" element: the SSID and whether it is broadcast.
#pragma once

#include "profile/SSID.h"

namespace Wlan {

class SSIDConfig {
public:
    SSIDConfig() = default;
    SSIDConfig(const SSIDConfig&) = default;
    SSIDConfig& operator=(const SSIDConfig&) = default;
    virtual ~SSIDConfig();

    void SetSSID(const SSID& value) { ssid = value; }
    void SetBroadcast(bool value) { broadcast = value; }
    void Write(util::XmlSerializeWriter& writer) const;

    bool broadcast = true;
    SSID ssid;
};

}  // namespace Wlan
