// Scanning and the list of networks in range.
#include "device/WLanDevice.h"

#include <utility>

#include "device/DeviceOperation.h"
#include "device/WlanSupport.h"
#include "foundation/Api.h"
#include "foundation/CatchChain.h"
#include "foundation/Logging.h"
#include "records/NetworkInfoList.h"

namespace ace {

namespace {

cei::SecurityType SecurityFromAuth(DOT11_AUTH_ALGORITHM auth, const wchar_t* fn) {
    switch (auth) {
        case DOT11_AUTH_ALGO_80211_OPEN: return cei::SECURITY_OPEN;
        case DOT11_AUTH_ALGO_80211_SHARED_KEY: return cei::SECURITY_SHARED;
        case DOT11_AUTH_ALGO_WPA: return cei::SECURITY_WPA;
        case DOT11_AUTH_ALGO_WPA_PSK: return cei::SECURITY_WPA_PSK;
        case DOT11_AUTH_ALGO_RSNA: return cei::SECURITY_WPA2;
        case DOT11_AUTH_ALGO_RSNA_PSK: return cei::SECURITY_WPA2_PSK;
        default:
            UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn) << L"Unknown security type. Auth: " << static_cast<uint32_t>(auth);
            return cei::SECURITY_UNKNOWN;
    }
}

cei::EncryptionType EncryptionFromCipher(DOT11_CIPHER_ALGORITHM cipher, const wchar_t* fn) {
    switch (cipher) {
        case DOT11_CIPHER_ALGO_NONE: return cei::ENCRYPTION_NONE;
        case DOT11_CIPHER_ALGO_WEP40: return cei::ENCRYPTION_WEP;
        case DOT11_CIPHER_ALGO_TKIP: return cei::ENCRYPTION_TKIP;
        case DOT11_CIPHER_ALGO_CCMP: return cei::ENCRYPTION_AES;
        case DOT11_CIPHER_ALGO_WEP104: return cei::ENCRYPTION_WEP;
        default:
            UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn)
                << L"Unknown encryption type. Ciph: " << static_cast<uint32_t>(cipher);
            return cei::ENCRYPTION_UNKNOWN;
    }
}

}  // namespace

void WLanDevice::DoScan() {
    const wchar_t* const fn = L"ace::WLanDevice::DoScan";
    scanCompleteEvent.ResetEvent();
    const GUID guid = interfaceGuid.Load();
    DWORD result = ::WlanScan(clientHandle, &guid, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Wlan scan failed, error: " << result;
        ACE_THROW_CALL_FAILED(fn, L"WlanScan");
    }
    DWORD wait = wapi::WaitForSingleObject(scanCompleteEvent.GetHandle(), 6000);
    if (wait == WAIT_OBJECT_0) {
        UTIL_LOG(LOG_EVENT, LOG_AREA_DEVICE, fn) << L"Scan complete";
        return;
    }
    UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"WaitForSingleObject 'Scan complete' failed. Result: " << wait;
    ACE_THROW_CALL_FAILED(fn, L"WaitForSingleObject");
}

PWLAN_AVAILABLE_NETWORK_LIST WLanDevice::QueryNetworkList(const wchar_t* fn) {
    PWLAN_AVAILABLE_NETWORK_LIST list = nullptr;
    const GUID guid = interfaceGuid.Load();
    DWORD result = ::WlanGetAvailableNetworkList(clientHandle, &guid, 0, nullptr, &list);
    if (result != ERROR_SUCCESS) {
        if (list != nullptr) ::WlanFreeMemory(list);
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"WlanGetAvailableNetworkList operation failed. error: " << result;
        if (result == static_cast<DWORD>(ERROR_NDIS_DOT11_POWER_STATE_INVALID))
            UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"wlan adapter has power off.";
        ACE_THROW_CALL_FAILED(fn, L"WlanGetAvailableNetworkList");
    }
    return list;
}

void WLanDevice::DoGetAvailableNetworks(NetworkList& networks) {
    const wchar_t* const fn = L"ace::WLanDevice::DoGetAvailableNetworks";
    WlanMemory<WLAN_AVAILABLE_NETWORK_LIST> list(QueryNetworkList(fn));
    if (list) networks.reserve(networks.size() + list->dwNumberOfItems);
    for (DWORD i = 0; list && i < list->dwNumberOfItems; ++i) {
        const WLAN_AVAILABLE_NETWORK& entry = list->Network[i];
        auto* network = new cei::NetworkInfoListWlan;
        util::CountedPtr<cei::NetworkInfoList> holder(network);
        network->ssid = SsidText(entry.dot11Ssid);
        network->signalQuality = entry.wlanSignalQuality;
        network->securityEnabled = entry.bSecurityEnabled != FALSE;
        UTIL_LOG(LOG_DETAIL, LOG_AREA_DEVICE, fn)
            << L"SSID: " << network->ssid << L" , Signal quality: " << network->signalQuality;
        if (entry.dot11BssType == dot11_BSS_type_infrastructure) {
            network->bssType = 1;
        } else {
            UTIL_LOG(LOG_DETAIL, LOG_AREA_DEVICE, fn)
                << L"Not supported bss type: " << static_cast<uint32_t>(entry.dot11BssType);
            network->bssType = 0;
        }
        network->securityType = SecurityFromAuth(entry.dot11DefaultAuthAlgorithm, fn);
        network->encryptionType = EncryptionFromCipher(entry.dot11DefaultCipherAlgorithm, fn);
        networks.push_back(std::move(holder));
    }
}

void WLanDevice::GetAvailableNetworks(NetworkList& networks) {
    const wchar_t* const fn = L"ace::WLanDevice::GetAvailableNetworks";
    UTIL_TRY
    ACE_DEVICE_OPERATION(LOG_TRACE, fn);
    if (GetDeviceStatus() == DEVICE_STATE::CLOSED)
        ThrowWrongStatus<util::DeviceNotOpenEx>(UTIL_WFILE, fn, __LINE__, GetDeviceStatus());
    try {
        DoGetAvailableNetworks(networks);
    } catch (const util::Exception& e) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"GetAvailableNetworks operation failed: " << e;
        throw;
    }
    UTIL_CATCH_CHAIN(fn)
}

}  // namespace ace
