// Helpers for the kernel-layer tests: an owned handle and a thread started
// with _beginthreadex running a lambda.
#pragma once

#include <functional>
#include <memory>

#include "platform/win32.h"

namespace test {

struct HandleCloser {
    void operator()(void* handle) const;
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The event's or the thread's handle; fails the test when creation fails.
Handle NewEvent(bool manualReset, bool initialState);
Handle StartThread(std::function<unsigned()> body);
// The thread's exit code (STILL_ACTIVE while it runs); fails the test when it cannot be read.
DWORD ExitCode(HANDLE thread);

// Long enough for anything that should happen, so a failure shows as a
// time-out rather than a hang.
constexpr DWORD kBound = 10000;
// How long a test gives something that must not happen.
constexpr DWORD kQuiet = 100;

}  // namespace test
