#include "Terminal.h"

#include <csignal>
#include <iostream>

#ifdef _WIN32
#  include <io.h>
#  include <windows.h>
#else
#  include <termios.h>
#  include <unistd.h>
#endif

namespace host {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) {
    g_interrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

// Echo off on the console for as long as it lives; the mode before it is
// put back on every way out.
class NoEcho {
public:
    NoEcho() {
#ifdef _WIN32
        input_ = GetStdHandle(STD_INPUT_HANDLE);
        on_ = GetConsoleMode(input_, &mode_) != 0 && SetConsoleMode(input_, mode_ & ~ENABLE_ECHO_INPUT) != 0;
#else
        on_ = tcgetattr(STDIN_FILENO, &mode_) == 0;
        if (on_) {
            termios quiet = mode_;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            on_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
        }
#endif
    }
    ~NoEcho() {
        if (!on_) return;
#ifdef _WIN32
        SetConsoleMode(input_, mode_);
#else
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &mode_);
#endif
    }
    NoEcho(const NoEcho&) = delete;
    NoEcho& operator=(const NoEcho&) = delete;

private:
    bool on_ = false;
#ifdef _WIN32
    HANDLE input_ = nullptr;
    DWORD mode_ = 0;
#else
    termios mode_{};
#endif
};

}  // namespace

std::optional<std::string> ReadSecret(const std::string& prompt) {
    std::string line;
    bool read = false;
    if (IsTerminal(stdin)) {
        std::fputs(prompt.c_str(), stderr);
        std::fflush(stderr);
        {
            const NoEcho quiet;
            read = static_cast<bool>(std::getline(std::cin, line));
        }
        // The newline the user typed was not echoed either.
        std::fputs("\n", stderr);
    } else {
        read = static_cast<bool>(std::getline(std::cin, line));
    }
    if (!read) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

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
