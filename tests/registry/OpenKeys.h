// Every registry key the code under test opened is closed again, on its
// failure paths too (only the simulated registry counts its handles); and a
// value taken away as a user would.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

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

// Deletes one value under HKEY_LOCAL_MACHINE, as a user's edit would.
inline void DeleteValue(const std::wstring& key, const wchar_t* name) {
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
    RegDeleteValueW(k, name);
    RegCloseKey(k);
}

}  // namespace test
