// Checks that fields lie in memory in their declared order: a reordering of
// a record that crosses the plug-in boundary breaks the host.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <utility>

namespace test {

using FieldAddress = std::pair<const char*, const void*>;

inline void ExpectFieldOrder(std::initializer_list<FieldAddress> fields) {
    const FieldAddress* previous = nullptr;
    for (const FieldAddress& field : fields) {
        if (previous != nullptr) {
            EXPECT_LT(static_cast<const char*>(previous->second), static_cast<const char*>(field.second))
                << previous->first << " must come before " << field.first;
        }
        previous = &field;
    }
}

}  // namespace test

#define TEST_FIELD(object, name) test::FieldAddress(#name, &(object).name)
