// An adapter world removes the keys of its adapters when it ends and leaves
// the parents that other tests share.
#include <gtest/gtest.h>

#include "platform/sim/AdapterWorld.h"
#include "platform/sim/World.h"

namespace {

TEST(AdapterWorld, RemovesItsOwnKeysOnly) {
    sim::GetWorld().Reset();
    sim::AdapterDescription d;
    d.serviceName = sim::RegistryTree::UniqueName(L"wlsvc");
    d.friendlyName = L"Friendly";
    sim::AdapterPlaces p;
    const sim::RegistryTree probe;
    {
        sim::AdapterWorld world;
        p = world.Add(d);
        for (const std::wstring& key : {p.classKey, p.enumInstanceKey, p.serviceKey, p.interfaceKey, p.legacyKey,
                                        p.netBtKey})
            EXPECT_TRUE(probe.KeyExists(key)) << key;
    }
    for (const std::wstring& key : {p.classKey, p.enumDeviceKey, p.serviceKey, p.interfaceKey,
                                    std::wstring(sim::kServicesKey) + L"\\" + p.guid, p.netBtKey})
        EXPECT_FALSE(probe.KeyExists(key)) << key;
    for (const std::wstring& key : {std::wstring(sim::kNetClassKey), std::wstring(sim::kTcpipInterfacesKey),
                                    std::wstring(sim::kNetBtInterfacesKey),
                                    p.enumDeviceKey.substr(0, p.enumDeviceKey.rfind(L'\\'))})
        EXPECT_TRUE(probe.KeyExists(key)) << key;

    // The simulated services keep the adapter's rows for the rest of the test.
    MIB_IFROW row{};
    row.dwIndex = p.ifIndex;
    ASSERT_EQ(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(row.dwType, static_cast<DWORD>(IF_TYPE_IEEE80211));
    row.dwIndex = p.ifIndex + 1000;
    EXPECT_NE(GetIfEntry(&row), static_cast<DWORD>(NO_ERROR));
    HDEVINFO set = SetupDiGetClassDevsW(&sim::kNdisLanInterfaceClass, nullptr, nullptr,
                                        DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    EXPECT_TRUE(SetupDiEnumDeviceInterfaces(set, nullptr, &sim::kNdisLanInterfaceClass, 0, &data));
    SetupDiDestroyDeviceInfoList(set);
    sim::GetWorld().Reset();
}

}  // namespace
