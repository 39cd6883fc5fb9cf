#include "foundation/ScopedLock.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

namespace util {

ScopedLock::ScopedLock(CriticalSection& lock) : lock_(&lock) {
    UTIL_TRY
    lock_->Enter();
    UTIL_CATCH_CHAIN(L"util::ScopedLock::ScopedLock")
}

ScopedLock::~ScopedLock() { lock_->Leave(); }

}  // namespace util
