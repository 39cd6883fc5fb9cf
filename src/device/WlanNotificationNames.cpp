#include "device/WlanNotificationNames.h"

#include <iterator>

#include "platform/win32.h"

namespace ace {

namespace {

const wchar_t* const kAcmNames[] = {
    L"start", L"autoconf enabled", L"autoconf disabled", L"background scan enabled",
    L"background scan disabled", L"bss type change", L"power setting change", L"scan complete",
    L"scan fail", L"connection start", L"connection complete", L"connection attempt fail",
    L"filter list change", L"interface arrival", L"interface removal", L"profile change",
    L"profile name change", L"profiles exhausted", L"network not available", L"network available",
    L"disconnecting", L"disconnected", L"adhoc network state change", L"end"};

const wchar_t* const kMsmNames[] = {
    L"started", L"associating", L"associated", L"authenticating", L"connected",
    L"roaming start", L"roaming end", L"radio state change", L"signal quality change",
    L"disassociating", L"disconnected", L"peer join", L"peer leave", L"adapter removal"};

}  // namespace

const wchar_t* NotificationName(uint32_t source, uint32_t code) {
    if (source == WLAN_NOTIFICATION_SOURCE_ACM)
        return code < std::size(kAcmNames) ? kAcmNames[code] : L"unknown ACM notification";
    if (source == WLAN_NOTIFICATION_SOURCE_MSM)
        return code < std::size(kMsmNames) ? kMsmNames[code] : L"unknown MSM notification";
    return L"unknown notification source: ";
}

}  // namespace ace
