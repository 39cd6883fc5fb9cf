// Turning a failed wapi call into the calling layer's util::SystemCallEx:
// the one way every layer does it.
#pragma once

#include <cstdint>

#include "foundation/ExceptionTypes.h"

namespace util {

namespace detail {
// Throws util::SystemCallEx of this site naming `call`, with the entries of
// the caught util::ApiEx in front.
[[noreturn]] void ThrowSystemCall(const ApiEx& caught, const wchar_t* file, const wchar_t* function,
                                  uint32_t line, const wchar_t* call);
struct NoCleanUp {
    void operator()() const {}
};
}  // namespace detail

// Runs `body` (wapi calls) and returns what it returns; a util::ApiEx from
// it runs `cleanUp`, then becomes this site's util::SystemCallEx naming
// `call`. `call` is read when the failure is caught, so a body of several
// calls may name the one it is making.
template <class Body, class CleanUp = detail::NoCleanUp>
auto TranslateApiEx(const wchar_t* file, const wchar_t* function, uint32_t line, const wchar_t* const& call,
                    Body&& body, CleanUp&& cleanUp = {}) -> decltype(body()) {
    try {
        return body();
    } catch (ApiEx& e) {
        cleanUp();
        detail::ThrowSystemCall(e, file, function, line, call);
    }
}

}  // namespace util
