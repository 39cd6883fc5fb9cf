// A path of elements, outermost first, each with its attributes in
// insertion order. Addresses values in util::OXmlFile and util::IXmlFile.
#pragma once

#include <ostream>
#include <utility>
#include <vector>

#include "foundation/String.h"

namespace util {

class XmlPath {
public:
    using Attribute = std::pair<String, String>;  // name, value
    using AttributeList = std::vector<Attribute>;

    struct Element {
        String name;
        // An attribute with an empty name is carried but never written.
        AttributeList attributes;

        // Same name and the same attributes in the same order.
        bool operator==(const Element& other) const;
    };

    void Push(const String& name, const String& attrName = String(), const String& attrValue = String());
    void Push(const String& name, const AttributeList& attributes);
    void Push(const Element& element);
    // Does nothing on an empty path.
    void Pop();

    size_t Size() const { return elements_.size(); }
    bool Empty() const { return elements_.empty(); }
    const Element& operator[](size_t index) const { return elements_[index]; }

private:
    std::vector<Element> elements_;
};

// "<name attr=value ...>" for each element, values unquoted.
std::wostream& operator<<(std::wostream& os, const XmlPath& path);

}  // namespace util
