// The network interfaces SetupAPI lists as present, as the lower-case text
// after the last backslash of each device path (the adapter GUID).
#pragma once

#include <vector>

#include "foundation/String.h"

namespace util {

// Failures end the collection early and are not reported.
std::vector<String> CollectPresentInterfaces();

}  // namespace util
