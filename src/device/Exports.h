// The two functions the plug-in exports, undecorated, and their types for a
// host that looks them up by name (GetProcAddress / dlsym).
#pragma once

#include "device/IDevice.h"
#include "platform/export.h"

#ifdef ACE_PLUGIN_BUILD
#  define ACE_PLUGIN_API PLATFORM_EXPORT
#else
#  define ACE_PLUGIN_API
#endif

extern "C" {
// A new device, or null when there is no memory for it; any other
// construction failure is thrown as the util::Exception that caused it.
ACE_PLUGIN_API ace::IDevice* CreateClass();
// Destroys a device made by CreateClass; null is ignored.
ACE_PLUGIN_API void DeleteClass(ace::IDevice* device);
}

typedef ace::IDevice* (*CreateClassFn)();
typedef void (*DeleteClassFn)(ace::IDevice*);
