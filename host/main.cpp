// wlanhost: a command-line host of the WLAN device plug-in. It loads the
// plug-in file at run time, as a connection manager does, and drives one
// adapter through the device interface only. See README.md beside it.
#include <cstdlib>
#include <string>

#include "Cli.h"
#include "Commands.h"
#include "Console.h"
#include "Plugin.h"
#include "Shell.h"
#include "Terminal.h"
#include "Text.h"
#include "foundation/Exception.h"
#include "logger/Logger.h"

namespace {

// Decimal or 0x-hex, as WLAN_LOG_MASK takes it; false when it is neither.
bool ParseMask(const std::string& text, unsigned& mask) {
    if (text.empty()) return false;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 0);
    if (end == nullptr || *end != '\0' || value > 0xFFFFFFFFul) return false;
    mask = static_cast<unsigned>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace host;
    CatchInterrupt();
    GlobalOptions options;
    Request request;
    CLI::App app{"wlanhost: drive a wireless adapter through the WLAN device plug-in", "wlanhost"};
    // The common options may follow the command: `wlanhost scan --json`.
    app.fallthrough();
    AddGlobalOptions(app, options);
    AddCommands(app, request, options, false);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        const std::string unknown = UnknownCommand(app, std::vector<std::string>(argv + 1, argv + argc));
        Console().Error("wlanhost: " + (unknown.empty() ? std::string(e.what()) : "unknown command " + unknown) +
                        " (see wlanhost --help)");
        return kUsage;
    }
    request.command = ChosenCommand(app);

    Console console;
    console.SetJson(options.json);
    console.SetVerbose(options.verbose);
    if (options.plugin.empty()) options.plugin = DefaultPluginPath(argc > 0 ? argv[0] : nullptr);
    if (!options.logMask.empty()) {
        unsigned mask = 0;
        if (!ParseMask(options.logMask, mask)) {
            console.Error("wlanhost: --log-mask " + options.logMask + ": not a number (decimal or 0x-hex)");
            return kUsage;
        }
        GetLog().SetMask(mask);
    }
    if (!options.logFile.empty() && !GetLog().SetLogFile(Widen(options.logFile))) {
        console.Error("wlanhost: --log " + options.logFile + ": cannot open the file");
        return kUsage;
    }

    if (request.command == "shell") return RunShell(console, options);
    Commands commands(console, options, false);
    int code = commands.Run(request);
    try {
        commands.End();
    } catch (const util::Exception& e) {
        console.Error("wlanhost: closing the device failed: " + Narrow(e.GetFirstEntry().message));
        if (code == kOk) code = kFailed;
    }
    return Interrupted() ? kInterruptedExit : code;
}
