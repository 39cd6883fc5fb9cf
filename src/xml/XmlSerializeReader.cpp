#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "xml/NameConversion.h"
#include "xml/XmlSerializer.h"

namespace util {

XmlSerializeReader::XmlSerializeReader(const String& rootTag, const String& attrName, const String& attrValue,
                                       const String& schemaLocation)
    : XmlSerializer(rootTag, attrName, attrValue, schemaLocation) {}

XmlSerializeReader::~XmlSerializeReader() = default;

IXmlFile& XmlSerializeReader::GetFile(uint32_t uiType) {
    UTIL_TRY
    return static_cast<IXmlFile&>(GetFileFromMap(uiType));
    UTIL_CATCH_CHAIN(L"util::XmlSerializeReader::GetFile")
}

void XmlSerializeReader::LoadText(uint32_t uiType, const String& text) {
    UTIL_TRY
    auto file = std::make_unique<IXmlFile>();
    file->Load(text);
    AddFile(uiType, std::move(file));
    UTIL_CATCH_CHAIN(L"util::XmlSerializeReader::LoadText")
}

void XmlSerializeReader::LoadFile(uint32_t uiType, const String& fileName) {
    UTIL_TRY
    auto file = std::make_unique<IXmlFile>(fileName);
    file->LoadFile(fileName);
    AddFile(uiType, std::move(file));
    UTIL_CATCH_CHAIN(L"util::XmlSerializeReader::LoadFile")
}

bool XmlSerializeReader::GetStringAtTag(String& value, const String& tag, uint32_t uiType, bool mustExist) {
    UTIL_TRY
    IXmlFile& file = GetFile(uiType);
    if (!mustExist) return file.GetValue(path_, tag, value);
    file.Get(path_, tag, value);
    return true;
    UTIL_CATCH_CHAIN(L"util::XmlSerializeReader::GetStringAtTag")
}

bool XmlSerializeReader::Get(String& value, const String& tag, uint32_t uiType, bool mustExist) {
    UTIL_TRY
    return GetStringAtTag(value, tag, uiType, mustExist);
    UTIL_CATCH_CHAIN(L"util::XmlSerializeReader::Get")
}

bool XmlSerializeReader::Get(bool& value, const String& tag, uint32_t uiType, bool mustExist) {
    UTIL_TRY
    String text;
    if (!GetStringAtTag(text, tag, uiType, mustExist)) return false;
    if (text.CompareI(L"true") == 0) {
        value = true;
    } else if (text.CompareI(L"false") == 0) {
        value = false;
    } else {
        ThrowParseError(L"bool", text, tag);
    }
    return true;
    UTIL_CATCH_CHAIN(L"util::XmlSerializeReader::Get")
}

bool XmlSerializeReader::GetEnum(uint32_t& value, const NameTable& table, const String& tag, uint32_t uiType,
                                 bool mustExist) {
    UTIL_TRY
    String text;
    if (!GetStringAtTag(text, tag, uiType, mustExist)) return false;
    if (!ParseEnum(table, text, value)) ThrowParseError(L"enum", text, tag);
    return true;
    UTIL_CATCH_CHAIN(L"util::XmlSerializeReader::GetEnum")
}

bool XmlSerializeReader::GetAsBitArrayString(uint32_t& bits, const NameTable& table, const String& tag,
                                             uint32_t uiType, bool mustExist) {
    UTIL_TRY
    String text;
    if (!GetStringAtTag(text, tag, uiType, mustExist)) return false;
    if (!ParseBitSet(table, text, bits)) ThrowParseError(L"bitarray", text, tag);
    return true;
    UTIL_CATCH_CHAIN(L"util::XmlSerializeReader::GetAsBitArrayString")
}

void XmlSerializeReader::GetAsBitArrayStringNoFail(uint32_t& bits, uint32_t defaultBits, const NameTable& table,
                                                   const String& tag, uint32_t uiType) {
    UTIL_TRY
    bits = defaultBits;
    GetAsBitArrayString(bits, table, tag, uiType, false);
    UTIL_CATCH_CHAIN(L"util::XmlSerializeReader::GetAsBitArrayStringNoFail")
}

void XmlSerializeReader::ThrowParseError(const String& kind, const String& text, const String& tag) const {
    UTIL_RAISE(ParseEx, L"util::XmlSerializeReader::ThrowParseError",
               ex.Stream() << L"Cannot parse \"" << text << L"\" as " << kind << L" for tag " << path_ << L"<" << tag
                           << L">.");
}

}  // namespace util
