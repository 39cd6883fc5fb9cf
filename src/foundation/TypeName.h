#pragma once

#include <typeinfo>

#include "foundation/String.h"

namespace util {
// The run-time class name as exception entries spell it: "class " followed
// by the qualified name, as the reference platform writes it.
String TypeName(const std::type_info& type);
}  // namespace util
