// The registry calls as the system uses them. Natively they reach the
// simulated registry, on Windows Wine's real one: the same expectations hold
// for both, which is what keeps the simulation honest.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/sim/RegistryTree.h"
#include "platform/sim/World.h"
#include "platform/win32.h"

namespace {

// A handle closed at the end of its scope.
struct Key {
    ~Key() { if (h != nullptr) RegCloseKey(h); }
    LONG Open(const std::wstring& path, REGSAM access = KEY_READ) {
        return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &h);
    }
    HKEY h = nullptr;
};

class RegistryApi : public ::testing::Test {
protected:
    std::wstring base = L"SOFTWARE\\" + sim::RegistryTree::UniqueName(L"SimTest");
    sim::RegistryTree tree;
};

TEST_F(RegistryApi, QueryReportsSizesInBytesOfWideText) {
    tree.SetString(base, L"Text", L"abc");
    tree.SetMultiString(base, L"List", {L"a", L"bc"});
    tree.SetDword(base, L"Number", 7);
    const BYTE raw[3] = {1, 2, 3};
    tree.SetRaw(base, L"Raw", REG_BINARY, raw, 3);
    tree.SetString(base, L"Expand", L"%X%", REG_EXPAND_SZ);
    const struct {
        const wchar_t* name;
        DWORD type, bytes;
    } rows[] = {
        {L"Text", REG_SZ, 4 * sizeof(wchar_t)}, {L"List", REG_MULTI_SZ, 6 * sizeof(wchar_t)}, {L"Number", REG_DWORD, 4},
        {L"Raw", REG_BINARY, 3}, {L"Expand", REG_EXPAND_SZ, 4 * sizeof(wchar_t)},
    };
    Key k;
    ASSERT_EQ(k.Open(base), ERROR_SUCCESS);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        DWORD type = 0, size = 0;
        ASSERT_EQ(RegQueryValueExW(k.h, r.name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, r.type);
        EXPECT_EQ(size, r.bytes);
        // Too small a buffer: ERROR_MORE_DATA and the size needed. The data
    // read back is the registry values' (RegEditTest) and the concurrent writers'.
        std::vector<BYTE> data(size + 8, 0xCC);
        DWORD small = size - 1, big = size + 8;
        EXPECT_EQ(RegQueryValueExW(k.h, r.name, nullptr, &type, data.data(), &small), ERROR_MORE_DATA);
        EXPECT_EQ(small, r.bytes);
        ASSERT_EQ(RegQueryValueExW(k.h, r.name, nullptr, &type, data.data(), &big), ERROR_SUCCESS);
        EXPECT_EQ(big, r.bytes);
    }
    // No output pointers at all: only whether the value exists.
    EXPECT_EQ(RegQueryValueExW(k.h, L"Text", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(k.h, L"Missing", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

// Names compare without case; a key opened for reading refuses writes.
// Whether a key was created or opened is met through the adapter world,
// which owns only the keys it created. Key names opened in another case are
// the inventory's (the registry tests and DeviceInformation).
TEST_F(RegistryApi, NamesAccessEnumerationAndDeletion) {
    tree.CreateKey(base + L"\\b");
    tree.CreateKey(base + L"\\A\\Child");
    tree.SetString(base, L"ValueName", L"text");
    Key k;
    ASSERT_EQ(k.Open(base), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(k.h, L"VALUENAME", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    const DWORD one = 1;
    EXPECT_EQ(RegSetValueExW(k.h, L"V", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_ACCESS_DENIED);
    // The names' order and case are RegEditTest's (sub-key enumeration).
    wchar_t name[256];
    DWORD chars = 256;
    EXPECT_EQ(RegEnumKeyExW(k.h, 2, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    DWORD tiny = 1;
    EXPECT_EQ(RegEnumKeyExW(k.h, 0, name, &tiny, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);

    // A key with sub-keys is not deleted; a leaf is.
    EXPECT_NE(RegDeleteKeyW(HKEY_LOCAL_MACHINE, (base + L"\\A").c_str()), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, (base + L"\\A\\CHILD").c_str()), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, (base + L"\\A").c_str()), ERROR_SUCCESS);
    Key gone;
    EXPECT_EQ(gone.Open(base + L"\\A"), ERROR_FILE_NOT_FOUND);

    tree.SetDword(base, L"Gone", 1);
    Key w;
    ASSERT_EQ(w.Open(base, KEY_ALL_ACCESS), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(w.h, L"gone"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(w.h, L"gone"), ERROR_FILE_NOT_FOUND);
}

// The registry calls' faults are met through the registry values
// (RegEditTest) and the plug-in (SharedWorldTest).
TEST(SimulatedRegistry, ResetDropsEveryKeyAndInvalidatesOpenHandles) {
    if (!sim::World::RegistrySimulated()) GTEST_SKIP() << "the real registry answers here";
    sim::GetWorld().Reset();
    sim::RegistryTree().CreateKey(L"X", false);
    HKEY stale = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"X", 0, KEY_READ, &stale), ERROR_SUCCESS);
    EXPECT_EQ(sim::GetWorld().Registry().OpenHandles(), 1u);
    sim::GetWorld().Reset();
    EXPECT_EQ(sim::GetWorld().Registry().OpenHandles(), 0u);
    EXPECT_EQ(RegCloseKey(stale), ERROR_INVALID_HANDLE);
    Key k;
    EXPECT_EQ(k.Open(L"X"), ERROR_FILE_NOT_FOUND);
}

TEST(SimulatedRegistry, ConcurrentWritersKeepEveryValue) {
    if (!sim::World::RegistrySimulated()) GTEST_SKIP() << "the real registry answers here";
    sim::GetWorld().Reset();
    // The common parent exists first: a writer that created it would own it
    // and remove the others' keys with it.
    sim::RegistryTree().CreateKey(L"Shared", false);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            sim::RegistryTree tree;
            const std::wstring key = L"Shared\\T" + std::to_wstring(t);
            for (DWORD i = 0; i < 50; ++i) tree.SetDword(key, L"V" + std::to_wstring(i), i);
            DWORD type = 0;
            std::vector<BYTE> data;
            for (DWORD i = 0; i < 50; ++i) {
                ASSERT_TRUE(tree.Get(key, L"V" + std::to_wstring(i), type, data));
                EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
                EXPECT_EQ(data, std::vector<BYTE>(reinterpret_cast<BYTE*>(&i), reinterpret_cast<BYTE*>(&i + 1)));
            }
        });
    for (auto& th : threads) th.join();
    sim::GetWorld().Reset();
}

}  // namespace
