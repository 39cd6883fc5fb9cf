#include "foundation/RefCount.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "foundation/ScopedLock.h"

namespace util {

int32_t RefCount::Increment() {
    UTIL_TRY
    ScopedLock hold(lock_);
    return ++count_;
    UTIL_CATCH_CHAIN(L"util::RefCount::Increment")
}

int32_t RefCount::Decrement() {
    UTIL_TRY
    ScopedLock hold(lock_);
    return --count_;
    UTIL_CATCH_CHAIN(L"util::RefCount::Decrement")
}

}  // namespace util
