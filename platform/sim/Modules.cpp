#include "Modules.h"

#include <cstring>
#include <cwctype>
#include <string>

#include "Faults.h"
#include "World.h"

namespace sim {
namespace {

// The handle of the simulated dhcpcsvc: the address of this object.
const char dhcpModule = 0;

HMODULE DhcpHandle() { return reinterpret_cast<HMODULE>(const_cast<char*>(&dhcpModule)); }

// "dhcpcsvc", with or without ".dll", in any case.
bool IsDhcpClient(LPCWSTR name) {
    std::wstring n;
    for (const wchar_t* p = name; *p; ++p) n += static_cast<wchar_t>(std::towlower(static_cast<wint_t>(*p)));
    return n == L"dhcpcsvc" || n == L"dhcpcsvc.dll";
}

DWORD WINAPI DhcpNotifyConfigChange(LPWSTR serverName, LPWSTR adapterName, BOOL newIpAddress, DWORD ipIndex,
                                    DWORD ipAddress, DWORD subnetMask, int action) {
    DhcpNotification call;
    call.serverNull = serverName == nullptr;
    call.adapterName = adapterName == nullptr ? L"" : adapterName;
    call.newIpAddress = newIpAddress != FALSE;
    call.ipIndex = ipIndex;
    call.ipAddress = ipAddress;
    call.subnetMask = subnetMask;
    call.action = action;
    return GetWorld().Dhcp().Notify(call);
}

}  // namespace

bool LoadSimulated(LPCWSTR name, HMODULE* module) {
    if (name == nullptr || !IsDhcpClient(name)) return false;
    DhcpClient& dhcp = GetWorld().Dhcp();
    if (!dhcp.Installed()) {
        *module = nullptr;
        SetLastError(ERROR_MOD_NOT_FOUND);
        return true;
    }
    dhcp.CountLoad(1);
    *module = DhcpHandle();
    return true;
}

bool FindSimulated(HMODULE module, LPCSTR name, FARPROC* proc) {
    if (module != DhcpHandle()) return false;
    *proc = nullptr;
    // An ordinal (a "name" below 0x10000) is never one of our exports.
    if (reinterpret_cast<uintptr_t>(name) >= 0x10000 && std::strcmp(name, "DhcpNotifyConfigChange") == 0 &&
        GetWorld().Dhcp().ExportsNotify()) {
        // Through void(*)(): a cast between unrelated function types.
        *proc = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&DhcpNotifyConfigChange));
    } else {
        SetLastError(ERROR_PROC_NOT_FOUND);
    }
    return true;
}

bool FreeSimulated(HMODULE module) {
    if (module != DhcpHandle()) return false;
    GetWorld().Dhcp().CountLoad(-1);
    return true;
}

bool LoaderCallRefused(const char* call) {
    uint32_t code = 0;
    if (!ShouldFail(call, &code)) return false;
    SetLastError(code);
    return true;
}

}  // namespace sim
