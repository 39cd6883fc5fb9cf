// A signed count changed under its own lock; each change returns the value
// it produced, so exactly one caller sees a given value.
#pragma once

#include <cstdint>

#include "foundation/CriticalSection.h"

namespace util {

class RefCount {
public:
    RefCount() = default;
    RefCount(const RefCount&) = delete;
    RefCount& operator=(const RefCount&) = delete;

    int32_t Increment();
    int32_t Decrement();

private:
    int32_t count_ = 0;
    CriticalSection lock_;
};

}  // namespace util
