// Routing of LoadLibraryW / GetProcAddress / FreeLibrary: the libraries we
// simulate ("dhcpcsvc") are answered here, every other name goes to the
// platform's loader. The platform files (native/, windows/) hold the entry
// points and the forwarding.
#pragma once

#include "../win32.h"

namespace sim {

// True when `name` is one of our libraries; then *module is its handle, or
// null with the last error set.
bool LoadSimulated(LPCWSTR name, HMODULE* module);
// True when `module` is one of ours; then *proc is the export, or null with
// the last error set.
bool FindSimulated(HMODULE module, LPCSTR name, FARPROC* proc);
// True when `module` is one of ours (and is now released).
bool FreeSimulated(HMODULE module);
// True when a fault is armed for the loader call `call`; the last error then
// holds its code. Every entry point asks first, on both platforms.
bool LoaderCallRefused(const char* call);

}  // namespace sim
