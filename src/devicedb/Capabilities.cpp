#include "devicedb/Capabilities.h"

namespace ace {

Capabilities::Capabilities() = default;
Capabilities::~Capabilities() = default;

bool Capabilities::operator==(const Capabilities& other) const {
    return AccessStatus == other.AccessStatus && Bearers == other.Bearers &&
           FrequencyBands == other.FrequencyBands && HscsdSpeeds == other.HscsdSpeeds &&
           MessageNotificationType == other.MessageNotificationType &&
           MessageStatusType == other.MessageStatusType && MessageStorageLocation == other.MessageStorageLocation &&
           Duplex == other.Duplex && FunctionalityRFOff == other.FunctionalityRFOff;
}

}  // namespace ace
