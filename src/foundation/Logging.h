// One log record per expression:
//   UTIL_LOG(LOG_INFO, 2, L"ace::WLanDevice::Open") << L"Adapter name: " << name;
// A statement of UTIL_LOG alone writes a record with no text (an entry mark).
// At a level the mask leaves out the statement costs one test: neither the
// stream nor the inserted values are built.
#pragma once

#include "foundation/CatchChain.h"
#include "logger/Logger.h"

// (A for statement, not an if, so that an if/else around it stays unambiguous.)
#define UTIL_LOG(level, area, function)                                                    \
    for (bool utilLogOnce_ = GetLog().IsEnabled(level); utilLogOnce_; utilLogOnce_ = false) \
    GetLog().GetLogStream().GetStream((level), (area), UTIL_WFILE, (function))

// The areas: the device adapter, and the configuration store and worker
// thread records.
constexpr unsigned int LOG_AREA_DEVICE = 2;
constexpr unsigned int LOG_AREA_CONFIG = 1;
