// Ending the connection and the association.
#include "device/WLanDevice.h"

#include "device/DeviceOperation.h"
#include "device/WlanSupport.h"
#include "foundation/Api.h"
#include "foundation/CatchChain.h"
#include "foundation/Logging.h"

namespace ace {

void WLanDevice::Disconnect(uint32_t) {
    const wchar_t* const fn = L"ace::WLanDevice::Disconnect";
    UTIL_TRY
    ACE_DEVICE_OPERATION(LOG_EVENT, fn);
    DEVICE_STATE status = GetDeviceStatus();
    if (status != DEVICE_STATE::CONNECTED && status != DEVICE_STATE::CONNECTING) {
        util::InvalidOperationEx ex(UTIL_WFILE, fn, __LINE__);
        ex.SetParam(1, L"Device not in DEVICE_STATE::CONNECTED or DEVICE_STATE::CONNECTING state");
        ex.Stream() << L"Wrong DeviceStatus: " << static_cast<uint32_t>(status)
                    << L". It should be one of the following " << 2 << L", " << 3;
        throw ex;
    }
    InternalDisconnect(true);
    UTIL_CATCH_CHAIN(fn)
}

void WLanDevice::InternalDisconnect(bool wait) {
    const wchar_t* const fn = L"ace::WLanDevice::InternalDisconnect";
    UTIL_TRY
    // Tested before the lock: a lost link while a connect holds the lock is
    // ignored instead of waiting for it.
    if (GetDeviceStatus() != DEVICE_STATE::CONNECTED) return;
    // The host's threads wait for the lock; the service's thread must not
    // wait while DoClose, under the lock, waits for it.
    if (wait) {
        adapterLock.Enter();
    } else if (!EnterLockFromService()) {
        return;
    }
    util::ScopedLock guard(adapterLock, util::ScopedLock::adopt);
    // Tested again under the lock: a lost link that waited for it while a
    // host's disconnect ran must not report DISCONNECTING a second time.
    if (GetDeviceStatus() != DEVICE_STATE::CONNECTED) return;
    ChangeDeviceStatus(DEVICE_STATE::DISCONNECTING, true);
    try {
        DoDisconnect(wait);
    } catch (const util::Exception& e) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Disconnect failed: " << e;
        throw;
    }
    if (negotiatedVersion == 1) {
        if (IDeviceCallback* host = HostCallback()) host->Disconnected(deviceIndex, 0);
    }
    connectStatistics.bytesSent = 0;
    connectStatistics.bytesReceived = 0;
    ChangeDeviceStatus(DEVICE_STATE::DISCONNECTED, true);
    UTIL_CATCH_CHAIN(fn)
}

void WLanDevice::DoDisconnect(bool wait) {
    const wchar_t* const fn = L"ace::WLanDevice::DoDisconnect";
    UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn);
    disconnectedEvent.ResetEvent();
    const GUID guid = interfaceGuid.Load();
    DWORD result = ::WlanDisconnect(clientHandle, &guid, nullptr);
    if (result != ERROR_SUCCESS) {
        UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn) << L"WlanDisconnect operation failed. error: " << result;
        ACE_THROW_CALL_FAILED(fn, L"WlanDisconnect");
    }
    if (!wait) return;
    DWORD signalled = wapi::WaitForSingleObject(disconnectedEvent.GetHandle(), 5000);
    if (signalled == WAIT_OBJECT_0) {
        UTIL_LOG(LOG_EVENT, LOG_AREA_DEVICE, fn) << L"Disconnected";
        return;
    }
    UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"WaitForSingleObject 'Disconnected' failed. Result: " << signalled;
    ACE_THROW_CALL_FAILED(fn, L"WaitForSingleObject");
}

void WLanDevice::UnAssociateNetwork() {
    const wchar_t* const fn = L"ace::WLanDevice::UnAssociateNetwork";
    UTIL_TRY
    ACE_DEVICE_OPERATION(LOG_EVENT, fn);
    if (GetDeviceStatus() != DEVICE_STATE::DISCONNECTED)
        ThrowWrongStatus<util::DeviceNotOpenEx>(UTIL_WFILE, fn, __LINE__, GetDeviceStatus(), 0);
    if (associationState != 2) throw util::NotAssociatedEx(UTIL_WFILE, fn, __LINE__);
    InternalUnAssociateNetwork();
    UTIL_CATCH_CHAIN(fn)
}

void WLanDevice::InternalUnAssociateNetwork() {
    const wchar_t* const fn = L"ace::WLanDevice::InternalUnAssociateNetwork";
    if (GetDeviceStatus() == DEVICE_STATE::CONNECTED) {
        try {
            ChangeDeviceStatus(DEVICE_STATE::DISCONNECTING, true);
            DoDisconnect(true);
        } catch (const util::Exception& e) {
            UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Exception caught: " << e;
        }
    }
    try {
        ChangeDeviceStatus(DEVICE_STATE::DISCONNECTED, true);
        DoDeleteProfile();
        DoResetOriginProfile();
        associationState = 0;
        currentNetworkName.clear();
    } catch (const util::Exception& e) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Exception caught: " << e;
        throw;
    }
}

}  // namespace ace
