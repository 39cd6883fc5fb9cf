// The answer of GetAccessStatus, owned by the host. The fields follow the
// order of the access-status type names after one leading word that the
// adapter never touches. The host may define fields beyond these.
#pragma once

#include <cstdint>

#include "foundation/String.h"

namespace cei {

class AccessStatus {
public:
    AccessStatus();
    AccessStatus(const AccessStatus&) = default;
    AccessStatus& operator=(const AccessStatus&) = default;
    virtual ~AccessStatus();

    uint32_t reserved1 = 0;
    int32_t signalStrength = 0;  // percent, or -1 when the network is not seen
    int32_t signalQuality = 0;
    int32_t bitErrorRate = 0;
    util::String networkLongName;
    util::String networkName;
    util::String networkShortName;
    int32_t networkRegistrationType = 0;
};

}  // namespace cei
