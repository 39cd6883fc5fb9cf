// Writing a tree as text, and the indentation it uses.
#include <ostream>

#include "xml/PugXml.h"

namespace pug {

indent_stack::indent_stack(wchar_t indent_char) : indent_char_(static_cast<char16_t>(indent_char)) {}

indent_stack::~indent_stack() = default;

void indent_stack::push() {
    if (indent_char_ != 0) current_.push_back(static_cast<wchar_t>(indent_char_));
}

void indent_stack::pop() {
    if (!current_.empty()) current_.pop_back();
}

namespace {

void write_attributes(std::wostream& os, const xml_node& node) {
    for (size_t i = 0; i < node.attributes(); ++i) {
        xml_attribute a = node.attribute_at(i);
        if (!a.has_name()) continue;
        os << L' ' << a.name();
        if (a.has_value()) os << L"=\"" << a.value() << L'"';
    }
}

const wchar_t* dtd_opening(xml_node_type type) {
    switch (type) {
        case node_dtd_entity: return L"<!ENTITY ";
        case node_dtd_attlist: return L"<!ATTLIST ";
        case node_dtd_element: return L"<!ELEMENT ";
        default: return L"<!NOTATION ";
    }
}

bool is_dtd_part(xml_node_type type) {
    return type == node_dtd_entity || type == node_dtd_attlist || type == node_dtd_element ||
           type == node_dtd_notation;
}

}  // namespace

void xml_node::outer_xml(std::wostream& os, wchar_t indent_char, bool breaks) const {
    if (empty()) return;
    indent_stack indent(indent_char);
    if (type_document()) {
        for (xml_node c : *this) c.write(os, indent, breaks);
    } else {
        write(os, indent, breaks);
    }
}

void xml_node::write(std::wostream& os, indent_stack& indent, bool breaks) const {
    if (!os.good()) return;
    os << indent.str();
    const xml_node_type kind = type();
    switch (kind) {
        case node_element:
        case node_pi: {
            os << L'<';
            if (kind == node_pi) os << L'?';
            os << (has_name() ? name() : L"anonymous");
            write_attributes(os, *this);
            if (kind == node_pi) {
                os << L"?>";
            } else if (children() == 0) {
                os << L"/>";
            } else {
                os << L'>';
                xml_node first = child(0);
                if (children() == 1 && first.type_pcdata()) {
                    if (first.has_value()) os << first.value();
                } else {
                    if (breaks) os << L'\n';
                    indent.push();
                    for (xml_node c : *this) c.write(os, indent, breaks);
                    indent.pop();
                    os << indent.str();
                }
                os << L"</" << (has_name() ? name() : L"anonymous") << L'>';
            }
            break;
        }
        case node_pcdata:
            if (has_value()) os << value();
            break;
        case node_cdata:
            if (has_value()) os << L"<![CDATA[" << value() << L"]]>";
            break;
        case node_comment:
            if (has_value()) os << L"<!--" << value() << L"-->";
            break;
        case node_include:
            if (has_value()) os << L"<![INCLUDE[" << value() << L"]]>";
            break;
        case node_dtd_entity:
        case node_dtd_attlist:
        case node_dtd_element:
        case node_dtd_notation:
            os << dtd_opening(kind) << name();
            if (has_value()) os << L' ' << value();
            os << L'>';
            break;
        case node_doctype: {
            os << L"<!DOCTYPE";
            for (size_t i = 0; i < attributes(); ++i) {
                xml_attribute a = attribute_at(i);
                if (a.has_name()) {
                    os << L' ' << a.name();
                } else {
                    os << L" \"" << a.value() << L'"';
                }
            }
            if (children() > 0) {
                os << (breaks ? L"\n[\n" : L" [ ");
                indent.push();
                for (xml_node c : *this) {
                    if (is_dtd_part(c.type())) c.write(os, indent, breaks);
                }
                indent.pop();
                os << L']';
            } else if (has_value()) {
                os << L" [" << value() << L']';
            }
            os << L'>';
            break;
        }
        default:
            break;
    }
    if (breaks) {
        os << std::endl;
    } else {
        os.flush();
    }
}

std::wostream& operator<<(std::wostream& os, const xml_node& node) {
    const bool plain = (os.flags() & ~std::ios_base::skipws) == std::ios_base::fmtflags{};
    if (plain) {
        node.outer_xml(os, 0, false);
    } else {
        node.outer_xml(os, L'\t', true);
    }
    return os;
}

}  // namespace pug
