// The in-memory XML document tree: node and attribute records owned by an
// xml_parser, light handles onto them, and the indented text writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace pug {

enum xml_node_type : uint32_t {
    node_null = 0,
    node_document = 1,
    node_element = 2,
    node_pcdata = 3,
    node_cdata = 4,
    node_comment = 5,
    node_pi = 6,
    node_include = 7,
    node_doctype = 8,
    node_dtd_entity = 9,
    node_dtd_attlist = 10,
    node_dtd_element = 11,
    node_dtd_notation = 12,
};

struct xml_attribute_struct {
    wchar_t* name = nullptr;
    bool name_insitu = false;  // the name is not owned
    wchar_t* value = nullptr;
    bool value_insitu = false;  // the value is not owned
};

struct xml_node_struct {
    xml_node_struct* parent = nullptr;  // the document points to itself
    wchar_t* name = nullptr;
    bool name_insitu = false;
    xml_node_type type = node_null;
    size_t attributes = 0;
    size_t attribute_space = 0;
    xml_attribute_struct** attribute = nullptr;
    size_t children = 0;
    size_t child_space = 0;
    xml_node_struct** child = nullptr;
    wchar_t* value = nullptr;
    bool value_insitu = false;
};

// Produces the indentation while a tree is written.
class indent_stack {
public:
    explicit indent_stack(wchar_t indent_char = L'\t');
    virtual ~indent_stack();
    void push();
    void pop();
    const std::wstring& str() const { return current_; }

private:
    char16_t indent_char_;
    std::wstring current_;
};

class xml_attribute {
public:
    xml_attribute() = default;
    explicit xml_attribute(xml_attribute_struct* attr) : attr_(attr) {}
    xml_attribute(const xml_attribute&) = default;
    xml_attribute& operator=(const xml_attribute&) = default;
    virtual ~xml_attribute();

    bool empty() const { return attr_ == nullptr; }
    bool has_name() const { return attr_ != nullptr && attr_->name != nullptr; }
    bool has_value() const { return attr_ != nullptr && attr_->value != nullptr; }
    // "" when there is none.
    const wchar_t* name() const;
    const wchar_t* value() const;
    // Copies the text; false for an empty handle or when memory runs out.
    bool set_value(const wchar_t* value);

private:
    xml_attribute_struct* attr_ = nullptr;
};

class xml_node {
public:
    class xml_node_iterator {
    public:
        xml_node_iterator(xml_node_struct* parent, size_t index) : parent_(parent), index_(index) {}
        xml_node operator*() const;
        xml_node_iterator& operator++() {
            ++index_;
            return *this;
        }
        bool operator==(const xml_node_iterator& other) const {
            return parent_ == other.parent_ && index_ == other.index_;
        }
        bool operator!=(const xml_node_iterator& other) const { return !(*this == other); }

    private:
        xml_node_struct* parent_;
        size_t index_;
    };
    using iterator = xml_node_iterator;

    xml_node() = default;
    explicit xml_node(xml_node_struct* node) : node_(node) {}
    xml_node(const xml_node&) = default;
    xml_node& operator=(const xml_node&) = default;
    virtual ~xml_node();

    bool empty() const { return node_ == nullptr || node_->type == node_null; }
    bool type_document() const { return !empty() && node_->type == node_document && node_->parent == node_; }
    bool type_element() const { return !empty() && node_->type == node_element; }
    bool type_pcdata() const { return !empty() && node_->type == node_pcdata; }
    bool type_cdata() const { return !empty() && node_->type == node_cdata; }
    bool type_comment() const { return !empty() && node_->type == node_comment; }
    bool type_pi() const { return !empty() && node_->type == node_pi; }
    xml_node_type type() const { return node_ == nullptr ? node_null : node_->type; }

    // Moves this handle to the parent; false for an empty handle or the document.
    bool moveto_parent();
    xml_node parent() const;

    bool has_name() const { return node_ != nullptr && node_->name != nullptr; }
    bool has_value() const { return node_ != nullptr && node_->value != nullptr; }
    // "" when there is none.
    const wchar_t* name() const;
    const wchar_t* value() const;
    // Elements and processing instructions only.
    bool name(const wchar_t* text);
    // Character data, CDATA and comments only.
    bool value(const wchar_t* text);

    // On a document or an element only; the new last child, else empty.
    xml_node append_child(xml_node_type type);
    // Both must be non-null; the new last attribute, else empty.
    xml_attribute append_attribute(const wchar_t* name, const wchar_t* value);
    // An attribute that has a name and no value (written as the name alone).
    xml_attribute append_attribute(const wchar_t* name);
    // The first attribute whose name matches the pattern, else empty.
    xml_attribute attribute(const wchar_t* pattern) const;
    // The found attribute, or a new one with this name and an empty value.
    xml_attribute attribute(const wchar_t* name, bool create);
    size_t attributes() const { return node_ == nullptr ? 0 : node_->attributes; }
    xml_attribute attribute_at(size_t index) const;

    size_t children() const { return node_ == nullptr ? 0 : node_->children; }
    xml_node child(size_t index) const;
    iterator begin() const { return iterator(node_, 0); }
    iterator end() const { return iterator(node_, children()); }

    // Writes the node (the document: its children) as text; indent 0 means
    // no indentation.
    void outer_xml(std::wostream& os, wchar_t indent_char = L'\t', bool breaks = true) const;

    bool operator==(const xml_node& other) const { return node_ == other.node_; }
    bool operator!=(const xml_node& other) const { return node_ != other.node_; }

private:
    void write(std::wstring& out, indent_stack& indent, bool breaks) const;
    xml_node_struct* node_ = nullptr;
};

// TAB indentation and line breaks, unless every format flag but skipws is
// clear: then one line without indentation.
std::wostream& operator<<(std::wostream& os, const xml_node& node);

// Wildcard match: "*" any run, "?" any one character, "[a-z]" a set, "[!..]"
// its complement; other characters match themselves.
bool name_matches(const wchar_t* pattern, const wchar_t* name);

// Owns one document tree.
class xml_parser {
public:
    xml_parser();
    xml_parser(const xml_parser&) = delete;
    xml_parser& operator=(const xml_parser&) = delete;
    virtual ~xml_parser();

    xml_node document() const { return xml_node(root_); }

private:
    xml_node_struct* root_;
};

// Frees a whole tree, children first, without recursion.
void free_tree(xml_node_struct* root) noexcept;

}  // namespace pug
