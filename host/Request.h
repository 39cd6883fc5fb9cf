// One command as the command line (or a line of the shell) gave it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace host {

struct GlobalOptions {
    bool json = false;
    bool verbose = false;
    std::string adapter = "Wireless";
    std::string plugin;  // empty: the plug-in beside the executable
    std::string logFile;
    std::string logMask;
};

struct ConnectOptions {
    std::string ssid;
    std::string key;
    bool ask = false;  // read the key from the terminal (no echo) or a line of stdin
    unsigned keyIndex = 1;
    std::string security;  // empty: as the scan reports it
    std::string cipher;    // empty: as the scan reports it, or the security's usual one
    bool hidden = false;
    unsigned timeoutMs = 10000;
    std::optional<double> forSeconds;  // how long to stay connected; unset: until Ctrl-C
};

// `ip set`: only what is given changes; "none" clears a gateway, DNS or WINS list.
struct IpOptions {
    std::string action;  // "show" or "set"
    bool dhcp = false;
    std::optional<std::string> address;
    std::optional<std::string> mask;
    std::optional<std::string> gateway;
    std::vector<std::string> dns;
    std::vector<std::string> wins;
    bool apply = false;  // tell the running TCP/IP stack, not only the registry
};

struct Request {
    std::string command;
    ConnectOptions connect;
    std::optional<double> seconds;  // monitor --for, wait SECONDS
    std::string until;              // wait --until EVENT
    std::string name;               // profile NAME
    IpOptions ip;
};

}  // namespace host
