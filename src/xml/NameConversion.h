// Values and the names of a name table, one way for the serializer and the
// device database alike: any map from name to value serves as the table.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/String.h"
#include "foundation/StringUtility.h"

namespace util {

// The value named `text`; false when the table has no such name.
template <class Table>
bool ParseEnum(const Table& table, const String& text, uint32_t& value) {
    auto found = table.find(text);
    if (found == table.end()) return false;
    value = found->second;
    return true;
}

// The sum of the values named in `text`, split at every single blank: two
// blanks in a row give an empty name, which no table holds. False when a
// name is unknown.
template <class Table>
bool ParseBitSet(const Table& table, const String& text, uint32_t& bits) {
    StringUtility::StringList names;
    StringUtility::TokenizeString(text, L" ", names);
    uint32_t sum = 0;
    for (const String& name : names) {
        auto found = table.find(name);
        if (found == table.end()) return false;
        sum += found->second;
    }
    bits = sum;
    return true;
}

// Every name of `value`, in the table's order.
template <class Table, class Value>
std::vector<String> EnumNames(const Table& table, Value value) {
    std::vector<String> names;
    for (const auto& [name, entry] : table)
        if (entry == value) names.push_back(name);
    return names;
}

// The names of the set bits from bit 0 upwards, one blank between them.
template <class Table>
String FormatBitSet(const Table& table, uint32_t bits) {
    String text;
    for (uint32_t bit = 0; bit < 32; ++bit) {
        const uint32_t mask = 1u << bit;
        if ((bits & mask) == 0) continue;
        for (const String& name : EnumNames(table, mask)) text += name + L" ";
    }
    if (!text.empty()) text.pop_back();
    return text;
}

}  // namespace util
