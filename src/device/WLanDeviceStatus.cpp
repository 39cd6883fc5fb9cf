// The host's questions about the link: signal, access status, traffic.
#include "device/WLanDevice.h"

#include "device/DeviceOperation.h"
#include "device/WlanSupport.h"
#include "foundation/CatchChain.h"
#include "foundation/Logging.h"
#include "records/AccessStatus.h"

#include <iterator>

namespace ace {

namespace {

constexpr uint32_t kSignalStrength = 1;
constexpr uint32_t kNetworkName = 4;
constexpr uint32_t kNetworkRegistrationType = 8;
constexpr uint32_t kSupportedAccessStatus = kSignalStrength | kNetworkName | kNetworkRegistrationType;

const wchar_t* const kInterfaceStateTexts[] = {L" Not ready",    L" Connected",     L" Ad Hoc Netwrok Formed",
                                               L" Disconnecting", L" Disconnected", L" Associating",
                                               L" Discovering",  L" Authenticating"};

}  // namespace

int32_t WLanDevice::ConvertSignalToPercent(int32_t value) {
    if (value >= 0 && value <= 100) return value;
    int32_t step = 31;
    if (value <= -113)
        step = 0;
    else if (value <= -51)
        step = (value + 113) / 2;
    return static_cast<int32_t>(step * 100.0 / 31.0);
}

int32_t WLanDevice::DoGetSignalStrength(const util::String& ssid, DEVICE_STATE status) {
    const wchar_t* const fn = L"ace::WLanDevice::DoGetSignalStrength";
    const GUID guid = interfaceGuid.Load();
    if (status == DEVICE_STATE::CONNECTED && negotiatedVersion >= 2) {
        DWORD size = 0;
        PVOID raw = nullptr;
        DWORD result = ::WlanQueryInterface(clientHandle, &guid, wlan_intf_opcode_rssi, nullptr, &size, &raw, nullptr);
        WlanMemory<void> data(raw);
        if (result != ERROR_SUCCESS || raw == nullptr) {
            UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"WlanQueryInterface failed, error: " << result;
            ACE_THROW_CALL_FAILED(fn, L"WlanQueryInterface");
        }
        const LONG rssi = *static_cast<const LONG*>(raw);
        UTIL_LOG(LOG_EVENT, LOG_AREA_DEVICE, fn) << L"RSSI: from qi " << rssi;
        return ConvertSignalToPercent(rssi);
    }
    WlanMemory<WLAN_AVAILABLE_NETWORK_LIST> list(QueryNetworkList(fn));
    int32_t best = 0;
    bool found = false;
    for (DWORD i = 0; list && i < list->dwNumberOfItems; ++i) {
        const WLAN_AVAILABLE_NETWORK& entry = list->Network[i];
        if (SsidText(entry.dot11Ssid) != ssid) continue;
        if (static_cast<int32_t>(entry.wlanSignalQuality) > best) {
            best = static_cast<int32_t>(entry.wlanSignalQuality);
            found = true;
        }
    }
    return found ? best : -1;
}

bool WLanDevice::DoIsAdapterAlreadyConnected() {
    const wchar_t* const fn = L"ace::WLanDevice::DoIsAdapterAlreadyConnected";
    const GUID guid = interfaceGuid.Load();
    DWORD size = 0;
    PVOID raw = nullptr;
    DWORD result =
        ::WlanQueryInterface(clientHandle, &guid, wlan_intf_opcode_interface_state, nullptr, &size, &raw, nullptr);
    WlanMemory<void> data(raw);
    if (result != ERROR_SUCCESS || raw == nullptr) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"WlanQueryInterface failed, error: " << result;
        ACE_THROW_CALL_FAILED(fn, L"WlanQueryInterface");
    }
    const DWORD state = *static_cast<const DWORD*>(raw);
    if (state < std::size(kInterfaceStateTexts))
        UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"Interface state: " << state << kInterfaceStateTexts[state];
    return state == wlan_interface_state_connected;
}

void WLanDevice::GetAccessStatus(uint32_t types, cei::AccessStatus& status) {
    const wchar_t* const fn = L"ace::WLanDevice::GetAccessStatus";
    UTIL_TRY
    ACE_DEVICE_OPERATION(LOG_TRACE, fn);
    if (GetDeviceStatus() == DEVICE_STATE::CLOSED)
        ThrowWrongStatus<util::DeviceNotOpenEx>(UTIL_WFILE, fn, __LINE__, GetDeviceStatus());
    if (associationState != 2) throw util::NotAssociatedEx(UTIL_WFILE, fn, __LINE__);
    if ((types & ~kSupportedAccessStatus) != 0) {
        util::DeviceCapabilityEx ex(UTIL_WFILE, fn, __LINE__);
        ex.Stream() << L"AccessStatusTypes parameter not supported: " << types << L". When compared to DB info: "
                    << kSupportedAccessStatus;
        throw ex;
    }
    int32_t signal = 0;
    try {
        signal = DoGetSignalStrength(currentNetworkName, GetDeviceStatus());
    } catch (util::Exception& e) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"GetAccessStatus operation failed: " << e;
        e.AppendMessage(util::String(L"Failed to retrieve signal strength from adapter") + adapterName);
        throw;
    }
    status.signalStrength = signal;
    if (types & kNetworkRegistrationType) status.networkRegistrationType = (signal != 0 || !ssidBroadcast) ? 2 : 0;
    if (types & kNetworkName) status.networkName = currentNetworkName;
    UTIL_CATCH_CHAIN(fn)
}

void WLanDevice::GetStatistics(cei::DeviceStatistics& statistics) {
    const wchar_t* const fn = L"ace::WLanDevice::GetStatistics";
    UTIL_TRY
    ACE_DEVICE_OPERATION(LOG_TRACE, fn);
    GetInterfaceData(interfaceIndex, statistics);
    statistics.bytesSent -= connectStatistics.bytesSent;
    statistics.bytesReceived -= connectStatistics.bytesReceived;
    UTIL_CATCH_CHAIN(fn)
}

}  // namespace ace
