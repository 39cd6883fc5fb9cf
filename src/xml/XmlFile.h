// Path-addressed access to one XML document: util::OXmlFile writes values
// into a new document, util::IXmlFile finds them in a parsed one.
#pragma once

#include <memory>
#include <ostream>

#include "foundation/String.h"
#include "xml/PugXml.h"
#include "xml/XmlPath.h"

namespace util {

class XmlFile {
public:
    explicit XmlFile(const String& fileName = String());
    XmlFile(const XmlFile&) = delete;
    XmlFile& operator=(const XmlFile&) = delete;
    virtual ~XmlFile();

    // Leading elements that `path` shares with the cursor path.
    size_t GetCommonPathLen(const XmlPath& path) const;

    const String& GetFileName() const { return fileName_; }
    pug::xml_node GetDocument() const { return document_->document(); }

protected:
    // Moves the cursor up until its path has `length` elements.
    void CursorUpTo(size_t length);
    // A new, empty document with the cursor on its root.
    void ResetDocument(std::unique_ptr<pug::xml_parser> document);

    String fileName_;
    XmlPath cursorPath_;
    std::unique_ptr<pug::xml_node> cursor_;
    std::unique_ptr<pug::xml_parser> document_;
};

class OXmlFile : public XmlFile {
public:
    // The document starts with the declaration <?xml version="1.0"?>.
    explicit OXmlFile(const String& fileName = String());
    ~OXmlFile() override;

    // Writes the leaf `rsParam` holding `rsValue` below `path`, reusing the
    // open elements that the cursor path shares with `path`. An empty
    // `rsParam` only opens the path's elements.
    void Put(const XmlPath& path, const String& rsParam, const String& rsValue);
    // Sets the declaration's encoding to "UTF-8" and writes the document.
    void WriteToStream(std::wostream& stream);

    static bool FindInvalidXMLChars(const String& text);

private:
    std::unique_ptr<pug::xml_node> declaration_;
};

class IXmlFile : public XmlFile {
public:
    explicit IXmlFile(const String& fileName = String());
    ~IXmlFile() override;

    // Replaces the document by the one in `text`; on a parse failure
    // (util::InvalidFormatEx) the previous document stays.
    void Load(const String& text);
    // Reads the file (UTF-8, or UTF-16 with a byte order mark) and loads it;
    // the file name becomes the one used in messages.
    void LoadFile(const String& fileName);

    // True and `rsValue` set when the leaf is found.
    bool GetValue(const XmlPath& path, const String& rsParam, String& rsValue);
    // As GetValue; a missing leaf raises util::InvalidFormatEx.
    void Get(const XmlPath& path, const String& rsParam, String& rsValue);

    // The first element child matching the element's name whose attributes
    // do not contradict the element's.
    static bool FindChild(const pug::xml_node& node, const XmlPath::Element& element, pug::xml_node& found);
    static bool FindChild(const pug::xml_node& node, const String& name, pug::xml_node& found);
};

}  // namespace util
