#include <gtest/gtest.h>

#include <sstream>

#include "xml/PugXml.h"

namespace {

std::wstring Write(const pug::xml_node& node) {
    std::wostringstream s;
    s << node;
    return s.str();
}

pug::xml_node Element(pug::xml_node parent, const wchar_t* name) {
    pug::xml_node e = parent.append_child(pug::node_element);
    e.name(name);
    return e;
}

pug::xml_node Text(pug::xml_node parent, const wchar_t* text) {
    pug::xml_node t = parent.append_child(pug::node_pcdata);
    t.value(text);
    return t;
}

TEST(PugWriter, LayoutOfNestedElements) {
    pug::xml_parser doc;
    pug::xml_node decl = doc.document().append_child(pug::node_pi);
    decl.name(L"xml");
    decl.append_attribute(L"version", L"1.0");
    pug::xml_node root = Element(doc.document(), L"root");
    root.append_attribute(L"a", L"1");
    root.append_attribute(L"flag");  // a name without a value
    Text(Element(root, L"leaf"), L"x");
    pug::xml_node inner = Element(root, L"inner");
    Element(inner, L"empty");
    Text(Element(inner, L"blank"), L"");
    inner.append_child(pug::node_pcdata);  // no value: writes nothing
    pug::xml_node comment = root.append_child(pug::node_comment);
    comment.value(L" c ");
    pug::xml_node cdata = root.append_child(pug::node_cdata);
    cdata.value(L"<raw>");
    root.append_child(pug::node_element);  // never named

    EXPECT_EQ(Write(doc.document()),
              L"<?xml version=\"1.0\"?>\n"
              L"<root a=\"1\" flag>\n"
              L"\t<leaf>x</leaf>\n"
              L"\t<inner>\n"
              L"\t\t<empty/>\n"
              L"\t\t<blank></blank>\n"
              L"\t\t\n"
              L"\t</inner>\n"
              L"\t<!-- c -->\n"
              L"\t<![CDATA[<raw>]]>\n"
              L"\t<anonymous/>\n"
              L"</root>\n");

    std::wostringstream plain;
    plain.flags(std::ios_base::skipws);
    plain << doc.document();
    EXPECT_EQ(plain.str(),
              L"<?xml version=\"1.0\"?><root a=\"1\" flag><leaf>x</leaf><inner><empty/><blank></blank></inner>"
              L"<!-- c --><![CDATA[<raw>]]><anonymous/></root>");

    EXPECT_EQ(Write(inner), L"<inner>\n\t<empty/>\n\t<blank></blank>\n\t\n</inner>\n");
    EXPECT_EQ(Write(pug::xml_node()), L"");
}

TEST(PugWriter, DocumentTypeWithoutChildren) {
    pug::xml_parser doc;
    pug::xml_node root = Element(doc.document(), L"r");
    pug::xml_node dt = root.append_child(pug::node_doctype);
    dt.append_attribute(L"root", L"ignored");
    std::wostringstream s;
    dt.outer_xml(s, 0, false);
    EXPECT_EQ(s.str(), L"<!DOCTYPE root>");
}

TEST(PugNode, KindRulesAndHandles) {
    pug::xml_parser doc;
    pug::xml_node document = doc.document();
    EXPECT_TRUE(document.type_document());
    EXPECT_TRUE(document.parent().empty());
    pug::xml_node copy = document;
    EXPECT_FALSE(copy.moveto_parent());

    pug::xml_node text = Text(document, L"t");
    EXPECT_TRUE(text.append_child(pug::node_element).empty());
    EXPECT_EQ(text.children(), 0u);
    EXPECT_FALSE(text.name(L"n"));
    pug::xml_node e = Element(document, L"e");
    EXPECT_FALSE(e.value(L"v"));
    EXPECT_TRUE(e.append_child(pug::node_document).empty());
    EXPECT_TRUE(e.append_attribute(L"a", nullptr).empty());
    EXPECT_TRUE(e.append_attribute(nullptr, L"v").empty());
    EXPECT_EQ(e.attributes(), 0u);

    pug::xml_node child = Element(e, L"c");
    pug::xml_node up = child;
    EXPECT_TRUE(up.moveto_parent());
    EXPECT_EQ(up, e);
    EXPECT_EQ(document.children(), 2u);
    size_t seen = 0;
    for (pug::xml_node n : document) EXPECT_EQ(n, document.child(seen++));
    EXPECT_EQ(seen, 2u);
    EXPECT_TRUE(document.child(2).empty());
    EXPECT_TRUE(pug::xml_node().parent().empty());
}

TEST(PugNode, AttributesFoundByPatternAndCreated) {
    pug::xml_parser doc;
    pug::xml_node e = Element(doc.document(), L"e");
    e.append_attribute(L"version", L"1.0");
    e.append_attribute(L"vendor", L"x");
    EXPECT_STREQ(e.attribute(L"ve?sion").value(), L"1.0");
    EXPECT_STREQ(e.attribute(L"ven*").value(), L"x");
    EXPECT_TRUE(e.attribute(L"encoding").empty());
    pug::xml_attribute created = e.attribute(L"encoding", true);
    EXPECT_STREQ(created.value(), L"");
    EXPECT_TRUE(created.set_value(L"UTF-8"));
    EXPECT_EQ(e.attribute(L"encoding", true).value(), std::wstring(L"UTF-8"));
    EXPECT_EQ(e.attributes(), 3u);
    EXPECT_STREQ(e.attribute_at(2).name(), L"encoding");
}

TEST(PugMatch, Wildcards) {
    struct Row {
        const wchar_t* pattern;
        const wchar_t* name;
        bool match;
    };
    const Row rows[] = {
        {L"name", L"name", true},     {L"name", L"Name", false},  {L"name", L"names", false},
        {L"n*", L"n", true},          {L"*e", L"name", true},     {L"*x*", L"name", false},
        {L"n?me", L"nime", true},     {L"n?me", L"nme", false},   {L"a*b*c", L"aXbYbZc", true},
        {L"a*b*c", L"aXbYc_", false}, {L"[a-c]x", L"bx", true},  {L"[a-c]x", L"dx", false},
        {L"[!a-c]x", L"dx", true},    {L"[!a-c]x", L"ax", false}, {L"[xyz]", L"y", true},
        {L"[]]", L"]", true},         {L"[ab", L"[ab", true},     {L"**", L"", true},
        {L"", L"", true},             {L"", L"a", false},         {L"?", L"", false},
    };
    for (const auto& r : rows) EXPECT_EQ(pug::name_matches(r.pattern, r.name), r.match) << r.pattern << " " << r.name;
    EXPECT_FALSE(pug::name_matches(nullptr, L"a"));
}

TEST(PugIndent, PushPopNeverBelowZero) {
    pug::indent_stack tabs;
    tabs.pop();
    EXPECT_EQ(tabs.str(), L"");
    tabs.push();
    tabs.push();
    EXPECT_EQ(tabs.str(), L"\t\t");
    tabs.pop();
    tabs.pop();
    tabs.pop();
    tabs.push();
    EXPECT_EQ(tabs.str(), L"\t");
    pug::indent_stack none(0);
    none.push();
    EXPECT_EQ(none.str(), L"");
}

TEST(PugParser, FreesDeepTreeWithoutRecursion) {
    // Deep enough that a recursive free would exhaust the stack.
    auto doc = std::make_unique<pug::xml_parser>();
    pug::xml_node n = doc->document();
    for (int i = 0; i < 300000; ++i) n = Element(n, L"d");
    Text(n, L"end");
    EXPECT_STREQ(n.child(0).value(), L"end");
    doc.reset();
}

}  // namespace
