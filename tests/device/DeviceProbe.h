// The tests' access to a device's protected state.
#pragma once

#include "device/GenericAdapter.h"
#include "device/WLanDevice.h"

namespace ace {

struct DeviceProbe {
    static void AttachHost(GenericAdapter& device, IDeviceCallback* host) { device.hostCallback = host; }
    static void SetInterfaceIndex(GenericAdapter& device, uint32_t index) { device.interfaceIndex = index; }
    static uint64_t Received(const GenericAdapter& device) { return device.receivedAccumulator; }
};

struct WLanDeviceProbe {
    static int32_t ConvertSignalToPercent(int32_t value) { return WLanDevice::ConvertSignalToPercent(value); }
};

}  // namespace ace
