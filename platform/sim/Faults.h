// Fault injection for platform calls: "fail the Nth call of X with code Y".
// Every implementation we own (the POSIX kernel layer and the simulated
// services) asks ShouldFail at its entry with the call's Windows name, so a
// test can make any failure path happen. Faults are process-wide.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sim {

// Arms a fault: counting from now, calls number nth .. nth+times-1 of `call`
// fail with `code` (times 0: every call from the nth on). Re-arming a call
// replaces its earlier fault.
void FailCall(const char* call, uint32_t code, unsigned nth = 1, unsigned times = 1);

// Disarms one call's fault, or every fault.
void ClearFault(const char* call);
void ClearFaults();

// How often `call` asked since it was armed (0 when not armed).
unsigned CallCount(const char* call);

// Asked by an implementation at its entry. True when this call must fail;
// then *code holds the code to report.
bool ShouldFail(const char* call, uint32_t* code);

// Counting: from StartCounting on, every call that asks ShouldFail is
// counted by name, armed or not, until StopCounting. A sweep runs a session
// once counting, then once per call and occurrence with that one failed.
void StartCounting();
std::vector<std::pair<std::string, unsigned>> StopCounting();  // by name, in name order

// True when the kernel calls (events, threads, conversions, ...) are ours
// and consult ShouldFail; false when they are the real Windows kernel.
bool KernelFaultsSupported();
// Events and threads of our kernel layer alive now (always 0 where the
// kernel is the real one), for tests that check nothing is left behind.
size_t KernelObjectCount();

// Arms a fault for the life of the object and disarms it after.
class ScopedFault {
public:
    ScopedFault(const char* call, uint32_t code, unsigned nth = 1, unsigned times = 1);
    ~ScopedFault();
    ScopedFault(const ScopedFault&) = delete;
    ScopedFault& operator=(const ScopedFault&) = delete;

private:
    const char* call_;
};

}  // namespace sim
