// Fills a document tree from XML text.
#pragma once

#include "foundation/String.h"
#include "xml/PugXml.h"

namespace util {

class XmlReader {
public:
    // Deepest element nesting accepted; deeper text is refused, so that no
    // later walk of the tree can run out of stack.
    static constexpr size_t kMaxDepth = 256;

    // Appends the content of `text` to the document of `doc`, which should be
    // empty. Elements, attributes, text, the declaration, other processing
    // instructions, comments and CDATA are kept; entity and character
    // references are replaced. Whitespace between elements is dropped; an
    // element holding only whitespace keeps it. Malformed text raises
    // util::InvalidFormatEx naming the line and column (both from 1).
    static void Parse(const String& text, pug::xml_parser& doc);
};

}  // namespace util
