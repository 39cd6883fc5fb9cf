// Typed reading and writing of records as XML: text, numbers, bools,
// enumerations and bit sets (through name tables) under a current tag path.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <ostream>

#include "foundation/String.h"
#include "xml/XmlFile.h"
#include "xml/XmlPath.h"

namespace util {

class XmlSerializer {
public:
    // Ordered by name; searched by value in that order.
    using NameTable = std::map<String, uint32_t>;
    // The same for fields held as signed numbers.
    using SignedNameTable = std::map<String, int32_t>;

    // Pushes a tag on the serializer's path for its lifetime.
    class ATagLevel {
    public:
        ATagLevel(XmlSerializer& serializer, const String& tag);
        ATagLevel(const ATagLevel&) = delete;
        ATagLevel& operator=(const ATagLevel&) = delete;
        ~ATagLevel();

    private:
        XmlSerializer* serializer_;
    };

    // The root carries (attrName, attrValue) and, with a schema location,
    // the XML Schema instance namespace and the location.
    XmlSerializer(const String& rootTag, const String& attrName, const String& attrValue,
                  const String& schemaLocation);
    XmlSerializer(const XmlSerializer&) = delete;
    XmlSerializer& operator=(const XmlSerializer&) = delete;
    virtual ~XmlSerializer();

    // The file stored for `uiType`; util::KeyNotFoundEx when there is none.
    XmlFile& GetFileFromMap(uint32_t uiType) const;
    const XmlPath& GetPath() const { return path_; }

protected:
    void AddFile(uint32_t uiType, std::unique_ptr<XmlFile> file);

    std::map<uint32_t, std::unique_ptr<XmlFile>> files_;
    XmlPath path_;
    String rootTag_;
    String secondName_;
    String schemaLocation_;
};

class XmlSerializeWriter : public XmlSerializer {
public:
    XmlSerializeWriter(const String& rootTag, const String& attrName, const String& attrValue,
                       const String& schemaLocation);
    ~XmlSerializeWriter() override;
    virtual OXmlFile& GetFile(uint32_t uiType);

    void Put(const String& text, const String& tag, uint32_t uiType = 0);
    void Put(const wchar_t* text, const String& tag, uint32_t uiType = 0) { Put(String(text), tag, uiType); }
    void Put(bool value, const String& tag, uint32_t uiType = 0);
    void Put(uint32_t number, const String& tag, uint32_t uiType = 0);
    void PutEnum(uint32_t value, const NameTable& table, const String& tag, uint32_t uiType = 0);
    void PutEnum(int32_t value, const SignedNameTable& table, const String& tag, uint32_t uiType = 0);
    void PutBitArray(uint32_t bits, const NameTable& table, const String& tag, uint32_t uiType = 0);
};

class XmlSerializeSingleWriter : public XmlSerializeWriter {
public:
    XmlSerializeSingleWriter(const String& rootTag, const String& attrName, const String& attrValue);
    ~XmlSerializeSingleWriter() override;
    // Always the one document, whatever the type.
    OXmlFile& GetFile(uint32_t uiType) override;
    void WriteToStream(std::wostream& stream);
};

// Reads documents of the types it was given, through the same addressing.
class XmlSerializeReader : public XmlSerializer {
public:
    XmlSerializeReader(const String& rootTag, const String& attrName, const String& attrValue,
                       const String& schemaLocation = String());
    ~XmlSerializeReader() override;
    virtual IXmlFile& GetFile(uint32_t uiType);

    // The document of `uiType` from text or from a file; parse failures raise
    // util::InvalidFormatEx.
    void LoadText(uint32_t uiType, const String& text);
    void LoadFile(uint32_t uiType, const String& fileName);

    bool GetStringAtTag(String& value, const String& tag, uint32_t uiType, bool mustExist);
    bool Get(String& value, const String& tag, uint32_t uiType, bool mustExist);
    bool Get(bool& value, const String& tag, uint32_t uiType, bool mustExist);
    bool GetEnum(uint32_t& value, const NameTable& table, const String& tag, uint32_t uiType, bool mustExist);
    bool GetAsBitArrayString(uint32_t& bits, const NameTable& table, const String& tag, uint32_t uiType,
                             bool mustExist);
    void GetAsBitArrayStringNoFail(uint32_t& bits, uint32_t defaultBits, const NameTable& table, const String& tag,
                                   uint32_t uiType);
    // util::ParseEx: "Cannot parse "<text>" as <kind> for tag <path><tag>>."
    [[noreturn]] void ThrowParseError(const String& kind, const String& text, const String& tag) const;
};

}  // namespace util
