// The simulated machine read from a JSON world file: the WLAN service with
// its interfaces, networks, stored profiles and timed events, and for each
// interface the network adapter (registry entries, IP Helper rows) that
// belongs to it. The reference host loads the file named by the environment
// variable WLAN_SIM_WORLD, or the built-in default world.
//
// Format (every field but those marked "required" may be left out):
//
//   {
//     "service_version": 2,                    1 or 2
//     "connect_delay_ms": 0,                   the service waits this long
//                                              before each notification of
//                                              a connect (0 to 60000)
//     "interfaces": [ {                        required
//       "description": "Contoso Wireless LAN Adapter",     required, unique
//       "guid": "{6B29FC40-CA47-1067-B31D-00DD010662DA}",  unique; default fresh
//       "radio_on": true,
//       "ip": {                                the adapter's IPv4 side
//         "address": "10.0.0.5",               "" for no address
//         "mask": "255.0.0.0", "gateway": "10.0.0.1",
//         "dhcp": false, "dhcp_server": "",
//         "dns": ["1.1.1.1", "2.2.2.2"],
//         "in_octets": 0, "out_octets": 0      interface counters (32 bits)
//       },
//       "networks": [ {
//         "ssid": "Home",                      required: ssid (text, at most
//         "ssid_hex": "486f6d6500",              32 bytes) or ssid_hex (bytes)
//         "bss": "infrastructure",             or "adhoc"
//         "signal": 80, "rssi": -60,           quality 0..100; dBm, -128..0
//         "security": {"auth": "WPA2-PSK", "cipher": "CCMP"},
//                                              auth: open shared WPA-PSK WPA2-PSK
//                                              cipher: none WEP TKIP CCMP
//         "secret": "passphrase",              key a connect must present; a
//                                              WEP key has 5 or 13 characters
//                                              or 10 or 26 hex digits
//         "hidden": false
//       } ],
//       "profiles": [                          stored as a user stored them
//         {"name": "Office", "xml": "<?xml ...>"},
//         {"network": "Home", "name": "Home"}  written from that network of
//       ],                                     this interface; name: its SSID
//       "protected_profiles": ["Office"]       WlanSetProfile answers 183
//     } ],
//     "events": [                              run on the service's thread
//       {"after_ms": 20000, "lose_link": "<interface>"},
//       {"after_ms": 10000, "signal": {"interface": "<interface>",
//                                      "ssid": "Home", "quality": 30, "rssi": -80}}
//     ]
//   }
//
// An <interface> is named by its description or its GUID text. Unknown
// fields are refused, so a misspelt one does not pass unnoticed. The GUID
// text is written braced in upper case, as StringFromCLSID writes it: it is
// the adapter name IP Helper lists and the name of its TCP/IP keys.
//
// Loading parses and checks the whole text before it changes anything; then
// it replaces the machine: the world loaded before is removed, GetWorld() is
// reset and the new world is added to it.
#pragma once

#include <stdexcept>
#include <string>

namespace sim {

// "<file>:<line>: <field>: <what>", e.g.
// "world.json:12: interfaces[0].networks[2].ssid: 33 bytes, at most 32".
class WorldFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The environment variable that names the world file.
extern const char kWorldFileVariable[];  // "WLAN_SIM_WORLD"

void LoadWorld(const std::string& jsonText, const std::string& fileNameForErrors);
void LoadWorldFile(const std::string& path);
void LoadDefaultWorld();
// The file named by WLAN_SIM_WORLD when it is set (true), else the default
// world (false).
bool LoadWorldFromEnvironment();
// Removes what the loaded world wrote into the registry and resets GetWorld().
void UnloadWorld();

// The built-in default world, as JSON text.
const std::string& DefaultWorldText();

}  // namespace sim
