#include "foundation/NewLine.h"

namespace util {
const String NewLine(L"\r\n");
}  // namespace util
