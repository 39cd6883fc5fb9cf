// Holds a util::CriticalSection for the life of the object, so the lock is
// released on every way out of a scope, an exception included.
#pragma once

#include "foundation/CriticalSection.h"

namespace util {

class ScopedLock {
public:
    explicit ScopedLock(CriticalSection& lock);
    // Takes over a lock the caller already entered; leaves it at the end.
    struct Adopt {};
    static constexpr Adopt adopt{};
    ScopedLock(CriticalSection& lock, Adopt) : lock_(&lock) {}
    ~ScopedLock();
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    CriticalSection* lock_;
};

}  // namespace util
