// The pattern every public device operation starts with: an entry record
// with no text, a stopwatch, adapterLock held to the end of the scope (on
// every way out), and a "Profile time: " record of the wait for the lock.
// The stopwatch reads the clock only when that record will be written.
#pragma once

#include "foundation/Logging.h"
#include "foundation/ProfileTimer.h"
#include "foundation/ScopedLock.h"

#define ACE_DEVICE_OPERATION(level, function)                              \
    UTIL_LOG((level), LOG_AREA_DEVICE, (function));                        \
    const bool aceTimed = GetLog().IsEnabled(LOG_TRACE);                   \
    util::ProfileTimer aceProfileTimer(aceTimed);                          \
    util::ScopedLock aceAdapterGuard(adapterLock);                         \
    if (aceTimed) UTIL_LOG(LOG_TRACE, LOG_AREA_DEVICE, (function)) << aceProfileTimer
