// IP Helper, SetupAPI and the DHCP client as the simulation answers them on
// both builds: the size protocols, the orders and the recorded calls.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "platform/sim/Faults.h"
#include "platform/sim/World.h"
#include "platform/win32.h"

namespace {

class Services : public ::testing::Test {
protected:
    void SetUp() override { world.Reset(); }
    void TearDown() override { world.Reset(); }
    sim::World& world = sim::GetWorld();
};

// Entry fields, list walks, sorting and faults are read through the
// inventory and the device's index lookup; here only the size protocol.
TEST_F(Services, SizeProtocols) {
    ULONG size = 0;
    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), static_cast<ULONG>(ERROR_NO_DATA));
    world.IpHelp().AddAdapter(sim::IpAdapter{});
    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), static_cast<ULONG>(ERROR_BUFFER_OVERFLOW));
    ASSERT_GE(size, sizeof(IP_ADAPTER_INFO));
    std::vector<BYTE> buffer(size);
    ULONG smaller = size - 1;
    EXPECT_EQ(GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &smaller),
              static_cast<ULONG>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(smaller, size);
    world.IpHelp().AddAddress({"10.0.0.9", 2});
    ASSERT_EQ(GetIpAddrTable(nullptr, &size, FALSE), static_cast<ULONG>(ERROR_INSUFFICIENT_BUFFER));
    buffer.resize(size);
    smaller = size - 1;
    EXPECT_EQ(GetIpAddrTable(reinterpret_cast<PMIB_IPADDRTABLE>(buffer.data()), &smaller, TRUE),
              static_cast<ULONG>(ERROR_INSUFFICIENT_BUFFER));
}

// Presence and the set's release are the inventory's (tests/registry).
TEST_F(Services, SetupApiEnumeratesTheInterfacesOfTheClass) {
    const GUID net = {0xAD498944, 0x762F, 0x11D0, {0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C}};
    const GUID other = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    world.Devices().AddInterface(net, L"\\\\?\\pci#a\\{AAA}");
    world.Devices().AddInterface(other, L"\\\\?\\x\\{CCC}");
    world.Devices().AddInterface(net, L"\\\\?\\usb#c\\{DDD}");

    HDEVINFO set = SetupDiGetClassDevsW(&net, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    ASSERT_NE(set, INVALID_HANDLE_VALUE);
    std::vector<std::wstring> paths;
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &net, i, &data); ++i) {
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
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
    EXPECT_EQ(paths, (std::vector<std::wstring>{L"\\\\?\\pci#a\\{AAA}", L"\\\\?\\usb#c\\{DDD}"}));
    EXPECT_EQ(world.Devices().OpenSets(), 1u);
    EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
}

// The loader's entry points take faults on both builds, as the services do;
// a library unknown to the simulation is not found (an uninstalled DHCP
// client is met through the adapter's commit).
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
    EXPECT_EQ(LoadLibraryW(L"no_such_library_4711"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace
