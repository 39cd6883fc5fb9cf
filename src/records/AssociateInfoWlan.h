// The request of AssociateNetwork. Reached from a ConnectionInfo by
// dynamic_cast.
#pragma once

#include <cstdint>

#include "records/ConnectionInfo.h"
#include "records/SecurityTypes.h"

namespace cei {

class AssociateInfoWlan : public ConnectionInfo {
public:
    AssociateInfoWlan();
    AssociateInfoWlan(const AssociateInfoWlan&) = default;
    AssociateInfoWlan& operator=(const AssociateInfoWlan&) = default;
    ~AssociateInfoWlan() override;

    uint32_t reserved1 = 0;  // the host's; not read by the adapter
    util::String ssid;
    bool ssidBroadcast = false;  // false: a hidden network
    EncryptionType encryptionType = ENCRYPTION_NONE;
    SecurityType securityType = SECURITY_OPEN;
    util::String key;        // as the user typed it
    uint32_t reserved2 = 0;  // the host's; not read by the adapter
    uint32_t keyIndex = 0;   // WEP key index, counted from 1
    bool useOneX = false;
};

}  // namespace cei
