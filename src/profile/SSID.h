// The "SSID" element: the network name.
#pragma once

#include "foundation/String.h"
#include "xml/XmlSerializer.h"

namespace Wlan {

class SSID {
public:
    SSID() = default;
    SSID(const SSID&) = default;
    SSID& operator=(const SSID&) = default;
    virtual ~SSID();

    void SetName(const util::String& value) { name = value; }
    void Write(util::XmlSerializeWriter& writer) const;

    util::String name;
};

}  // namespace Wlan
