// The host's callback: every call the device makes is recorded with the time
// since the command started and the number of the thread it came on, and
// handed at once to the live printer when there is one. Callbacks arrive on
// the host's thread, the service's notification thread (holding the device
// lock) and the device's worker thread, so recording only takes a short lock
// of its own and never calls back into the device.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "device/IDeviceCallback.h"

namespace host {

struct Event {
    int64_t ms = 0;        // since the log started
    unsigned thread = 0;   // 1 for the host's main thread, then in order of first appearance
    std::string name;      // the callback: "status", "progress", "completed", "disconnected", "ip"
    std::string detail;    // "CONNECTED", "201", "true", ...
    int64_t value = 0;     // the callback's number (state, step, result, reason, has-address)
};

const char* StateName(DEVICE_STATE state);

class EventLog final : public ace::IDeviceCallback {
public:
    EventLog();

    void ConnectCompleted(int32_t deviceIndex, uint32_t result, uint32_t value) override;
    void ConnectProgress(int32_t deviceIndex, uint32_t step) override;
    void DeviceStatusChanged(int32_t deviceIndex, DEVICE_STATE state) override;
    void Disconnected(int32_t deviceIndex, uint32_t reason) override;
    void IpAddressStatus(int32_t deviceIndex, bool hasAddress) override;

    // Called with each event as it is recorded, on the thread that made it.
    void SetLive(std::function<void(const Event&)> live);
    int64_t Elapsed() const;
    // The events recorded since `from` (an index into the whole log).
    std::vector<Event> Since(size_t from) const;
    size_t Count() const;
    // Waits until an event at index `from` or later satisfies `match`, the
    // time runs out or `stop` answers true (asked every 100 ms). The index
    // of the event that matched, or nullopt.
    std::optional<size_t> WaitFor(size_t from, const std::function<bool(const Event&)>& match, std::chrono::milliseconds timeout,
                 const std::function<bool()>& stop) const;

private:
    void Record(std::string name, std::string detail, int64_t value);
    unsigned ThreadNumber();

    const std::chrono::steady_clock::time_point start_;
    mutable std::mutex lock_;
    mutable std::condition_variable changed_;
    std::vector<Event> events_;
    std::map<std::thread::id, unsigned> threads_;
    std::function<void(const Event&)> live_;
};

}  // namespace host
