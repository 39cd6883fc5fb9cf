// The device status changes a host may see, as data: the first illegal step
// of a reported sequence, or nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace test {

// `statuses`: the DeviceStatusChanged values in order, from a new device.
std::optional<std::string> FirstIllegalStep(const std::vector<uint32_t>& statuses);

}  // namespace test
