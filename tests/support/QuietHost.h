// A host that takes every callback and does nothing with it, for fuzzing and
// benchmarks, where recording would cost or grow.
#pragma once

#include "device/IDeviceCallback.h"

namespace test {

class QuietHost final : public ace::IDeviceCallback {
public:
    void ConnectCompleted(int32_t, uint32_t, uint32_t) override {}
    void ConnectProgress(int32_t, uint32_t) override {}
    void DeviceStatusChanged(int32_t, DEVICE_STATE) override {}
    void Disconnected(int32_t, uint32_t) override {}
    void IpAddressStatus(int32_t, bool) override {}
};

}  // namespace test
