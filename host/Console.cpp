#include "Console.h"

#include <cstdio>

#include "Terminal.h"

namespace host {

namespace {

const char* Code(Colour colour) {
    switch (colour) {
        case Colour::Green: return "\033[32m";
        case Colour::Red: return "\033[31m";
        case Colour::Yellow: return "\033[33m";
        case Colour::Cyan: return "\033[36m";
        case Colour::Dim: return "\033[2m";
        case Colour::None: break;
    }
    return "";
}

}  // namespace

Console::Console() : terminal_(IsTerminal(stdout)), errorTerminal_(IsTerminal(stderr)) {}

std::string Console::Paint(const std::string& text, Colour colour) const {
    if (!terminal_ || colour == Colour::None) return text;
    return Code(colour) + text + "\033[0m";
}

void Console::Line(const std::string& text, Colour colour) {
    if (json_) return;
    const std::lock_guard<std::mutex> guard(lock_);
    std::fputs((Paint(text, colour) + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void Console::Document(const nlohmann::json& document) {
    if (!json_) return;
    const std::lock_guard<std::mutex> guard(lock_);
    // Invalid UTF-8 from the service (an SSID is bytes) is replaced, not fatal.
    std::fputs((document.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void Console::Error(const std::string& text) {
    const std::lock_guard<std::mutex> guard(lock_);
    std::fflush(stdout);
    const std::string line = errorTerminal_ ? std::string(Code(Colour::Red)) + text + "\033[0m" : text;
    std::fputs((line + "\n").c_str(), stderr);
    std::fflush(stderr);
}

std::string Bars(int quality) {
    static const char* const kBars[] = {"\u2582", "\u2584", "\u2586", "\u2588"};
    const int lit = quality <= 0 ? 0 : quality < 25 ? 1 : quality < 50 ? 2 : quality < 75 ? 3 : 4;
    std::string bars;
    for (int i = 0; i < 4; ++i) bars += i < lit ? kBars[i] : "_";
    return bars;
}

}  // namespace host
