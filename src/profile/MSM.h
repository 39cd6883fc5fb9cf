// The "MSM" element, which holds the security settings.
#pragma once

#include "profile/Security.h"

namespace Wlan {

class MSM {
public:
    MSM() = default;
    MSM(const MSM&) = default;
    MSM& operator=(const MSM&) = default;
    virtual ~MSM();

    void SetSecurity(const Security& value) { security = value; }
    void Write(util::XmlSerializeWriter& writer) const;

    Security security;
};

}  // namespace Wlan
