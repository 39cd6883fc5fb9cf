#include "device/WLanDevice.h"

#include "device/DeviceOperation.h"
#include "foundation/CatchChain.h"
#include "foundation/Logging.h"

namespace ace {

namespace {

// The WLAN service operations arrive in later versions of this library;
// until then they refuse plainly instead of pretending to work.
[[noreturn]] void ThrowNotAvailable(const wchar_t* function, const wchar_t* operation, uint32_t line) {
    util::InvalidOperationEx ex(UTIL_WFILE, function, line);
    ex.SetParam(1, operation);
    ex.Stream() << L" The WLAN service operations are not available in this build yet.";
    throw ex;
}

}  // namespace

WLanDevice::WLanDevice() {
    UTIL_TRY
    connectedEvent.Create(false, false);
    connectFailedEvent.Create(false, false);
    disconnectedEvent.Create(false, false);
    scanCompleteEvent.Create(false, false);
    profileChangedEvent.Create(false, false);
    Start(L"WlanDevice");
    UTIL_CATCH_CHAIN(L"ace::WLanDevice::WLanDevice")
}

WLanDevice::~WLanDevice() {
    const wchar_t* const fn = L"ace::WLanDevice::~WLanDevice";
    try {
        UTIL_LOG(LOG_TRACE, LOG_AREA_DEVICE, fn);
        try {
            DoClose();
            Stop(static_cast<DWORD>(-1));
        } catch (...) {
            UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Caught exception";
        }
        UTIL_LOG(LOG_TRACE, LOG_AREA_DEVICE, fn) << L"Finished!";
    } catch (...) {
        // Logging itself failed; destruction goes on.
    }
}

void WLanDevice::DoClose() {
    UTIL_TRY
    if (clientHandle == nullptr) return;
    ThrowNotAvailable(L"ace::WLanDevice::DoClose", L"DoClose", __LINE__);
    UTIL_CATCH_CHAIN(L"ace::WLanDevice::DoClose")
}

void WLanDevice::Close() {
    UTIL_TRY
    ACE_DEVICE_OPERATION(LOG_EVENT, L"ace::WLanDevice::Close");
    if (GetDeviceStatus() == DEVICE_STATE::CLOSED) return;
    ThrowNotAvailable(L"ace::WLanDevice::Close", L"Close", __LINE__);
    UTIL_CATCH_CHAIN(L"ace::WLanDevice::Close")
}

#define ACE_NOT_AVAILABLE(level, name)                            \
    UTIL_TRY                                                      \
    ACE_DEVICE_OPERATION(level, L"ace::WLanDevice::" name);       \
    ThrowNotAvailable(L"ace::WLanDevice::" name, name, __LINE__); \
    UTIL_CATCH_CHAIN(L"ace::WLanDevice::" name)

void WLanDevice::ConnectAsync(const cei::ConnectionInfo*) { ACE_NOT_AVAILABLE(LOG_EVENT, L"ConnectAsync") }
void WLanDevice::Disconnect(uint32_t) { ACE_NOT_AVAILABLE(LOG_EVENT, L"Disconnect") }
void WLanDevice::GetAccessStatus(uint32_t, cei::AccessStatus&) { ACE_NOT_AVAILABLE(LOG_TRACE, L"GetAccessStatus") }
void WLanDevice::GetAvailableNetworks(NetworkList&) { ACE_NOT_AVAILABLE(LOG_TRACE, L"GetAvailableNetworks") }
void WLanDevice::GetStatistics(cei::DeviceStatistics&) { ACE_NOT_AVAILABLE(LOG_TRACE, L"GetStatistics") }
void WLanDevice::Open(IDeviceCallback*) { ACE_NOT_AVAILABLE(LOG_EVENT, L"Open") }
void WLanDevice::AssociateNetwork(const cei::ConnectionInfo*) { ACE_NOT_AVAILABLE(LOG_EVENT, L"AssociateNetwork") }
void WLanDevice::UnAssociateNetwork() { ACE_NOT_AVAILABLE(LOG_EVENT, L"UnAssociateNetwork") }

}  // namespace ace
