// Traffic counters of the interface, in octets.
#pragma once

#include <cstdint>

namespace cei {

class DeviceStatistics {
public:
    DeviceStatistics();
    DeviceStatistics(const DeviceStatistics&) = default;
    DeviceStatistics& operator=(const DeviceStatistics&) = default;
    virtual ~DeviceStatistics();

    uint64_t bytesSent = 0;
    uint64_t bytesReceived = 0;
};

}  // namespace cei
