// Associating (the profile for the network) and connecting with it.
#include "device/WLanDevice.h"

#include "device/DeviceOperation.h"
#include "device/WlanRequestCheck.h"
#include "device/WlanSupport.h"
#include "foundation/CatchChain.h"
#include "foundation/Logging.h"
#include "profile/WlanProfile.h"
#include "records/AssociateInfoWlan.h"

namespace ace {

namespace {

[[noreturn]] void ThrowNotSupported(const wchar_t* fn, uint32_t line, const wchar_t* what, int32_t value) {
    UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << what << value;
    util::ArgumentEx ex(UTIL_WFILE, fn, line);
    ex.Stream() << what << value;
    throw ex;
}

}  // namespace

void WLanDevice::AssociateNetwork(const cei::ConnectionInfo* request) {
    const wchar_t* const fn = L"ace::WLanDevice::AssociateNetwork";
    UTIL_TRY
    ACE_DEVICE_OPERATION(LOG_EVENT, fn);
    if (GetDeviceStatus() != DEVICE_STATE::DISCONNECTED)
        ThrowWrongStatus<util::DeviceNotOpenEx>(UTIL_WFILE, fn, __LINE__, GetDeviceStatus(), 0);
    if (dynamic_cast<const cei::AssociateInfoWlan*>(request) == nullptr) {
        util::ArgumentEx ex(UTIL_WFILE, fn, __LINE__);
        ex.Stream() << L"pAssociateInfo. pAssociateInfo: " << static_cast<const void*>(request);
        throw ex;
    }
    try {
        AssociateSteps(request);
    } catch (const util::Exception& e) {
        associationState = 0;
        DoResetOriginProfile();
        currentNetworkName.clear();
        ssidBroadcast = true;
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"AssociateNetwork operation failed: " << e;
        throw;
    }
    UTIL_CATCH_CHAIN(fn)
}

void WLanDevice::AssociateSteps(const cei::ConnectionInfo* request) {
    const wchar_t* const fn = L"ace::WLanDevice::AssociateNetwork";
    const auto& info = dynamic_cast<const cei::AssociateInfoWlan&>(*request);
    associationState = 1;
    currentNetworkName = info.ssid;

    Wlan::SSID ssid;
    ssid.SetName(currentNetworkName);
    Wlan::SSIDConfig ssidConfig;
    ssidConfig.SetSSID(ssid);
    ssidConfig.SetBroadcast(info.ssidBroadcast);
    ssidBroadcast = info.ssidBroadcast;

    Wlan::Security security;
    Wlan::AuthEncrypt authEncrypt;
    authEncrypt.SetUseOneX(info.useOneX);
    bool holdsKey = false;
    switch (info.encryptionType) {
        case cei::ENCRYPTION_NONE:
        case cei::ENCRYPTION_AES:
        case cei::ENCRYPTION_TKIP:
            authEncrypt.SetEncryption(info.encryptionType);
            break;
        case cei::ENCRYPTION_WEP: {
            authEncrypt.SetEncryption(cei::ENCRYPTION_WEP);
            holdsKey = true;
            Wlan::SharedKey wepKey;
            wepKey.SetKeyType(0);
            wepKey.SetProtected(false);
            util::String material;
            GetHexStrippedWepKey(info.key, material);
            wepKey.SetKeyMaterial(material);
            security.SetKeyIndex(info.keyIndex);
            security.SetSharedKey(wepKey);
            break;
        }
        default:
            ThrowNotSupported(fn, __LINE__, L"Not supported encryption type: ", info.encryptionType);
    }
    switch (info.securityType) {
        case cei::SECURITY_OPEN:
        case cei::SECURITY_SHARED:
            authEncrypt.SetAuthentication(info.securityType);
            security.SetAuthEncrypt(authEncrypt);
            break;
        case cei::SECURITY_WPA_PSK:
        case cei::SECURITY_WPA2_PSK: {
            authEncrypt.SetAuthentication(info.securityType);
            holdsKey = true;
            Wlan::SharedKey pskKey;
            pskKey.SetProtected(false);
            pskKey.SetKeyMaterial(info.key);
            pskKey.SetKeyType(IsWpa64Key(info.key) ? 0 : 1);
            security.SetAuthEncrypt(authEncrypt);
            security.SetSharedKey(pskKey);
            break;
        }
        default:
            ThrowNotSupported(fn, __LINE__, L"Not supported security type: ", info.securityType);
    }
    CheckAssociateRequest(info, fn);

    Wlan::MSM msm;
    msm.SetSecurity(security);
    Wlan::WlanProfile profile;
    profile.SetName(currentNetworkName);
    profile.SetConnectionType(0);
    profile.SetConnectionMode(1);
    profile.SetSSIDConfig(ssidConfig);
    profile.SetMSM(msm);

    util::String logged = profile.ToXml();
    if (holdsKey) logged = Wlan::WlanProfile::MaskKeyMaterial(logged);
    UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"The profile: " << logged;

    if (GetOriginProfile()) DoDeleteProfile();
    DoSetProfile(profile.ToXml());
    UTIL_LOG(LOG_TRACE, LOG_AREA_DEVICE, fn) << L"Associated";
    associationState = 2;

    if (!ssidBroadcast) {
        try {
            if (DoIsAdapterAlreadyConnected()) DoDisconnect(true);
        } catch (const util::Exception&) {
            UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Connect operation failed for a non broadcasted ssid net";
            DoDeleteProfile();
            throw;
        }
    }
}

void WLanDevice::ConnectAsync(const cei::ConnectionInfo* request) {
    const wchar_t* const fn = L"ace::WLanDevice::ConnectAsync";
    UTIL_TRY
    ACE_DEVICE_OPERATION(LOG_EVENT, fn);
    if (GetDeviceStatus() != DEVICE_STATE::DISCONNECTED)
        ThrowWrongStatus<util::InvalidOperationEx>(UTIL_WFILE, fn, __LINE__, GetDeviceStatus(), 0);
    if (associationState != 2) throw util::NotAssociatedEx(UTIL_WFILE, fn, __LINE__);
    const auto* info = dynamic_cast<const cei::ConnectionInfoWlan*>(request);
    if (info == nullptr) {
        util::InvalidOperationEx ex(UTIL_WFILE, fn, __LINE__);
        ex.SetParam(1, L"Wrong connection info");
        throw ex;
    }
    ChangeDeviceStatus(DEVICE_STATE::CONNECTING, true);
    if (IDeviceCallback* host = HostCallback()) host->ConnectProgress(deviceIndex, 1);
    try {
        ConnectSteps(*info);
    } catch (const util::Exception& e) {
        ChangeDeviceStatus(DEVICE_STATE::DISCONNECTED, true);
        if (IDeviceCallback* host = HostCallback()) host->ConnectCompleted(deviceIndex, 201, 0);
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Connect operation failed: " << e;
        throw;
    }
    UTIL_CATCH_CHAIN(fn)
}

void WLanDevice::ConnectSteps(const cei::ConnectionInfoWlan& request) {
    if (DoIsAdapterAlreadyConnected()) DoDisconnect(true);
    DoConnect(request);
    cei::DeviceStatistics counters;
    GetStatistics(counters);
    connectStatistics.bytesSent = counters.bytesSent;
    connectStatistics.bytesReceived = counters.bytesReceived;
    if (IDeviceCallback* host = HostCallback()) host->ConnectCompleted(deviceIndex, 0, 0);
    ChangeDeviceStatus(DEVICE_STATE::CONNECTED, true);
}

void WLanDevice::DoConnect(const cei::ConnectionInfoWlan& request) {
    const wchar_t* const fn = L"ace::WLanDevice::DoConnect";
    UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"Profile: " << currentNetworkName;
    WLAN_CONNECTION_PARAMETERS parameters{};
    parameters.wlanConnectionMode = wlan_connection_mode_profile;
    parameters.strProfile = currentNetworkName.c_str();
    parameters.pDot11Ssid = nullptr;
    parameters.pDesiredBssidList = nullptr;
    parameters.dot11BssType = dot11_BSS_type_infrastructure;
    parameters.dwFlags = 0;
    connectedEvent.ResetEvent();
    connectFailedEvent.ResetEvent();
    const GUID guid = interfaceGuid.Load();
    if (::WlanConnect(clientHandle, &guid, &parameters, nullptr) != ERROR_SUCCESS) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"WlanConnect failed";
        ACE_THROW_CALL_FAILED(fn, L"WlanConnect");
    }
    const HANDLE events[2] = {connectedEvent.GetHandle(), connectFailedEvent.GetHandle()};
    DWORD result = ::WaitForMultipleObjects(2, events, FALSE, request.connectTimeout);
    switch (result) {
        case WAIT_OBJECT_0:
            ::Sleep(200);
            UTIL_LOG(LOG_EVENT, LOG_AREA_DEVICE, fn) << L"Connected";
            return;
        case WAIT_OBJECT_0 + 1:
            UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"Connection fail received.";
            break;
        case WAIT_TIMEOUT:
            UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn)
                << L"Notification wait timeout. Timeout value = " << request.connectTimeout << L" ms";
            break;
        default:
            UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"Unexpected signal received: " << static_cast<uint32_t>(result);
            break;
    }
    ACE_THROW_CALL_FAILED(fn, L"WaitForMultipleObjects");
}

void WLanDevice::GetHexStrippedWepKey(const util::String& key, util::String& result) {
    if (key.size() == 12 || key.size() == 28) {
        UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, L"ace::WLanDevice::GetHexStrippedWepKey")
            << L"Wep is hex: " << key.size();
        result = key.substr(2);
        return;
    }
    result = key;
}

bool WLanDevice::IsWpa64Key(const util::String& key) {
    if (key.size() != 64) return false;
    UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, L"ace::WLanDevice::IsWpa64Key") << L"Wpa is 64";
    return true;
}

}  // namespace ace
