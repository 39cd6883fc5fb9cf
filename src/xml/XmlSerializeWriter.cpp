#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "xml/NameConversion.h"
#include "xml/XmlSerializer.h"

namespace util {

namespace {

// One leaf per table entry holding `value`, in name order.
template <class Table, class Value>
void PutNames(XmlSerializeWriter& writer, Value value, const Table& table, const String& tag, uint32_t uiType) {
    for (const String& name : EnumNames(table, value)) writer.Put(name, tag, uiType);
}

}  // namespace

XmlSerializeWriter::XmlSerializeWriter(const String& rootTag, const String& attrName, const String& attrValue,
                                       const String& schemaLocation)
    : XmlSerializer(rootTag, attrName, attrValue, schemaLocation) {
    auto file = std::make_unique<OXmlFile>();
    file->Put(path_, String(), String());
    AddFile(0, std::move(file));
}

XmlSerializeWriter::~XmlSerializeWriter() = default;

OXmlFile& XmlSerializeWriter::GetFile(uint32_t uiType) {
    UTIL_TRY
    return static_cast<OXmlFile&>(GetFileFromMap(uiType));
    UTIL_CATCH_CHAIN(L"util::XmlSerializeWriter::GetFile")
}

void XmlSerializeWriter::Put(const String& text, const String& tag, uint32_t uiType) {
    UTIL_TRY
    GetFile(uiType).Put(path_, tag, text);
    UTIL_CATCH_CHAIN(L"util::XmlSerializeWriter::Put")
}

void XmlSerializeWriter::Put(bool value, const String& tag, uint32_t uiType) {
    UTIL_TRY
    Put(String(value ? L"true" : L"false"), tag, uiType);
    UTIL_CATCH_CHAIN(L"util::XmlSerializeWriter::Put")
}

void XmlSerializeWriter::Put(uint32_t number, const String& tag, uint32_t uiType) {
    UTIL_TRY
    String text;
    text.AssignNumber(number);
    Put(text, tag, uiType);
    UTIL_CATCH_CHAIN(L"util::XmlSerializeWriter::Put")
}

void XmlSerializeWriter::PutEnum(uint32_t value, const NameTable& table, const String& tag, uint32_t uiType) {
    UTIL_TRY
    PutNames(*this, value, table, tag, uiType);
    UTIL_CATCH_CHAIN(L"util::XmlSerializeWriter::PutEnum")
}

void XmlSerializeWriter::PutEnum(int32_t value, const SignedNameTable& table, const String& tag, uint32_t uiType) {
    UTIL_TRY
    PutNames(*this, value, table, tag, uiType);
    UTIL_CATCH_CHAIN(L"util::XmlSerializeWriter::PutEnum")
}

void XmlSerializeWriter::PutBitArray(uint32_t bits, const NameTable& table, const String& tag, uint32_t uiType) {
    UTIL_TRY
    Put(FormatBitSet(table, bits), tag, uiType);
    UTIL_CATCH_CHAIN(L"util::XmlSerializeWriter::PutBitArray")
}

XmlSerializeSingleWriter::XmlSerializeSingleWriter(const String& rootTag, const String& attrName,
                                                   const String& attrValue)
    : XmlSerializeWriter(rootTag, attrName, attrValue, String()) {}

XmlSerializeSingleWriter::~XmlSerializeSingleWriter() = default;

OXmlFile& XmlSerializeSingleWriter::GetFile(uint32_t) {
    UTIL_TRY
    return XmlSerializeWriter::GetFile(0);
    UTIL_CATCH_CHAIN(L"util::XmlSerializeSingleWriter::GetFile")
}

void XmlSerializeSingleWriter::WriteToStream(std::wostream& stream) {
    UTIL_TRY
    GetFile(0).WriteToStream(stream);
    UTIL_CATCH_CHAIN(L"util::XmlSerializeSingleWriter::WriteToStream")
}

}  // namespace util
