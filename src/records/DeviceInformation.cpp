#include "records/DeviceInformation.h"

namespace cei {

DeviceInformation::DeviceInformation() = default;
DeviceInformation::~DeviceInformation() = default;

// Copy into a temporary first: a failing string copy leaves this untouched.
DeviceInformation& DeviceInformation::operator=(const DeviceInformation& other) {
    if (this == &other) return *this;
    DeviceInformation copy(other);
    deviceId.swap(copy.deviceId);
    friendlyName.swap(copy.friendlyName);
    modelName.swap(copy.modelName);
    manufacturer.swap(copy.manufacturer);
    text5.swap(copy.text5);
    driverImagePath.swap(copy.driverImagePath);
    driverDate.swap(copy.driverDate);
    driverVersion.swap(copy.driverVersion);
    serviceDisplayName.swap(copy.serviceDisplayName);
    text10.swap(copy.text10);
    text11.swap(copy.text11);
    text12.swap(copy.text12);
    text13.swap(copy.text13);
    text14.swap(copy.text14);
    number1 = copy.number1;
    number2 = copy.number2;
    text15.swap(copy.text15);
    return *this;
}

}  // namespace cei
