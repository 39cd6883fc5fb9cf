#include <gtest/gtest.h>

#include <sstream>

#include "TestSupport.h"
#include "xml/PugXml.h"
#include "xml/XmlReader.h"

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
    root.append_child(pug::node_comment).value(L" c ");
    root.append_child(pug::node_cdata).value(L"<raw>");
    root.append_child(pug::node_element);  // never named

    EXPECT_EQ(Write(doc.document()), L"<?xml version=\"1.0\"?>\n<root a=\"1\" flag>\n\t<leaf>x</leaf>\n\t<inner>\n"
                                     L"\t\t<empty/>\n\t\t<blank></blank>\n\t\t\n\t</inner>\n\t<!-- c -->\n"
                                     L"\t<![CDATA[<raw>]]>\n\t<anonymous/>\n</root>\n");
    EXPECT_EQ(Write(inner), L"<inner>\n\t<empty/>\n\t<blank></blank>\n\t\n</inner>\n");
    EXPECT_EQ(Write(pug::xml_node()), L"");
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

    pug::xml_node up = Element(e, L"c");
    EXPECT_TRUE(up.moveto_parent());
    EXPECT_EQ(up, e);
    EXPECT_EQ(document.children(), 2u);
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
    // Found again rather than added twice, and appended: the file's declaration (OXmlFile).
    EXPECT_STREQ(e.attribute(L"encoding", true).value(), L"");
}

TEST(PugMatch, Wildcards) {
    struct Row { const wchar_t* pattern; const wchar_t* name; bool match; };
    const Row rows[] = {
        {L"name", L"name", true},  {L"name", L"Name", false},   {L"name", L"names", false}, {L"n*", L"n", true},
        {L"*e", L"name", true},    {L"*x*", L"name", false},    {L"n?me", L"nime", true},   {L"n?me", L"nme", false},
        {L"a*b*c", L"aXbYbZc", true}, {L"a*b*c", L"aXbYc_", false}, {L"[a-c]x", L"bx", true}, {L"[a-c]x", L"dx", false},
        {L"[!a-c]x", L"dx", true}, {L"[!a-c]x", L"ax", false}, {L"[xyz]", L"y", true},     {L"[]]", L"]", true},
        {L"[ab", L"[ab", true},    {L"**", L"", true},          {L"", L"", true},           {L"", L"a", false},
        {L"?", L"", false}};
    for (const auto& r : rows) EXPECT_EQ(pug::name_matches(r.pattern, r.name), r.match) << r.pattern << " " << r.name;
    EXPECT_FALSE(pug::name_matches(nullptr, L"a"));
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

std::wstring Reread(const std::wstring& text) {
    pug::xml_parser doc;
    util::XmlReader::Parse(text, doc);
    return Write(doc.document());
}

TEST(XmlReader, ReadsEveryKindAndWritesItBack) {
    const std::wstring text =
        L"\xFEFF<?xml version=\"1.0\" encoding='UTF-8'?>\r\n"
        L"<!-- head -->\n"
        L"<?style type=\"a\" ?>\n"
        L"<r a=\"1 &amp; &lt;2&gt;\" b='&quot;&apos;'>\n"
        L"  <t>x &amp; y &#65;&#x42;&#x1F600; &unknown z &</t>\n"
        L"  <e/><e2 ></e2 >\n"
        L"  <s>  </s>\n"
        L"  <c><![CDATA[<not markup> & ]]></c>\n"
        L"  <m> one <b/> <!--c--> two</m>\n"  // mixed content: text kept whole, blank runs dropped
        L"</r>\n";
    const std::wstring smile =
        sizeof(wchar_t) == 2 ? std::wstring(L"\xD83D\xDE00") : std::wstring(1, static_cast<wchar_t>(0x1F600));
    EXPECT_EQ(Reread(text), L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- head -->\n<?style type=\"a\"?>\n"
                            L"<r a=\"1 & <2>\" b=\"\"'\">\n\t<t>x & y AB" + smile + L" &unknown z &</t>\n"
                            L"\t<e/>\n\t<e2/>\n\t<s>  </s>\n\t<c>\n\t\t<![CDATA[<not markup> & ]]>\n\t</c>\n"
                            L"\t<m>\n\t\t one \n\t\t<b/>\n\t\t<!--c-->\n\t\t two\n\t</m>\n</r>\n");
}

TEST(XmlReader, RefusesMalformedTextNamingLineAndColumn) {
    struct Row { const wchar_t* text; int line, column; const wchar_t* what; };
    const Row rows[] = {
        {L"", 1, 1, L"no root element."}, {L"   \n  ", 2, 3, L"no root element."},
        {L"<a>", 1, 4, L"the element <a> is not closed."}, {L"<a></b>", 1, 4, L"the end tag </b> does not match <a>."},
        {L"<a>\n  <b>\n  </a>", 3, 3, L"the end tag </a> does not match <b>."},
        {L"<a/><b/>", 1, 5, L"a second root element."}, {L"x<a/>", 1, 1, L"text outside the root element."},
        {L"<a/>\ntext", 2, 1, L"text outside the root element."}, {L"</a>", 1, 1, L"an end tag without a start tag."},
        {L"<a b=1/>", 1, 6, L"expected a quoted attribute value."},
        {L"<a b=\"1\" b=\"2\"/>", 1, 10, L"a repeated attribute b."},
        {L"<a b=\"1\"c=\"2\"/>", 1, 9, L"expected white space before an attribute."},
        {L"<a b=\"x<y\"/>", 1, 8, L"\"<\" in an attribute value."},
        {L"<a b=\"open/>", 1, 6, L"the attribute value is not closed."},
        {L"<a b/>", 1, 5, L"expected \"=\" after the attribute name."}, {L"<1a/>", 1, 2, L"expected an element name."},
        {L"<a>&bogus;</a>", 1, 4, L"unknown entity &bogus;."},
        {L"<a>&#xZZ;</a>", 1, 4, L"a malformed character reference."},
        {L"<a>&#;</a>", 1, 4, L"an empty character reference."},
        {L"<a>&#0;</a>", 1, 4, L"a character reference to a character that XML does not allow."},
        {L"<a>&#x110000;</a>", 1, 4, L"a character reference out of range."},
        {L"<a>\x01</a>", 1, 4, L"a character that XML does not allow."},
        {L"<a><!-- x -- y --></a>", 1, 4, L"\"--\" inside a comment."},
        {L"<a><!-- open", 1, 4, L"the comment is not closed."},
        {L"<a><![CDATA[x</a>", 1, 4, L"the CDATA section is not closed."},
        {L"<!DOCTYPE a><a/>", 1, 1, L"document type declarations are not supported."},
        {L"<a/><?xml version=\"1.0\"?>", 1, 5, L"an XML declaration that is not at the start."},
        {L"<?xml encoding=\"UTF-8\"?><a/>", 1, 1, L"the declaration has no version."},
        {L"<?xml version=\"1.0\"><a/>", 1, 20, L"expected \"?>\" to end the declaration."},
        {L"<?pi", 1, 1, L"the processing instruction is not closed."}, {L"<a", 1, 3, L"the tag is not closed."},
        {L"<a></a", 1, 7, L"expected \">\" to end the end tag."},
        {L"<![CDATA[x]]><a/>", 1, 1, L"CDATA outside the root element."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "input: " << r.text);
        pug::xml_parser doc;
        auto ex = test::ExpectThrows<util::InvalidFormatEx>([&] { util::XmlReader::Parse(r.text, doc); });
        test::ExpectEntry(ex, 0, L"class util::InvalidFormatEx", L"util::XmlReader::Parse",
                          L"Data format is invalid. Line " + std::to_wstring(r.line) + L", column " +
                              std::to_wstring(r.column) + L": " + r.what, 0);
    }
}

TEST(XmlReader, BoundsTheNesting) {
    std::wstring open, close;
    for (size_t i = 0; i < util::XmlReader::kMaxDepth; ++i) {
        open += L"<d>";
        close += L"</d>";
    }
    pug::xml_parser doc, deepDoc;
    EXPECT_NO_THROW(util::XmlReader::Parse(open + close, doc));
    auto ex = test::ExpectThrows<util::InvalidFormatEx>([&] { util::XmlReader::Parse(open + L"<d>", deepDoc); });
    EXPECT_NE(ex.GetFirstEntry().message.find(L"nested too deeply"), std::wstring::npos);
}

}  // namespace
