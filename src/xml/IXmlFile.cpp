#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "xml/TextCodec.h"
#include "xml/XmlFile.h"
#include "xml/XmlReader.h"

namespace util {

IXmlFile::IXmlFile(const String& fileName) : XmlFile(fileName) {}

IXmlFile::~IXmlFile() = default;

void IXmlFile::Load(const String& text) {
    UTIL_TRY
    auto document = std::make_unique<pug::xml_parser>();
    XmlReader::Parse(text, *document);
    ResetDocument(std::move(document));
    UTIL_CATCH_CHAIN(L"util::IXmlFile::Load")
}

void IXmlFile::LoadFile(const String& fileName) {
    UTIL_TRY
    std::ifstream in(std::filesystem::path(static_cast<const std::wstring&>(fileName)), std::ios::binary);
    std::vector<char> bytes;
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        UTIL_RAISE(IOEx, L"util::IXmlFile::LoadFile", ex.Stream() << L"Cannot read file " << fileName << L".");
    }
    Load(DecodeText(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
    fileName_ = fileName;
    UTIL_CATCH_CHAIN(L"util::IXmlFile::LoadFile")
}

bool IXmlFile::FindChild(const pug::xml_node& node, const XmlPath::Element& element, pug::xml_node& found) {
    UTIL_TRY
    for (pug::xml_node child : node) {
        if (!child.type_element() || !pug::name_matches(element.name.c_str(), child.name())) continue;
        bool contradicts = false;
        for (const auto& [name, value] : element.attributes) {
            if (name.empty()) continue;
            pug::xml_attribute a = child.attribute(name.c_str());
            if (!a.empty() && value != a.value()) contradicts = true;
        }
        if (!contradicts) {
            found = child;
            return true;
        }
    }
    return false;
    UTIL_CATCH_CHAIN(L"util::IXmlFile::FindChild")
}

bool IXmlFile::FindChild(const pug::xml_node& node, const String& name, pug::xml_node& found) {
    UTIL_TRY
    return FindChild(node, XmlPath::Element{name, {}}, found);
    UTIL_CATCH_CHAIN(L"util::IXmlFile::FindChild")
}

bool IXmlFile::GetValue(const XmlPath& path, const String& rsParam, String& rsValue) {
    UTIL_TRY
    CursorUpTo(GetCommonPathLen(path));
    while (cursorPath_.Size() < path.Size()) {
        const XmlPath::Element& element = path[cursorPath_.Size()];
        pug::xml_node match;
        if (!FindChild(*cursor_, element, match)) return false;
        cursorPath_.Push(element);
        *cursor_ = match;
    }
    pug::xml_node leaf;
    if (!FindChild(*cursor_, rsParam, leaf)) return false;
    // The reader has replaced every reference already; unescaping again
    // would read "&amp;lt;" as "<".
    String value;
    for (pug::xml_node child : leaf) {
        if (child.type_pcdata() || child.type_cdata()) {
            value = child.value();
            break;
        }
    }
    rsValue.swap(value);
    return true;
    UTIL_CATCH_CHAIN(L"util::IXmlFile::GetValue")
}

void IXmlFile::Get(const XmlPath& path, const String& rsParam, String& rsValue) {
    UTIL_TRY
    if (!GetValue(path, rsParam, rsValue)) {
        UTIL_RAISE(InvalidFormatEx, L"util::IXmlFile::Get",
                   ex.Stream() << L"Cannot find element " << path << L"<" << rsParam << L"> in file " << fileName_
                               << L".");
    }
    UTIL_CATCH_CHAIN(L"util::IXmlFile::Get")
}

}  // namespace util
