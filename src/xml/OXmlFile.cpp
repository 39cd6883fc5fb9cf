#include <new>

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "xml/TextCodec.h"
#include "xml/XmlFile.h"

namespace util {

namespace {

// A node that could not be appended means memory ran out.
pug::xml_node Check(pug::xml_node node) {
    if (node.empty()) throw std::bad_alloc();
    return node;
}

}  // namespace

OXmlFile::OXmlFile(const String& fileName) : XmlFile(fileName) {
    pug::xml_node decl = Check(GetDocument().append_child(pug::node_pi));
    decl.name(L"xml");
    if (decl.append_attribute(L"version", L"1.0").empty()) throw std::bad_alloc();
    declaration_ = std::make_unique<pug::xml_node>(decl);
}

OXmlFile::~OXmlFile() = default;

bool OXmlFile::FindInvalidXMLChars(const String& text) { return text.find_first_of(L"<>") != String::npos; }

void OXmlFile::Put(const XmlPath& path, const String& rsParam, const String& rsValue) {
    UTIL_TRY
    // Copied only when there is something to escape.
    String escaped;
    const String* value = &rsValue;
    if (FindInvalidXMLChars(rsValue)) {
        escaped = rsValue;
        escaped.ReplaceSubString(L">", L"&gt;");
        escaped.ReplaceSubString(L"<", L"&lt;");
        value = &escaped;
    }
    if (FindInvalidXMLChars(rsParam)) {
        UTIL_RAISE(InvalidFormatEx, L"util::OXmlFile::Put",
                   ex.Stream() << L"XML data must not contain < or > rsParam=\"" << rsParam << L"\", rsValue=\""
                               << rsValue << L"\"");
    }
    // Our reader refuses a document holding such a character, so it is never
    // written. The value may be a key: only the position is told.
    if (size_t at = FindNonXmlChar(rsValue); at != String::npos) {
        UTIL_RAISE(InvalidFormatEx, L"util::OXmlFile::Put",
                   ex.Stream() << L"XML data must not contain a character XML cannot hold, rsParam=\"" << rsParam
                               << L"\", at " << at);
    }
    CursorUpTo(GetCommonPathLen(path));
    while (cursorPath_.Size() < path.Size()) {
        const XmlPath::Element& element = path[cursorPath_.Size()];
        pug::xml_node child = Check(cursor_->append_child(pug::node_element));
        if (!child.name(element.name.c_str())) throw std::bad_alloc();
        for (const auto& [name, attrValue] : element.attributes) {
            if (!name.empty() && child.append_attribute(name.c_str(), attrValue.c_str()).empty()) {
                throw std::bad_alloc();
            }
        }
        *cursor_ = child;
        cursorPath_.Push(element);
    }
    if (rsParam.empty()) return;
    pug::xml_node leaf = Check(cursor_->append_child(pug::node_element));
    if (!leaf.name(rsParam.c_str())) throw std::bad_alloc();
    if (!value->empty() && !Check(leaf.append_child(pug::node_pcdata)).value(value->c_str())) throw std::bad_alloc();
    UTIL_CATCH_CHAIN(L"util::OXmlFile::Put")
}

void OXmlFile::WriteToStream(std::wostream& stream) {
    UTIL_TRY
    if (!declaration_->attribute(L"encoding", true).set_value(L"UTF-8")) throw std::bad_alloc();
    stream << GetDocument();
    UTIL_CATCH_CHAIN(L"util::OXmlFile::WriteToStream")
}

}  // namespace util
