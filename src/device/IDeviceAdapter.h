#pragma once

#include "device/IDevice.h"

namespace ace {

// Adds the association operations to the device interface.
class IDeviceAdapter : public IDevice {
public:
    // `request` must point to a cei::AssociateInfoWlan.
    virtual void AssociateNetwork(const cei::ConnectionInfo* request) = 0;
    virtual void UnAssociateNetwork() = 0;
};

}  // namespace ace
