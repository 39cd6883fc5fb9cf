// Turning a failed wapi call into the calling layer's util::SystemCallEx.
#pragma once

#include <cstdint>

#include "foundation/ExceptionTypes.h"

namespace util {

// Throws util::SystemCallEx of this site naming `call`, with the entries of
// the caught util::ApiEx in front.
[[noreturn]] void ThrowSystemCall(const ApiEx& caught, const wchar_t* file, const wchar_t* function,
                                  uint32_t line, const wchar_t* call);

// Runs `body` (wapi calls); a util::ApiEx from it becomes this site's
// util::SystemCallEx naming `call`. Returns what `body` returns.
template <class Body>
auto TranslateApiEx(const wchar_t* file, const wchar_t* function, uint32_t line, const wchar_t* call, Body&& body)
    -> decltype(body()) {
    try {
        return body();
    } catch (ApiEx& e) {
        ThrowSystemCall(e, file, function, line, call);
    }
}

}  // namespace util
