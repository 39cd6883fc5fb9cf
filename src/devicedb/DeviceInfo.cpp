#include "devicedb/DeviceInfo.h"

namespace ace {

DBDeviceInfo::DBDeviceInfo() = default;
DBDeviceInfo::~DBDeviceInfo() = default;

bool DBDeviceInfo::operator==(const DBDeviceInfo& other) const {
    return DllFile == other.DllFile && Type == other.Type && capabilities == other.capabilities &&
           PhysicalDeviceType == other.PhysicalDeviceType;
}

}  // namespace ace
