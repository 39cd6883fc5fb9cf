#include <stdlib.h>

#include "ScopedEnv.h"

namespace test {

void SetRuntimeEnv(const char* name, const char* value) {
    if (value != nullptr)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

}  // namespace test
