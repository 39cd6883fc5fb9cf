// The device status the host watches.
#pragma once

#include <cstdint>

enum class DEVICE_STATE : uint32_t {
    DISCONNECTED = 0,  // open, adapter found, no connection
    CLOSED = 1,        // not open; a new object's status
    CONNECTED = 2,
    CONNECTING = 3,
    DISCONNECTING = 4,
};
