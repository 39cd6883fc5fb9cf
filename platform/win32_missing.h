// Names the system needs that the mingw-w64 headers lack (or that only some
// versions have), with their Windows values, for both builds.
#pragma once

#ifndef ERROR_NDIS_DOT11_POWER_STATE_INVALID
#  define ERROR_NDIS_DOT11_POWER_STATE_INVALID 0x80342002L
#endif

#ifndef WLAN_API_VERSION_1_0
#  define WLAN_API_VERSION_1_0 0x00000001
#  define WLAN_API_VERSION_2_0 0x00000002
#endif

// Flags of the available-network list: asked for, and of an entry.
#ifndef WLAN_AVAILABLE_NETWORK_CONNECTED
#  define WLAN_AVAILABLE_NETWORK_CONNECTED 0x00000001
#  define WLAN_AVAILABLE_NETWORK_HAS_PROFILE 0x00000002
#endif
#ifndef WLAN_AVAILABLE_NETWORK_INCLUDE_ALL_ADHOC_PROFILES
#  define WLAN_AVAILABLE_NETWORK_INCLUDE_ALL_ADHOC_PROFILES 0x00000001
#  define WLAN_AVAILABLE_NETWORK_INCLUDE_ALL_MANUAL_HIDDEN_PROFILES 0x00000002
#endif

// Codes of the media specific module's notifications.
typedef enum _WLAN_NOTIFICATION_MSM {
    wlan_notification_msm_start = 0,
    wlan_notification_msm_associating,
    wlan_notification_msm_associated,
    wlan_notification_msm_authenticating,
    wlan_notification_msm_connected,
    wlan_notification_msm_roaming_start,
    wlan_notification_msm_roaming_end,
    wlan_notification_msm_radio_state_change,
    wlan_notification_msm_signal_quality_change,
    wlan_notification_msm_disassociating,
    wlan_notification_msm_disconnected,
    wlan_notification_msm_peer_join,
    wlan_notification_msm_peer_leave,
    wlan_notification_msm_adapter_removal,
    wlan_notification_msm_adapter_operation_mode_change,
    wlan_notification_msm_end
} WLAN_NOTIFICATION_MSM, *PWLAN_NOTIFICATION_MSM;

// The reason codes the simulated service reports: each group's base plus
// the code's offset in it.
#ifndef WLAN_REASON_CODE_SUCCESS
#  define WLAN_REASON_CODE_SUCCESS 0
#  define WLAN_REASON_CODE_UNKNOWN 0x00010001
#  define WLAN_REASON_CODE_PROFILE_NOT_COMPATIBLE 0x00020002
#  define WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE 0x0002800B
#  define WLAN_REASON_CODE_KEY_MISMATCH 0x0002800D
#  define WLAN_REASON_CODE_MSMSEC_PROFILE_INVALID_KEY_INDEX 0x00040001
#  define WLAN_REASON_CODE_MSMSEC_PROFILE_PSK_LENGTH 0x00040004
#  define WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA 0x00080001
#  define WLAN_REASON_CODE_PROFILE_MISSING 0x00080002
#  define WLAN_REASON_CODE_INVALID_PROFILE_NAME 0x00080003
#  define WLAN_REASON_CODE_PROFILE_SSID_INVALID 0x00080013
#endif
