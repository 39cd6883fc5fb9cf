// Small pieces the WLAN device's operations share: ownership of what the
// WLAN service hands out, GUID and SSID text, and the raising of the
// exception that names a failed call.
#pragma once

#include <memory>

#include "foundation/ExceptionTypes.h"
#include "foundation/String.h"
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

}  // namespace ace

// Throws util::SystemCallEx of this site naming `call`.
#define ACE_THROW_CALL_FAILED(function, call) throw util::SystemCallEx(UTIL_WFILE, (function), __LINE__, 1, (call))
