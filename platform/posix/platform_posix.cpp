// What the POSIX build says about itself to the portable parts.
#include "../DebugCaptureHook.h"
#include "../sim/Faults.h"

namespace sim {
bool KernelFaultsSupported() { return true; }
}  // namespace sim

namespace platform {
// Our OutputDebugStringW records directly; nothing to install.
bool InstallDebugCaptureHook() { return true; }
void RemoveDebugCaptureHook() {}
}  // namespace platform
