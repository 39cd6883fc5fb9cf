// Text as the profile document holds it. The XML writer escapes only '<'
// and '>'; the WLAN service refuses a document with a bare '&', so the
// profile escapes it in the names and key material it writes. Text without
// '&' is returned unchanged.
#pragma once

#include "foundation/String.h"

namespace Wlan {

util::String EscapeAmpersands(const util::String& text);

}  // namespace Wlan
