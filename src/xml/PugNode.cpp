// Node and attribute records: allocation, growth and the handle operations.
#include <cwchar>
#include <new>

#include "xml/PugXml.h"

namespace pug {

namespace {

// A copy of `text` in a new block; null when memory runs out.
wchar_t* duplicate(const wchar_t* text) noexcept {
    size_t n = std::wcslen(text);
    wchar_t* copy = new (std::nothrow) wchar_t[n + 1];
    if (copy != nullptr) std::wmemcpy(copy, text, n + 1);
    return copy;
}

// Replaces an owned (or borrowed) string with a copy of `text`.
bool assign(wchar_t*& target, bool& insitu, const wchar_t* text) noexcept {
    if (text == nullptr) return false;
    wchar_t* copy = duplicate(text);
    if (copy == nullptr) return false;
    if (!insitu) delete[] target;
    target = copy;
    insitu = false;
    return true;
}

void release(wchar_t*& text, bool insitu) noexcept {
    if (!insitu) delete[] text;
    text = nullptr;
}

bool has_children(xml_node_type type) {
    return type == node_document || type == node_element || type == node_doctype;
}

bool has_attributes(xml_node_type type) {
    return !(type == node_document || type == node_pcdata || type == node_cdata || type == node_comment ||
             type == node_include);
}

// Grows an array by exactly one slot when it is full.
template <class T>
bool make_room(T**& array, size_t count, size_t& space) noexcept {
    if (count < space) return true;
    T** grown = new (std::nothrow) T*[space + 1];
    if (grown == nullptr) return false;
    for (size_t i = 0; i < count; ++i) grown[i] = array[i];
    delete[] array;
    array = grown;
    space += 1;
    return true;
}

xml_node_struct* new_node(xml_node_type type, xml_node_struct* parent) noexcept {
    xml_node_struct* node = new (std::nothrow) xml_node_struct;
    if (node == nullptr) return nullptr;
    node->type = type;
    node->parent = parent == nullptr ? node : parent;
    if (has_children(type)) node->child = new (std::nothrow) xml_node_struct*[node->child_space = 1];
    if (has_attributes(type)) node->attribute = new (std::nothrow) xml_attribute_struct*[node->attribute_space = 1];
    if ((has_children(type) && node->child == nullptr) || (has_attributes(type) && node->attribute == nullptr)) {
        delete[] node->child;
        delete[] node->attribute;
        delete node;
        return nullptr;
    }
    return node;
}

void free_node(xml_node_struct* node) noexcept {
    for (size_t i = 0; i < node->attributes; ++i) {
        xml_attribute_struct* a = node->attribute[i];
        release(a->name, a->name_insitu);
        release(a->value, a->value_insitu);
        delete a;
    }
    delete[] node->attribute;
    delete[] node->child;
    release(node->name, node->name_insitu);
    release(node->value, node->value_insitu);
    delete node;
}

}  // namespace

void free_tree(xml_node_struct* root) noexcept {
    if (root == nullptr) return;
    // Walk down through the last child each time; a node is freed once its
    // children are gone, then its parent forgets it.
    xml_node_struct* node = root;
    for (;;) {
        if (node->children > 0) {
            node = node->child[node->children - 1];
            continue;
        }
        xml_node_struct* parent = node->parent;
        bool last = node == root;
        free_node(node);
        if (last) return;
        parent->children -= 1;
        node = parent;
    }
}

xml_parser::xml_parser() : root_(new_node(node_document, nullptr)) {
    if (root_ == nullptr) throw std::bad_alloc();
}

xml_parser::~xml_parser() { free_tree(root_); }

xml_attribute::~xml_attribute() = default;

const wchar_t* xml_attribute::name() const { return has_name() ? attr_->name : L""; }
const wchar_t* xml_attribute::value() const { return has_value() ? attr_->value : L""; }

bool xml_attribute::set_value(const wchar_t* text) {
    return attr_ != nullptr && assign(attr_->value, attr_->value_insitu, text);
}

xml_node xml_node::xml_node_iterator::operator*() const { return xml_node(parent_->child[index_]); }

xml_node::~xml_node() = default;

bool xml_node::moveto_parent() {
    if (empty() || type_document()) return false;
    node_ = node_->parent;
    return true;
}

xml_node xml_node::parent() const {
    xml_node up(*this);
    return up.moveto_parent() ? up : xml_node();
}

const wchar_t* xml_node::name() const { return has_name() ? node_->name : L""; }
const wchar_t* xml_node::value() const { return has_value() ? node_->value : L""; }

bool xml_node::name(const wchar_t* text) {
    if (!type_element() && !type_pi()) return false;
    return assign(node_->name, node_->name_insitu, text);
}

bool xml_node::value(const wchar_t* text) {
    if (!type_pcdata() && !type_cdata() && !type_comment()) return false;
    return assign(node_->value, node_->value_insitu, text);
}

xml_node xml_node::append_child(xml_node_type type) {
    if (!type_document() && !type_element()) return xml_node();
    if (type == node_null || type == node_document) return xml_node();
    if (!make_room(node_->child, node_->children, node_->child_space)) return xml_node();
    xml_node_struct* child = new_node(type, node_);
    if (child == nullptr) return xml_node();
    node_->child[node_->children++] = child;
    return xml_node(child);
}

xml_attribute xml_node::append_attribute(const wchar_t* attr_name, const wchar_t* attr_value) {
    if (attr_value == nullptr) return xml_attribute();
    xml_attribute added = append_attribute(attr_name);
    if (!added.empty() && !added.set_value(attr_value)) return xml_attribute();  // keeps the bare name
    return added;
}

xml_attribute xml_node::append_attribute(const wchar_t* attr_name) {
    if (empty() || attr_name == nullptr) return xml_attribute();
    if (!make_room(node_->attribute, node_->attributes, node_->attribute_space)) return xml_attribute();
    xml_attribute_struct* attr = new (std::nothrow) xml_attribute_struct;
    if (attr == nullptr) return xml_attribute();
    if (!assign(attr->name, attr->name_insitu, attr_name)) {
        delete attr;
        return xml_attribute();
    }
    node_->attribute[node_->attributes++] = attr;
    return xml_attribute(attr);
}

xml_attribute xml_node::attribute(const wchar_t* pattern) const {
    if (node_ == nullptr || pattern == nullptr) return xml_attribute();
    for (size_t i = 0; i < node_->attributes; ++i) {
        xml_attribute_struct* a = node_->attribute[i];
        if (a->name != nullptr && name_matches(pattern, a->name)) return xml_attribute(a);
    }
    return xml_attribute();
}

xml_attribute xml_node::attribute(const wchar_t* attr_name, bool create) {
    xml_attribute found = attribute(attr_name);
    if (!found.empty() || !create) return found;
    return append_attribute(attr_name, L"");
}

xml_attribute xml_node::attribute_at(size_t index) const {
    if (index >= attributes()) return xml_attribute();
    return xml_attribute(node_->attribute[index]);
}

xml_node xml_node::child(size_t index) const {
    if (index >= children()) return xml_node();
    return xml_node(node_->child[index]);
}

}  // namespace pug
