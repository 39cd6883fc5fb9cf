// Typed registry values and sub-key enumeration, on the simulated registry
// natively and on Wine's registry on Windows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <utility>

#include "OpenKeys.h"
#include "TestSupport.h"
#include "foundation/Api.h"
#include "platform/sim/Faults.h"
#include "platform/sim/RegistryTree.h"
#include "platform/sim/World.h"
#include "registry/RegEdit.h"
#include "registry/RegEnum.h"

using namespace util;

namespace {

class RegEdit : public ::testing::Test {
protected:
    std::wstring key = L"SOFTWARE\\" + sim::RegistryTree::UniqueName(L"RegEdit");
    sim::RegistryTree tree;
    void SetUp() override { tree.Own(key); }
    void TearDown() override { openKeys.ExpectNoneLeft(refusedCloses); }
    test::OpenKeys openKeys;
    size_t refusedCloses = 0;
};

// The accessor owns its key: opening again closes it first, and a move
// hands it over rather than sharing it.
TEST_F(RegEdit, ReopeningOrMovingLeavesOneOwnerOfTheKey) {
    static_assert(!std::is_copy_constructible_v<RegDword> && !std::is_copy_assignable_v<RegDword>);
    tree.SetDword(key, L"N", 1);
    RegDword value(key, L"N", HKEY_LOCAL_MACHINE);
    value.Open(false);
    value.Open(false);
    RegDword moved(std::move(value));
    EXPECT_EQ(static_cast<unsigned long>(moved), 1ul);
    RegDword assigned(key, L"N", HKEY_LOCAL_MACHINE);
    assigned.Open(false);
    assigned = std::move(moved);
}

// Strings with or without their terminator and expanded; lists; numbers.
TEST_F(RegEdit, Reads) {
    const std::wstring text = L"abc";
    tree.SetRaw(key, L"WithNul", REG_SZ, text.c_str(), 4 * sizeof(wchar_t));
    tree.SetRaw(key, L"WithoutNul", REG_SZ, text.c_str(), 3 * sizeof(wchar_t));
    tree.SetRaw(key, L"Empty", REG_SZ, L"", 0);
    tree.SetString(key, L"Expand", L"<%PATH%>", REG_EXPAND_SZ);
    const char* path = std::getenv("PATH");
    ASSERT_NE(path, nullptr);
    const std::wstring expanded = L"<" + std::wstring(path, path + std::strlen(path)) + L">";
    const std::pair<const wchar_t*, std::wstring> rows[] = {
        {L"WithNul", L"abc"}, {L"WithoutNul", L"abc"}, {L"Empty", L""}, {L"Expand", expanded}};
    for (const auto& [name, expected] : rows)
        EXPECT_EQ(static_cast<String>(RegText(key, name, HKEY_LOCAL_MACHINE)), expected) << name;
    tree.SetMultiString(key, L"Two", {L"a", L"bc"});
    tree.SetRaw(key, L"Zero", REG_MULTI_SZ, L"", 0);
    tree.SetDword(key, L"Number", 0x12345678);
    EXPECT_EQ(static_cast<std::vector<String>>(RegTextList(key, L"Two", HKEY_LOCAL_MACHINE)),
              (std::vector<String>{L"a", L"bc"}));
    EXPECT_TRUE(static_cast<std::vector<String>>(RegTextList(key, L"Zero", HKEY_LOCAL_MACHINE)).empty());
    EXPECT_EQ(static_cast<unsigned long>(RegDword(key + L"\\Number", HKEY_LOCAL_MACHINE)), 0x12345678ul);
}

TEST_F(RegEdit, WritesStoreTheWindowsTypesAndSizes) {
    RegText(key, L"Text", HKEY_LOCAL_MACHINE) = String(L"ab");
    RegText(key, L"EmptyText", HKEY_LOCAL_MACHINE) = String();
    RegTextList(key, L"List", HKEY_LOCAL_MACHINE) = std::vector<String>{L"a", L"bc"};
    RegDword(key, L"Number", HKEY_LOCAL_MACHINE) = 5ul;
    struct Row { const wchar_t* name; DWORD type; size_t bytes; };
    const Row rows[] = {{L"Text", REG_SZ, 3 * sizeof(wchar_t)}, {L"EmptyText", REG_SZ, 0},
                        {L"List", REG_MULTI_SZ, 6 * sizeof(wchar_t)}, {L"Number", REG_DWORD, 4}};
    for (const Row& r : rows) {
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(tree.Get(key, r.name, type, data)) << r.name;
        EXPECT_EQ(type, r.type) << r.name;
        EXPECT_EQ(data.size(), r.bytes) << r.name;
    }
}

TEST_F(RegEdit, ReadsAreCachedAndWritesUpdateTheCache) {
    tree.SetString(key, L"V", L"first");
    RegText value(key, L"V", HKEY_LOCAL_MACHINE);
    EXPECT_EQ(static_cast<String>(value), L"first");
    tree.SetString(key, L"V", L"changed behind its back");
    EXPECT_EQ(static_cast<String>(value), L"first");
    value = String(L"assigned");
    tree.SetString(key, L"V", L"changed again");
    EXPECT_EQ(static_cast<String>(value), L"assigned");

    value.SetCache(false);
    EXPECT_EQ(static_cast<String>(value), L"changed again");
}

TEST_F(RegEdit, MissingValueRaisesUnlessUseDefault) {
    tree.CreateKey(key);
    RegDword number(key, L"Missing", HKEY_LOCAL_MACHINE);
    auto e = test::ExpectThrows<util::RegistryValueNotFoundEx>([&] { (void)static_cast<unsigned long>(number); });
    EXPECT_NE(e.GetFirstEntry().message.find(L" KeyName: " + key + L". ValueName: Missing"), String::npos);
    EXPECT_EQ(e.GetFirstEntry().function, L"util::RegInt<unsigned long>::operator unsigned long");

    RegText text(key, L"Missing", HKEY_LOCAL_MACHINE);
    text.SetUseDefault(true);
    EXPECT_EQ(static_cast<String>(text), L"");
    RegTextList list(key + L"\\Nope", L"Missing", HKEY_LOCAL_MACHINE);
    test::ExpectThrows<util::RegistryValueNotFoundEx>([&] { (void)static_cast<std::vector<String>>(list); });
}

TEST_F(RegEdit, OpenFailureNamesTheKeyAfterTheSystemEntry) {
    RegText value(key + L"\\Missing", L"V", HKEY_LOCAL_MACHINE);
    auto e = test::ExpectThrows<util::RegistryOpenEx>([&] { value.Open(false); });
    test::ExpectEntry(e, 0, L"class util::ApiEx", L"wapi::RegOpenKeyExW", util::SystemMessage(ERROR_FILE_NOT_FOUND),
                      ERROR_FILE_NOT_FOUND);
    test::ExpectEntry(e, 1, L"class util::RegistryOpenEx", L"util::RegValue::Open",
                      L"Registry open failed.Could not open key: " + key + L"\\Missing", 0);
    test::ExpectEntry(e, 2, L"Stack Entry", L"util::RegValue::Open", L"", 0);
}

TEST_F(RegEdit, RefusedCallsBecomeRegistryExceptions) {
    if (!sim::World::RegistrySimulated()) GTEST_SKIP() << "the real registry cannot be made to refuse";
    {
        sim::ScopedFault refuse("RegSetValueExW", ERROR_ACCESS_DENIED);
        RegDword value(key, L"V", HKEY_LOCAL_MACHINE);
        auto e = test::ExpectThrows<util::RegistryWriteEx>([&] { value = 1ul; });
        test::ExpectEntry(e, 0, L"class util::ApiEx", L"wapi::RegSetValueExW", util::SystemMessage(ERROR_ACCESS_DENIED),
                          ERROR_ACCESS_DENIED);
        test::ExpectEntry(e, 1, L"class util::RegistryWriteEx", L"util::RegValue::SetValue",
                          L"Registry write failed.Failed to set value: V", 0);
    }
    {
        sim::ScopedFault refuse("RegCloseKey", ERROR_INVALID_HANDLE);
        RegDword value(key, L"V", HKEY_LOCAL_MACHINE);
        auto e = test::ExpectThrows<util::RegistryCloseEx>([&] { value = 1ul; });
        refusedCloses = 1;
        test::ExpectEntry(e, 1, L"class util::RegistryCloseEx", L"util::RegValue::Close",
                          L"Registry open failed.Failed to close reg key", 0);
    }
    {
        sim::ScopedFault refuse("RegCreateKeyExW", ERROR_ACCESS_DENIED);
        RegDword value(key, L"V", HKEY_LOCAL_MACHINE);
        test::ExpectThrows<util::RegistryOpenEx>([&] { value = 1ul; });
    }
}

TEST(RegValuePath, SplitsAtTheLastBackslash) {
    struct Row { const wchar_t *path, *key, *value; };
    const Row rows[] = {{L"A\\B\\C", L"A\\B", L"C"}, {L"Single", L"Single", L"Single"}, {L"A\\", L"A", L""}};
    for (const Row& r : rows) {
        String k, v;
        util::RegValue::MakePath(r.path, k, v);
        EXPECT_EQ(k, r.key) << r.path;
        EXPECT_EQ(v, r.value) << r.path;
    }
}

TEST_F(RegEdit, EnumeratesSubKeysAsNamesOrPaths) {
    tree.CreateKey(key + L"\\Empty");
    tree.CreateKey(key + L"\\b");
    tree.CreateKey(key + L"\\A\\Deeper");
    EXPECT_TRUE(util::RegEnumKeys(key + L"\\Empty", false, HKEY_LOCAL_MACHINE).empty());
    util::RegEnumKeys names(key, false, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(std::vector<String>(names.begin(), names.end()), (std::vector<String>{L"A", L"b", L"Empty"}));
    util::RegEnumKeys paths(key, true, HKEY_LOCAL_MACHINE);
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(paths[0], key + L"\\A");
    test::ExpectThrows<util::ApiEx>([&] { util::RegEnumKeys(key + L"\\Missing", false, HKEY_LOCAL_MACHINE); });
}

}  // namespace
