// Names the system needs that the mingw-w64 headers lack (or that only some
// versions have), with their Windows values, for both builds.
#pragma once

#ifndef ERROR_NDIS_DOT11_POWER_STATE_INVALID
#  define ERROR_NDIS_DOT11_POWER_STATE_INVALID 0x80342002L
#endif
// TEMP (device worktree): until the seam lands
#ifndef WLAN_API_VERSION_2_0
#  define WLAN_API_VERSION_2_0 0x00000002
#endif
#ifndef WLAN_REASON_CODE_SUCCESS
#  define WLAN_REASON_CODE_SUCCESS 0
#endif
enum { wlan_notification_msm_connected = 4, wlan_notification_msm_disconnected = 10 };
