// What a device can do, as its device-database entry says. Bit sets and
// enumerations use the name tables of NameTables.h. Read and write work on
// the element "Capabilities" below the serializer's current path.
#pragma once

#include <cstdint>

namespace util {
class XmlSerializeReader;
class XmlSerializeWriter;
}  // namespace util

namespace ace {

class Capabilities {
public:
    Capabilities();
    Capabilities(const Capabilities&) = default;
    Capabilities& operator=(const Capabilities&) = default;
    virtual ~Capabilities();

    bool operator==(const Capabilities& other) const;

    // Every value must be present.
    void Read(util::XmlSerializeReader& reader);
    // Missing values keep `defaults`; bit sets and enumerations that do not
    // parse fall back to them too, bools that do not parse still fail.
    void Read(util::XmlSerializeReader& reader, const Capabilities& defaults);
    void Write(util::XmlSerializeWriter& writer) const;
    // Only the values that differ from `reference`.
    void Write(util::XmlSerializeWriter& writer, const Capabilities& reference) const;

    uint32_t AccessStatus = 0;              // bit set, AccessStatusNames
    uint32_t Bearers = 0;                   // bit set, BearersNames
    uint32_t FrequencyBands = 0;            // bit set, FrequencyBandsNames
    uint32_t HscsdSpeeds = 0;               // bit set, HscsdSpeedsNames
    uint32_t MessageNotificationType = 2;   // "Polling", MessageNotificationTypeNames
    uint32_t MessageStatusType = 0;         // bit set, MessageStatusTypeNames
    uint32_t MessageStorageLocation = 3;    // "ALL", MessageStorageLocationNames
    bool Duplex = false;
    bool FunctionalityRFOff = false;
};

}  // namespace ace
