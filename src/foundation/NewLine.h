#pragma once

#include "foundation/String.h"

namespace util {
// "\r\n", the line end of the exception stack dump.
extern const String NewLine;
}  // namespace util
