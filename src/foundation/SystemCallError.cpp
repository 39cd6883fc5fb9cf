#include "foundation/SystemCallError.h"

namespace util::detail {

void ThrowSystemCall(const ApiEx& caught, const wchar_t* file, const wchar_t* function, uint32_t line,
                     const wchar_t* call) {
    SystemCallEx ex(file, function, line, 1, call);
    ex.PrependEntries(caught);
    throw ex;
}

}  // namespace util::detail
