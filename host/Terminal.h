// The little the host needs of the console that differs between systems:
// whether a stream is a terminal, and Ctrl-C.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace host {

bool IsTerminal(std::FILE* stream);

// A secret from standard input: on a terminal typed after `prompt` (on
// stderr) without echo, otherwise one line of the input as it is. Nothing
// at the end of the input: nullopt.
std::optional<std::string> ReadSecret(const std::string& prompt);

// From now on the first Ctrl-C (SIGINT) only sets the flag that Interrupted()
// reads, so the host can close the device; a second one ends the process.
void CatchInterrupt();
bool Interrupted();

// The exit status of a command that Ctrl-C cut short (128 + SIGINT).
constexpr int kInterruptedExit = 130;

}  // namespace host
