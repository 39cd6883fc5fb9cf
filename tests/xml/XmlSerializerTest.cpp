#include <gtest/gtest.h>

#include <sstream>

#include "TestSupport.h"
#include "xml/XmlSerializer.h"

using util::XmlSerializer;
using util::XmlSerializeReader;
using util::XmlSerializeSingleWriter;
using util::XmlSerializeWriter;

namespace {

const XmlSerializer::NameTable kBits{{L"One", 1}, {L"Two", 2}, {L"Four", 4}, {L"Sixteen", 16},
                                     {L"Also16", 16}, {L"Three", 3}};
// No two names for one bit, so that values survive a round trip.
const XmlSerializer::NameTable kPlain{{L"One", 1}, {L"Two", 2}, {L"Four", 4}, {L"Sixteen", 16}, {L"Three", 3}};

std::wstring Text(XmlSerializeSingleWriter& writer) {
    std::wostringstream s;
    writer.WriteToStream(s);
    return s.str();
}

TEST(XmlSerializer, RootAttributes) {
    XmlSerializeSingleWriter single(L"WLANProfile", L"xmlns", L"urn:p");
    EXPECT_EQ(Text(single), L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<WLANProfile xmlns=\"urn:p\"/>\n");
    XmlSerializeSingleWriter bare(L"R", L"", L"");
    EXPECT_EQ(Text(bare), L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<R/>\n");

    XmlSerializeWriter withSchema(L"DB", L"version", L"2", L"db.xsd");
    std::wostringstream s;
    withSchema.GetFile(0).WriteToStream(s);
    EXPECT_EQ(s.str(),
              L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DB version=\"2\" "
              L"xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"db.xsd\"/>\n");
}

TEST(XmlSerializer, ValueFormsAndScopes) {
    XmlSerializeSingleWriter w(L"R", L"", L"");
    w.Put(L"text", L"s");
    {
        XmlSerializer::ATagLevel level(w, L"Unused");
    }
    {
        XmlSerializer::ATagLevel level(w, L"G");
        w.Put(true, L"b");
        w.Put(static_cast<uint32_t>(-1), L"n");
        w.PutEnum(16u, kBits, L"e");  // two names share the value
        w.PutEnum(5u, kBits, L"none");
        w.PutBitArray(0, kBits, L"empty");
        w.PutBitArray(2u | 16u | 32u | 8u, kBits, L"bits");
    }
    w.Put(12345u, L"after");
    EXPECT_EQ(Text(w), L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<R>\n"
                       L"\t<s>text</s>\n"
                       L"\t<G>\n"
                       L"\t\t<b>true</b>\n"
                       L"\t\t<n>4294967295</n>\n"
                       L"\t\t<e>Also16</e>\n"
                       L"\t\t<e>Sixteen</e>\n"
                       L"\t\t<empty/>\n"
                       L"\t\t<bits>Two Also16 Sixteen</bits>\n"
                       L"\t</G>\n"
                       L"\t<after>12345</after>\n"
                       L"</R>\n");
    // The single writer ignores the document type.
    EXPECT_EQ(&w.GetFile(9), &w.GetFile(0));
}

TEST(XmlSerializer, UnknownDocumentType) {
    XmlSerializeWriter w(L"R", L"", L"", L"");
    auto ex = test::ExpectThrows<util::KeyNotFoundEx>([&] { w.Put(L"x", L"t", 7); });
    test::ExpectEntry(ex, 0, L"class util::KeyNotFoundEx", L"util::XmlSerializer::GetFileFromMap", L"Key uiType was not found.uiType = 7.", 0);
}

TEST(XmlSerializer, ReaderGettersAndParseErrors) {
    XmlSerializeReader r(L"R", L"xmlns", L"urn:p");
    r.LoadText(0, L"<R xmlns=\"urn:p\"><G><b1>TRUE</b1><b2>False</b2><b3>yes</b3><e>Four</e><e2>four</e2>"
                  L"<bits>One Sixteen</bits><bits2>One  Two</bits2><empty/></G></R>");
    XmlSerializer::ATagLevel level(r, L"G");
    bool b = false;
    EXPECT_TRUE(r.Get(b, L"b1", 0, true));
    EXPECT_TRUE(b);
    EXPECT_TRUE(r.Get(b, L"b2", 0, false));
    EXPECT_FALSE(b);
    b = true;
    EXPECT_FALSE(r.Get(b, L"nob", 0, false));
    EXPECT_TRUE(b);
    auto boolEx = test::ExpectThrows<util::ParseEx>([&] { r.Get(b, L"b3", 0, true); });
    test::ExpectEntry(boolEx, 0, L"class util::ParseEx", L"util::XmlSerializeReader::ThrowParseError",
                      L"Parsing failed of Cannot parse \"yes\" as bool for tag <R xmlns=urn:p><G><b3>.", 0);

    uint32_t e = 0;
    EXPECT_TRUE(r.GetEnum(e, kBits, L"e", 0, true));
    EXPECT_EQ(e, 4u);
    auto enumEx = test::ExpectThrows<util::ParseEx>([&] { r.GetEnum(e, kBits, L"e2", 0, false); });
    EXPECT_NE(enumEx.GetFirstEntry().message.find(L"\"four\" as enum"), std::wstring::npos);

    uint32_t bits = 99;
    EXPECT_TRUE(r.GetAsBitArrayString(bits, kBits, L"bits", 0, true));
    EXPECT_EQ(bits, 17u);
    EXPECT_TRUE(r.GetAsBitArrayString(bits, kBits, L"empty", 0, true));
    EXPECT_EQ(bits, 0u);
    auto bitEx = test::ExpectThrows<util::ParseEx>([&] { r.GetAsBitArrayString(bits, kBits, L"bits2", 0, true); });
    EXPECT_NE(bitEx.GetFirstEntry().message.find(L"\"One  Two\" as bitarray"), std::wstring::npos);
    r.GetAsBitArrayStringNoFail(bits, 6, kBits, L"nobits", 0);
    EXPECT_EQ(bits, 6u);

    util::String s = L"kept";
    EXPECT_FALSE(r.GetStringAtTag(s, L"nos", 0, false));
    EXPECT_EQ(s, L"kept");
    auto missing = test::ExpectThrows<util::InvalidFormatEx>([&] { r.Get(s, L"nos", 0, true); });
    EXPECT_NE(missing.GetFirstEntry().message.find(L"Cannot find element <R xmlns=urn:p><G><nos>"), std::wstring::npos);
    test::ExpectThrows<util::KeyNotFoundEx>([&] { r.Get(s, L"x", 3, false); });
}

TEST(XmlSerializer, WrittenValuesReadBack) {
    struct Row {
        uint32_t bits;
        uint32_t expected;  // bits without a single-bit name are not written
    };
    const Row rows[] = {{0, 0}, {1, 1}, {2u | 4u, 6}, {1u | 8u | 16u, 17}, {0xFFFFFFFFu, 23}};
    for (const auto& row : rows) {
        XmlSerializeSingleWriter w(L"R", L"xmlns", L"urn:p");
        {
            XmlSerializer::ATagLevel level(w, L"G");
            w.PutBitArray(row.bits, kPlain, L"bits");
            w.PutEnum(4u, kPlain, L"e");
            w.Put(false, L"b");
            w.Put(L"a<b>&c", L"s");
        }
        XmlSerializeReader r(L"R", L"xmlns", L"urn:p");
        r.LoadText(0, Text(w));
        XmlSerializer::ATagLevel level(r, L"G");
        uint32_t bits = 12345, e = 0;
        bool b = true;
        util::String s;
        EXPECT_TRUE(r.GetAsBitArrayString(bits, kPlain, L"bits", 0, true));
        EXPECT_EQ(bits, row.expected);
        EXPECT_TRUE(r.GetEnum(e, kPlain, L"e", 0, true));
        EXPECT_EQ(e, 4u);
        EXPECT_TRUE(r.Get(b, L"b", 0, true));
        EXPECT_FALSE(b);
        EXPECT_TRUE(r.Get(s, L"s", 0, true));
        EXPECT_EQ(s, L"a<b>&c");
    }
}

}  // namespace
