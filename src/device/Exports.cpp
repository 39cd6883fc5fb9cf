#define ACE_PLUGIN_BUILD
#include "device/Exports.h"

#include <new>

#include "device/WLanDevice.h"

extern "C" ACE_PLUGIN_API ace::IDevice* CreateClass() {
    // Allocation failure is the one failure reported as null; a constructor's
    // util::Exception passes to the host (new releases the memory).
    return new (std::nothrow) ace::WLanDevice;
}

extern "C" ACE_PLUGIN_API void DeleteClass(ace::IDevice* device) { delete device; }
