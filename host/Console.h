// Where the host writes: lines for people (coloured only on a terminal) or
// one JSON document per command for scripts. Lines may come from callback
// threads while the main thread writes too; one lock keeps them whole.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include <nlohmann/json.hpp>

namespace host {

enum class Colour { None, Green, Red, Yellow, Cyan, Dim };

class Console {
public:
    Console();

    bool Json() const { return json_; }
    void SetJson(bool json) { json_ = json; }
    bool Verbose() const { return verbose_; }
    void SetVerbose(bool verbose) { verbose_ = verbose; }
    bool Terminal() const { return terminal_; }

    // A line for people; dropped in JSON mode.
    void Line(const std::string& text, Colour colour = Colour::None);
    // One document on a line of its own; only in JSON mode.
    void Document(const nlohmann::json& document);
    // Errors go to stderr in both modes: one line.
    void Error(const std::string& text);

    std::string Paint(const std::string& text, Colour colour) const;

private:
    // Read by callback threads while the shell switches them between lines.
    std::atomic<bool> json_{false};
    std::atomic<bool> verbose_{false};
    bool terminal_ = false;
    bool errorTerminal_ = false;
    std::mutex lock_;
};

// Signal quality (0 to 100) as four bars, e.g. "▂▄▆_".
std::string Bars(int quality);

}  // namespace host
