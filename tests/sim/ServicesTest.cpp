// IP Helper, SetupAPI and the DHCP client as the simulation answers them on
// both builds: the size protocols, the orders and the recorded calls.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "platform/sim/Faults.h"
#include "platform/sim/World.h"
#include "platform/win32.h"

namespace {

class Services : public ::testing::Test {
protected:
    void SetUp() override { sim::GetWorld().Reset(); }
    void TearDown() override { sim::GetWorld().Reset(); }
    sim::World& world = sim::GetWorld();
};

TEST_F(Services, GetAdaptersInfoSizeProtocol) {
    ULONG size = 0;
    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), static_cast<ULONG>(ERROR_NO_DATA));
    sim::IpAdapter a;
    a.name = "{A}";
    a.index = 7;
    a.hardwareAddress = {1, 2, 3, 4, 5, 6};
    a.ipAddress = "10.0.0.5";
    a.ipMask = "255.0.0.0";
    a.dhcpEnabled = true;
    a.dhcpServer = "10.0.0.1";
    world.IpHelp().AddAdapter(a);
    a.name = "{B}";
    a.index = 9;
    world.IpHelp().AddAdapter(a);

    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), static_cast<ULONG>(ERROR_BUFFER_OVERFLOW));
    ASSERT_GE(size, 2 * sizeof(IP_ADAPTER_INFO));
    std::vector<BYTE> buffer(size);
    ULONG smaller = size - 1;
    EXPECT_EQ(GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &smaller),
              static_cast<ULONG>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(smaller, size);
    ASSERT_EQ(GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &size), 0u);
    std::vector<std::string> names;
    for (auto* e = reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()); e != nullptr; e = e->Next) {
        names.push_back(e->AdapterName);
        EXPECT_EQ(e->AddressLength, 6u);
        EXPECT_STREQ(e->IpAddressList.IpAddress.String, "10.0.0.5");
        EXPECT_STREQ(e->IpAddressList.IpMask.String, "255.0.0.0");
        EXPECT_STREQ(e->DhcpServer.IpAddress.String, "10.0.0.1");
    }
    EXPECT_EQ(names, (std::vector<std::string>{"{A}", "{B}"}));

    sim::ScopedFault fault("GetAdaptersInfo", ERROR_NOT_SUPPORTED);
    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), static_cast<ULONG>(ERROR_NOT_SUPPORTED));
}

TEST_F(Services, GetIfEntryReadsTheRowOfItsIndex) {
    world.IpHelp().SetInterface({3, IF_TYPE_IEEE80211, 100, 200});
    world.IpHelp().SetInterface({3, IF_TYPE_IEEE80211, 150, 250});  // replaces
    MIB_IFROW row{};
    row.dwIndex = 3;
    ASSERT_EQ(GetIfEntry(&row), 0u);
    EXPECT_EQ(row.dwInOctets, 150u);
    EXPECT_EQ(row.dwOutOctets, 250u);
    EXPECT_EQ(row.dwType, static_cast<DWORD>(IF_TYPE_IEEE80211));
    row.dwIndex = 4;
    EXPECT_NE(GetIfEntry(&row), 0u);
}

TEST_F(Services, GetIpAddrTableSizeProtocolAndOrder) {
    world.IpHelp().AddAddress({"10.0.0.9", 2});
    world.IpHelp().AddAddress({"10.0.0.5", 2});
    world.IpHelp().AddAddress({"9.1.1.1", 1});
    ULONG size = 0;
    ASSERT_EQ(GetIpAddrTable(nullptr, &size, FALSE), static_cast<ULONG>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> buffer(size);
    auto* table = reinterpret_cast<PMIB_IPADDRTABLE>(buffer.data());
    auto order = [&](BOOL sorted) {
        ULONG n = size;
        EXPECT_EQ(GetIpAddrTable(table, &n, sorted), 0u);
        std::vector<DWORD> addresses;
        for (DWORD i = 0; i < table->dwNumEntries; ++i) addresses.push_back(ntohl(table->table[i].dwAddr));
        return addresses;
    };
    EXPECT_EQ(order(FALSE), (std::vector<DWORD>{0x0A000009, 0x0A000005, 0x09010101}));
    EXPECT_EQ(order(TRUE), (std::vector<DWORD>{0x09010101, 0x0A000005, 0x0A000009}));
    ULONG small = size - 1;
    EXPECT_EQ(GetIpAddrTable(table, &small, TRUE), static_cast<ULONG>(ERROR_INSUFFICIENT_BUFFER));
}

TEST_F(Services, SetupApiEnumeratesPresentInterfacesOfTheClass) {
    const GUID net = {0xAD498944, 0x762F, 0x11D0, {0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C}};
    const GUID other = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    world.Devices().AddInterface(net, L"\\\\?\\pci#a\\{AAA}");
    world.Devices().AddInterface(net, L"\\\\?\\pci#b\\{BBB}", false);
    world.Devices().AddInterface(other, L"\\\\?\\x\\{CCC}");
    world.Devices().AddInterface(net, L"\\\\?\\usb#c\\{DDD}");

    HDEVINFO set = SetupDiGetClassDevsW(&net, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    ASSERT_NE(set, INVALID_HANDLE_VALUE);
    std::vector<std::wstring> paths;
    for (DWORD i = 0;; ++i) {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof(data);
        if (!SetupDiEnumDeviceInterfaces(set, nullptr, &net, i, &data)) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
            break;
        }
        DWORD needed = 0;
        EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &needed, nullptr));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
        std::vector<BYTE> buffer(needed);
        auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_W>(buffer.data());
        detail->cbSize = 1;  // a wrong record size is refused
        EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailW(set, &data, detail, needed, nullptr, nullptr));
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        ASSERT_TRUE(SetupDiGetDeviceInterfaceDetailW(set, &data, detail, needed, nullptr, nullptr));
        paths.emplace_back(detail->DevicePath);
    }
    EXPECT_EQ(paths, (std::vector<std::wstring>{L"\\\\?\\pci#a\\{AAA}", L"\\\\?\\usb#c\\{DDD}"}));
    EXPECT_EQ(world.Devices().OpenSets(), 1u);
    EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
    EXPECT_EQ(world.Devices().OpenSets(), 0u);
}

using Notify = DWORD(WINAPI*)(LPWSTR, LPWSTR, BOOL, DWORD, DWORD, DWORD, int);

TEST_F(Services, DhcpClientLoadsThroughTheLoaderAndRecordsCalls) {
    HMODULE dll = LoadLibraryW(L"dhcpcsvc");
    ASSERT_NE(dll, nullptr);
    EXPECT_EQ(GetProcAddress(dll, "NoSuchExport"), nullptr);
    auto notify = reinterpret_cast<Notify>(reinterpret_cast<void (*)()>(GetProcAddress(dll, "DhcpNotifyConfigChange")));
    ASSERT_NE(notify, nullptr);
    wchar_t adapter[] = L"{GUID}";
    EXPECT_EQ(notify(nullptr, adapter, TRUE, 0, 0x0500000A, 0x000000FF, 2), 0u);
    {
        sim::ScopedFault refuse("DhcpNotifyConfigChange", 31, 1, 0);
        EXPECT_EQ(notify(nullptr, adapter, FALSE, 0, 1, 2, 1), 31u);
        EXPECT_EQ(notify(nullptr, adapter, FALSE, 0, 1, 2, 1), 31u);
    }
    auto calls = world.Dhcp().Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_TRUE(calls[0].serverNull);
    EXPECT_EQ(calls[0].adapterName, L"{GUID}");
    EXPECT_TRUE(calls[0].newIpAddress);
    EXPECT_EQ(calls[0].ipAddress, 0x0500000Au);
    EXPECT_EQ(calls[0].action, 2);
    EXPECT_EQ(world.Dhcp().LoadedModules(), 1);
    EXPECT_TRUE(FreeLibrary(dll));
    EXPECT_EQ(world.Dhcp().LoadedModules(), 0);
    EXPECT_EQ(world.Dhcp().Loads(), 1u);
}

// The loader's entry points take faults on both builds, as the services do.
TEST_F(Services, LoaderCallsTakeFaults) {
    const DWORD code = ERROR_ACCESS_DENIED;
    HMODULE dll = LoadLibraryW(L"dhcpcsvc");
    ASSERT_NE(dll, nullptr);
    const std::pair<const char*, std::function<bool()>> calls[] = {
        {"LoadLibraryW", [] { return LoadLibraryW(L"dhcpcsvc") == nullptr; }},
        {"GetProcAddress", [&] { return GetProcAddress(dll, "DhcpNotifyConfigChange") == nullptr; }},
        {"FreeLibrary", [&] { return FreeLibrary(dll) == FALSE; }},
    };
    for (const auto& [name, refused] : calls) {
        sim::ScopedFault fault(name, code);
        SetLastError(0);
        EXPECT_TRUE(refused()) << name;
        EXPECT_EQ(GetLastError(), code) << name;
    }
    EXPECT_EQ(world.Dhcp().LoadedModules(), 1);
    EXPECT_TRUE(FreeLibrary(dll));
}

TEST_F(Services, DhcpClientCanBeMissingOrLackItsFunction) {
    world.Dhcp().SetExportsNotify(false);
    HMODULE dll = LoadLibraryW(L"DHCPCSVC.DLL");
    ASSERT_NE(dll, nullptr);
    EXPECT_EQ(GetProcAddress(dll, "DhcpNotifyConfigChange"), nullptr);
    EXPECT_TRUE(FreeLibrary(dll));
    world.Dhcp().SetInstalled(false);
    // Neither it nor a library unknown to the simulation is found.
    for (const wchar_t* name : {L"dhcpcsvc", L"no_such_library_4711"}) {
        EXPECT_EQ(LoadLibraryW(name), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    }
}

}  // namespace
