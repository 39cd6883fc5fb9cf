// A lock over the kernel's critical section: recursive for its owner.
#pragma once

#include "platform/win32.h"

namespace util {

class CriticalSection {
public:
    CriticalSection();
    virtual ~CriticalSection();
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter();
    // True when the lock was free (or already this thread's) and is now held.
    bool TryEnter();
    void Leave();

private:
    CRITICAL_SECTION section_;
};

}  // namespace util
