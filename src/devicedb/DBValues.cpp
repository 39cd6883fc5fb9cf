#include "devicedb/DBValues.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "xml/NameConversion.h"
#include "xml/XmlSerializer.h"

namespace ace::dbvalue {
namespace {

constexpr uint32_t kDocType = 0;

// Field from `fallback`, then `read`; back to `fallback` when it raises.
template <class Read>
void ReadOrFallBack(uint32_t& field, uint32_t fallback, Read read) {
    field = fallback;
    try {
        read();
    } catch (const util::SystemEx&) {
        field = fallback;
    }
}

}  // namespace

void ReadText(util::XmlSerializeReader& reader, util::String& field, const util::String& key, bool required) {
    UTIL_TRY
    reader.GetStringAtTag(field, key, kDocType, required);
    UTIL_CATCH_CHAIN(L"ace::dbvalue::ReadText")
}

void ReadEnum(util::XmlSerializeReader& reader, uint32_t& field, const NameTable& table, const util::String& key,
              bool required) {
    UTIL_TRY
    util::String text;
    if (!reader.GetStringAtTag(text, key, kDocType, required)) return;
    if (!util::ParseEnum(table, text, field)) reader.ThrowParseError(L"enum", text, key);
    UTIL_CATCH_CHAIN(L"ace::dbvalue::ReadEnum")
}

void ReadBitSet(util::XmlSerializeReader& reader, uint32_t& field, const NameTable& table, const util::String& key,
                bool required) {
    UTIL_TRY
    util::String text;
    if (!reader.GetStringAtTag(text, key, kDocType, required)) return;
    if (!util::ParseBitSet(table, text, field)) reader.ThrowParseError(L"bitarray", text, key);
    UTIL_CATCH_CHAIN(L"ace::dbvalue::ReadBitSet")
}

void ReadBool(util::XmlSerializeReader& reader, bool& field, const util::String& key, bool required) {
    UTIL_TRY
    reader.Get(field, key, kDocType, required);
    UTIL_CATCH_CHAIN(L"ace::dbvalue::ReadBool")
}

void ReadEnumOr(util::XmlSerializeReader& reader, uint32_t& field, uint32_t fallback, const NameTable& table,
                const util::String& key) {
    UTIL_TRY
    ReadOrFallBack(field, fallback, [&] { ReadEnum(reader, field, table, key, false); });
    UTIL_CATCH_CHAIN(L"ace::dbvalue::ReadEnumOr")
}

void ReadBitSetOr(util::XmlSerializeReader& reader, uint32_t& field, uint32_t fallback, const NameTable& table,
                  const util::String& key) {
    UTIL_TRY
    ReadOrFallBack(field, fallback, [&] { ReadBitSet(reader, field, table, key, false); });
    UTIL_CATCH_CHAIN(L"ace::dbvalue::ReadBitSetOr")
}

void WriteText(util::XmlSerializeWriter& writer, const util::String& value, const util::String& key) {
    UTIL_TRY
    writer.Put(value, key, kDocType);
    UTIL_CATCH_CHAIN(L"ace::dbvalue::WriteText")
}

void WriteEnum(util::XmlSerializeWriter& writer, uint32_t value, const NameTable& table, const util::String& key) {
    UTIL_TRY
    for (const util::String& name : util::EnumNames(table, value)) writer.Put(name, key, kDocType);
    UTIL_CATCH_CHAIN(L"ace::dbvalue::WriteEnum")
}

void WriteBitSet(util::XmlSerializeWriter& writer, uint32_t value, const NameTable& table, const util::String& key) {
    UTIL_TRY
    writer.Put(util::FormatBitSet(table, value), key, kDocType);
    UTIL_CATCH_CHAIN(L"ace::dbvalue::WriteBitSet")
}

void WriteBool(util::XmlSerializeWriter& writer, bool value, const util::String& key) {
    UTIL_TRY
    writer.Put(util::String(value ? L"true" : L"false"), key, kDocType);
    UTIL_CATCH_CHAIN(L"ace::dbvalue::WriteBool")
}

}  // namespace ace::dbvalue
