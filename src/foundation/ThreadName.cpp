#include "foundation/ThreadName.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

namespace util {

namespace {
thread_local const wchar_t* currentName = nullptr;
}

bool SetCurrentThreadName(const wchar_t* name, const char* /*nameAnsi*/) {
    UTIL_TRY
    if (currentName != nullptr) return false;
    currentName = name;
    return true;
    UTIL_CATCH_CHAIN(L"util::SetCurrentThreadName")
}

const wchar_t* GetCurrentThreadName() {
    UTIL_TRY
    return currentName;
    UTIL_CATCH_CHAIN(L"util::GetCurrentThreadName")
}

}  // namespace util
