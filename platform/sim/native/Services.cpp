// IP Helper and SetupAPI of the native build, answered by the simulation.
#include "../../win32.h"
#include "../World.h"

ULONG GetAdaptersInfo(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer) {
    return sim::GetWorld().IpHelp().GetAdaptersInfo(AdapterInfo, SizePointer);
}

DWORD GetIfEntry(PMIB_IFROW pIfRow) { return sim::GetWorld().IpHelp().GetIfEntry(pIfRow); }

ULONG GetIpAddrTable(PMIB_IPADDRTABLE pIpAddrTable, PULONG pdwSize, BOOL bOrder) {
    return sim::GetWorld().IpHelp().GetIpAddrTable(pIpAddrTable, pdwSize, bOrder);
}

HDEVINFO SetupDiGetClassDevsW(const GUID* ClassGuid, PCWSTR Enumerator, HWND hwndParent, DWORD Flags) {
    return sim::GetWorld().Devices().GetClassDevs(ClassGuid, Enumerator, hwndParent, Flags);
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA, const GUID* InterfaceClassGuid,
                                 DWORD MemberIndex, PSP_DEVICE_INTERFACE_DATA DeviceInterfaceData) {
    return sim::GetWorld().Devices().EnumDeviceInterfaces(DeviceInfoSet, InterfaceClassGuid, MemberIndex,
                                                          DeviceInterfaceData);
}

BOOL SetupDiGetDeviceInterfaceDetailW(HDEVINFO DeviceInfoSet, PSP_DEVICE_INTERFACE_DATA DeviceInterfaceData,
                                      PSP_DEVICE_INTERFACE_DETAIL_DATA_W DeviceInterfaceDetailData,
                                      DWORD DeviceInterfaceDetailDataSize, PDWORD RequiredSize, PSP_DEVINFO_DATA) {
    return sim::GetWorld().Devices().GetDeviceInterfaceDetail(DeviceInfoSet, DeviceInterfaceData,
                                                              DeviceInterfaceDetailData,
                                                              DeviceInterfaceDetailDataSize, RequiredSize);
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) {
    return sim::GetWorld().Devices().DestroyDeviceInfoList(DeviceInfoSet);
}
