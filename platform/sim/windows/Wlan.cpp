// Native Wifi on Windows, answered by the simulated service. Built two ways:
// - in-process (the default): linked into test executables that link `sim`,
//   before the import libraries. The SDK declares the calls without
//   dllimport, so each is defined under its own name, and __imp_<Name> is
//   defined too for callers that declare them dllimport; either way the
//   wlanapi import library's member for the name is never pulled in.
// - as our own wlanapi.dll (SIM_WLANAPI_DLL defined): the same functions,
//   exported.
#include "../../win32.h"
#include "../World.h"

#ifdef SIM_WLANAPI_DLL
#  define SIM_WLAN_ENTRY __declspec(dllexport)
#else
#  define SIM_WLAN_ENTRY
#endif

extern "C" {
#include "../WlanEntryPoints.inc"
}

#ifndef SIM_WLANAPI_DLL
#  define SIM_IMPORT(name) void* __imp_##name = reinterpret_cast<void*>(&name);
extern "C" {
SIM_IMPORT(WlanOpenHandle)
SIM_IMPORT(WlanCloseHandle)
SIM_IMPORT(WlanRegisterNotification)
SIM_IMPORT(WlanEnumInterfaces)
SIM_IMPORT(WlanScan)
SIM_IMPORT(WlanGetAvailableNetworkList)
SIM_IMPORT(WlanQueryInterface)
SIM_IMPORT(WlanSetProfile)
SIM_IMPORT(WlanGetProfile)
SIM_IMPORT(WlanDeleteProfile)
SIM_IMPORT(WlanConnect)
SIM_IMPORT(WlanDisconnect)
SIM_IMPORT(WlanReasonCodeToString)
SIM_IMPORT(WlanFreeMemory)
}
#endif
