// The simulated SetupAPI device-interface list: interfaces by class GUID with
// their device paths, enumerated through device-information sets.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "../win32.h"

namespace sim {

class SetupApi {
public:
    void AddInterface(const GUID& interfaceClass, const std::wstring& devicePath, bool present = true);
    void Reset();
    // Sets not yet destroyed.
    size_t OpenSets() const;

    // The calls, with Windows semantics (results and SetLastError).
    HDEVINFO GetClassDevs(const GUID* classGuid, PCWSTR enumerator, HWND parent, DWORD flags);
    BOOL EnumDeviceInterfaces(HDEVINFO set, const GUID* interfaceClass, DWORD index,
                              PSP_DEVICE_INTERFACE_DATA data);
    BOOL GetDeviceInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                  PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail, DWORD size, PDWORD required);
    BOOL DestroyDeviceInfoList(HDEVINFO set);

private:
    struct Interface {
        GUID interfaceClass;
        std::wstring path;
        bool present;
    };
    struct Set {
        std::vector<Interface> interfaces;
    };

    mutable std::mutex lock_;
    std::vector<Interface> interfaces_;
    std::map<HDEVINFO, Set> sets_;
    uintptr_t nextSet_ = 0x5000;
};

}  // namespace sim
