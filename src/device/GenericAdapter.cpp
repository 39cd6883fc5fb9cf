#include "device/GenericAdapter.h"

#include "foundation/CatchChain.h"
#include "foundation/Logging.h"
#include "foundation/ScopedLock.h"
#include "foundation/ThreadName.h"
#include "platform/win32.h"

namespace ace {

GenericAdapter::GenericAdapter() = default;

GenericAdapter::~GenericAdapter() = default;

void GenericAdapter::GetDeviceInformation(cei::DeviceInformation& information) { information = deviceInformation; }

void GenericAdapter::SetDeviceInformation(const cei::DeviceInformation& information) {
    deviceInformation = information;
}

util::String GenericAdapter::GetDeviceInformationId() { return deviceInformation.deviceId; }

void GenericAdapter::SetDBDeviceInfo(const DBDeviceInfo& info) {
    UTIL_TRY
    util::ScopedLock lock(adapterLock);
    dbDeviceInfo = info;
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::SetDBDeviceInfo")
}

void GenericAdapter::SetDeviceName(const util::String& name) {
    UTIL_TRY
    util::ScopedLock lock(adapterLock);
    deviceName = name;
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::SetDeviceName")
}

void GenericAdapter::ChangeDeviceStatus(DEVICE_STATE newState, bool notify) {
    UTIL_TRY
    UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, L"ace::GenericAdapter::ChangeDeviceStatus")
        << L"Device Status: " << static_cast<uint32_t>(deviceStatus.load());
    deviceStatus = newState;
    UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, L"ace::GenericAdapter::ChangeDeviceStatus")
        << L"Device Status: " << static_cast<uint32_t>(newState);
    if (notify) {
        if (IDeviceCallback* callback = HostCallback()) callback->DeviceStatusChanged(deviceIndex, newState);
    }
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::ChangeDeviceStatus")
}

void GenericAdapter::Destroy() {
    UTIL_TRY
    Close();
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::Destroy")
}

uint32_t GenericAdapter::ThreadRoutine() {
    try {
        const wchar_t* name = util::GetCurrentThreadName();
        UTIL_LOG(LOG_EVENT, LOG_AREA_CONFIG, L"ace::GenericAdapter::ThreadRoutine")
            << (name ? name : L"") << L" thread started.";
        ipAddressReported = false;
        for (;;) {
            DWORD result = ::WaitForSingleObject(GetStopEvent(), pollInterval);
            if (result == WAIT_OBJECT_0) break;
            if (result != WAIT_TIMEOUT) {
                util::SystemCallEx ex(UTIL_WFILE, L"ace::GenericAdapter::ThreadRoutine", __LINE__);
                ex.Stream() << L"WaitForSingleObject return: " << static_cast<uint32_t>(result);
                throw ex;
            }
            CheckIpAddress();
        }
    } catch (...) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_CONFIG, L"ace::GenericAdapter::ThreadRoutine")
            << L"GenericAdapter thread died of unknown exception.";
    }
    UTIL_LOG(LOG_EVENT, LOG_AREA_CONFIG, L"ace::GenericAdapter::ThreadRoutine") << L"GenericAdapter thread closed.";
    return 0;
}

}  // namespace ace
