// What the WLAN service would refuse in a profile built from a request,
// refused before the service is touched.
#pragma once

#include "records/AssociateInfoWlan.h"

namespace ace {

// Throws util::ArgumentEx (raised in `fn`, logged at LOG_ERROR) for an SSID
// that is empty or longer than 32 bytes as UTF-8, an SSID or key holding a
// character an XML profile cannot carry (a zero character included), a WEP
// or pre-shared key of a length the service does not take, or a WEP key
// index outside 1 to 4. Security and encryption must already be known.
void CheckAssociateRequest(const cei::AssociateInfoWlan& request, const wchar_t* fn);

}  // namespace ace
