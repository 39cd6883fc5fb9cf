// A faster clock for long sweeps. With factor n, every timed wait, Sleep and
// GetTickCount of our kernel layer runs n times faster than real time, so a
// 6000 ms time-out of the code under test passes in 6000/n ms while the code
// itself is unchanged and still sees 6000 ms pass. Only our own kernel layer
// has it; the real Windows kernel does not (ClockScaleSupported is false).
// The simulated services' own delays (SetConnectDelay, After) stay real time.
#pragma once

namespace sim {

bool ClockScaleSupported();
// 1 is real time. Ticks stay monotonic across a change.
void SetClockScale(unsigned factor);
unsigned ClockScale();

// Sets a factor for the life of the object and restores the earlier one.
class ScopedClockScale {
public:
    explicit ScopedClockScale(unsigned factor) : earlier_(ClockScale()) { SetClockScale(factor); }
    ~ScopedClockScale() { SetClockScale(earlier_); }
    ScopedClockScale(const ScopedClockScale&) = delete;
    ScopedClockScale& operator=(const ScopedClockScale&) = delete;

private:
    unsigned earlier_;
};

}  // namespace sim
