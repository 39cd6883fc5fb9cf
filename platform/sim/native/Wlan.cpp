// Native Wifi of the native build, answered by the simulated service.
#include "../../win32.h"
#include "../World.h"

#define SIM_WLAN_ENTRY
#include "../WlanEntryPoints.inc"
