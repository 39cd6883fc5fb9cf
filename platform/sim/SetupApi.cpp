#include "SetupApi.h"

#include <cstddef>
#include <cstring>

#include "Faults.h"

namespace sim {
namespace {

BOOL Fail(DWORD code) {
    SetLastError(code);
    return FALSE;
}

}  // namespace

void SetupApi::AddInterface(const GUID& interfaceClass, const std::wstring& devicePath, bool present) {
    std::lock_guard<std::mutex> g(lock_);
    interfaces_.push_back(Interface{interfaceClass, devicePath, present});
}

void SetupApi::Reset() {
    std::lock_guard<std::mutex> g(lock_);
    interfaces_.clear();
    sets_.clear();
}

size_t SetupApi::OpenSets() const {
    std::lock_guard<std::mutex> g(lock_);
    return sets_.size();
}

HDEVINFO SetupApi::GetClassDevs(const GUID* classGuid, PCWSTR, HWND, DWORD flags) {
    uint32_t code = 0;
    if (ShouldFail("SetupDiGetClassDevsW", &code)) {
        SetLastError(code);
        return INVALID_HANDLE_VALUE;
    }
    // Only interface sets of one class are simulated.
    if (classGuid == nullptr || (flags & DIGCF_DEVICEINTERFACE) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::lock_guard<std::mutex> g(lock_);
    Set set;
    for (const Interface& i : interfaces_) {
        if (i.interfaceClass != *classGuid) continue;
        if ((flags & DIGCF_PRESENT) != 0 && !i.present) continue;
        set.interfaces.push_back(i);
    }
    HDEVINFO h = reinterpret_cast<HDEVINFO>(nextSet_);
    nextSet_ += 4;
    sets_[h] = std::move(set);
    return h;
}

BOOL SetupApi::EnumDeviceInterfaces(HDEVINFO set, const GUID* interfaceClass, DWORD index,
                                    PSP_DEVICE_INTERFACE_DATA data) {
    uint32_t code = 0;
    if (ShouldFail("SetupDiEnumDeviceInterfaces", &code)) return Fail(code);
    std::lock_guard<std::mutex> g(lock_);
    auto it = sets_.find(set);
    if (it == sets_.end()) return Fail(ERROR_INVALID_HANDLE);
    if (interfaceClass == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    if (data == nullptr || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) return Fail(ERROR_INVALID_USER_BUFFER);
    std::vector<size_t> match;
    for (size_t i = 0; i < it->second.interfaces.size(); ++i)
        if (it->second.interfaces[i].interfaceClass == *interfaceClass) match.push_back(i);
    if (index >= match.size()) return Fail(ERROR_NO_MORE_ITEMS);
    data->InterfaceClassGuid = *interfaceClass;
    data->Flags = 1;  // SPINT_ACTIVE
    data->Reserved = match[index] + 1;
    return TRUE;
}

BOOL SetupApi::GetDeviceInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                        PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail, DWORD size, PDWORD required) {
    uint32_t code = 0;
    if (ShouldFail("SetupDiGetDeviceInterfaceDetailW", &code)) return Fail(code);
    std::lock_guard<std::mutex> g(lock_);
    auto it = sets_.find(set);
    if (it == sets_.end()) return Fail(ERROR_INVALID_HANDLE);
    if (data == nullptr || data->Reserved == 0 || data->Reserved > it->second.interfaces.size())
        return Fail(ERROR_INVALID_PARAMETER);
    const std::wstring& path = it->second.interfaces[data->Reserved - 1].path;
    DWORD needed = static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) +
                                      (path.size() + 1) * sizeof(WCHAR));
    if (required != nullptr) *required = needed;
    if (detail == nullptr) return Fail(size == 0 ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_USER_BUFFER);
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return Fail(ERROR_INVALID_USER_BUFFER);
    if (size < needed) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(detail->DevicePath, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
    return TRUE;
}

BOOL SetupApi::DestroyDeviceInfoList(HDEVINFO set) {
    uint32_t code = 0;
    if (ShouldFail("SetupDiDestroyDeviceInfoList", &code)) return Fail(code);
    std::lock_guard<std::mutex> g(lock_);
    return sets_.erase(set) == 1 ? TRUE : Fail(ERROR_INVALID_HANDLE);
}

}  // namespace sim
