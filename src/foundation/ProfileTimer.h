// A millisecond stopwatch on the kernel's tick counter, for "Profile time: "
// log records.
#pragma once

#include <cstdint>
#include <ostream>

namespace util {

class ProfileTimer {
public:
    // Start tick 0 unless `startNow`.
    explicit ProfileTimer(bool startNow);
    virtual ~ProfileTimer();

    void Start();
    // Milliseconds since Start; wraps with the tick counter.
    uint32_t Elapsed() const;

private:
    uint32_t start_ = 0;
};

// "Profile time: " and the elapsed milliseconds, in the "C" locale; the
// stream keeps its own locale.
std::wostream& operator<<(std::wostream& os, const ProfileTimer& timer);

}  // namespace util
