// Names the system needs that the mingw-w64 headers lack (or that only some
// versions have), with their Windows values, for both builds.
#pragma once

#ifndef ERROR_NDIS_DOT11_POWER_STATE_INVALID
#  define ERROR_NDIS_DOT11_POWER_STATE_INVALID 0x80342002L
#endif
