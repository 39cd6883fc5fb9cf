#include "EventLog.h"

namespace host {

const char* StateName(DEVICE_STATE state) {
    switch (state) {
        case DEVICE_STATE::CLOSED: return "CLOSED";
        case DEVICE_STATE::DISCONNECTED: return "DISCONNECTED";
        case DEVICE_STATE::DISCONNECTING: return "DISCONNECTING";
        case DEVICE_STATE::CONNECTING: return "CONNECTING";
        case DEVICE_STATE::CONNECTED: return "CONNECTED";
    }
    return "UNKNOWN";
}

EventLog::EventLog() : start_(std::chrono::steady_clock::now()) {
    // The thread that makes the log is the host's main thread: number 1.
    threads_[std::this_thread::get_id()] = 1;
}

void EventLog::ConnectCompleted(int32_t, uint32_t result, uint32_t) {
    Record("completed", std::to_string(result), result);
}

void EventLog::ConnectProgress(int32_t, uint32_t step) { Record("progress", std::to_string(step), step); }

void EventLog::DeviceStatusChanged(int32_t, DEVICE_STATE state) {
    Record("status", StateName(state), static_cast<int64_t>(state));
}

void EventLog::Disconnected(int32_t, uint32_t reason) { Record("disconnected", std::to_string(reason), reason); }

void EventLog::IpAddressStatus(int32_t, bool hasAddress) {
    Record("ip", hasAddress ? "true" : "false", hasAddress ? 1 : 0);
}

void EventLog::SetLive(std::function<void(const Event&)> live) {
    const std::lock_guard<std::mutex> guard(lock_);
    live_ = std::move(live);
}

int64_t EventLog::Elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
}

std::vector<Event> EventLog::Since(size_t from) const {
    const std::lock_guard<std::mutex> guard(lock_);
    if (from >= events_.size()) return {};
    return {events_.begin() + static_cast<std::ptrdiff_t>(from), events_.end()};
}

size_t EventLog::Count() const {
    const std::lock_guard<std::mutex> guard(lock_);
    return events_.size();
}

std::optional<size_t> EventLog::WaitFor(size_t from, const std::function<bool(const Event&)>& match, std::chrono::milliseconds timeout,
                       const std::function<bool()>& stop) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock<std::mutex> guard(lock_);
    size_t seen = from;
    for (;;) {
        for (; seen < events_.size(); ++seen)
            if (match && match(events_[seen])) return seen;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline || (stop && stop())) return std::nullopt;
        changed_.wait_for(guard, std::min<std::chrono::steady_clock::duration>(deadline - now,
                                                                                std::chrono::milliseconds(100)));
    }
}

void EventLog::Record(std::string name, std::string detail, int64_t value) {
    std::unique_lock<std::mutex> guard(lock_);
    Event event{Elapsed(), ThreadNumber(), std::move(name), std::move(detail), value};
    events_.push_back(event);
    const auto live = live_;
    guard.unlock();
    changed_.notify_all();
    if (live) live(event);
}

unsigned EventLog::ThreadNumber() {
    const auto [at, added] = threads_.try_emplace(std::this_thread::get_id(), static_cast<unsigned>(threads_.size() + 1));
    return at->second;
}

}  // namespace host
