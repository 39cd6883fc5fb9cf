// The commands, run on a session: each prints lines for people as it goes
// (or collects one JSON document) and returns the exit code.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "Console.h"
#include "Request.h"
#include "Session.h"

namespace host {

enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

class Commands {
public:
    // `inShell`: a connect stays connected when it returns, for the lines
    // that follow; on its own it disconnects before the process ends.
    Commands(Console& console, const GlobalOptions& options, bool inShell);

    // Runs one request; opens the session (loading the plug-in) on first need.
    int Run(const Request& request);
    // Ends the session: the device is closed and deleted, the plug-in freed.
    void End();

private:
    using Json = nlohmann::json;

    Session& Open();
    // The session with its device open.
    Session& OpenDevice();
    int Dispatch(const Request& request, Json& doc);
    int Scan(Json& doc);
    int Connect(const ConnectOptions& options, Json& doc);
    int Disconnect(Json& doc);
    int Forget(Json& doc);
    int Status(Json& doc);
    int Stats(Json& doc);
    int Info(Json& doc);
    int Ip(const IpOptions& options, Json& doc);
    int Profile(const std::string& name, Json& doc);
    int Watch(const std::optional<double>& seconds, const std::string& until, Json& doc);
    // Waits (bounded) for the DISCONNECTED status: after event `after` when
    // given, unless the device is DISCONNECTED already; else only while the
    // device is DISCONNECTING now.
    void Settle(std::optional<size_t> after);
    // Disconnects if connected and un-associates if associated.
    void TearDown();

    // The whole description of the adapter the user named by a part of it,
    // as the service lists it: the driver description that the inventory
    // and the TCP/IP store look the adapter up by.
    std::wstring AdapterDescription() const;

    void Step(const std::string& text, Colour colour = Colour::None);
    std::string EventText(const Event& event) const;

    Console& console_;
    GlobalOptions options_;
    bool inShell_;
    std::unique_ptr<Session> session_;
    // In the event log's time; read by callback threads as they print.
    std::atomic<int64_t> commandStart_{0};
    // Whether callbacks are printed as they come: for the commands that are
    // about them (connect, disconnect, forget, monitor, wait), not in tables.
    std::atomic<bool> live_{false};
};

}  // namespace host
