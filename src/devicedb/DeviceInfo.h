// A device's entry in the host's device database, as the host hands it to the
// adapter: which library drives it, its kind, what it can do and its form.
//
// The virtual XML operations follow the destructor in this order, which the
// host relies on: Read(reader, defaults), Read(reader), Write(writer,
// reference), Write(writer).
#pragma once

#include <cstdint>

#include "devicedb/Capabilities.h"
#include "foundation/String.h"

namespace ace {

class DBDeviceInfo {
public:
    DBDeviceInfo();
    DBDeviceInfo(const DBDeviceInfo&) = default;
    DBDeviceInfo& operator=(const DBDeviceInfo&) = default;
    virtual ~DBDeviceInfo();
    // Type is required; the other values fall back to `defaults`.
    virtual void Read(util::XmlSerializeReader& reader, const DBDeviceInfo& defaults);
    // Every value must be present.
    virtual void Read(util::XmlSerializeReader& reader);
    // Type, then only what differs from `reference`; never PhysicalDeviceType.
    virtual void Write(util::XmlSerializeWriter& writer, const DBDeviceInfo& reference) const;
    virtual void Write(util::XmlSerializeWriter& writer) const;

    bool operator==(const DBDeviceInfo& other) const;

    util::String DllFile;
    uint32_t Type = 0;  // "Generic", TypeNames
    ace::Capabilities capabilities;
    uint32_t PhysicalDeviceType = 0;  // "Unknown", PhysicalDeviceTypeNames
};

}  // namespace ace
