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

void write_attributes(std::wstring& out, const xml_node& node) {
    for (size_t i = 0; i < node.attributes(); ++i) {
        xml_attribute a = node.attribute_at(i);
        if (!a.has_name()) continue;
        out.append(L" ").append(a.name());
        if (a.has_value()) out.append(L"=\"").append(a.value()).append(L"\"");
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

// The text is built in memory and handed to the stream in one write: the
// stream's per-insertion cost would otherwise dominate.
void xml_node::outer_xml(std::wostream& stream, wchar_t indent_char, bool breaks) const {
    if (empty() || !stream.good()) return;
    indent_stack indent(indent_char);
    std::wstring out;
    if (type_document()) {
        for (xml_node c : *this) c.write(out, indent, breaks);
    } else {
        write(out, indent, breaks);
    }
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    stream.flush();
}

void xml_node::write(std::wstring& out, indent_stack& indent, bool breaks) const {
    out += indent.str();
    const xml_node_type kind = type();
    switch (kind) {
        case node_element:
        case node_pi: {
            out.append(1, L'<');
            if (kind == node_pi) out.append(1, L'?');
            out.append(has_name() ? name() : L"anonymous");
            write_attributes(out, *this);
            if (kind == node_pi) {
                out.append(L"?>");
            } else if (children() == 0) {
                out.append(L"/>");
            } else {
                out.append(1, L'>');
                xml_node first = child(0);
                if (children() == 1 && first.type_pcdata()) {
                    if (first.has_value()) out.append(first.value());
                } else {
                    if (breaks) out.append(1, L'\n');
                    indent.push();
                    for (xml_node c : *this) c.write(out, indent, breaks);
                    indent.pop();
                    out.append(indent.str());
                }
                out.append(L"</").append(has_name() ? name() : L"anonymous").append(1, L'>');
            }
            break;
        }
        case node_pcdata:
            if (has_value()) out.append(value());
            break;
        case node_cdata:
            if (has_value()) out.append(L"<![CDATA[").append(value()).append(L"]]>");
            break;
        case node_comment:
            if (has_value()) out.append(L"<!--").append(value()).append(L"-->");
            break;
        case node_include:
            if (has_value()) out.append(L"<![INCLUDE[").append(value()).append(L"]]>");
            break;
        case node_dtd_entity:
        case node_dtd_attlist:
        case node_dtd_element:
        case node_dtd_notation:
            out.append(dtd_opening(kind)).append(name());
            if (has_value()) out.append(1, L' ').append(value());
            out.append(1, L'>');
            break;
        case node_doctype: {
            out.append(L"<!DOCTYPE");
            for (size_t i = 0; i < attributes(); ++i) {
                xml_attribute a = attribute_at(i);
                if (a.has_name()) {
                    out.append(1, L' ').append(a.name());
                } else {
                    out.append(L" \"").append(a.value()).append(1, L'"');
                }
            }
            if (children() > 0) {
                out.append(breaks ? L"\n[\n" : L" [ ");
                indent.push();
                for (xml_node c : *this) {
                    if (is_dtd_part(c.type())) c.write(out, indent, breaks);
                }
                indent.pop();
                out.append(1, L']');
            } else if (has_value()) {
                out.append(L" [").append(value()).append(1, L']');
            }
            out.append(1, L'>');
            break;
        }
        default:
            break;
    }
    if (breaks) out += L'\n';
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
