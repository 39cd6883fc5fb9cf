// `ip show` and `ip set`: the adapter's TCP/IP settings through the generic
// adapter's GetNetworkSettings and SetNetworkSettings. The adapter is named
// by its driver description, which the WLAN service lists as the interface's
// description. Everything the user typed is checked before anything is
// written, and a set is read back: SetNetworkSettings does not report a
// failed save.
#include <string>
#include <vector>

#include "Commands.h"
#include "Errors.h"
#include "Text.h"
#include "Validate.h"
#include "records/ConnectionInfo.h"

namespace host {

namespace {

using Json = nlohmann::json;

const char kNone[] = "none";

std::vector<std::string> Servers(const util::String& first, const util::String& second) {
    std::vector<std::string> servers;
    for (const util::String* server : {&first, &second})
        if (!server->empty()) servers.push_back(Narrow(*server));
    return servers;
}

// "none" alone clears the list.
std::vector<std::string> GivenServers(const std::vector<std::string>& given) {
    if (given.size() == 1 && given[0] == kNone) return {};
    return given;
}

void SetServers(const std::vector<std::string>& servers, util::String& first, util::String& second) {
    first = servers.empty() ? util::String() : util::String(Widen(servers[0]));
    second = servers.size() < 2 ? util::String() : util::String(Widen(servers[1]));
}

// What the user typed, alone: before the plug-in is even loaded.
void CheckGiven(const IpOptions& o) {
    if (o.address) CheckUnicast("the address", *o.address);
    if (o.mask) ParseMask(*o.mask);
    if (o.gateway && *o.gateway != kNone) CheckUnicast("the gateway", *o.gateway);
    if (!o.dns.empty()) CheckServers("DNS", GivenServers(o.dns));
    if (!o.wins.empty()) CheckServers("WINS", GivenServers(o.wins));
    if (o.action == "set" && !o.dhcp && !o.address && !o.mask && !o.gateway && o.dns.empty() && o.wins.empty())
        throw UsageError("nothing to set: give --dhcp, --address, --mask, --gateway, --dns or --wins");
}

void Overlay(const IpOptions& o, cei::ConnectionInfo& s) {
    if (o.dhcp) s.dhcpEnabled = true;
    if (o.address || o.mask) s.dhcpEnabled = false;
    if (o.address) s.ipAddress = Widen(*o.address);
    if (o.mask) s.subnetMask = Widen(*o.mask);
    if (o.gateway) s.defaultGateway = *o.gateway == kNone ? util::String() : util::String(Widen(*o.gateway));
    if (!o.dns.empty()) SetServers(GivenServers(o.dns), s.primaryDns, s.secondaryDns);
    if (!o.wins.empty()) SetServers(GivenServers(o.wins), s.primaryWins, s.secondaryWins);
    // Not stored: the store decides it when it reads the settings back.
    s.nameServersAutomatic = s.primaryDns.empty();
}

bool SameStored(const cei::ConnectionInfo& a, const cei::ConnectionInfo& b) {
    return a.dhcpEnabled == b.dhcpEnabled && a.ipAddress == b.ipAddress && a.subnetMask == b.subnetMask &&
           a.defaultGateway == b.defaultGateway && a.primaryDns == b.primaryDns && a.secondaryDns == b.secondaryDns &&
           a.primaryWins == b.primaryWins && a.secondaryWins == b.secondaryWins;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text.empty() ? "(none)" : text;
}

}  // namespace

int Commands::Ip(const IpOptions& options, Json& doc) {
    CheckGiven(options);
    const std::wstring adapter = AdapterDescription();
    const util::String description(adapter.c_str());
    ace::GenericAdapter& generic = Open().Generic();
    cei::ConnectionInfo settings;
    generic.GetNetworkSettings(description, settings);
    if (options.action == "set") {
        Overlay(options, settings);
        if (!settings.dhcpEnabled)
            CheckStaticAddress(Narrow(settings.ipAddress), Narrow(settings.subnetMask), Narrow(settings.defaultGateway));
        generic.SetNetworkSettings(description, settings, options.apply);
        cei::ConnectionInfo stored;
        generic.GetNetworkSettings(description, stored);
        if (!SameStored(settings, stored))
            throw ServiceError("the settings were not saved (the plug-in's log says why: --log-mask 3)");
        settings = stored;
        doc["applied"] = options.apply;
        Step(options.apply ? "saved and applied to the running TCP/IP stack" : "saved (applied when the adapter restarts)");
    }
    const std::vector<std::string> dns = Servers(settings.primaryDns, settings.secondaryDns);
    const std::vector<std::string> wins = Servers(settings.primaryWins, settings.secondaryWins);
    doc["adapter"] = Narrow(adapter);
    doc["dhcp"] = settings.dhcpEnabled;
    doc["address"] = Narrow(settings.ipAddress);
    doc["mask"] = Narrow(settings.subnetMask);
    doc["gateway"] = Narrow(settings.defaultGateway);
    doc["dns"] = dns;
    doc["dns_automatic"] = settings.nameServersAutomatic;
    doc["wins"] = wins;
    console_.Line("adapter:  " + Narrow(adapter));
    console_.Line(std::string("dhcp:     ") + (settings.dhcpEnabled ? "yes" : "no"));
    console_.Line("address:  " + Narrow(settings.ipAddress));
    console_.Line("mask:     " + Narrow(settings.subnetMask));
    console_.Line("gateway:  " + (settings.defaultGateway.empty() ? std::string("(none)") : Narrow(settings.defaultGateway)));
    console_.Line("dns:      " + Joined(dns));
    console_.Line("wins:     " + Joined(wins));
    return kOk;
}

}  // namespace host
