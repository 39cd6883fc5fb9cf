// The device status changes a host may be told of, as data, and a check of a
// recorded sequence against them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceState.h"

namespace test {

// The index in `statuses` of the first change no transition allows, starting
// from `start`; nothing when every change is allowed.
std::optional<size_t> FirstIllegalStatus(const std::vector<uint32_t>& statuses,
                                         DEVICE_STATE start = DEVICE_STATE::CLOSED);

// "1 -> 0 -> 3 ..." for a failure message.
std::string StatusText(const std::vector<uint32_t>& statuses);

}  // namespace test
