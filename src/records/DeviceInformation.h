// Descriptive data of the device: 15 texts and two numbers. The names of the
// fields this adapter does not fill are our own; the host defines them.
#pragma once

#include <cstdint>

#include "foundation/String.h"

namespace cei {

class DeviceInformation {
public:
    DeviceInformation();
    DeviceInformation(const DeviceInformation&) = default;
    DeviceInformation& operator=(const DeviceInformation& other);
    virtual ~DeviceInformation();

    util::String deviceId;  // network-configuration instance id (GUID text)
    util::String friendlyName;
    util::String modelName;
    util::String manufacturer;
    util::String text5;
    util::String driverImagePath;
    util::String driverDate;
    util::String driverVersion;
    util::String serviceDisplayName;
    util::String text10;
    util::String text11;
    util::String text12;
    util::String text13;
    util::String text14;
    uint32_t number1 = 0;
    uint32_t number2 = 0;
    util::String text15;
};

}  // namespace cei
