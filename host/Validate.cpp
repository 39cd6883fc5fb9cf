#include "Validate.h"

#include <algorithm>
#include <cctype>

#include "Errors.h"

namespace host {

namespace {

bool AllHex(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

std::string Quoted(const std::string& what, const std::string& text) { return what + " \"" + text + "\""; }

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

uint32_t ParseIpv4(const std::string& what, const std::string& text) {
    uint32_t value = 0;
    size_t at = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (at >= text.size() || text[at] != '.') break;
            ++at;
        }
        const size_t begin = at;
        unsigned number = 0;
        while (at < text.size() && at - begin < 4 && std::isdigit(static_cast<unsigned char>(text[at])))
            number = number * 10 + static_cast<unsigned>(text[at++] - '0');
        const size_t digits = at - begin;
        if (digits == 0 || digits > 3 || number > 255)
            throw UsageError(Quoted(what, text) + " is not a dotted IPv4 address (four numbers 0 to 255)");
        if (digits > 1 && text[begin] == '0')
            throw UsageError(Quoted(what, text) + " has a part with a leading zero, which reads as octal");
        value = value << 8 | number;
        if (part == 3 && at == text.size()) return value;
    }
    throw UsageError(Quoted(what, text) + " is not a dotted IPv4 address (four numbers 0 to 255)");
}

uint32_t ParseMask(const std::string& text) {
    const uint32_t mask = ParseIpv4("the mask", text);
    // Contiguous: the inverted mask plus one is a power of two.
    const uint32_t hostBits = ~mask;
    if (mask == 0 || (hostBits & (hostBits + 1)) != 0)
        throw UsageError(Quoted("the mask", text) + " is not a subnet mask (ones, then zeros)");
    return mask;
}

void CheckUnicast(const std::string& what, const std::string& text) {
    const uint32_t address = ParseIpv4(what, text);
    const uint32_t first = address >> 24;
    if (first == 0 || first == 127 || first >= 224)
        throw UsageError(Quoted(what, text) + " is not a unicast address a host can use");
}

void CheckServers(const std::string& what, const std::vector<std::string>& servers) {
    if (servers.size() > 2)
        throw UsageError("at most two " + what + " servers, not " + std::to_string(servers.size()));
    for (const std::string& server : servers) CheckUnicast("the " + what + " server", server);
}

void CheckStaticAddress(const std::string& address, const std::string& mask, const std::string& gateway) {
    CheckUnicast("the address", address);
    const uint32_t a = ParseIpv4("the address", address);
    const uint32_t m = ParseMask(mask);
    // /31 and /32 have no subnet or broadcast address of their own.
    if ((~m) > 1 && ((a & ~m) == 0 || (a & ~m) == ~m))
        throw UsageError(Quoted("the address", address) + " is the subnet's own or broadcast address under mask " +
                         mask);
    if (gateway.empty()) return;
    CheckUnicast("the gateway", gateway);
    const uint32_t g = ParseIpv4("the gateway", gateway);
    if (g == a) throw UsageError(Quoted("the gateway", gateway) + " is the adapter's own address");
    if ((g & m) != (a & m))
        throw UsageError(Quoted("the gateway", gateway) + " is outside the subnet of " + address + " with mask " + mask);
}

}  // namespace host
