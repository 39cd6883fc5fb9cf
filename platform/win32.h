// The platform seam: the one header through which system code reaches
// Windows. On Windows it is the SDK; elsewhere it is our own declaration of
// the same subset, implemented by the POSIX kernel layer (platform/posix) and
// the simulated services (platform/sim). Nothing outside platform/ tests
// _WIN32.
#pragma once

#ifdef _WIN32
#  ifndef WIN32_LEAN_AND_MEAN
#    define WIN32_LEAN_AND_MEAN
#  endif
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <winsock2.h>
#  include <windows.h>
#  include <process.h>
#  include <iphlpapi.h>
#  include <setupapi.h>
#  include <objbase.h>
#  include <wlanapi.h>
#else
#  include "posix/types.h"
#  include "posix/kernel.h"
#  include "posix/registry.h"
#  include "posix/iphlpapi.h"
#  include "posix/setupapi.h"
#  include "posix/wlanapi.h"
#endif

#include "win32_missing.h"
