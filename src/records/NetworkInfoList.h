// One scanned network (one entry of the network list, despite the name), and
// the WLAN form the adapter always creates. The host holds entries as
// NetworkInfoList and reaches the WLAN fields by dynamic_cast.
#pragma once

#include <cstdint>

#include "foundation/String.h"
#include "records/SecurityTypes.h"

namespace cei {

class NetworkInfoList {
public:
    NetworkInfoList();
    NetworkInfoList(const NetworkInfoList&) = default;
    NetworkInfoList& operator=(const NetworkInfoList&) = default;
    virtual ~NetworkInfoList();

    util::String ssid;
    uint32_t signalQuality = 0;  // percent, 0 to 100; always written by the scan
};

class NetworkInfoListWlan : public NetworkInfoList {
public:
    NetworkInfoListWlan();
    NetworkInfoListWlan(const NetworkInfoListWlan&) = default;
    NetworkInfoListWlan& operator=(const NetworkInfoListWlan&) = default;
    ~NetworkInfoListWlan() override;

    uint32_t bssType = 0;  // 1: infrastructure; 0: any other kind. Always written by the scan
    bool securityEnabled = false;
    EncryptionType encryptionType = ENCRYPTION_UNKNOWN;
    SecurityType securityType = SECURITY_UNKNOWN;
};

}  // namespace cei
