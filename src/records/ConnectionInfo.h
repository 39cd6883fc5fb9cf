// The IP settings of a connection, and the base of both connection requests.
// The layout crosses the plug-in boundary: keep the field order and widths.
#pragma once

#include <cstdint>

#include "foundation/String.h"

namespace cei {

class ConnectionInfo {
public:
    ConnectionInfo();
    ConnectionInfo(const ConnectionInfo&) = default;
    ConnectionInfo& operator=(const ConnectionInfo&) = default;
    virtual ~ConnectionInfo();

    uint32_t field1 = 0;  // the host's; not used by the adapter
    bool dhcpEnabled = false;
    util::String ipAddress;
    util::String subnetMask;
    bool nameServersAutomatic = false;
    util::String primaryDns;
    util::String secondaryDns;
    util::String field8;  // the host's; not used by the adapter
    util::String primaryWins;
    util::String secondaryWins;
    util::String defaultGateway;
};

}  // namespace cei
