#include "registry/PresentInterfaces.h"

#include <vector>

#include "platform/win32.h"

namespace util {
namespace {

// The LAN interface class every network adapter registers.
const GUID kNdisLanClass = {0xAD498944, 0x762F, 0x11D0, {0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C}};

// Destroys the device-information set on every way out.
class DeviceInfoSet {
public:
    explicit DeviceInfoSet(HDEVINFO set) : set_(set) {}
    ~DeviceInfoSet() {
        if (Valid()) SetupDiDestroyDeviceInfoList(set_);
    }
    DeviceInfoSet(const DeviceInfoSet&) = delete;
    DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;
    bool Valid() const { return set_ != INVALID_HANDLE_VALUE && set_ != nullptr; }
    HDEVINFO Get() const { return set_; }

private:
    HDEVINFO set_;
};

// The device path of one interface; false when it cannot be read.
bool ReadDevicePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data, String& path) {
    DWORD size = 0;
    if (SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &size, nullptr) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return false;
    // Whole records, so the buffer is aligned for one.
    std::vector<SP_DEVICE_INTERFACE_DETAIL_DATA_W> buffer(size / sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) + 1);
    // The record's own size, not the buffer's: what the call checks.
    buffer[0].cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &data, buffer.data(), size, nullptr, nullptr)) return false;
    path = buffer[0].DevicePath;
    return true;
}

}  // namespace

std::vector<String> CollectPresentInterfaces() {
    std::vector<String> names;
    DeviceInfoSet set(SetupDiGetClassDevsW(&kNdisLanClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set.Valid()) return names;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof(data);
        // The normal end is ERROR_NO_MORE_ITEMS; any other failure ends it too.
        if (!SetupDiEnumDeviceInterfaces(set.Get(), nullptr, &kNdisLanClass, index, &data)) break;
        String path;
        if (!ReadDevicePath(set.Get(), data, path)) break;
        const size_t slash = path.rfind(L'\\');
        String name = slash == String::npos ? path : path.Mid(slash + 1);
        name.ToLower();
        names.push_back(name);
    }
    return names;
}

}  // namespace util
