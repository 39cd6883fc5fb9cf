#include "Session.h"

#include "Errors.h"
#include "Text.h"
#include "foundation/ExceptionTypes.h"

namespace host {

Session::Session(const std::string& pluginPath, const std::string& adapter)
    : adapter_(adapter), plugin_(pluginPath), device_(std::make_unique<DeviceHandle>(plugin_)) {
    Device().SetDeviceIndex(0);
    Device().SetDeviceName(Widen(adapter));
}

Session::~Session() {
    try {
        Close();
    } catch (const util::Exception&) {
        // Already past the point of reporting: DeleteClass still runs.
    }
}

ace::IDeviceAdapter& Session::Adapter() {
    ace::IDeviceAdapter* adapter = device_->Adapter();
    if (adapter == nullptr) throw ServiceError("this plug-in's device cannot associate networks");
    return *adapter;
}

void Session::EnsureOpen() {
    if (!IsOpen()) Device().Open(&events_);
}

void Session::Close() {
    associated_ = false;
    try {
        Device().Close();
    } catch (const util::SystemCallEx&) {
        // A disconnect the service did not confirm leaves the device open in
        // DISCONNECTING; the second Close ends it and brings the profile back.
        if (Device().GetDeviceStatus() != DEVICE_STATE::DISCONNECTING) throw;
        Device().Close();
    }
}

}  // namespace host
