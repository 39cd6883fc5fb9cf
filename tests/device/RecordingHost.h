// A host callback that records every call with its arguments, order and
// thread, and lets a test wait (bounded) for a number of calls.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/IDeviceCallback.h"

namespace test {

struct HostCall {
    std::string name;
    int32_t deviceIndex = 0;
    uint32_t value1 = 0;
    uint32_t value2 = 0;
    std::thread::id thread;
    bool operator==(const HostCall&) const = default;
};

class RecordingHost : public ace::IDeviceCallback {
public:
    virtual ~RecordingHost() = default;

    void ConnectCompleted(int32_t deviceIndex, uint32_t result, uint32_t value) override {
        Record("ConnectCompleted", deviceIndex, result, value);
    }
    void ConnectProgress(int32_t deviceIndex, uint32_t step) override {
        Record("ConnectProgress", deviceIndex, step, 0);
    }
    void DeviceStatusChanged(int32_t deviceIndex, DEVICE_STATE state) override {
        Record("DeviceStatusChanged", deviceIndex, static_cast<uint32_t>(state), 0);
    }
    void Disconnected(int32_t deviceIndex, uint32_t reason) override { Record("Disconnected", deviceIndex, reason, 0); }
    void IpAddressStatus(int32_t deviceIndex, bool hasAddress) override {
        Record("IpAddressStatus", deviceIndex, hasAddress ? 1 : 0, 0);
        if (throwOnIpStatus) throw std::runtime_error("host refused");
    }

    std::vector<HostCall> Calls() const {
        std::lock_guard<std::mutex> g(lock_);
        return calls_;
    }

    // Waits until `done(calls)` holds; false after `timeout`.
    template <class Pred>
    bool WaitFor(Pred done, std::chrono::milliseconds timeout) const {
        std::unique_lock<std::mutex> g(lock_);
        return changed_.wait_for(g, timeout, [&] { return done(calls_); });
    }

    void Clear() {
        std::lock_guard<std::mutex> g(lock_);
        calls_.clear();
    }

    bool throwOnIpStatus = false;

private:
    void Record(const char* name, int32_t index, uint32_t v1, uint32_t v2) {
        std::lock_guard<std::mutex> g(lock_);
        calls_.push_back(HostCall{name, index, v1, v2, std::this_thread::get_id()});
        changed_.notify_all();
    }

    mutable std::mutex lock_;
    mutable std::condition_variable changed_;
    std::vector<HostCall> calls_;
};

}  // namespace test
