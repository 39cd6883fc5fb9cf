#include "StatusChecker.h"

namespace test {

namespace {

using S = DEVICE_STATE;

// Every change the device reports to its host. Close's quiet
// DISCONNECTING -> DISCONNECTED is not reported, so the host sees its
// DISCONNECTING -> CLOSED, which "any open state -> CLOSED" allows.
struct Transition {
    bool anyOpen;  // true: from every state but CLOSED, `from` unused
    S from, to;
};
constexpr Transition kTransitions[] = {
    {false, S::CLOSED, S::DISCONNECTED},         // Open
    {false, S::DISCONNECTED, S::CONNECTING},     // a connect starts
    {false, S::CONNECTING, S::CONNECTED},        // it succeeds
    {false, S::CONNECTING, S::DISCONNECTED},     // it fails
    {false, S::CONNECTED, S::DISCONNECTING},     // a disconnect or a lost link
    {false, S::DISCONNECTING, S::DISCONNECTED},  // its end
    {true, S::CLOSED, S::DISCONNECTED},          // unassociating, whatever the state
    {true, S::CLOSED, S::CLOSED},                // Close
};

bool Allowed(uint32_t from, uint32_t to) {
    for (const Transition& t : kTransitions) {
        const bool fromMatches =
            t.anyOpen ? from != static_cast<uint32_t>(S::CLOSED) : from == static_cast<uint32_t>(t.from);
        if (fromMatches && to == static_cast<uint32_t>(t.to)) return true;
    }
    return false;
}

}  // namespace

std::optional<size_t> FirstIllegalStatus(const std::vector<uint32_t>& statuses, DEVICE_STATE start) {
    uint32_t current = static_cast<uint32_t>(start);
    for (size_t i = 0; i < statuses.size(); ++i) {
        if (!Allowed(current, statuses[i])) return i;
        current = statuses[i];
    }
    return std::nullopt;
}

std::string StatusText(const std::vector<uint32_t>& statuses) {
    std::string text;
    for (uint32_t s : statuses) text += (text.empty() ? "" : " -> ") + std::to_string(s);
    return text;
}

}  // namespace test
