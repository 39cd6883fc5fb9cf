#include "Cli.h"

namespace host {

void AddGlobalOptions(CLI::App& app, GlobalOptions& options) {
    app.add_option("--adapter", options.adapter, "the adapter: a part of its description")->capture_default_str();
    app.add_option("--plugin", options.plugin, "the plug-in file (default: the one beside wlanhost)");
    app.add_option("--log", options.logFile, "append the plug-in's log to this file");
    app.add_option("--log-mask", options.logMask, "log levels: 1 error, 2 warning, 4 info, 0x10 event, 0x20 trace, "
                                                  "0x40 detail, 0x77 all");
}

namespace {

void AddOutputFlags(CLI::App& app, GlobalOptions& options) {
    app.add_flag("--json", options.json, "one JSON document per command");
    app.add_flag("-v,--verbose", options.verbose, "the full trace of a failure");
}

void AddIpCommand(CLI::App& app, IpOptions& o) {
    CLI::App* ip = app.add_subcommand("ip", "the adapter's TCP/IP settings, as the registry keeps them");
    ip->require_subcommand(1);
    ip->fallthrough();
    ip->add_subcommand("show", "the stored settings")->fallthrough()->callback([&o] { o.action = "show"; });
    CLI::App* set = ip->add_subcommand("set", "change the given settings, checked before anything is written");
    set->fallthrough()->callback([&o] { o.action = "set"; });
    CLI::Option* dhcp = set->add_flag("--dhcp", o.dhcp, "the address by DHCP");
    set->add_option("--address", o.address, "a static IPv4 address (turns DHCP off)")->excludes(dhcp);
    set->add_option("--mask", o.mask, "the subnet mask, e.g. 255.255.255.0 (turns DHCP off)")->excludes(dhcp);
    set->add_option("--gateway", o.gateway, "the default gateway, or none");
    set->add_option("--dns", o.dns, "one or two DNS servers (a,b), or none")->delimiter(',');
    set->add_option("--wins", o.wins, "one or two WINS servers (a,b), or none")->delimiter(',');
    set->add_flag("--apply", o.apply, "tell the running TCP/IP stack too (the DHCP client), not only the registry");
}

}  // namespace

void AddCommands(CLI::App& app, Request& request, GlobalOptions& options, bool shell) {
    AddOutputFlags(app, options);
    app.require_subcommand(1);

    app.add_subcommand("scan", "the networks in range, in the service's order");

    CLI::App* connect = app.add_subcommand("connect", "associate and connect, then report until --for ends or Ctrl-C");
    ConnectOptions& c = request.connect;
    connect->add_option("ssid", c.ssid, "the network name (at most 32 bytes)")->required();
    CLI::Option* key = connect->add_option("--key", c.key, "the passphrase or WEP key");
    connect->add_flag("--ask", c.ask, "read the key: typed without echo on a terminal, else a line of standard input")
        ->excludes(key);
    connect->add_option("--key-index", c.keyIndex, "the WEP key index, 1 to 4")->capture_default_str();
    connect->add_option("--security", c.security, "open, wep, shared, wpa-psk or wpa2-psk (default: as scanned)");
    connect->add_option("--cipher", c.cipher, "none, aes, tkip or wep (default: as scanned)");
    connect->add_flag("--hidden", c.hidden, "the network does not broadcast its name");
    connect->add_option("--timeout", c.timeoutMs, "milliseconds to wait for the connection")->capture_default_str();
    connect->add_option("--for", c.forSeconds,
                        shell ? "seconds to listen once connected (default 0)"
                              : "seconds to stay connected (default: until Ctrl-C)");

    app.add_subcommand("status", "the device state and, when associated, signal, network and registration type");
    app.add_subcommand("stats", "bytes sent and received since the connect");
    app.add_subcommand("info", "the adapter's device information");
    CLI::App* profile = app.add_subcommand("profile", "the profile the service stores under a name");
    profile->add_option("name", request.name, "the profile name (the network's SSID)")->required();
    AddIpCommand(app, request.ip);
    CLI::App* monitor = app.add_subcommand("monitor", "print every callback with time and thread until Ctrl-C");
    monitor->add_option("--for", request.seconds, "seconds to listen (default: until Ctrl-C)");

    if (shell) {
        app.add_subcommand("disconnect", "disconnect, keeping the association");
        app.add_subcommand("forget", "un-associate: the device's profile goes, a saved one comes back");
        CLI::App* wait = app.add_subcommand("wait", "listen for callbacks");
        wait->add_option("seconds", request.seconds, "how long at most")->required();
        wait->add_option("--until", request.until, "stop at the first callback of this kind: status, progress, "
                                                   "completed, disconnected, ip")
            ->check(CLI::IsMember({"status", "progress", "completed", "disconnected", "ip"}));
    } else {
        app.add_subcommand("shell", "read commands line by line from standard input, on one open device");
    }
}

std::string UnknownCommand(CLI::App& app, const std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.empty() || word[0] == '-') {
            // A common option's value is not a command: --adapter NAME.
            if (word.find('=') == std::string::npos && (word == "--adapter" || word == "--plugin" || word == "--log" ||
                                                        word == "--log-mask"))
                ++i;
            continue;
        }
        const auto named = app.get_subcommands([&](CLI::App* sub) { return sub->check_name(word); });
        if (named.empty()) return word;
        // A command of commands (ip show): its own word comes next.
        if (named[0]->get_subcommands({}).empty()) return "";
        const std::string inner =
            UnknownCommand(*named[0], std::vector<std::string>(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end()));
        return inner.empty() ? "" : word + " " + inner;
    }
    return "";
}

std::string ChosenCommand(const CLI::App& app) {
    for (const CLI::App* sub : app.get_subcommands()) return sub->get_name();
    return "";
}

}  // namespace host
