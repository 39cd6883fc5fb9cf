#include "Validate.h"

#include <algorithm>
#include <cctype>

#include "Errors.h"

namespace host {

namespace {

bool AllHex(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

}  // namespace

void CheckSsid(const std::string& ssid) {
    if (ssid.empty()) throw UsageError("the SSID is empty");
    // The limit is the 802.11 one, in bytes of the UTF-8 text, not characters.
    if (ssid.size() > 32) throw UsageError("the SSID has " + std::to_string(ssid.size()) + " bytes, at most 32");
}

void CheckKeyIndex(unsigned index) {
    if (index < 1 || index > 4) throw UsageError("the key index is " + std::to_string(index) + ", it must be 1 to 4");
}

void CheckKey(const std::string& security, const std::string& key) {
    const size_t n = key.size();
    if (security == "wep" || security == "shared") {
        if (n == 5 || n == 13 || ((n == 10 || n == 26) && AllHex(key))) return;
        throw UsageError("a WEP key has 5 or 13 characters or 10 or 26 hex digits, not " + std::to_string(n) +
                         " characters");
    }
    if (security == "wpa-psk" || security == "wpa2-psk") {
        if ((n >= 8 && n <= 63) || (n == 64 && AllHex(key))) return;
        if (n == 0) throw UsageError("this network needs a key: give --key");
        throw UsageError("a pre-shared key has 8 to 63 characters or 64 hex digits, not " + std::to_string(n));
    }
    if (!key.empty()) throw UsageError("an open network takes no key");
}

}  // namespace host
