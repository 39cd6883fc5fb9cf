#include "foundation/ScopedLock.h"

#include "foundation/CatchChain.h"
#include "foundation/DebugOutput.h"
#include "foundation/ExceptionTypes.h"

namespace util {

ScopedLock::ScopedLock(CriticalSection& lock) : lock_(&lock) {
    UTIL_TRY
    lock_->Enter();
    UTIL_CATCH_CHAIN(L"util::ScopedLock::ScopedLock")
}

// Leave's catch chain rethrows; a destructor must not, least of all while an
// exception is already leaving the scope.
ScopedLock::~ScopedLock() {
    try {
        lock_->Leave();
    } catch (...) {
        DebugOutput(L"Exception catched.");
    }
}

}  // namespace util
