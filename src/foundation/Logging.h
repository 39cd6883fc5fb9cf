// One log record per expression:
//   UTIL_LOG(LOG_INFO, 2, L"ace::WLanDevice::Open") << L"Adapter name: " << name;
// A statement of UTIL_LOG alone writes a record with no text (an entry mark).
#pragma once

#include "foundation/CatchChain.h"
#include "logger/Logger.h"

#define UTIL_LOG(level, area, function) \
    GetLog().GetLogStream().GetStream((level), (area), UTIL_WFILE, (function))

// The areas: the device adapter, and the configuration store and worker
// thread records.
constexpr unsigned int LOG_AREA_DEVICE = 2;
constexpr unsigned int LOG_AREA_CONFIG = 1;
