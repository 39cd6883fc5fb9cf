// Every registry key the code under test opened is closed again, on its
// failure paths too. Only the simulated registry counts its handles.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>

#include "platform/sim/World.h"

namespace test {

class OpenKeys {
public:
    OpenKeys() : before_(Count()) {}
    // `refusedCloses`: keys whose close the registry refused, which stay open.
    void ExpectNoneLeft(size_t refusedCloses = 0) const {
        if (!sim::World::RegistrySimulated()) return;
        EXPECT_EQ(Count(), before_ + refusedCloses) << "a registry key was left open";
    }

private:
    static size_t Count() { return sim::World::RegistrySimulated() ? sim::GetWorld().Registry().OpenHandles() : 0; }
    size_t before_;
};

}  // namespace test
