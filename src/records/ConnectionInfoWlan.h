// The request of ConnectAsync. Reached from a ConnectionInfo by dynamic_cast.
#pragma once

#include <cstdint>

#include "records/ConnectionInfo.h"

namespace cei {

class ConnectionInfoWlan : public ConnectionInfo {
public:
    ConnectionInfoWlan();
    ConnectionInfoWlan(const ConnectionInfoWlan&) = default;
    ConnectionInfoWlan& operator=(const ConnectionInfoWlan&) = default;
    ~ConnectionInfoWlan() override;

    uint32_t reserved1 = 0;       // the host's; not read by the adapter
    uint32_t connectTimeout = 0;  // milliseconds ConnectAsync waits for the outcome
};

}  // namespace cei
