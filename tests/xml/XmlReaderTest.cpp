#include <gtest/gtest.h>

#include <sstream>

#include "TestSupport.h"
#include "xml/XmlReader.h"

namespace {

std::wstring Reread(const std::wstring& text) {
    pug::xml_parser doc;
    util::XmlReader::Parse(text, doc);
    std::wostringstream s;
    s << doc.document();
    return s.str();
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
        L"</r>\n";
    const std::wstring smile =
        sizeof(wchar_t) == 2 ? std::wstring(L"\xD83D\xDE00") : std::wstring(1, static_cast<wchar_t>(0x1F600));
    EXPECT_EQ(Reread(text), L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            L"<!-- head -->\n"
                            L"<?style type=\"a\"?>\n"
                            L"<r a=\"1 & <2>\" b=\"\"'\">\n"
                            L"\t<t>x & y AB" + smile + L" &unknown z &</t>\n"
                            L"\t<e/>\n"
                            L"\t<e2/>\n"
                            L"\t<s>  </s>\n"
                            L"\t<c>\n\t\t<![CDATA[<not markup> & ]]>\n\t</c>\n"
                            L"</r>\n");
}

TEST(XmlReader, MixedContentKeepsTextAndDropsBlankRuns) {
    pug::xml_parser doc;
    util::XmlReader::Parse(L"<a> one <b/> <!--c--> two</a>", doc);
    pug::xml_node a = doc.document().child(0);
    ASSERT_EQ(a.children(), 4u);
    EXPECT_STREQ(a.child(0).value(), L" one ");
    EXPECT_TRUE(a.child(1).type_element());
    EXPECT_TRUE(a.child(2).type_comment());
    EXPECT_STREQ(a.child(3).value(), L" two");
}

TEST(XmlReader, RefusesMalformedTextNamingLineAndColumn) {
    struct Row {
        const wchar_t* text;
        const wchar_t* where;
    };
    const Row rows[] = {
        {L"", L"Line 1, column 1: no root element."},
        {L"   \n  ", L"Line 2, column 3: no root element."},
        {L"<a>", L"Line 1, column 4: the element <a> is not closed."},
        {L"<a></b>", L"Line 1, column 4: the end tag </b> does not match <a>."},
        {L"<a>\n  <b>\n  </a>", L"Line 3, column 3: the end tag </a> does not match <b>."},
        {L"<a/><b/>", L"Line 1, column 5: a second root element."},
        {L"x<a/>", L"Line 1, column 1: text outside the root element."},
        {L"<a/>\ntext", L"Line 2, column 1: text outside the root element."},
        {L"</a>", L"Line 1, column 1: an end tag without a start tag."},
        {L"<a b=1/>", L"Line 1, column 6: expected a quoted attribute value."},
        {L"<a b=\"1\" b=\"2\"/>", L"Line 1, column 10: a repeated attribute b."},
        {L"<a b=\"1\"c=\"2\"/>", L"Line 1, column 9: expected white space before an attribute."},
        {L"<a b=\"x<y\"/>", L"Line 1, column 8: \"<\" in an attribute value."},
        {L"<a b=\"open/>", L"Line 1, column 6: the attribute value is not closed."},
        {L"<a b/>", L"Line 1, column 5: expected \"=\" after the attribute name."},
        {L"<1a/>", L"Line 1, column 2: expected an element name."},
        {L"<a>&bogus;</a>", L"Line 1, column 4: unknown entity &bogus;."},
        {L"<a>&#xZZ;</a>", L"Line 1, column 4: a malformed character reference."},
        {L"<a>&#;</a>", L"Line 1, column 4: an empty character reference."},
        {L"<a>&#0;</a>", L"Line 1, column 4: a character reference to a character that XML does not allow."},
        {L"<a>&#x110000;</a>", L"Line 1, column 4: a character reference out of range."},
        {L"<a>\x01</a>", L"Line 1, column 4: a character that XML does not allow."},
        {L"<a><!-- x -- y --></a>", L"Line 1, column 4: \"--\" inside a comment."},
        {L"<a><!-- open", L"Line 1, column 4: the comment is not closed."},
        {L"<a><![CDATA[x</a>", L"Line 1, column 4: the CDATA section is not closed."},
        {L"<!DOCTYPE a><a/>", L"Line 1, column 1: document type declarations are not supported."},
        {L"<a/><?xml version=\"1.0\"?>", L"Line 1, column 5: an XML declaration that is not at the start."},
        {L"<?xml encoding=\"UTF-8\"?><a/>", L"Line 1, column 1: the declaration has no version."},
        {L"<?xml version=\"1.0\"><a/>", L"Line 1, column 20: expected \"?>\" to end the declaration."},
        {L"<?pi", L"Line 1, column 1: the processing instruction is not closed."},
        {L"<a", L"Line 1, column 3: the tag is not closed."},
        {L"<a></a", L"Line 1, column 7: expected \">\" to end the end tag."},
        {L"<![CDATA[x]]><a/>", L"Line 1, column 1: CDATA outside the root element."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "input: " << r.text);
        pug::xml_parser doc;
        auto ex = test::ExpectThrows<util::InvalidFormatEx>([&] { util::XmlReader::Parse(r.text, doc); });
        test::ExpectEntry(ex, 0, L"class util::InvalidFormatEx", L"util::XmlReader::Parse", std::wstring(L"Data format is invalid. ") + r.where, 0);
    }
}

TEST(XmlReader, BoundsTheNesting) {
    std::wstring ok;
    for (size_t i = 0; i < util::XmlReader::kMaxDepth; ++i) ok += L"<d>";
    for (size_t i = 0; i < util::XmlReader::kMaxDepth; ++i) ok += L"</d>";
    pug::xml_parser doc;
    EXPECT_NO_THROW(util::XmlReader::Parse(ok, doc));

    std::wstring deep;
    for (size_t i = 0; i <= util::XmlReader::kMaxDepth; ++i) deep += L"<d>";
    pug::xml_parser deepDoc;
    auto ex = test::ExpectThrows<util::InvalidFormatEx>([&] { util::XmlReader::Parse(deep, deepDoc); });
    EXPECT_NE(ex.GetFirstEntry().message.find(L"nested too deeply"), std::wstring::npos);
}

}  // namespace
