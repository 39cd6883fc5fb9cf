// The platform-specific half of the debug capture.
#pragma once

namespace platform {
bool InstallDebugCaptureHook();
void RemoveDebugCaptureHook();
}  // namespace platform
