#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <stdexcept>
#include <thread>
#include <tuple>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "Entries.h"
#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "foundation/NewLine.h"
#include "platform/DebugCapture.h"

using test::Call, test::ExpectEntries, test::Stack, util::String;

namespace {

const wchar_t* const kFile = L"site.cpp";
const wchar_t* const kFn = L"test::Site";

// The classes whose template no other test pins: type text, template and site.
TEST(Exception, FirstEntryCarriesTypeTemplateAndSite) {
#define ROW(C, message) {[] { return util::Exception(util::C(kFile, kFn, 7)); }, L"class util::" #C, message}
    const std::tuple<util::Exception (*)(), const wchar_t*, const wchar_t*> rows[] = {
        ROW(SystemEx, L"NOT THROWN"), ROW(SystemCallEx, L"System call: <1> failed."), ROW(DeviceEx, L"NOT THROWN"),
        ROW(DeviceNotOpenEx, L"Device is not open."), ROW(DeviceAlreadyOpenEx, L"Device is already open."),
        ROW(DeviceCapabilityEx, L"Device capability error."), ROW(NotAssociatedEx, L"Not associated."),
        ROW(DataEx, L"Data logic exception. "), ROW(IOEx, L"IO Exception."), ROW(RegistryEx, L"Registry exception."),
        {[] { return util::Exception(kFile, kFn, 7); }, L"", L""},
    };
#undef ROW
    for (const auto& [make, type, message] : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(type)));
        util::Exception e = make();
        ExpectEntries(e, {{type, kFn, message}});
        EXPECT_EQ(std::tie(e.Entries()[0].file, e.Entries()[0].line), std::make_tuple(kFile, 7u));
    }
}

// A caller catching a grouping base must see the derived exception.
TEST(Exception, ClassTreeAllowsCatchingByEveryBase) {
    EXPECT_THROW(throw util::RegistryCloseEx(kFile, kFn, 1), util::RegistryEx);
    EXPECT_THROW(throw util::RegistryCloseEx(kFile, kFn, 1), util::IOEx);
    EXPECT_THROW(throw util::NotAssociatedEx(kFile, kFn, 1), util::DeviceEx);
    EXPECT_THROW(throw util::NotAssociatedEx(kFile, kFn, 1), util::SystemEx);
    EXPECT_THROW(throw util::ArgumentNullEx(kFile, kFn, 1), util::ArgumentEx);
    EXPECT_THROW(throw util::InvalidFormatEx(kFile, kFn, 1), util::DataEx);
}

// Every occurrence replaced, inserted text not scanned again: the string tests.
TEST(Exception, SetParamReplacesTheKeyOfItsIndexOnly) {
    const std::tuple<const wchar_t*, uint32_t, const wchar_t*, const wchar_t*> rows[] = {
        {L"<12><1>", 12, L"a", L"a<1>"},
        {L"<2><1><2>", 2, L"", L"<1>"},
    };
    for (const auto& [message, index, value, expected] : rows) {
        util::Exception e(kFile, kFn, 1);
        e.AppendMessage(message);
        e.SetParam(index, value);
        EXPECT_EQ(e.Entries()[0].message, expected) << message;
    }
}

TEST(Exception, SetParamOnEmptyMessageSwallowsAndReportsToDebugOutput) {
    bool capturing = platform::StartDebugCapture();
    util::Exception e(kFile, kFn, 1);
    e.SetParam(1, L"value");  // must not throw
    platform::StopDebugCapture();
    EXPECT_EQ(e.Entries()[0].message, L"");
    if (!capturing) GTEST_SKIP() << "debug output cannot be captured here";
    EXPECT_EQ(platform::CapturedDebugOutput(), std::vector<std::wstring>{L"Exception catched."});
}

TEST(Exception, StreamAppendsToTheLastEntryWhenTheTemporaryEndsPrependPutsAnotherStackFirst) {
    util::InvalidOperationEx e(kFile, kFn, 1);
    e.SetParam(1, L"Open");
    e.Stream() << L"Wrong DeviceStatus: " << 1234567u;
    const String first = L"Operation invalid in current state: Open.Wrong DeviceStatus: 1234567";
    EXPECT_EQ(e.Entries()[0].message, first);
    e.AddStackEntry(kFile, L"outer", 2);
    e.Stream() << 42;
    util::Exception::ExStream(nullptr) << L"lost" << 5;  // without an exception the text goes nowhere
    util::Exception inner(L"a", L"inner1", 1);
    inner.AddStackEntry(L"a", L"inner2", 2);
    e.PrependEntries(inner);
    e.PrependEntries(util::Exception());
    ExpectEntries(e, {{L"", L"inner1", L""}, Stack(L"inner2"), {L"class util::InvalidOperationEx", kFn, first},
                      {L"Stack Entry", L"outer", L"42"}});
}

// The default entry is one object, even when first reached from two threads at once.
TEST(Exception, EmptyStackFallsBackToTheDefaultEntry) {
    const util::Exception::ExcepInfo* seen[2] = {nullptr, nullptr};
    std::thread a([&] { seen[0] = &util::Exception().GetFirstEntry(); });
    std::thread b([&] { seen[1] = &util::Exception().GetFirstEntry(); });
    a.join();
    b.join();
    EXPECT_EQ(seen[0], seen[1]);
    const auto& entry = *seen[0];
    EXPECT_EQ(std::tie(entry.type, entry.function, entry.line, entry.code, entry.message),
              std::make_tuple(L"DEFAULT", L"DefaultErrExcepInfo", 312u, 0u,
                              L"Internal Excep Error: could not capture excep info."));
}

// A thread may log while the process exits: what a dump reads must need no
// destruction. The exit handler is registered before the default entry's
// first use, so it runs after anything that use registers.
static_assert(std::is_trivially_destructible_v<std::remove_all_extents_t<decltype(util::NewLine)>>);
TEST(ExceptionDeathTest, DefaultEntryOutlivesTheExitHandlers) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: no earlier use
    EXPECT_EXIT(
        {
            std::atexit([] {
                const auto& entry = util::Exception().GetFirstEntry();
                std::_Exit(entry.message == L"Internal Excep Error: could not capture excep info." ? 0 : 1);
            });
            util::Exception().GetFirstEntry();
            std::exit(2);
        },
        testing::ExitedWithCode(0), "");
}

// Also shows SystemCallEx filling parameter 1 and nothing else.
TEST(Exception, DumpFormatIsCrLfThenOneLinePerEntry) {
    util::SystemCallEx e(L"f.cpp", L"util::Event::Create", 10, 1, L"CreateEvent");
    e.AddStackEntry(L"g.cpp", L"outer", 4294967295u);
    EXPECT_EQ(test::Dump(e), L"\r\nclass util::SystemCallEx | 0 | System call: CreateEvent failed. | f.cpp | "
                             L"util::Event::Create | 10\r\nStack Entry | 0 |  | g.cpp | outer | 4294967295\r\n");

    // Numbers without grouping whatever the stream's locale.
    std::wostringstream s;
    s.imbue(test::GroupingLocale());
    s << util::ApiEx(L"f.cpp", L"fn", 1000000, 1206);
    EXPECT_EQ(s.str(), L"\r\nclass util::ApiEx | 1206 | " + util::SystemMessage(1206) + L" | f.cpp | fn | 1000000\r\n");
    // The caller's locale is restored.
    EXPECT_NE(dynamic_cast<const test::GroupingPunct*>(&std::use_facet<std::numpunct<wchar_t>>(s.getloc())), nullptr);
}

TEST(Exception, ApiExCarriesCodeAndOneLineSystemTextEmptyForUnknownCodes) {
    // The entry itself, field by field, is in every kernel failure the event tests read.
    util::ApiEx e(L"f.cpp", L"wapi::X", 1, ERROR_INVALID_HANDLE);
    EXPECT_NE(e.Entries()[0].message.find(L"handle"), std::wstring::npos);
    EXPECT_EQ(e.Entries()[0].message.find(L"\n"), std::wstring::npos);
    ExpectEntries(util::ApiEx(L"f.cpp", L"wapi::X", 1, 0x2BADC0DEu),
                  {{L"class util::ApiEx", L"wapi::X", L"", 0x2BADC0DEu}});
}

// Two nested functions, each ending in the chain.
void Innermost(int what) {
    UTIL_TRY
    switch (what) {
        case 0: throw util::SystemCallEx(L"raise.cpp", L"test::Raise", 5, 1, L"WlanScan");
        case 1: throw std::bad_alloc();
        case 2: throw std::out_of_range("range");
        case 3: throw 42;
        default: break;
    }
    UTIL_CATCH_CHAIN(L"test::Innermost")
}

void Middle(int what) {
    UTIL_TRY
    Innermost(what);
    UTIL_CATCH_CHAIN(L"test::Middle")
}

// Each function adds its entry; the first chain turns foreign exceptions into ours.
TEST(CatchChain, StackEntriesInnermostFirstAndForeignExceptionsConverted) {
    const std::string what = std::bad_alloc().what();
    const test::Entry middle = Stack(L"test::Middle");
    const std::pair<const std::type_info&, std::vector<test::Entry>> rows[] = {
        {typeid(util::SystemCallEx), {Call(L"test::Raise", L"WlanScan"), Stack(L"test::Innermost"), middle}},
        {typeid(util::OutOfMemory),
         {{L"class util::MemEx", L"test::Innermost", L"Memory exception."},
          {L"class std::bad_alloc", L"test::Innermost", std::wstring(what.begin(), what.end())}, middle}},
        {typeid(util::StlEx), {{L"class std::out_of_range", L"test::Innermost", L"range"}, middle}},
        {typeid(util::Exception), {{L"", L"test::Innermost", L""}, middle}},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        try {
            Middle(i);
            ADD_FAILURE() << "nothing was thrown";
        } catch (const util::Exception& e) {
            EXPECT_EQ(typeid(e), rows[i].first) << typeid(e).name();
            ExpectEntries(e, rows[i].second);
            if (i != 0) continue;
            EXPECT_NE(e.Entries()[1].file.find(L"ExceptionTest.cpp"), std::wstring::npos);
            EXPECT_GT(e.Entries()[1].line, 0u);
        }
    }
}

}  // namespace
