#include "StatusRules.h"

#include <algorithm>
#include <utility>

#include "device/DeviceState.h"

namespace test {
namespace {

using S = DEVICE_STATE;

// Reported transitions. Close's quiet DISCONNECTING -> DISCONNECTED is not
// reported, so the host sees DISCONNECTING -> CLOSED, which "any open state
// -> CLOSED" covers; un-association reports DISCONNECTED from any open state,
// DISCONNECTED again included.
const std::pair<S, S> kReported[] = {
    {S::CLOSED, S::DISCONNECTED},        {S::DISCONNECTED, S::CONNECTING},   {S::CONNECTING, S::CONNECTED},
    {S::CONNECTING, S::DISCONNECTED},    {S::CONNECTED, S::DISCONNECTING},   {S::DISCONNECTING, S::DISCONNECTED},
};

bool IsOpen(S s) { return s != S::CLOSED; }

bool Legal(S from, S to) {
    if (IsOpen(from) && (to == S::DISCONNECTED || to == S::CLOSED)) return true;
    return std::find(std::begin(kReported), std::end(kReported), std::make_pair(from, to)) != std::end(kReported);
}

}  // namespace

std::optional<std::string> FirstIllegalStep(const std::vector<uint32_t>& statuses) {
    S from = S::CLOSED;
    for (size_t i = 0; i < statuses.size(); ++i) {
        const S to = static_cast<S>(statuses[i]);
        if (statuses[i] > 4 || !Legal(from, to))
            return "step " + std::to_string(i) + ": " + std::to_string(static_cast<uint32_t>(from)) + " -> " +
                   std::to_string(statuses[i]);
        from = to;
    }
    return std::nullopt;
}

}  // namespace test
