// The command tree for CLI11: the one-shot command line and each line of the
// shell parse into a Request through the same definitions.
#pragma once

#include <CLI/CLI.hpp>

#include "Request.h"

namespace host {

// The options every command takes (on the command line only; the shell's
// lines take just --json and -v).
void AddGlobalOptions(CLI::App& app, GlobalOptions& options);
// The commands; `shell` adds the ones that only make sense within one open
// device (disconnect, forget, wait) and leaves out `shell` itself.
void AddCommands(CLI::App& app, Request& request, GlobalOptions& options, bool shell);
// The first word of `args` that names no command, when the words before it
// are options; empty when the command is known. CLI11 alone would only say
// that a command is missing.
std::string UnknownCommand(CLI::App& app, const std::vector<std::string>& args);
// The name of the command that was given.
std::string ChosenCommand(const CLI::App& app);

}  // namespace host
