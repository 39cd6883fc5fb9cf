#include "xml/XmlFile.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "foundation/DebugOutput.h"

namespace util {

XmlFile::XmlFile(const String& fileName) : fileName_(fileName) {
    ResetDocument(std::make_unique<pug::xml_parser>());
}

XmlFile::~XmlFile() {
    try {
        cursor_.reset();
        document_.reset();
    } catch (...) {
        DebugOutput(L"Exception catched.");
    }
}

void XmlFile::ResetDocument(std::unique_ptr<pug::xml_parser> document) {
    auto cursor = std::make_unique<pug::xml_node>(document->document());
    document_ = std::move(document);
    cursor_ = std::move(cursor);
    cursorPath_ = XmlPath();
}

size_t XmlFile::GetCommonPathLen(const XmlPath& path) const {
    UTIL_TRY
    size_t n = 0;
    while (n < path.Size() && n < cursorPath_.Size() && path[n] == cursorPath_[n]) ++n;
    return n;
    UTIL_CATCH_CHAIN(L"util::XmlFile::GetCommonPathLen")
}

void XmlFile::CursorUpTo(size_t length) {
    while (cursorPath_.Size() > length) {
        cursor_->moveto_parent();
        cursorPath_.Pop();
    }
}

}  // namespace util
