// The log names of the WLAN service's notifications.
#pragma once

#include <cstdint>

namespace ace {

// "scan complete", "connected", ... by source and code; "unknown ACM
// notification", "unknown MSM notification" past the known codes, and
// "unknown notification source: " for any other source.
const wchar_t* NotificationName(uint32_t source, uint32_t code);

}  // namespace ace
