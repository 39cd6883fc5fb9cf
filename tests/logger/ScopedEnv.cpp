#include "ScopedEnv.h"

#include <cstdlib>

namespace test {

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
        previous_ = old;
        hadPrevious_ = true;
    }
    SetRuntimeEnv(name, value);
}

ScopedEnv::~ScopedEnv() { SetRuntimeEnv(name_.c_str(), hadPrevious_ ? previous_.c_str() : nullptr); }

}  // namespace test
