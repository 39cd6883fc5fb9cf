// The WLAN service's notifications: named for the log, filtered by
// interface, turned into the five wait events and the lost-link handling.
// Runs on the service's thread.
#include "device/WLanDevice.h"

#include <cstddef>

#include "device/WlanNotificationNames.h"
#include "device/WlanSupport.h"
#include "foundation/Logging.h"

namespace ace {

namespace {

// The connection data is read only up to its reason code.
constexpr size_t kReasonEnd = offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, wlanReasonCode) + sizeof(WLAN_REASON_CODE);

}  // namespace

void WINAPI WLanDevice::NotificationCallback(PWLAN_NOTIFICATION_DATA notification, PVOID context) {
    const wchar_t* const fn = L"ace::WLanDevice::NotificationCallback";
    // Nothing may leave into the service's thread.
    LogAndSwallow(fn, L"Notification handling failed: ", [&] {
        if (notification == nullptr) return;
        const wchar_t* name = NotificationName(notification->NotificationSource, notification->NotificationCode);
        if (context == nullptr) {
            UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn)
                << L"Closing down, notification not accepted. Notification: " << name;
            return;
        }
        auto* device = static_cast<WLanDevice*>(context);
        if (notification->InterfaceGuid != device->interfaceGuid.Load()) {
            UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"Notification from not selected wlan adapter. Guid: "
                                                    << GuidText(notification->InterfaceGuid) << L" " << name;
            return;
        }
        UTIL_LOG(LOG_TRACE, LOG_AREA_DEVICE, fn)
            << L"Notification:" << name << L" Source:" << static_cast<uint32_t>(notification->NotificationSource)
            << L" Code:" << static_cast<uint32_t>(notification->NotificationCode);
        device->CallbackImpl(*notification);
    });
}

void WLanDevice::CallbackImpl(const WLAN_NOTIFICATION_DATA& notification) {
    const DWORD code = notification.NotificationCode;
    if (notification.NotificationSource == WLAN_NOTIFICATION_SOURCE_MSM) {
        if (code == wlan_notification_msm_connected) {
            connectedEvent.SetEvent();
        } else if (code == wlan_notification_msm_disconnected) {
            disconnectedEvent.SetEvent();
            if (IDeviceCallback* host = HostCallback()) host->Disconnected(deviceIndex, 0);
        }
    } else if (notification.NotificationSource == WLAN_NOTIFICATION_SOURCE_ACM) {
        switch (code) {
            case wlan_notification_acm_scan_complete:
                scanCompleteEvent.SetEvent();
                break;
            case wlan_notification_acm_connection_complete: {
                DWORD reason = WLAN_REASON_CODE_SUCCESS;
                if (notification.pData != nullptr && notification.dwDataSize >= kReasonEnd)
                    reason = static_cast<const WLAN_CONNECTION_NOTIFICATION_DATA*>(notification.pData)->wlanReasonCode;
                if (reason != WLAN_REASON_CODE_SUCCESS)
                    connectFailedEvent.SetEvent();
                else if (negotiatedVersion == 1)
                    connectedEvent.SetEvent();
                break;
            }
            case wlan_notification_acm_connection_attempt_fail:
                connectFailedEvent.SetEvent();
                break;
            case wlan_notification_acm_profile_change:
                profileChangedEvent.SetEvent();
                break;
            case wlan_notification_acm_disconnected:
                disconnectedEvent.SetEvent();
                InternalDisconnect(false);
                break;
            default:
                break;
        }
    } else {
        UTIL_LOG(LOG_TRACE, LOG_AREA_DEVICE, L"ace::WLanDevice::CallbackImpl")
            << L"Unknown notification source: " << static_cast<uint32_t>(notification.NotificationSource);
    }
}

bool WLanDevice::EnterLockFromService() {
    while (!adapterLock.TryEnter()) {
        if (::WaitForSingleObject(closingEvent.GetHandle(), 10) == WAIT_OBJECT_0) return false;
    }
    return true;
}

}  // namespace ace
