// `wlanhost shell`: the commands, one a line from standard input, on one
// device that stays open between them.
#pragma once

#include "Console.h"
#include "Request.h"

namespace host {

// The highest exit code of its lines (0, 1 or 2), or the interruption's.
int RunShell(Console& console, const GlobalOptions& options);

}  // namespace host
