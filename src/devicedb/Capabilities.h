// What a device can do, as its device-database entry says. Bit sets and
// enumerations use the name tables of NameTables.h.
//
// The XML read and write operations (non-virtual) are added together with the
// XML serializer.
#pragma once

#include <cstdint>

namespace ace {

class Capabilities {
public:
    Capabilities();
    Capabilities(const Capabilities&) = default;
    Capabilities& operator=(const Capabilities&) = default;
    virtual ~Capabilities();

    bool operator==(const Capabilities& other) const;

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
