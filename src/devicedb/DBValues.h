// Reading and writing one value of a device-database record through the
// serializer's string access: enumerations as one name, bit sets as the names
// of their set bits, bools as "true" or "false". Every value lives in
// document type 0.
#pragma once

#include <cstdint>

#include "devicedb/NameTables.h"
#include "foundation/String.h"

namespace util {
class XmlSerializeReader;
class XmlSerializeWriter;
}  // namespace util

namespace ace::dbvalue {

// Each Read leaves the field unchanged when the value is missing and
// `required` is false; a missing required value raises util::InvalidFormatEx.
void ReadEnum(util::XmlSerializeReader& reader, uint32_t& field, const NameTable& table, const util::String& key,
              bool required);
void ReadBitSet(util::XmlSerializeReader& reader, uint32_t& field, const NameTable& table, const util::String& key,
                bool required);
void ReadBool(util::XmlSerializeReader& reader, bool& field, const util::String& key, bool required);
void ReadText(util::XmlSerializeReader& reader, util::String& field, const util::String& key, bool required);

// One leaf per name whose value equals `value`, in table order; none when no
// name has it.
void WriteEnum(util::XmlSerializeWriter& writer, uint32_t value, const NameTable& table, const util::String& key);
// One leaf, possibly empty: the names of the set bits from bit 0 upwards.
void WriteBitSet(util::XmlSerializeWriter& writer, uint32_t value, const NameTable& table, const util::String& key);
void WriteBool(util::XmlSerializeWriter& writer, bool value, const util::String& key);
void WriteText(util::XmlSerializeWriter& writer, const util::String& value, const util::String& key);

// The field starts from `fallback`, is read if present, and goes back to
// `fallback` when the text does not parse (any util::SystemEx).
void ReadEnumOr(util::XmlSerializeReader& reader, uint32_t& field, uint32_t fallback, const NameTable& table,
                const util::String& key);
void ReadBitSetOr(util::XmlSerializeReader& reader, uint32_t& field, uint32_t fallback, const NameTable& table,
                  const util::String& key);

}  // namespace ace::dbvalue
