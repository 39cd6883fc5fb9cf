#include "Shell.h"

#include <iostream>
#include <string>

#include "Cli.h"
#include "Commands.h"
#include "Terminal.h"
#include "Text.h"
#include "foundation/Exception.h"

namespace host {

namespace {

std::string Trimmed(const std::string& line) {
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

int RunShell(Console& console, const GlobalOptions& options) {
    Commands commands(console, options, true);
    const bool typed = IsTerminal(stdin);
    int worst = kOk;
    std::string line;
    while (!Interrupted()) {
        if (typed) {
            std::fputs("wlanhost> ", stdout);
            std::fflush(stdout);
        }
        if (!std::getline(std::cin, line)) break;
        line = Trimmed(line);
        if (line.empty()) continue;
        if (line[0] == '#') {
            // A script's comments narrate it; typed ones are only skipped.
            if (!typed) console.Line(line, Colour::Dim);
            continue;
        }
        if (line == "quit" || line == "exit") break;
        // A script's commands are echoed so that its output reads as a session.
        if (!typed) console.Line("> " + line, Colour::Yellow);

        GlobalOptions lineOptions = options;
        Request request;
        CLI::App app{"wlanhost shell commands", "wlanhost"};
        AddCommands(app, request, lineOptions, true);
        if (line == "help") {
            std::cout << app.help();
            continue;
        }
        try {
            app.parse(line, false);
        } catch (const CLI::CallForHelp&) {
            std::cout << app.help();
            continue;
        } catch (const CLI::ParseError& e) {
            const std::string unknown = UnknownCommand(app, CLI::detail::split_up(line));
            console.Error("wlanhost: " + (unknown.empty() ? std::string(e.what()) : "unknown command " + unknown) +
                          " (see help)");
            worst = std::max(worst, static_cast<int>(kUsage));
            continue;
        }
        request.command = ChosenCommand(app);
        const bool json = console.Json();
        console.SetJson(lineOptions.json);
        const bool verbose = console.Verbose();
        console.SetVerbose(lineOptions.verbose);
        const int code = commands.Run(request);
        console.SetJson(json);
        console.SetVerbose(verbose);
        if (code != kInterruptedExit) worst = std::max(worst, code);
    }
    try {
        commands.End();
    } catch (const util::Exception& e) {
        console.Error("wlanhost: closing the device failed: " + Narrow(e.GetFirstEntry().message));
        worst = std::max(worst, static_cast<int>(kFailed));
    }
    return Interrupted() ? kInterruptedExit : worst;
}

}  // namespace host
