#include "Commands.h"

#include <chrono>
#include <cstdio>
#include <sstream>

#include "Errors.h"
#include "Names.h"
#include "Service.h"
#include "Terminal.h"
#include "Text.h"
#include "Validate.h"
#include "foundation/ExceptionTypes.h"
#include "records/AccessStatus.h"
#include "records/AssociateInfoWlan.h"
#include "records/ConnectionInfoWlan.h"
#include "records/DeviceInformation.h"
#include "records/DeviceStatistics.h"
#include "records/NetworkInfoList.h"

namespace host {

namespace {

using Json = nlohmann::json;

// The access-status fields the device fills: signal strength (1), network
// name (4), registration type (8).
constexpr uint32_t kAccessStatusTypes = 13;

// "Until Ctrl-C": long, but far from overflowing the clock's nanoseconds.
constexpr std::chrono::milliseconds kForever = std::chrono::hours(24 * 365);

std::string Seconds(int64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%7.3f s", static_cast<double>(ms) / 1000.0);
    return text;
}

Json EventJson(const Event& event, int64_t base) {
    return {{"ms", event.ms - base}, {"thread", event.thread}, {"callback", event.name}, {"value", event.value},
            {"text", event.detail}};
}

std::string Pad(const std::string& text, size_t width) {
    // Pads by characters, not bytes, so that UTF-8 names line up.
    size_t characters = 0;
    for (const unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++characters;
    return characters >= width ? text + " " : text + std::string(width - characters, ' ');
}

// What the plug-in threw, for the one-line reason and the JSON document.
Json ExceptionJson(const util::Exception& e) {
    const auto& root = e.GetFirstEntry();
    std::wostringstream trace;
    trace << e;
    return {{"type", Narrow(root.type)},       {"message", Narrow(root.message)}, {"code", root.code},
            {"function", Narrow(root.function)}, {"trace", Narrow(trace.str())}};
}

}  // namespace

Commands::Commands(Console& console, const GlobalOptions& options, bool inShell)
    : console_(console), options_(options), inShell_(inShell) {}

Session& Commands::Open() {
    if (!session_) {
        const std::string plugin = options_.plugin;
        session_ = std::make_unique<Session>(plugin, options_.adapter);
        commandStart_ = session_->Events().Elapsed();
        session_->Events().SetLive([this](const Event& event) {
            if (live_) console_.Line(EventText(event), Colour::Cyan);
        });
    }
    return *session_;
}

Session& Commands::OpenDevice() {
    Session& session = Open();
    session.EnsureOpen();
    return session;
}

void Commands::End() {
    if (session_) TearDown();
    session_.reset();
}

std::string Commands::EventText(const Event& event) const {
    std::string text;
    if (event.name == "status") text = "status " + event.detail;
    else if (event.name == "progress") text = "connecting (step " + event.detail + ")";
    else if (event.name == "completed")
        text = event.value == 0 ? "connect completed: connected" : "connect completed: failed, result " + event.detail;
    else if (event.name == "disconnected") text = "link lost (reason " + event.detail + ")";
    else if (event.name == "ip") text = event.value != 0 ? "IP address: usable" : "IP address: none usable";
    else text = event.name + " " + event.detail;
    return "[" + Seconds(event.ms - commandStart_) + "] thread " + std::to_string(event.thread) + ": " + text;
}

void Commands::Step(const std::string& text, Colour colour) {
    const int64_t now = session_ ? session_->Events().Elapsed() - commandStart_ : 0;
    console_.Line("[" + Seconds(now) + "] " + text, colour);
}

int Commands::Run(const Request& request) {
    if (session_) commandStart_ = session_->Events().Elapsed();
    const size_t firstEvent = session_ ? session_->Events().Count() : 0;
    Json doc = {{"command", request.command}};
    const std::string& c = request.command;
    live_ = c == "connect" || c == "disconnect" || c == "forget" || c == "monitor" || c == "wait";
    int code = kOk;
    try {
        code = Dispatch(request, doc);
    } catch (const UsageError& e) {
        console_.Error("wlanhost " + request.command + ": " + e.what());
        doc["error"] = {{"kind", "usage"}, {"message", e.what()}};
        code = kUsage;
    } catch (const ServiceError& e) {
        console_.Error("wlanhost " + request.command + ": " + e.what());
        doc["error"] = {{"kind", "service"}, {"message", e.what()}};
        code = kFailed;
    } catch (const util::Exception& e) {
        Json error = ExceptionJson(e);
        error["kind"] = "device";
        const auto& root = e.GetFirstEntry();
        console_.Error("wlanhost " + request.command + ": " + Narrow(root.message) + " [" + Narrow(root.type) + "]");
        if (console_.Verbose()) console_.Error(error["trace"].get<std::string>());
        doc["error"] = std::move(error);
        code = kFailed;
    }
    if (Interrupted()) {
        doc["interrupted"] = true;
        code = kInterruptedExit;
    }
    if (session_ && !doc.contains("events")) {
        Json events = Json::array();
        for (const Event& event : session_->Events().Since(firstEvent)) events.push_back(EventJson(event, commandStart_));
        doc["events"] = std::move(events);
    }
    doc["ok"] = code == kOk;
    doc["exit_code"] = code;
    console_.Document(doc);
    return code;
}

int Commands::Dispatch(const Request& request, Json& doc) {
    const std::string& c = request.command;
    if (c == "scan") return Scan(doc);
    if (c == "connect") return Connect(request.connect, doc);
    if (c == "disconnect") return Disconnect(doc);
    if (c == "forget") return Forget(doc);
    if (c == "status") return Status(doc);
    if (c == "stats") return Stats(doc);
    if (c == "info") return Info(doc);
    if (c == "ip") return Ip(request.ip, doc);
    if (c == "profile") return Profile(request.name, doc);
    if (c == "monitor" || c == "wait") return Watch(request.seconds, request.until, doc);
    throw UsageError("unknown command " + c);
}

int Commands::Scan(Json& doc) {
    Session& session = OpenDevice();
    ace::NetworkList networks;
    session.Device().GetAvailableNetworks(networks);
    Json list = Json::array();
    console_.Line(Pad("SSID", 34) + Pad("SIGNAL", console_.Terminal() ? 12 : 8) + Pad("BSS", 16) + Pad("SECURITY", 10) +
                  "CIPHER");
    for (const auto& entry : networks) {
        const auto* wlan = dynamic_cast<const cei::NetworkInfoListWlan*>(entry.Get());
        const std::string ssid = Narrow(entry->ssid);
        const int signal = static_cast<int>(entry->signalQuality);
        Json row = {{"ssid", ssid}, {"hidden", ssid.empty()}, {"signal", signal}};
        std::string bss = "-", security = "-", cipher = "-";
        if (wlan != nullptr) {
            bss = BssText(wlan->bssType);
            security = SecurityText(wlan->securityType);
            cipher = CipherText(wlan->encryptionType);
            row["bss"] = bss;
            row["security"] = security;
            row["security_enabled"] = wlan->securityEnabled;
            row["cipher"] = cipher;
        }
        list.push_back(row);
        std::string signalText = std::to_string(signal);
        if (console_.Terminal()) signalText = Pad(signalText, 4) + Bars(signal);
        console_.Line(Pad(ssid.empty() ? console_.Paint("(hidden)", Colour::Dim) : ssid, 34) +
                      Pad(signalText, console_.Terminal() ? 12 : 8) + Pad(bss, 16) + Pad(security, 10) + cipher);
    }
    doc["adapter"] = session.AdapterName();
    doc["networks"] = std::move(list);
    return kOk;
}

int Commands::Connect(const ConnectOptions& given, Json& doc) {
    CheckSsid(given.ssid);
    ConnectOptions options = given;
    if (options.ask) {
        const std::optional<std::string> key = ReadSecret("key for \"" + options.ssid + "\": ");
        if (!key) throw UsageError("--ask: no key on standard input");
        options.key = *key;
    }
    CheckKeyIndex(options.keyIndex);
    SecurityChoice choice;
    if (!options.security.empty()) {
        if (!SecurityFromName(options.security, choice)) throw UsageError("unknown security " + options.security);
        CheckKey(options.security, options.key);
    }
    if (!options.cipher.empty() && !CipherFromName(options.cipher, choice.cipher))
        throw UsageError("unknown cipher " + options.cipher);
    const std::wstring ssid = Widen(options.ssid);
    doc["ssid"] = options.ssid;
    doc["hidden"] = options.hidden;

    Session& session = Open();
    if (!session.IsOpen()) Step("opening the device on \"" + options_.adapter + "\"");
    session.EnsureOpen();
    std::string security = options.security;
    if (security.empty()) {
        // What the network announces decides, unless the user said.
        ace::NetworkList networks;
        session.Device().GetAvailableNetworks(networks);
        const cei::NetworkInfoListWlan* found = nullptr;
        for (const auto& entry : networks)
            if (entry->ssid == ssid) found = dynamic_cast<const cei::NetworkInfoListWlan*>(entry.Get());
        if (found == nullptr && !options.hidden)
            throw ServiceError("no network \"" + options.ssid + "\" in range (a hidden one needs --hidden)");
        if (found != nullptr) {
            security = SecurityName(found->securityType, found->encryptionType);
            if (security.empty())
                throw ServiceError("wlanhost cannot connect to " + SecurityText(found->securityType) + " networks");
            SecurityFromName(security, choice);
            if (options.cipher.empty()) choice.cipher = found->encryptionType;
        } else {
            security = options.key.empty() ? "open" : "wpa2-psk";
            SecurityFromName(security, choice);
        }
        CheckKey(security, options.key);
    }
    doc["security"] = SecurityText(choice.security);
    doc["cipher"] = CipherText(choice.cipher);

    Settle(std::nullopt);
    if (session.Associated()) {
        Step("un-associating the previous network");
        session.Adapter().UnAssociateNetwork();
        session.SetAssociated(false);
    }
    // The user's own profile of that name, if any, to show that it is back
    // once the device lets the network go.
    const std::optional<StoredProfile> saved = WlanClient().Profile(Widen(options_.adapter), ssid);
    const auto reportSaved = [&] {
        if (!saved) return;
        const std::optional<StoredProfile> now = WlanClient().Profile(Widen(options_.adapter), ssid);
        const bool back = now && now->fingerprint == saved->fingerprint;
        doc["profile_restored"] = back;
        if (back) Step("the saved profile \"" + options.ssid + "\" is back as it was");
        else console_.Error("wlanhost connect: the saved profile \"" + options.ssid + "\" did not come back");
    };
    cei::AssociateInfoWlan associate;
    associate.ssid = ssid;
    associate.ssidBroadcast = !options.hidden;
    associate.securityType = choice.security;
    associate.encryptionType = choice.cipher;
    associate.key = Widen(options.key);
    associate.keyIndex = options.keyIndex;
    Step("associating \"" + options.ssid + "\" (" + SecurityText(choice.security) + ", " + CipherText(choice.cipher) +
         (options.hidden ? ", hidden" : "") + ")");
    session.Adapter().AssociateNetwork(&associate);
    session.SetAssociated(true);

    cei::ConnectionInfoWlan request;
    request.connectTimeout = options.timeoutMs;
    Step("connecting, waiting up to " + std::to_string(options.timeoutMs) + " ms");
    const size_t firstEvent = session.Events().Count();
    const int64_t started = session.Events().Elapsed();
    try {
        session.Device().ConnectAsync(&request);
    } catch (const util::Exception& e) {
        int64_t result = -1;
        for (const Event& event : session.Events().Since(firstEvent))
            if (event.name == "completed") result = event.value;
        Json error = ExceptionJson(e);
        error["kind"] = "device";
        error["result"] = result;
        const auto& root = e.GetFirstEntry();
        console_.Error("wlanhost connect: \"" + options.ssid + "\" failed: result " + std::to_string(result) + ": " +
                       Narrow(root.message) + " [" + Narrow(root.type) + "]");
        if (console_.Verbose()) console_.Error(error["trace"].get<std::string>());
        doc["error"] = std::move(error);
        // The user's profile of that name comes back now, not at the end.
        TearDown();
        reportSaved();
        return kFailed;
    }
    const int64_t took = session.Events().Elapsed() - started;
    doc["connect_ms"] = took;
    Step("connected to \"" + options.ssid + "\" in " + std::to_string(took) + " ms", Colour::Green);

    const std::optional<double> stay = options.forSeconds ? options.forSeconds
                                                          : inShell_ ? std::optional<double>(0.0) : std::nullopt;
    if ((!stay || *stay > 0) && !Interrupted()) {
        Step(stay ? "staying connected for " + std::to_string(static_cast<int>(*stay)) + " s"
                  : "staying connected until Ctrl-C");
        const auto timeout = stay ? std::chrono::milliseconds(static_cast<int64_t>(*stay * 1000))
                                  : kForever;
        session.Events().WaitFor(session.Events().Count(), nullptr, timeout, Interrupted);
    }
    if (!inShell_ || Interrupted()) {
        if (Interrupted()) Step("interrupted: closing the device", Colour::Yellow);
        TearDown();
        Step("disconnected, un-associated");
        reportSaved();
    }
    return kOk;
}

void Commands::Settle(std::optional<size_t> after) {
    EventLog& events = session_->Events();
    // Counted before the status is read, so that a change in between is seen.
    const size_t from = after ? *after : events.Count();
    const DEVICE_STATE state = session_->Device().GetDeviceStatus();
    if (after ? state == DEVICE_STATE::DISCONNECTED : state != DEVICE_STATE::DISCONNECTING) return;
    // The device's own bound for a disconnection, and a little more.
    events.WaitFor(from, [](const Event& e) { return e.name == "status" && e.detail == "DISCONNECTED"; },
                   std::chrono::milliseconds(6000), Interrupted);
}

void Commands::TearDown() {
    if (!session_) return;
    Settle(std::nullopt);
    ace::IDevice& device = session_->Device();
    const DEVICE_STATE state = device.GetDeviceStatus();
    if (state == DEVICE_STATE::CONNECTED || state == DEVICE_STATE::CONNECTING) device.Disconnect(0);
    if (session_->Associated() && device.GetDeviceStatus() == DEVICE_STATE::DISCONNECTED) {
        session_->Adapter().UnAssociateNetwork();
        session_->SetAssociated(false);
    }
}

int Commands::Disconnect(Json& doc) {
    Session& session = OpenDevice();
    session.Device().Disconnect(0);
    doc["state"] = StateName(session.Device().GetDeviceStatus());
    Step("disconnected");
    return kOk;
}

int Commands::Forget(Json& doc) {
    Session& session = OpenDevice();
    session.Adapter().UnAssociateNetwork();
    session.SetAssociated(false);
    doc["state"] = StateName(session.Device().GetDeviceStatus());
    Step("un-associated: the device's profile is gone, a saved one of that name is back");
    return kOk;
}

int Commands::Status(Json& doc) {
    Session& session = OpenDevice();
    const std::string state = StateName(session.Device().GetDeviceStatus());
    doc["state"] = state;
    doc["associated"] = session.Associated();
    console_.Line("state:             " + state);
    if (!session.Associated()) {
        console_.Line("network:           (none associated)");
        return kOk;
    }
    cei::AccessStatus status;
    session.Device().GetAccessStatus(kAccessStatusTypes, status);
    doc["signal"] = status.signalStrength;
    doc["network_name"] = Narrow(status.networkName);
    doc["registration_type"] = status.networkRegistrationType;
    console_.Line("network:           " + Narrow(status.networkName));
    console_.Line("signal:            " +
                  (status.signalStrength < 0 ? std::string("not seen") : std::to_string(status.signalStrength) + " %") +
                  (console_.Terminal() && status.signalStrength >= 0 ? "  " + Bars(status.signalStrength) : ""));
    console_.Line("registration type: " + std::to_string(status.networkRegistrationType));
    return kOk;
}

int Commands::Stats(Json& doc) {
    Session& session = OpenDevice();
    cei::DeviceStatistics statistics;
    session.Device().GetStatistics(statistics);
    doc["state"] = StateName(session.Device().GetDeviceStatus());
    doc["bytes_sent"] = statistics.bytesSent;
    doc["bytes_received"] = statistics.bytesReceived;
    console_.Line("bytes sent:     " + std::to_string(statistics.bytesSent));
    console_.Line("bytes received: " + std::to_string(statistics.bytesReceived));
    return kOk;
}

std::wstring Commands::AdapterDescription() const {
    const WlanClient service;
    const std::optional<std::wstring> description = service.FindAdapter(Widen(options_.adapter));
    if (!description) throw ServiceError("no adapter whose description holds \"" + options_.adapter + "\"");
    return *description;
}

int Commands::Info(Json& doc) {
    // The inventory lookup wants the adapter's whole description, where the
    // device name may be a part of it: the service says which adapter it is.
    const std::wstring description = AdapterDescription();
    Session& session = Open();
    ace::IDevice& device = session.Device();
    device.SetDeviceName(description);
    device.RetrieveDeviceInformation(0, 0);
    cei::DeviceInformation info;
    device.GetDeviceInformation(info);
    device.SetDeviceName(Widen(options_.adapter));
    const util::String exact(description.c_str());
    const std::pair<const char*, const util::String*> fields[] = {
        {"description", &exact},      {"device_id", &info.deviceId},
        {"friendly_name", &info.friendlyName}, {"model", &info.modelName},
        {"manufacturer", &info.manufacturer}, {"driver_image_path", &info.driverImagePath},
        {"driver_date", &info.driverDate},     {"driver_version", &info.driverVersion},
        {"service", &info.serviceDisplayName}};
    for (const auto& [name, value] : fields) {
        doc[name] = Narrow(*value);
        console_.Line(Pad(std::string(name) + ":", 19) + Narrow(*value));
    }
    return kOk;
}

int Commands::Profile(const std::string& name, Json& doc) {
    CheckSsid(name);
    const WlanClient service;
    const std::optional<StoredProfile> profile = service.Profile(Widen(options_.adapter), Widen(name));
    doc["name"] = name;
    doc["stored"] = profile.has_value();
    if (!profile) {
        console_.Line("profile \"" + name + "\": none stored");
        return kOk;
    }
    doc["characters"] = profile->characters;
    doc["fingerprint"] = profile->fingerprint;
    doc["mode"] = profile->mode;
    console_.Line("profile \"" + name + "\": " + std::to_string(profile->characters) + " characters, connection mode " +
                  profile->mode + ", fingerprint " + profile->fingerprint);
    return kOk;
}

int Commands::Watch(const std::optional<double>& seconds, const std::string& until, Json& doc) {
    Session& session = OpenDevice();
    const auto timeout = seconds ? std::chrono::milliseconds(static_cast<int64_t>(*seconds * 1000))
                                 : kForever;
    Step(seconds ? "listening for " + std::to_string(static_cast<int>(*seconds)) + " s" : "listening until Ctrl-C");
    EventLog& events = session.Events();
    const std::optional<size_t> heard = events.WaitFor(
        events.Count(), [&](const Event& event) { return !until.empty() && event.name == until; }, timeout,
        Interrupted);
    const bool matched = heard.has_value();
    // The device tells of a lost link before it changes its status: the
    // wait ends when the status has followed, so the next command finds
    // the device DISCONNECTED.
    if (heard && until == "disconnected") Settle(*heard + 1);
    if (!until.empty()) {
        doc["until"] = until;
        doc["heard"] = matched;
        if (matched) Step("heard the " + until + " callback");
        if (!matched && !Interrupted()) {
            console_.Error("wlanhost wait: no " + until + " callback in time");
            return kFailed;
        }
    }
    return kOk;
}

}  // namespace host
