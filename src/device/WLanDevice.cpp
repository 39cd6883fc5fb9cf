// Construction, destruction, Open and Close of the WLAN device.
#include "device/WLanDevice.h"

#include <cstring>

#include "device/DeviceOperation.h"
#include "device/WlanSupport.h"
#include "foundation/CatchChain.h"
#include "foundation/Logging.h"

namespace ace {

void AtomicGuid::Store(const GUID& guid) {
    uint64_t words[2];
    std::memcpy(words, &guid, sizeof(words));
    low_ = words[0];
    high_ = words[1];
}

GUID AtomicGuid::Load() const {
    uint64_t words[2] = {low_.load(), high_.load()};
    GUID guid;
    std::memcpy(&guid, words, sizeof(guid));
    return guid;
}

WLanDevice::WLanDevice() {
    UTIL_TRY
    connectedEvent.Create(false, false);
    connectFailedEvent.Create(false, false);
    disconnectedEvent.Create(false, false);
    scanCompleteEvent.Create(false, false);
    profileChangedEvent.Create(false, false);
    closingEvent.Create(true, false);
    Start(L"WlanDevice");
    UTIL_CATCH_CHAIN(L"ace::WLanDevice::WLanDevice")
}

WLanDevice::~WLanDevice() {
    const wchar_t* const fn = L"ace::WLanDevice::~WLanDevice";
    // Each step on its own: a failed close must not leave the worker running
    // while the members it reads are destroyed.
    LogAndSwallow(fn, L"Caught exception", [&] { UTIL_LOG(LOG_TRACE, LOG_AREA_DEVICE, fn); });
    LogAndSwallow(fn, L"Caught exception", [&] { DoClose(); });
    LogAndSwallow(fn, L"Caught exception", [&] { Stop(static_cast<DWORD>(-1)); });
    LogAndSwallow(fn, L"Caught exception", [&] { UTIL_LOG(LOG_TRACE, LOG_AREA_DEVICE, fn) << L"Finished!"; });
}

void WLanDevice::Open(IDeviceCallback* callback) {
    const wchar_t* const fn = L"ace::WLanDevice::Open";
    UTIL_TRY
    ACE_DEVICE_OPERATION(LOG_EVENT, fn);
    if (GetDeviceStatus() != DEVICE_STATE::CLOSED) {
        util::DeviceAlreadyOpenEx ex(UTIL_WFILE, fn, __LINE__);
        ex.Stream() << L"Wrong DeviceStatus: " << static_cast<uint32_t>(GetDeviceStatus());
        throw ex;
    }
    hostCallback = callback;
    try {
        DoOpen();
        if (!DoFindAdapterFromEnumInterfaces()) {
            util::String text = util::String(L"Adapter '") + GetDeviceName() + L"' is not available";
            UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn) << text;
            util::DeviceOpenEx ex(UTIL_WFILE, fn, __LINE__);
            ex.Stream() << text;
            throw ex;
        }
        UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"Adapter '" << GetDeviceName() << L"' was found";
        ChangeDeviceStatus(DEVICE_STATE::DISCONNECTED, true);
        try {
            DoScan();
        } catch (const util::Exception&) {
            UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn) << L"Continue any way.. ";
        }
    } catch (const util::Exception& e) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Open failed: " << e;
        throw util::DeviceOpenEx(UTIL_WFILE, fn, __LINE__);
    }
    UTIL_CATCH_CHAIN(fn)
}

void WLanDevice::DoOpen() {
    const wchar_t* const fn = L"ace::WLanDevice::DoOpen";
    DWORD version = 0;
    HANDLE handle = nullptr;
    if (::WlanOpenHandle(WLAN_API_VERSION_2_0, nullptr, &version, &handle) != ERROR_SUCCESS) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Failed to open Wlan api handle.";
        util::SystemCallEx ex(UTIL_WFILE, fn, __LINE__);
        ex.Stream() << L"Failed to open Wlan api handle";
        throw ex;
    }
    clientHandle = handle;
    negotiatedVersion = version;
    if (version != 2 && version != 1) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Unsupported version of WLAN service." << version;
        util::SystemCallEx ex(UTIL_WFILE, fn, __LINE__);
        ex.Stream() << L"Unsupported version of WLAN service.";
        throw ex;
    }
    DWORD previous = 0;
    DWORD result = ::WlanRegisterNotification(clientHandle, WLAN_NOTIFICATION_SOURCE_ACM | WLAN_NOTIFICATION_SOURCE_MSM,
                                              FALSE, &WLanDevice::NotificationCallback, this, nullptr, &previous);
    if (result != ERROR_SUCCESS) {
        UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn) << L"Register WLAN notification failed. error: " << result;
        util::SystemCallEx ex(UTIL_WFILE, fn, __LINE__);
        ex.Stream() << L"Register WLAN notification failed.";
        throw ex;
    }
}

bool WLanDevice::DoFindAdapterFromEnumInterfaces() {
    const wchar_t* const fn = L"ace::WLanDevice::DoFindAdapterFromEnumInterfaces";
    PWLAN_INTERFACE_INFO_LIST raw = nullptr;
    DWORD result = ::WlanEnumInterfaces(clientHandle, nullptr, &raw);
    WlanMemory<WLAN_INTERFACE_INFO_LIST> list(raw);
    if (result != ERROR_SUCCESS) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"WlanEnumInterfaces operation failed. error: " << result;
        ACE_THROW_CALL_FAILED(fn, L"WlanEnumInterfaces");
    }
    const util::String name = GetDeviceName();
    for (DWORD i = 0; list && i < list->dwNumberOfItems; ++i) {
        const WLAN_INTERFACE_INFO& entry = list->InterfaceInfo[i];
        util::String guid = GuidText(entry.InterfaceGuid);
        UTIL_LOG(LOG_DETAIL, LOG_AREA_DEVICE, fn) << L"GUID: " << guid;
        util::String description(entry.strInterfaceDescription);
        if (description.find(name) == util::String::npos) continue;
        adapterName = guid;
        UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"Adapter name: " << adapterName;
        adapterDescription = description;
        UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"Adapter description: " << adapterDescription;
        uint32_t index = 0;
        FindIndexFromGuid(adapterName, index);
        interfaceIndex = index;
        interfaceGuid.Store(entry.InterfaceGuid);
        UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"Adapter state: " << static_cast<uint32_t>(entry.isState);
        return true;
    }
    return false;
}

void WLanDevice::Close() {
    const wchar_t* const fn = L"ace::WLanDevice::Close";
    UTIL_TRY
    ACE_DEVICE_OPERATION(LOG_EVENT, fn);
    DEVICE_STATE status = GetDeviceStatus();
    if (status == DEVICE_STATE::CLOSED) return;
    if (status == DEVICE_STATE::DISCONNECTING) {
        for (int i = 0; i < 10 && GetDeviceStatus() == DEVICE_STATE::DISCONNECTING; ++i) ::Sleep(100);
        if (GetDeviceStatus() == DEVICE_STATE::DISCONNECTING) ChangeDeviceStatus(DEVICE_STATE::DISCONNECTED, false);
    } else if (status != DEVICE_STATE::DISCONNECTED) {
        Disconnect(0);
    }
    if (associationState == 2) InternalUnAssociateNetwork();
    associationState = 0;
    adapterName.clear();
    adapterDescription.clear();
    DoClose();
    ChangeDeviceStatus(DEVICE_STATE::CLOSED, true);
    UTIL_CATCH_CHAIN(fn)
}

void WLanDevice::DoClose() {
    const wchar_t* const fn = L"ace::WLanDevice::DoClose";
    if (clientHandle == nullptr) return;
    // A callback waiting for adapterLock gives up now: the unregistration
    // below waits for it, and our caller may hold the lock.
    closingEvent.SetEvent();
    DWORD previous = 0;
    DWORD result = ::WlanRegisterNotification(clientHandle, WLAN_NOTIFICATION_SOURCE_NONE, FALSE, nullptr, nullptr,
                                              nullptr, &previous);
    if (result != ERROR_SUCCESS)
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Unregister WLAN notification failed. error: " << result;
    ::Sleep(100);
    // The handle is given up either way; a refusal is only told.
    if (const DWORD closed = ::WlanCloseHandle(clientHandle, nullptr); closed != ERROR_SUCCESS)
        UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn) << L"WlanCloseHandle failed. error: " << closed;
    clientHandle = nullptr;
    closingEvent.ResetEvent();
    UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"DoClose End";
}

}  // namespace ace
