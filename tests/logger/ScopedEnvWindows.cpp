// _putenv_s changes the runtime's copy that getenv reads (SetEnvironmentVariable
// would not); an empty value removes the variable.
#include <stdlib.h>

#include "ScopedEnv.h"

namespace test {

void SetRuntimeEnv(const char* name, const char* value) { _putenv_s(name, value != nullptr ? value : ""); }

}  // namespace test
