#include "xml/XmlSerializer.h"

#include "foundation/CatchChain.h"
#include "foundation/DebugOutput.h"
#include "foundation/ExceptionTypes.h"

namespace util {

namespace {
const wchar_t kSchemaInstanceNamespace[] = L"http://www.w3.org/2001/XMLSchema-instance";
}

XmlSerializer::XmlSerializer(const String& rootTag, const String& attrName, const String& attrValue,
                             const String& schemaLocation)
    : rootTag_(rootTag), schemaLocation_(schemaLocation) {
    XmlPath::AttributeList attributes{{attrName, attrValue}};
    if (!schemaLocation.empty()) {
        attributes.emplace_back(L"xmlns:xsi", kSchemaInstanceNamespace);
        attributes.emplace_back(L"xsi:noNamespaceSchemaLocation", schemaLocation);
    }
    path_.Push(rootTag, attributes);
}

XmlSerializer::~XmlSerializer() {
    try {
        for (auto& entry : files_) entry.second.reset();
    } catch (...) {
        DebugOutput(L"Exception catched.");
    }
}

void XmlSerializer::AddFile(uint32_t uiType, std::unique_ptr<XmlFile> file) { files_[uiType] = std::move(file); }

XmlFile& XmlSerializer::GetFileFromMap(uint32_t uiType) const {
    UTIL_TRY
    auto found = files_.find(uiType);
    if (found == files_.end() || !found->second) {
        UTIL_RAISE(KeyNotFoundEx, L"util::XmlSerializer::GetFileFromMap", ex.SetParam(1, L"uiType");
                   ex.Stream() << L"uiType = " << uiType << L".");
    }
    return *found->second;
    UTIL_CATCH_CHAIN(L"util::XmlSerializer::GetFileFromMap")
}

XmlSerializer::ATagLevel::ATagLevel(XmlSerializer& serializer, const String& tag) : serializer_(&serializer) {
    UTIL_TRY
    serializer_->path_.Push(tag);
    UTIL_CATCH_CHAIN(L"util::XmlSerializer::ATagLevel::ATagLevel")
}

XmlSerializer::ATagLevel::~ATagLevel() {
    try {
        serializer_->path_.Pop();
    } catch (...) {
        DebugOutput(L"Exception catched.");
    }
}

}  // namespace util
