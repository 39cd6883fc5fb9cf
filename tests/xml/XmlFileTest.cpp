#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestSupport.h"
#include "xml/XmlFile.h"
#include "xml/XmlSerializer.h"

using namespace util;

namespace {

// One path element: a name and at most one attribute.
struct Step {
    Step(const wchar_t* n, const wchar_t* a = L"", const wchar_t* v = L"") : name(n), attribute(a), value(v) {}
    const wchar_t *name, *attribute, *value;
};

XmlPath Path(std::initializer_list<Step> steps) {
    XmlPath p;
    for (const Step& s : steps) p.Push(s.name, s.attribute, s.value);
    return p;
}

// What a path, an output file or a single writer writes.
template <class Out>
std::wstring Text(Out& out) {
    std::wostringstream s;
    if constexpr (std::is_same_v<Out, XmlPath>) s << out; else out.WriteToStream(s);
    return s.str();
}

const std::wstring kDecl = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

TEST(XmlPath, PushPopAndOutputForm) {
    XmlPath p;
    p.Pop();
    EXPECT_TRUE(p.Empty());
    p.Push(L"root", L"xmlns", L"urn:x");
    p.Push(L"a", XmlPath::AttributeList{{L"k", L"v"}, {L"", L"hidden"}, {L"k2", L""}});
    p.Push(L"b", L"", L"ignored");
    EXPECT_EQ(Text(p), L"<root xmlns=urn:x><a k=v k2=><b>");
    EXPECT_EQ(p[1].attributes.size(), 3u);
    EXPECT_TRUE(p[2].attributes.empty());
}

TEST(XmlFile, CommonPathComparesNamesAndAttributesInOrder) {
    XmlPath cursor;
    cursor.Push(L"r", XmlPath::AttributeList{{L"a", L"1"}, {L"b", L"2"}});
    cursor.Push(L"x");
    OXmlFile file;
    file.Put(cursor, L"", L"");
    struct Row { XmlPath::AttributeList rootAttributes; const wchar_t* second; size_t common; };
    const Row rows[] = {{{{L"a", L"1"}, {L"b", L"2"}}, L"x", 2}, {{{L"a", L"1"}, {L"b", L"2"}}, L"X", 1},
                        {{{L"b", L"2"}, {L"a", L"1"}}, L"x", 0}, {{{L"a", L"1"}}, L"x", 0},
                        {{{L"a", L"1"}, {L"b", L"3"}}, L"x", 0}};
    for (const auto& r : rows) {
        XmlPath p;
        p.Push(L"r", r.rootAttributes);
        p.Push(r.second);
        EXPECT_EQ(file.GetCommonPathLen(p), r.common) << r.second;
    }
    EXPECT_EQ(file.GetCommonPathLen(XmlPath()), 0u);
}

TEST(OXmlFile, PutReusesTheOpenPrefix) {
    OXmlFile file;
    file.Put(Path({L"r", L"X"}), L"one", L"1");
    file.Put(Path({L"r", L"X"}), L"two", L"");
    file.Put(Path({L"r", L"X", L"Y"}), L"three", L"3");
    file.Put(Path({L"r", L"X"}), L"four", L"4");
    file.Put(Path({L"r", L"X", L"Z"}), L"five", L"5");
    file.Put(Path({L"r", L"X", L"Y"}), L"six", L"6");
    file.Put(Path({L"r"}), L"", L"");  // opens nothing new
    const std::wstring first = Text(file);
    EXPECT_EQ(Text(file), first) << "the declaration gets its encoding once";
    EXPECT_EQ(first, kDecl + L"<r>\n\t<X>\n\t\t<one>1</one>\n\t\t<two/>\n\t\t<Y>\n\t\t\t<three>3</three>\n\t\t</Y>\n"
                             L"\t\t<four>4</four>\n\t\t<Z>\n\t\t\t<five>5</five>\n\t\t</Z>\n"
                             L"\t\t<Y>\n\t\t\t<six>6</six>\n\t\t</Y>\n\t</X>\n</r>\n");
}

TEST(OXmlFile, EscapesOnlyMarkupInValuesAndRefusesItInNames) {
    OXmlFile file;
    XmlPath root;
    root.Push(L"r", XmlPath::AttributeList{{L"a", L"<&>"}});
    file.Put(root, L"v", L"a<b>&c\"");
    auto ex = test::ExpectThrows<InvalidFormatEx>([&] { file.Put(root, L"bad>", L"x<"); });
    test::ExpectEntry(ex, 0, L"class util::InvalidFormatEx", L"util::OXmlFile::Put",
                      L"Data format is invalid.XML data must not contain < or > rsParam=\"bad>\", rsValue=\"x<\"", 0);
    EXPECT_EQ(Text(file), kDecl + L"<r a=\"<&>\">\n\t<v>a&lt;b&gt;&c\"</v>\n</r>\n");
}

// Our reader refuses such a document, so the writer never writes one; the
// value may be a key, so only its position is told.
TEST(OXmlFile, RefusesCharactersXmlCannotHoldAndTellsOnlyWhere) {
    const std::pair<std::wstring, size_t> rows[] = {  // npos: written
        {L"ke\u0001y", 2}, {L"\uffff", 0}, {L"a\ufffe", 1}, {std::wstring(1, wchar_t(0xD800)), 0},
        {L"\t\n\r\U0001F600\ud7ff", std::wstring::npos}};
    for (const auto& [value, at] : rows) {
        SCOPED_TRACE(testing::PrintToString(value));
        OXmlFile file;
        const XmlPath root = Path({L"r"});
        if (at == std::wstring::npos) {
            file.Put(root, L"key", value);
            continue;
        }
        auto ex = test::ExpectThrows<InvalidFormatEx>([&] { file.Put(root, L"key", value); });
        test::ExpectEntry(ex, 0, L"class util::InvalidFormatEx", L"util::OXmlFile::Put",
                          L"Data format is invalid.XML data must not contain a character XML cannot hold, "
                          L"rsParam=\"key\", at " + std::to_wstring(at), 0);
        EXPECT_EQ(Text(file), kDecl) << "nothing was written";
    }
}

TEST(IXmlFile, FindsValuesByPathDecodedOnce) {
    IXmlFile file(L"mem.xml");
    file.Load(L"<r xmlns=\"urn:a\"><g k=\"1\"><v>one</v></g><g k=\"2\" extra=\"y\"><v>two</v><e/><m>a&amp;lt;b&gt;</m>"
              L"</g><h><v>plain</v><w> x </w></h></r>");
    // A failed load keeps the document before it.
    test::ExpectThrows<InvalidFormatEx>([&] { file.Load(L"<r><v>2</v>"); });
    const XmlPath g2 = Path({{L"r", L"xmlns", L"urn:a"}, {L"g", L"k", L"2"}});
    struct Row { XmlPath path; const wchar_t* leaf; bool found; const wchar_t* value; };
    const Row rows[] = {
        {g2, L"v", true, L"two"}, {g2, L"e", true, L""}, {g2, L"m", true, L"a&lt;b>"},  // decoded once
        {Path({{L"r", L"xmlns", L"urn:a"}, {L"g", L"k", L"1"}}), L"v", true, L"one"},
        // A child without the attribute does not contradict it.
        {Path({{L"r", L"xmlns", L"urn:a"}, {L"h", L"k", L"9"}}), L"v", true, L"plain"},
        {Path({L"r", L"[!g]"}), L"*", true, L"plain"}, {Path({L"r", L"h"}), L"w", true, L" x "},  // kept whole
        {Path({{L"r", L"xmlns", L"urn:b"}}), L"g", false, L"kept"}, {g2, L"missing", false, L"kept"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &r - rows);
        String value = L"kept";
        EXPECT_EQ(file.GetValue(r.path, r.leaf, value), r.found);
        EXPECT_EQ(value, r.value);
    }
    String value;
    auto ex = test::ExpectThrows<InvalidFormatEx>([&] { file.Get(g2, L"missing", value); });
    test::ExpectEntry(ex, 0, L"class util::InvalidFormatEx", L"util::IXmlFile::Get",
                      L"Data format is invalid.Cannot find element <r xmlns=urn:a><g k=2><missing> in file mem.xml.",
                      0);
}

TEST(IXmlFile, LoadsFilesInUtf8AndUtf16) {
    const auto dir = std::filesystem::temp_directory_path();
    const std::pair<const char*, std::string> rows[] = {
        {"ace_xml_utf8.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r>\xC3\xA9</r>"},
        {"ace_xml_bom.xml", "\xEF\xBB\xBF<r>\xC3\xA9</r>"},
        {"ace_xml_utf16.xml", std::string("\xFF\xFE<\0r\0>\0\xE9\0<\0/\0r\0>\0", 18)}};
    for (const auto& [name, bytes] : rows) {
        const auto path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        IXmlFile file;
        file.LoadFile(path.wstring());
        String value;
        EXPECT_TRUE(file.GetValue(XmlPath(), L"r", value)) << name;
        EXPECT_EQ(value, L"\x00E9") << name;
        EXPECT_EQ(file.GetFileName(), path.wstring());
        std::filesystem::remove(path);
    }
    IXmlFile missing;
    test::ExpectThrows<IOEx>([&] { missing.LoadFile((dir / "ace_xml_no_such_file.xml").wstring()); });
}

// Whatever a profile's name or key holds, the written document reads back to
// it: ProfileFuzz.

const XmlSerializer::NameTable kBits{{L"One", 1}, {L"Two", 2}, {L"Four", 4}, {L"Sixteen", 16}, {L"Also16", 16},
                                     {L"Three", 3}};

TEST(XmlSerializer, RootAttributesAndDocumentTypes) {
    XmlSerializeSingleWriter single(L"WLANProfile", L"xmlns", L"urn:p"), bare(L"R", L"", L"");
    EXPECT_EQ(Text(single), kDecl + L"<WLANProfile xmlns=\"urn:p\"/>\n");
    EXPECT_EQ(Text(bare), kDecl + L"<R/>\n");
    XmlSerializeWriter withSchema(L"DB", L"version", L"2", L"db.xsd");
    EXPECT_EQ(Text(withSchema.GetFile(0)), kDecl + L"<DB version=\"2\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-"
                                                   L"instance\" xsi:noNamespaceSchemaLocation=\"db.xsd\"/>\n");
    // Only the single writer ignores the document type.
    auto ex = test::ExpectThrows<KeyNotFoundEx>([&] { withSchema.Put(L"x", L"t", 7); });
    test::ExpectEntry(ex, 0, L"class util::KeyNotFoundEx", L"util::XmlSerializer::GetFileFromMap",
                      L"Key uiType was not found.uiType = 7.", 0);
}

TEST(XmlSerializer, ValueFormsAndScopes) {
    XmlSerializeSingleWriter w(L"R", L"", L"");
    w.Put(L"text", L"s");
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
    EXPECT_EQ(Text(w), kDecl + L"<R>\n\t<s>text</s>\n\t<G>\n\t\t<b>true</b>\n\t\t<n>4294967295</n>\n"
                               L"\t\t<e>Also16</e>\n\t\t<e>Sixteen</e>\n\t\t<empty/>\n"
                               L"\t\t<bits>Two Also16 Sixteen</bits>\n\t</G>\n\t<after>12345</after>\n</R>\n");
    // The single writer ignores the document type.
    EXPECT_EQ(&w.GetFile(9), &w.GetFile(0));
}

TEST(XmlSerializer, ReaderGettersAndParseErrors) {
    XmlSerializeReader r(L"R", L"xmlns", L"urn:p");
    r.LoadText(0, L"<R xmlns=\"urn:p\"><G><b1>TRUE</b1><b2>False</b2><b3>yes</b3><e>Four</e><e2>four</e2>"
                  L"<bits>One Sixteen</bits><bits2>One  Two</bits2><empty/></G></R>");
    XmlSerializer::ATagLevel level(r, L"G");
    // tag, required, value before, found, value after
    const std::tuple<const wchar_t*, bool, bool, bool, bool> bools[] = {
        {L"b1", true, false, true, true}, {L"b2", false, true, true, false}, {L"nob", false, true, false, true}};
    for (const auto& [tag, required, before, found, after] : bools) {
        bool b = before;
        EXPECT_EQ(r.Get(b, tag, 0, required), found) << tag;
        EXPECT_EQ(b, after) << tag;
    }
    bool b = false;
    auto boolEx = test::ExpectThrows<ParseEx>([&] { r.Get(b, L"b3", 0, true); });
    test::ExpectEntry(boolEx, 0, L"class util::ParseEx", L"util::XmlSerializeReader::ThrowParseError",
                      L"Parsing failed of Cannot parse \"yes\" as bool for tag <R xmlns=urn:p><G><b3>.", 0);

    uint32_t e = 0;
    EXPECT_TRUE(r.GetEnum(e, kBits, L"e", 0, true));
    EXPECT_EQ(e, 4u);
    auto enumEx = test::ExpectThrows<ParseEx>([&] { r.GetEnum(e, kBits, L"e2", 0, false); });
    EXPECT_NE(enumEx.GetFirstEntry().message.find(L"\"four\" as enum"), std::wstring::npos);

    uint32_t bits = 99;
    EXPECT_TRUE(r.GetAsBitArrayString(bits, kBits, L"bits", 0, true));
    EXPECT_EQ(bits, 17u);
    EXPECT_TRUE(r.GetAsBitArrayString(bits, kBits, L"empty", 0, true));
    EXPECT_EQ(bits, 0u);
    auto bitEx = test::ExpectThrows<ParseEx>([&] { r.GetAsBitArrayString(bits, kBits, L"bits2", 0, true); });
    EXPECT_NE(bitEx.GetFirstEntry().message.find(L"\"One  Two\" as bitarray"), std::wstring::npos);
    r.GetAsBitArrayStringNoFail(bits, 6, kBits, L"nobits", 0);
    EXPECT_EQ(bits, 6u);

    // A missing text: false, or refused when required, are the device database's reads (DBDeviceInfoXml).
    String s;
    test::ExpectThrows<KeyNotFoundEx>([&] { r.Get(s, L"x", 3, false); });
}

}  // namespace
