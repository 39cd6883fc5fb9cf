// The host's callback interface. The host implements it and passes it to
// Open; the adapter keeps a plain pointer, never owns it and never releases
// it. Each call passes the device index the host set as its first argument.
// The slots the adapter does not call (Reserved*) have empty bodies, so a
// host need only provide the five it does call, in their places.
#pragma once

#include <cstdint>

#include "device/DeviceState.h"

namespace ace {

class IDeviceCallback {
public:
    virtual void Reserved1() {}
    // A connect ended: result 0 when connected, 201 when it failed; value 0.
    virtual void ConnectCompleted(int32_t deviceIndex, uint32_t result, uint32_t value) = 0;
    // A connect entered DEVICE_STATE::CONNECTING; step 1.
    virtual void ConnectProgress(int32_t deviceIndex, uint32_t step) = 0;
    virtual void Reserved4() {}
    virtual void DeviceStatusChanged(int32_t deviceIndex, DEVICE_STATE state) = 0;
    // The WLAN service reported a lost connection; reason 0.
    virtual void Disconnected(int32_t deviceIndex, uint32_t reason) = 0;
    virtual void Reserved7() {}
    // The adapter gained (true) or lost (false) a usable IPv4 address.
    virtual void IpAddressStatus(int32_t deviceIndex, bool hasAddress) = 0;

protected:
    // Never destroyed through this interface: the host owns its object.
    ~IDeviceCallback() = default;
};

}  // namespace ace
