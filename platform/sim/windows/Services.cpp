// The Windows build of a test executable that links the simulation: IP
// Helper, SetupAPI and the loader calls are answered here instead of by the
// system DLLs. This object, linked before the import libraries, satisfies
// both symbols of each name, so the real import members stay out. The loader calls route "dhcpcsvc" to the
// simulation and pass every other module on to the real loader in ntdll.
#include "../../win32.h"
#include "../Faults.h"
#include "../Modules.h"
#include "../World.h"

#include <cstring>

namespace {

struct AnsiString {
    USHORT Length;
    USHORT MaximumLength;
    const char* Buffer;
};

}  // namespace

extern "C" {
LONG NTAPI LdrGetProcedureAddress(HMODULE module, const AnsiString* name, ULONG ordinal, PVOID* address);
LONG NTAPI LdrUnloadDll(HMODULE module);
}

// Each simulated call is defined under its Windows symbol (for callers the
// SDK declares without dllimport) and reached through __imp_<Name> (for
// callers it declares with dllimport); either way the import library's
// member for the name is never pulled in.
// Our wlanapi.dll also exports the IP Helper calls a plug-in imports, for our
// iphlpapi.dll to forward to: the plug-in's index, traffic and address
// lookups then meet the adapters of the same world as its WLAN interfaces.
#ifdef SIM_WLANAPI_DLL
#  define SIM_IPHELPER_ENTRY __declspec(dllexport)
#else
#  define SIM_IPHELPER_ENTRY
#endif

extern "C" {
SIM_IPHELPER_ENTRY ULONG WINAPI SimGetAdaptersInfo(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer) __asm__("GetAdaptersInfo");
SIM_IPHELPER_ENTRY DWORD WINAPI SimGetIfEntry(PMIB_IFROW pIfRow) __asm__("GetIfEntry");
SIM_IPHELPER_ENTRY ULONG WINAPI SimGetIpAddrTable(PMIB_IPADDRTABLE pIpAddrTable, PULONG pdwSize, WINBOOL bOrder) __asm__("GetIpAddrTable");
HDEVINFO WINAPI SimSetupDiGetClassDevsW(const GUID* ClassGuid, PCWSTR Enumerator, HWND hwndParent, DWORD Flags) __asm__("SetupDiGetClassDevsW");
WINBOOL WINAPI SimSetupDiEnumDeviceInterfaces(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA, const GUID* InterfaceClassGuid,
                                              DWORD MemberIndex, PSP_DEVICE_INTERFACE_DATA DeviceInterfaceData) __asm__("SetupDiEnumDeviceInterfaces");
WINBOOL WINAPI SimSetupDiGetDeviceInterfaceDetailW(HDEVINFO DeviceInfoSet,
                                                   PSP_DEVICE_INTERFACE_DATA DeviceInterfaceData,
                                                   PSP_DEVICE_INTERFACE_DETAIL_DATA_W DeviceInterfaceDetailData,
                                                   DWORD DeviceInterfaceDetailDataSize, PDWORD RequiredSize,
                                                   PSP_DEVINFO_DATA) __asm__("SetupDiGetDeviceInterfaceDetailW");
WINBOOL WINAPI SimSetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) __asm__("SetupDiDestroyDeviceInfoList");
HMODULE WINAPI SimLoadLibraryW(LPCWSTR lpLibFileName) __asm__("LoadLibraryW");
FARPROC WINAPI SimGetProcAddress(HMODULE hModule, LPCSTR lpProcName) __asm__("GetProcAddress");
WINBOOL WINAPI SimFreeLibrary(HMODULE hLibModule) __asm__("FreeLibrary");
}

ULONG WINAPI SimGetAdaptersInfo(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer) {
    return sim::GetWorld().IpHelp().GetAdaptersInfo(AdapterInfo, SizePointer);
}

DWORD WINAPI SimGetIfEntry(PMIB_IFROW pIfRow) { return sim::GetWorld().IpHelp().GetIfEntry(pIfRow); }

ULONG WINAPI SimGetIpAddrTable(PMIB_IPADDRTABLE pIpAddrTable, PULONG pdwSize, WINBOOL bOrder) {
    return sim::GetWorld().IpHelp().GetIpAddrTable(pIpAddrTable, pdwSize, bOrder);
}

HDEVINFO WINAPI SimSetupDiGetClassDevsW(const GUID* ClassGuid, PCWSTR Enumerator, HWND hwndParent, DWORD Flags) {
    return sim::GetWorld().Devices().GetClassDevs(ClassGuid, Enumerator, hwndParent, Flags);
}

WINBOOL WINAPI SimSetupDiEnumDeviceInterfaces(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA, const GUID* InterfaceClassGuid,
                                              DWORD MemberIndex, PSP_DEVICE_INTERFACE_DATA DeviceInterfaceData) {
    return sim::GetWorld().Devices().EnumDeviceInterfaces(DeviceInfoSet, InterfaceClassGuid, MemberIndex,
                                                          DeviceInterfaceData);
}

WINBOOL WINAPI SimSetupDiGetDeviceInterfaceDetailW(HDEVINFO DeviceInfoSet,
                                                   PSP_DEVICE_INTERFACE_DATA DeviceInterfaceData,
                                                   PSP_DEVICE_INTERFACE_DETAIL_DATA_W DeviceInterfaceDetailData,
                                                   DWORD DeviceInterfaceDetailDataSize, PDWORD RequiredSize,
                                                   PSP_DEVINFO_DATA) {
    return sim::GetWorld().Devices().GetDeviceInterfaceDetail(DeviceInfoSet, DeviceInterfaceData,
                                                              DeviceInterfaceDetailData,
                                                              DeviceInterfaceDetailDataSize, RequiredSize);
}

WINBOOL WINAPI SimSetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) {
    return sim::GetWorld().Devices().DestroyDeviceInfoList(DeviceInfoSet);
}

HMODULE WINAPI SimLoadLibraryW(LPCWSTR lpLibFileName) {
    if (sim::LoaderCallRefused("LoadLibraryW")) return nullptr;
    HMODULE module = nullptr;
    if (sim::LoadSimulated(lpLibFileName, &module)) return module;
    return LoadLibraryExW(lpLibFileName, nullptr, 0);
}

FARPROC WINAPI SimGetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    if (sim::LoaderCallRefused("GetProcAddress")) return nullptr;
    FARPROC proc = nullptr;
    if (sim::FindSimulated(hModule, lpProcName, &proc)) return proc;
    PVOID address = nullptr;
    LONG status;
    if (reinterpret_cast<ULONG_PTR>(lpProcName) < 0x10000) {
        status = LdrGetProcedureAddress(hModule, nullptr, static_cast<ULONG>(reinterpret_cast<ULONG_PTR>(lpProcName)),
                                        &address);
    } else {
        AnsiString name{static_cast<USHORT>(std::strlen(lpProcName)), 0, lpProcName};
        name.MaximumLength = static_cast<USHORT>(name.Length + 1);
        status = LdrGetProcedureAddress(hModule, &name, 0, &address);
    }
    if (status != 0) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(address);
}

WINBOOL WINAPI SimFreeLibrary(HMODULE hLibModule) {
    if (sim::LoaderCallRefused("FreeLibrary")) return FALSE;
    if (sim::FreeSimulated(hLibModule)) return TRUE;
    if (LdrUnloadDll(hLibModule) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

#define SIM_IMPORT(name) void* __imp_##name = reinterpret_cast<void*>(&Sim##name);

extern "C" {
SIM_IMPORT(GetAdaptersInfo)
SIM_IMPORT(GetIfEntry)
SIM_IMPORT(GetIpAddrTable)
SIM_IMPORT(SetupDiGetClassDevsW)
SIM_IMPORT(SetupDiEnumDeviceInterfaces)
SIM_IMPORT(SetupDiGetDeviceInterfaceDetailW)
SIM_IMPORT(SetupDiDestroyDeviceInfoList)
SIM_IMPORT(LoadLibraryW)
SIM_IMPORT(GetProcAddress)
SIM_IMPORT(FreeLibrary)
}

namespace sim {
bool World::RegistrySimulated() { return false; }
}  // namespace sim
