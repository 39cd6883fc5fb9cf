// Helpers for the kernel-layer tests: an owned handle and a thread started
// with _beginthreadex running a lambda.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/win32.h"

namespace test {

// unique_ptr calls it only for a handle that is not null.
struct HandleCloser {
    void operator()(void* handle) const { EXPECT_TRUE(::CloseHandle(handle)); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The event's or the thread's handle; fails the test when creation fails.
inline Handle NewEvent(bool manualReset, bool initialState) {
    HANDLE h = ::CreateEventW(nullptr, manualReset, initialState, nullptr);
    EXPECT_NE(h, nullptr) << ::GetLastError();
    return Handle(h);
}

inline Handle StartThread(std::function<unsigned()> body) {
    using Body = std::function<unsigned()>;
    auto* arg = new Body(std::move(body));
    auto run = [](void* p) { return (*std::unique_ptr<Body>(static_cast<Body*>(p)))(); };
    uintptr_t h = ::_beginthreadex(nullptr, 0, run, arg, 0, nullptr);
    if (h == 0) delete arg;
    EXPECT_NE(h, 0u);
    return Handle(reinterpret_cast<HANDLE>(h));
}

// The thread's exit code (STILL_ACTIVE while it runs); fails the test when it cannot be read.
inline DWORD ExitCode(HANDLE thread) {
    DWORD code = 0xDEADu;
    EXPECT_TRUE(::GetExitCodeThread(thread, &code));
    return code;
}

// Long enough for anything that should happen, so a failure shows as a
// time-out rather than a hang.
constexpr DWORD kBound = 10000;
// How long a test gives something that must not happen.
constexpr DWORD kQuiet = 100;

}  // namespace test
