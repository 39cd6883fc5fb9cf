#include "KernelObjects.h"

#include <gtest/gtest.h>

namespace test {

namespace {
unsigned Run(void* arg) {
    std::unique_ptr<std::function<unsigned()>> body(static_cast<std::function<unsigned()>*>(arg));
    return (*body)();
}
}  // namespace

void HandleCloser::operator()(void* handle) const {
    if (handle != nullptr) {
        EXPECT_TRUE(::CloseHandle(handle));
    }
}

Handle NewEvent(bool manualReset, bool initialState) {
    HANDLE h = ::CreateEventW(nullptr, manualReset, initialState, nullptr);
    EXPECT_NE(h, nullptr) << ::GetLastError();
    return Handle(h);
}

Handle StartThread(std::function<unsigned()> body) {
    auto* arg = new std::function<unsigned()>(std::move(body));
    unsigned id = 0;
    uintptr_t h = ::_beginthreadex(nullptr, 0, &Run, arg, 0, &id);
    if (h == 0) delete arg;
    EXPECT_NE(h, 0u);
    return Handle(reinterpret_cast<HANDLE>(h));
}

DWORD ExitCode(HANDLE thread) {
    DWORD code = 0xDEADu;
    EXPECT_TRUE(::GetExitCodeThread(thread, &code));
    return code;
}

}  // namespace test
