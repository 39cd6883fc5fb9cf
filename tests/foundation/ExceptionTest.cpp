#include <gtest/gtest.h>

#include <cstring>
#include <locale>
#include <sstream>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "platform/DebugCapture.h"

using util::String;

namespace {

const wchar_t* const kFile = L"site.cpp";
const wchar_t* const kFn = L"test::Site";

template <class Ex>
util::Exception Make() {
    return Ex(kFile, kFn, 7);
}

struct ClassRow {
    const char* name;
    util::Exception (*make)();
    const wchar_t* type;
    const wchar_t* message;
};

// Every class of the tree: the type text and template of its first entry.
const ClassRow kClasses[] = {
    {"SystemEx", Make<util::SystemEx>, L"class util::SystemEx", L"NOT THROWN"},
    {"MemEx", Make<util::MemEx>, L"class util::MemEx", L"Memory exception."},
    {"SystemCallEx", Make<util::SystemCallEx>, L"class util::SystemCallEx", L"System call: <1> failed."},
    {"InvalidOperationEx", Make<util::InvalidOperationEx>, L"class util::InvalidOperationEx",
     L"Operation invalid in current state: <1>."},
    {"ArgumentEx", Make<util::ArgumentEx>, L"class util::ArgumentEx", L"Invalid argument: "},
    {"ArgumentNullEx", Make<util::ArgumentNullEx>, L"class util::ArgumentNullEx", L"NULL value invalid for param <1>."},
    {"KeyNotFoundEx", Make<util::KeyNotFoundEx>, L"class util::KeyNotFoundEx", L"Key <1> was not found."},
    {"DeviceEx", Make<util::DeviceEx>, L"class util::DeviceEx", L"NOT THROWN"},
    {"DeviceNotOpenEx", Make<util::DeviceNotOpenEx>, L"class util::DeviceNotOpenEx", L"Device is not open."},
    {"DeviceOpenEx", Make<util::DeviceOpenEx>, L"class util::DeviceOpenEx", L"Device open failed."},
    {"DeviceAlreadyOpenEx", Make<util::DeviceAlreadyOpenEx>, L"class util::DeviceAlreadyOpenEx",
     L"Device is already open."},
    {"DeviceCapabilityEx", Make<util::DeviceCapabilityEx>, L"class util::DeviceCapabilityEx",
     L"Device capability error."},
    {"NotAssociatedEx", Make<util::NotAssociatedEx>, L"class util::NotAssociatedEx", L"Not associated."},
    {"AceEx", Make<util::AceEx>, L"class util::AceEx", L"Ace exception."},
    {"DataEx", Make<util::DataEx>, L"class util::DataEx", L"Data logic exception. "},
    {"InvalidFormatEx", Make<util::InvalidFormatEx>, L"class util::InvalidFormatEx", L"Data format is invalid."},
    {"ParseEx", Make<util::ParseEx>, L"class util::ParseEx", L"Parsing failed of "},
    {"IOEx", Make<util::IOEx>, L"class util::IOEx", L"IO Exception."},
    {"RegistryEx", Make<util::RegistryEx>, L"class util::RegistryEx", L"Registry exception."},
    {"RegistryValueNotFoundEx", Make<util::RegistryValueNotFoundEx>, L"class util::RegistryValueNotFoundEx",
     L"Registry value not found."},
    {"RegistryOpenEx", Make<util::RegistryOpenEx>, L"class util::RegistryOpenEx", L"Registry open failed."},
    {"RegistryCloseEx", Make<util::RegistryCloseEx>, L"class util::RegistryCloseEx", L"Registry open failed."},
    {"RegistryWriteEx", Make<util::RegistryWriteEx>, L"class util::RegistryWriteEx", L"Registry write failed."},
    {"Exception", Make<util::Exception>, L"", L""},
};

void PrintTo(const ClassRow& row, std::ostream* os) { *os << row.name; }

class ExceptionClasses : public ::testing::TestWithParam<ClassRow> {};

TEST_P(ExceptionClasses, FirstEntryCarriesTypeTemplateAndSite) {
    const ClassRow& row = GetParam();
    util::Exception e = row.make();
    ASSERT_EQ(e.Entries().size(), 1u);
    test::ExpectEntry(e, 0, row.type, kFn, row.message);
    EXPECT_EQ(e.Entries()[0].type, row.type);     // empty type is checked too
    EXPECT_EQ(e.Entries()[0].message, row.message);
    EXPECT_EQ(e.Entries()[0].file, kFile);
    EXPECT_EQ(e.Entries()[0].line, 7u);
}

INSTANTIATE_TEST_SUITE_P(All, ExceptionClasses, ::testing::ValuesIn(kClasses),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Exception, ClassTreeAllowsCatchingByEveryBase) {
    // A caller catching a grouping base must see the derived exception.
    auto thrower = [] { throw util::RegistryCloseEx(kFile, kFn, 1); };
    EXPECT_THROW(thrower(), util::RegistryEx);
    EXPECT_THROW(thrower(), util::IOEx);
    EXPECT_THROW(thrower(), util::Exception);
    auto device = [] { throw util::NotAssociatedEx(kFile, kFn, 1); };
    EXPECT_THROW(device(), util::DeviceEx);
    EXPECT_THROW(device(), util::SystemEx);
    auto nullArg = [] { throw util::ArgumentNullEx(kFile, kFn, 1); };
    EXPECT_THROW(nullArg(), util::ArgumentEx);
    auto format = [] { throw util::InvalidFormatEx(kFile, kFn, 1); };
    EXPECT_THROW(format(), util::DataEx);
}

TEST(Exception, SystemCallExFillsParameterOneOnly) {
    util::SystemCallEx e(kFile, kFn, 3, 1, L"WlanScan");
    test::ExpectEntry(e, 0, L"class util::SystemCallEx", kFn, L"System call: WlanScan failed.");
}

struct ParamRow {
    const wchar_t* message;
    uint32_t index;
    const wchar_t* value;
    const wchar_t* expected;
};

TEST(Exception, SetParamReplacesEachKeyOnceAndNeverExpandsInsertedText) {
    const ParamRow rows[] = {
        {L"System call: <1> failed.", 2, L"X", L"System call: <1> failed."},
        {L"<1> and <1>", 1, L"<1>!", L"<1>! and <1>!"},
        {L"<12><1>", 12, L"a", L"a<1>"},
        {L"<2><1><2>", 2, L"", L"<1>"},
    };
    for (const auto& row : rows) {
        util::Exception e(kFile, kFn, 1);
        e.AppendMessage(row.message);
        e.SetParam(row.index, row.value);
        EXPECT_EQ(e.Entries()[0].message, row.expected) << row.message;
    }
}

TEST(Exception, SetParamOnEmptyMessageSwallowsAndReportsToDebugOutput) {
    bool capturing = platform::StartDebugCapture();
    util::Exception e(kFile, kFn, 1);
    e.SetParam(1, L"value");  // must not throw
    platform::StopDebugCapture();
    EXPECT_EQ(e.Entries()[0].message, L"");
    if (!capturing) GTEST_SKIP() << "debug output cannot be captured here";
    auto out = platform::CapturedDebugOutput();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], L"Exception catched.");
}

TEST(Exception, StreamAppendsToLastEntryWhenTheTemporaryEnds) {
    util::InvalidOperationEx e(kFile, kFn, 1);
    e.SetParam(1, L"Open");
    e.Stream() << L"Wrong DeviceStatus: " << 1234567u;
    EXPECT_EQ(e.Entries()[0].message, L"Operation invalid in current state: Open.Wrong DeviceStatus: 1234567");
    e.AddStackEntry(kFile, L"outer", 2);
    e.Stream() << 42;
    EXPECT_EQ(e.Entries()[1].message, L"42");
    EXPECT_EQ(e.Entries()[0].message, L"Operation invalid in current state: Open.Wrong DeviceStatus: 1234567");
}

TEST(Exception, StreamWithoutExceptionDiscardsItsText) {
    util::Exception::ExStream s(nullptr);
    s << L"lost" << 5;  // no crash, nothing to write to
    SUCCEED();
}

TEST(Exception, PrependEntriesPutsInnerFirstInOrder) {
    util::Exception inner(L"a", L"inner1", 1);
    inner.AddStackEntry(L"a", L"inner2", 2);
    util::SystemCallEx outer(L"b", L"outer", 3, 1, L"CreateEvent");
    outer.PrependEntries(inner);
    ASSERT_EQ(outer.Entries().size(), 3u);
    EXPECT_EQ(outer.Entries()[0].function, L"inner1");
    EXPECT_EQ(outer.Entries()[1].function, L"inner2");
    EXPECT_EQ(outer.Entries()[2].function, L"outer");

    util::Exception empty;
    outer.PrependEntries(empty);
    EXPECT_EQ(outer.Entries().size(), 3u);
}

TEST(Exception, CopyCopiesTheWholeStack) {
    util::SystemCallEx e(kFile, kFn, 1, 1, L"X");
    e.AddStackEntry(kFile, L"f2", 2);
    util::SystemCallEx copy(e);
    e.AddStackEntry(kFile, L"f3", 3);
    ASSERT_EQ(copy.Entries().size(), 2u);
    EXPECT_EQ(copy.Entries()[1].function, L"f2");
}

TEST(Exception, OutOfMemoryHasMemExEntryThenTheStandardException) {
    util::OutOfMemory e(kFile, kFn, 9, std::bad_alloc());
    ASSERT_EQ(e.Entries().size(), 2u);
    test::ExpectEntry(e, 0, L"class util::MemEx", kFn, L"Memory exception.");
    test::ExpectEntry(e, 1, L"class std::bad_alloc", kFn, String(std::bad_alloc().what(), std::bad_alloc().what() +
                                                                   std::strlen(std::bad_alloc().what())));
}

TEST(Exception, StlExHasOneEntryForTheStandardException) {
    util::StlEx e(kFile, kFn, 4, std::out_of_range("pos past end"));
    ASSERT_EQ(e.Entries().size(), 1u);
    test::ExpectEntry(e, 0, L"class std::out_of_range", kFn, L"pos past end");
    EXPECT_EQ(e.Entries()[0].line, 4u);
}

TEST(Exception, EmptyStackFallsBackToTheDefaultEntry) {
    util::Exception e;
    const auto& entry = e.GetFirstEntry();
    EXPECT_EQ(entry.type, L"DEFAULT");
    EXPECT_EQ(entry.function, L"DefaultErrExcepInfo");
    EXPECT_EQ(entry.line, 312u);
    EXPECT_EQ(entry.code, 0u);
    EXPECT_EQ(entry.message, L"Internal Excep Error: could not capture excep info.");
}

TEST(Exception, DefaultEntryIsOneObjectEvenWhenFirstReachedFromTwoThreads) {
    const util::Exception::ExcepInfo* seen[2] = {nullptr, nullptr};
    std::thread a([&] { seen[0] = &util::Exception().GetFirstEntry(); });
    std::thread b([&] { seen[1] = &util::Exception().GetFirstEntry(); });
    a.join();
    b.join();
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_EQ(seen[0]->type, L"DEFAULT");
}

TEST(Exception, DumpFormatIsCrLfThenOneLinePerEntry) {
    util::SystemCallEx e(L"f.cpp", L"util::Event::Create", 10, 1, L"CreateEvent");
    e.AddStackEntry(L"g.cpp", L"outer", 4294967295u);
    EXPECT_EQ(test::Dump(e),
              L"\r\nclass util::SystemCallEx | 0 | System call: CreateEvent failed. | f.cpp | util::Event::Create | 10\r\n"
              L"Stack Entry | 0 |  | g.cpp | outer | 4294967295\r\n");
}

TEST(Exception, DumpOfPlainExceptionStartsWithEmptyType) {
    util::Exception e(L"f.cpp", L"fn", 12345);
    EXPECT_EQ(test::Dump(e), L"\r\n | 0 |  | f.cpp | fn | 12345\r\n");
}

TEST(Exception, DumpWritesNumbersWithoutGroupingWhateverTheStreamLocale) {
    util::ApiEx e(L"f.cpp", L"fn", 1000000, 1206);
    std::wostringstream s;
    struct Grouping : std::numpunct<wchar_t> {
        char_type do_thousands_sep() const override { return L','; }
        std::string do_grouping() const override { return "\3"; }
    };
    s.imbue(std::locale(std::locale::classic(), new Grouping));
    s << e;
    EXPECT_NE(s.str().find(L"| 1000000\r\n"), std::wstring::npos) << s.str();
    EXPECT_NE(s.str().find(L"| 1206 |"), std::wstring::npos);
    // The caller's locale is restored.
    EXPECT_NE(dynamic_cast<const Grouping*>(&std::use_facet<std::numpunct<wchar_t>>(s.getloc())), nullptr);
}

}  // namespace
