#include "Terminal.h"

#include <csignal>

#ifdef _WIN32
#  include <io.h>
#  include <windows.h>
#else
#  include <unistd.h>
#endif

namespace host {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) {
    g_interrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
    // Only a console has a console mode; Wine's _isatty also says yes for
    // some redirected files.
    DWORD mode = 0;
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

void CatchInterrupt() { std::signal(SIGINT, OnInterrupt); }

bool Interrupted() { return g_interrupted != 0; }

}  // namespace host
