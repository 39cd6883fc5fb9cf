// The device's one profile in the WLAN service, and the user's profile of
// the same name that it keeps aside and puts back.
#include "device/WLanDevice.h"

#include "device/WlanSupport.h"
#include "foundation/Api.h"
#include "foundation/Logging.h"

namespace ace {

bool WLanDevice::GetOriginProfile() {
    try {
        const GUID guid = interfaceGuid.Load();
        LPWSTR raw = nullptr;
        DWORD result = ::WlanGetProfile(clientHandle, &guid, currentNetworkName.c_str(), nullptr, &raw, nullptr, nullptr);
        WlanMemory<wchar_t> xml(raw);
        if (result == ERROR_NOT_FOUND) return false;
        if (result != ERROR_SUCCESS) {
            // Taken as "no such profile", so whatever the user kept under
            // this name is overwritten: the log says why.
            UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, L"ace::WLanDevice::GetOriginProfile")
                << L"WlanGetProfile failed. error: " << result << L". A profile named " << currentNetworkName
                << L" is not kept aside";
            return false;
        }
        originProfileXml = xml ? util::String(xml.get()) : util::String();
        return true;
    } catch (...) {
        return false;
    }
}

DWORD WLanDevice::SetProfileLogged(DWORD flags, const util::String& profileXml) {
    const wchar_t* const fn = L"ace::WLanDevice::DoSetProfile";
    const GUID guid = interfaceGuid.Load();
    DWORD reason = 0;
    DWORD result = ::WlanSetProfile(clientHandle, &guid, flags, profileXml.c_str(), nullptr, TRUE, nullptr, &reason);
    if (result == ERROR_SUCCESS) return result;
    UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"WlanSetProfile failed, reason: " << result;
    if (result == ERROR_ALREADY_EXISTS) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn)
            << L"WlanSetProfile failed, there is an already existing wlan profile that can't be overwritten! "
               L"wlan profile: "
            << currentNetworkName;
        return result;
    }
    WCHAR text[256] = {};
    if (::WlanReasonCodeToString(reason, 256, text, nullptr) == ERROR_SUCCESS)
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L" The reason is " << text << L".";
    else
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L" The reason code is " << reason << L".";
    return result;
}

void WLanDevice::DoSetProfile(const util::String& profileXml) {
    const wchar_t* const fn = L"ace::WLanDevice::DoSetProfile";
    profileChangedEvent.ResetEvent();
    DWORD result = SetProfileLogged(negotiatedVersion == 1 ? 0 : WLAN_PROFILE_USER, profileXml);
    if (result == ERROR_ALREADY_EXISTS) {
        util::InvalidOperationEx ex(UTIL_WFILE, fn, __LINE__);
        ex.SetParam(1, L"Set profile failed: already existing profile blocks.");
        throw ex;
    }
    if (result != ERROR_SUCCESS) ACE_THROW_CALL_FAILED(fn, L"WlanSetProfile");
    DWORD wait = wapi::WaitForSingleObject(profileChangedEvent.GetHandle(), 1000);
    if (wait == WAIT_OBJECT_0) {
        UTIL_LOG(LOG_EVENT, LOG_AREA_DEVICE, fn) << L"Set profile succeeded.";
        ::Sleep(50);
        return;
    }
    // Version 1 services may not confirm a set.
    if (negotiatedVersion == 1) return;
    UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn) << L"WaitForSingleObject 'Set Profile' failed. Result: " << wait;
    ACE_THROW_CALL_FAILED(fn, L"WaitForSingleObject");
}

void WLanDevice::DoDeleteProfile() {
    const wchar_t* const fn = L"ace::WLanDevice::DoDeleteProfile";
    UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn);
    profileChangedEvent.ResetEvent();
    const GUID guid = interfaceGuid.Load();
    DWORD result = ::WlanDeleteProfile(clientHandle, &guid, currentNetworkName.c_str(), nullptr);
    if (result != ERROR_SUCCESS) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, fn) << L"Wlan delete profile failed, error: " << result;
        ACE_THROW_CALL_FAILED(fn, L"WlanDeleteProfile");
    }
    if (wapi::WaitForSingleObject(profileChangedEvent.GetHandle(), 1000) == WAIT_OBJECT_0) {
        UTIL_LOG(LOG_DETAIL, LOG_AREA_DEVICE, fn) << L"Delete profile ready.";
        ::Sleep(200);
    }
}

void WLanDevice::DoResetOriginProfile() {
    const wchar_t* const fn = L"ace::WLanDevice::DoResetOriginProfile";
    if (originProfileXml.empty()) return;
    profileChangedEvent.ResetEvent();
    SetProfileLogged(0, originProfileXml);
    DWORD wait = wapi::WaitForSingleObject(profileChangedEvent.GetHandle(), 1000);
    if (wait == WAIT_OBJECT_0) {
        UTIL_LOG(LOG_EVENT, LOG_AREA_DEVICE, fn) << L"Set profile succeeded.";
        originProfileXml.clear();
        ::Sleep(50);
        return;
    }
    UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn) << L"WaitForSingleObject 'Set Profile' failed. Result: " << wait;
}

}  // namespace ace
