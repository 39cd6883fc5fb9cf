// One device of the plug-in, opened on one adapter, with the host's callback.
// Ending the session closes the device: Close disconnects and un-associates
// as needed, which brings the user's same-named profile back; DeleteClass
// alone would not.
#pragma once

#include <memory>
#include <string>

#include "EventLog.h"
#include "Plugin.h"

namespace host {

class Session {
public:
    Session(const std::string& pluginPath, const std::string& adapter);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    ace::IDevice& Device() { return device_->Device(); }
    // Throws ServiceError when the plug-in's device cannot associate.
    ace::IDeviceAdapter& Adapter();
    ace::GenericAdapter& Generic() { return device_->Generic(); }
    EventLog& Events() { return events_; }
    const std::string& AdapterName() const { return adapter_; }

    // Opens the device on the first use that needs it.
    void EnsureOpen();
    bool IsOpen() { return Device().GetDeviceStatus() != DEVICE_STATE::CLOSED; }
    // Whether this host associated a network it has not un-associated yet.
    bool Associated() const { return associated_; }
    void SetAssociated(bool associated) { associated_ = associated; }
    // Closes the device now (the destructor does it otherwise).
    void Close();

private:
    std::string adapter_;
    // Declared first, destroyed last: the device refers to the callback
    // until DeleteClass, and the module must outlive the device.
    EventLog events_;
    Plugin plugin_;
    std::unique_ptr<DeviceHandle> device_;
    bool associated_ = false;
};

}  // namespace host
