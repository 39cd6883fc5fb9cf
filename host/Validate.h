// Checks of what the user typed, made before the device is touched, so that
// bad input changes nothing in the world. Each throws UsageError with the
// one-line reason.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

void CheckSsid(const std::string& ssid);
void CheckKeyIndex(unsigned index);
// `security` is one of the names SecurityFromName accepts.
void CheckKey(const std::string& security, const std::string& key);

// A dotted IPv4 address, four decimal parts without leading zeros (the
// stack's inet_addr would read "010" as octal); host byte order. `what`
// names it in the message ("the address", "the gateway").
uint32_t ParseIpv4(const std::string& what, const std::string& text);
// A subnet mask: contiguous ones, at least one.
uint32_t ParseMask(const std::string& text);
// A unicast address a host may have or talk to (not 0.x, 127.x, multicast,
// reserved or broadcast).
void CheckUnicast(const std::string& what, const std::string& text);
// One or two servers, each a unicast address.
void CheckServers(const std::string& what, const std::vector<std::string>& servers);
// A static configuration as a whole: the address neither the subnet's own
// nor its broadcast address, the gateway (when given) in the subnet and not
// the address itself.
void CheckStaticAddress(const std::string& address, const std::string& mask, const std::string& gateway);

}  // namespace host
