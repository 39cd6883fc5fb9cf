#include "foundation/CriticalSection.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

namespace util {

CriticalSection::CriticalSection() {
    UTIL_TRY
    ::InitializeCriticalSection(&section_);
    UTIL_CATCH_CHAIN(L"util::CriticalSection::CriticalSection")
}

CriticalSection::~CriticalSection() { ::DeleteCriticalSection(&section_); }

void CriticalSection::Enter() {
    UTIL_TRY
    ::EnterCriticalSection(&section_);
    UTIL_CATCH_CHAIN(L"util::CriticalSection::Enter")
}

bool CriticalSection::TryEnter() { return ::TryEnterCriticalSection(&section_) != FALSE; }

void CriticalSection::Leave() {
    UTIL_TRY
    ::LeaveCriticalSection(&section_);
    UTIL_CATCH_CHAIN(L"util::CriticalSection::Leave")
}

}  // namespace util
