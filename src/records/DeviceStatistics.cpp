#include "records/DeviceStatistics.h"

namespace cei {

DeviceStatistics::DeviceStatistics() = default;
DeviceStatistics::~DeviceStatistics() = default;

}  // namespace cei
