// Routing of LoadLibraryW / GetProcAddress / FreeLibrary: the libraries we
// simulate ("dhcpcsvc") are answered here, every other name goes to the
// platform's loader. The platform files (native/, windows/) hold the entry
// points and the forwarding.
#pragma once

#include "../win32.h"

namespace sim {

enum class Route { NotOurs, Loaded, Refused };

// Handles a load of one of our libraries; on Refused *error holds the code.
Route LoadSimulated(LPCWSTR name, HMODULE* module, DWORD* error);
// True when `module` is one of ours; then *proc is the export or null (and
// *error the code).
bool FindSimulated(HMODULE module, LPCSTR name, FARPROC* proc, DWORD* error);
// True when `module` is one of ours (and is now released).
bool FreeSimulated(HMODULE module);

}  // namespace sim
