// The plug-in file loaded at run time and the one device made by its
// CreateClass, each released by its owner: the device by DeleteClass before
// the module is freed.
#pragma once

#include <memory>
#include <string>

#include "device/Exports.h"
#include "device/GenericAdapter.h"
#include "device/IDeviceAdapter.h"
#include "platform/win32.h"

namespace host {

class Plugin {
public:
    // Throws UsageError when the file does not load or lacks an export.
    explicit Plugin(const std::string& path);
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    // Throws what CreateClass throws; ServiceError when it returns null.
    ace::IDevice* Create();
    void Destroy(ace::IDevice* device) { destroy_(device); }

private:
    HMODULE module_ = nullptr;
    CreateClassFn create_ = nullptr;
    DeleteClassFn destroy_ = nullptr;
};

// A device that DeleteClass destroys when this ends.
class DeviceHandle {
public:
    explicit DeviceHandle(Plugin& plugin) : plugin_(plugin), device_(plugin.Create()) {}
    ~DeviceHandle() { plugin_.Destroy(device_); }
    DeviceHandle(const DeviceHandle&) = delete;
    DeviceHandle& operator=(const DeviceHandle&) = delete;

    ace::IDevice& Device() { return *device_; }
    // Null when the plug-in's device has no association operations.
    ace::IDeviceAdapter* Adapter() { return dynamic_cast<ace::IDeviceAdapter*>(device_); }
    // The generic adapter's operations (the IP settings among them) follow
    // IDeviceAdapter's in the same virtual table. The plug-in's one device
    // class derives from ace::GenericAdapter first, so the cast moves no
    // pointer; it cannot be a dynamic_cast, as that class's type information
    // stays inside the plug-in.
    ace::GenericAdapter& Generic() { return *static_cast<ace::GenericAdapter*>(device_); }

private:
    Plugin& plugin_;
    ace::IDevice* device_;
};

// The plug-in file installed beside the running executable.
std::string DefaultPluginPath(const char* argv0);

}  // namespace host
