// Small pieces the WLAN device's operations share: ownership of what the
// WLAN service hands out, GUID and SSID text, and the raising of the
// exceptions that name a failed call or a wrong device status.
#pragma once

#include <cstdint>
#include <memory>

#include "foundation/ExceptionTypes.h"
#include "foundation/Logging.h"
#include "foundation/String.h"
#include "device/DeviceState.h"
#include "platform/win32.h"

namespace ace {

// Memory from the WLAN service, given back with WlanFreeMemory on every way out.
struct WlanMemoryDeleter {
    void operator()(void* memory) const { ::WlanFreeMemory(memory); }
};
template <class T>
using WlanMemory = std::unique_ptr<T, WlanMemoryDeleter>;

// The registry form of a GUID, braces included; empty when it cannot be made.
util::String GuidText(const GUID& guid);

// An SSID's bytes as text in the ANSI code page: a zero byte ends it.
util::String SsidText(const DOT11_SSID& ssid);

// Refuses an operation in the wrong device status: `Ex` with parameter
// "Wrong DeviceStatus" and the text "DeviceStatus: " status, followed by
// ". It should be " `expected` when there is one status it should be.
template <class Ex>
[[noreturn]] void ThrowWrongStatus(const wchar_t* file, const wchar_t* function, uint32_t line, DEVICE_STATE status,
                                   int expected = -1) {
    Ex ex(file, function, line);
    ex.SetParam(1, L"Wrong DeviceStatus");
    {
        util::Exception::ExStream text = ex.Stream();
        text << L"DeviceStatus: " << static_cast<uint32_t>(status);
        if (expected >= 0) text << L". It should be " << expected;
    }
    throw ex;
}

// Runs `step` and lets nothing out of it: a caught util::Exception is logged
// at level 1 as `text` and its stack dump, anything else as `text` alone.
// For the destructor and the notification thread, which must not throw.
template <class Step>
void LogAndSwallow(const wchar_t* function, const wchar_t* text, Step&& step) noexcept {
    try {
        step();
    } catch (const util::Exception& e) {
        try {
            UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, function) << text << e;
        } catch (...) {
        }
    } catch (...) {
        try {
            UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, function) << text;
        } catch (...) {
        }
    }
}

}  // namespace ace

// Throws util::SystemCallEx of this site naming `call`.
#define ACE_THROW_CALL_FAILED(function, call) throw util::SystemCallEx(UTIL_WFILE, (function), __LINE__, 1, (call))
