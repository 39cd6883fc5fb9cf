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
    for (const FieldAddress* field = fields.begin(); field + 1 < fields.end(); ++field) {
        EXPECT_LT(static_cast<const char*>(field[0].second), static_cast<const char*>(field[1].second))
            << field[0].first << " must come before " << field[1].first;
    }
}

}  // namespace test

#define TEST_FIELD(object, name) test::FieldAddress(#name, &(object).name)
