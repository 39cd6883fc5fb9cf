// Feeds arbitrary bytes to the reader twice: as encoded file content through
// util::IXmlFile, and as raw wide characters straight into the tree. Refusals
// are expected; crashes, leaks and out-of-bounds reads are not.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>

#include "foundation/ExceptionTypes.h"
#include "xml/TextCodec.h"
#include "xml/XmlFile.h"
#include "xml/XmlReader.h"

namespace {

void ThroughFile(const uint8_t* data, size_t size) {
    util::IXmlFile file(L"fuzz");
    try {
        file.Load(util::DecodeText(data, size));
    } catch (const util::InvalidFormatEx&) {
        return;
    }
    util::XmlPath path;
    path.Push(L"*");
    util::String value;
    file.GetValue(path, L"*", value);
    path.Push(L"[a-z]*", L"id", L"1");
    file.GetValue(path, L"?", value);
}

void ThroughTree(const uint8_t* data, size_t size) {
    util::String text(size / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), data, text.size() * sizeof(wchar_t));
    pug::xml_parser doc;
    try {
        util::XmlReader::Parse(text, doc);
    } catch (const util::InvalidFormatEx&) {
        return;
    }
    std::wostringstream out;
    out << doc.document();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ThroughFile(data, size);
    ThroughTree(data, size);
    return 0;
}
