// What the Windows build says about itself to the portable parts.
#include "../DebugCapture.h"
#include "../DebugCaptureHook.h"
#include "../sim/Clock.h"
#include "../sim/Faults.h"
#include "../win32.h"

namespace sim {
// The kernel is the real one: its calls cannot be made to fail on demand.
bool KernelFaultsSupported() { return false; }
size_t KernelObjectCount() { return 0; }
// Nor can its clock be sped up.
bool ClockScaleSupported() { return false; }
void SetClockScale(unsigned) {}
unsigned ClockScale() { return 1; }
}  // namespace sim

namespace platform {
namespace {

const DWORD kDbgPrintWide = 0x4001000A;  // DBG_PRINTEXCEPTION_WIDE_C
const DWORD kDbgPrint = 0x40010006;      // DBG_PRINTEXCEPTION_C
PVOID handler = nullptr;
// Newer systems raise the wide form and then, unhandled, the ANSI form of
// the same text; older ones (and Wine) only the ANSI form.
thread_local bool sawWide = false;

LONG CALLBACK OnException(PEXCEPTION_POINTERS info) {
    const EXCEPTION_RECORD* r = info->ExceptionRecord;
    if (r->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
    if (r->ExceptionCode == kDbgPrintWide) {
        RecordDebugOutput(reinterpret_cast<const wchar_t*>(r->ExceptionInformation[1]));
        sawWide = true;
    } else if (r->ExceptionCode == kDbgPrint) {
        if (!sawWide) {
            const char* text = reinterpret_cast<const char*>(r->ExceptionInformation[1]);
            wchar_t wide[1024];
            int n = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 1024);
            if (n > 0) RecordDebugOutput(wide);
        }
        sawWide = false;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

bool InstallDebugCaptureHook() {
    if (handler == nullptr) handler = AddVectoredExceptionHandler(1, OnException);
    return handler != nullptr;
}

void RemoveDebugCaptureHook() {
    if (handler != nullptr) RemoveVectoredExceptionHandler(handler);
    handler = nullptr;
}

}  // namespace platform
