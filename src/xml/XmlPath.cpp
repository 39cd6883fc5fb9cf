#include "xml/XmlPath.h"

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

namespace util {

bool XmlPath::Element::operator==(const Element& other) const {
    return name == other.name && attributes == other.attributes;
}

void XmlPath::Push(const String& name, const String& attrName, const String& attrValue) {
    UTIL_TRY
    Element element{name, {}};
    if (!attrName.empty()) element.attributes.emplace_back(attrName, attrValue);
    elements_.push_back(std::move(element));
    UTIL_CATCH_CHAIN(L"util::XmlPath::Push")
}

void XmlPath::Push(const String& name, const AttributeList& attributes) {
    UTIL_TRY
    elements_.push_back(Element{name, attributes});
    UTIL_CATCH_CHAIN(L"util::XmlPath::Push")
}

void XmlPath::Push(const Element& element) {
    UTIL_TRY
    elements_.push_back(element);
    UTIL_CATCH_CHAIN(L"util::XmlPath::Push")
}

void XmlPath::Pop() {
    UTIL_TRY
    if (!elements_.empty()) elements_.pop_back();
    UTIL_CATCH_CHAIN(L"util::XmlPath::Pop")
}

std::wostream& operator<<(std::wostream& os, const XmlPath& path) {
    for (size_t i = 0; i < path.Size(); ++i) {
        os << L'<' << path[i].name;
        for (const auto& [name, value] : path[i].attributes) {
            if (!name.empty()) os << L' ' << name << L'=' << value;
        }
        os << L'>';
    }
    return os;
}

}  // namespace util
