// Ends the process when what it watches does not finish within its bound,
// so that a hang fails at once with its name rather than at the test's
// time-out (or hangs the run).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace test {

class Watchdog {
public:
    Watchdog() : thread_([this] { Run(); }) {}
    Watchdog(const std::string& what, std::chrono::milliseconds bound) : Watchdog() { Arm(what, bound); }
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> g(lock_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    void Arm(const std::string& what, std::chrono::milliseconds bound) {
        std::lock_guard<std::mutex> g(lock_);
        what_ = what;
        deadline_ = std::chrono::steady_clock::now() + bound;
        armed_ = true;
        wake_.notify_all();
    }
    void Disarm() {
        std::lock_guard<std::mutex> g(lock_);
        armed_ = false;
    }

private:
    void Run() {
        std::unique_lock<std::mutex> g(lock_);
        while (!stop_) {
            if (armed_ && std::chrono::steady_clock::now() >= deadline_) {
                std::fprintf(stderr, "watchdog: %s did not finish\n", what_.c_str());
                std::fflush(stderr);
                std::_Exit(3);
            }
            if (armed_)
                wake_.wait_until(g, deadline_);
            else
                wake_.wait(g);
        }
    }

    std::mutex lock_;
    std::condition_variable wake_;
    bool stop_ = false, armed_ = false;
    std::string what_;
    std::chrono::steady_clock::time_point deadline_;
    std::thread thread_;
};

}  // namespace test
