// IP settings and device information through the registry (simulated
// natively, Wine's real one on Windows).
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "device/WLanDevice.h"
#include "platform/sim/AdapterWorld.h"

#include <cwctype>
#include <random>

namespace {

class DeviceInformation : public ::testing::Test {
protected:
    // The records of `function` of the generic adapter that hold `text`.
    size_t Logged(unsigned level, const std::wstring& function, const std::wstring& text) {
        return log->Find(level, 2, L"ace::GenericAdapter::" + function, text).size();
    }
    sim::AdapterWorld world;
    ace::WLanDevice device;
    test::LogCapture log;
};

TEST_F(DeviceInformation, DhcpAdapterWithoutStaticNameServers) {
    sim::AdapterDescription a;
    a.tcpip->enableDhcp = 1;
    a.tcpip->nameServer = L"";
    a.tcpip->legacyEnableDhcp = 1;
    auto places = world.Add(a);
    cei::ConnectionInfo settings;
    settings.field8 = L"host's";
    device.GetNetworkSettings(places.description, settings);
    EXPECT_TRUE(settings.dhcpEnabled);
    EXPECT_TRUE(settings.nameServersAutomatic);
    EXPECT_EQ(settings.primaryDns, L"");
    EXPECT_EQ(settings.secondaryDns, L"");
    EXPECT_EQ(settings.field8, L"host's");  // not one of the settings
}

// Reading and writing back each setting is the host's ip command's
// (tests/host); here the record of a write.
TEST_F(DeviceInformation, WriteOfStaticSettingsIsLogged) {
    auto places = world.Add(sim::AdapterDescription{});
    cei::ConnectionInfo settings;
    device.GetNetworkSettings(places.description, settings);
    EXPECT_EQ(settings.ipAddress, L"10.0.0.5");
    settings.ipAddress = L"192.168.7.9";
    device.SetNetworkSettings(places.description, settings, false);
    EXPECT_EQ(Logged(LOG_INFO, L"SetNetworkSettings",
                     L"Set IP configuration on device '" + places.description + L"' succeded"),
              1u);
    cei::ConnectionInfo back;
    device.GetNetworkSettings(places.description, back);
    EXPECT_EQ(back.ipAddress, L"192.168.7.9");
}

TEST_F(DeviceInformation, UnknownAdapterFailsToReadAndOnlyWarnsOnWrite) {
    cei::ConnectionInfo settings;
    settings.ipAddress = L"unchanged";
    auto e = test::ExpectThrows<util::SystemCallEx>(
        [&] { device.GetNetworkSettings(L"No Such Adapter 4711", settings); });
    EXPECT_EQ(e.Entries()[0].message, L"System call: <1> failed.Failed to get IP configuration");
    EXPECT_EQ(e.Entries().back().function, L"ace::GenericAdapter::GetNetworkSettings");
    EXPECT_EQ(settings.ipAddress, L"unchanged");
    EXPECT_EQ(Logged(LOG_ERROR, L"GetNetworkSettings", L"Failed to get IP configuration"), 1u);

    device.SetNetworkSettings(L"No Such Adapter 4711", settings, true);  // returns normally
    EXPECT_EQ(Logged(LOG_WARNING, L"SetNetworkSettings",
                     L"Failed to set IP configuration on device 'No Such Adapter 4711'. Continue anyway."),
              1u);
}

TEST_F(DeviceInformation, RetrieveDeviceInformationCopiesTheInventoryEntry) {
    sim::AdapterDescription a;
    // Unique names: on Windows parallel tests share one registry.
    const std::wstring unique = std::to_wstring(std::random_device{}());
    a.friendlyName = L"Wireless 3945ABG " + unique;
    a.serviceName = L"w39n" + unique;
    auto places = world.Add(a);
    device.SetDeviceName(*a.friendlyName);
    cei::DeviceInformation host;
    host.text5 = L"x";
    host.text11 = L"eleven";
    host.text14 = L"fourteen";
    host.number1 = 9;
    device.SetDeviceInformation(host);

    device.RetrieveDeviceInformation(0, 0);
    cei::DeviceInformation first;
    device.GetDeviceInformation(first);
    EXPECT_EQ(first.deviceId, places.guid);
    EXPECT_EQ(first.friendlyName, *a.friendlyName);
    EXPECT_EQ(first.modelName, *a.friendlyName);
    EXPECT_EQ(first.manufacturer, L"Contoso");
    EXPECT_EQ(first.driverImagePath, L"system32\\DRIVERS\\wlan.sys");
    EXPECT_EQ(first.driverDate, L"6-21-2006");
    EXPECT_EQ(first.driverVersion, L"6.0.6000.16386");
    EXPECT_EQ(first.serviceDisplayName, L"Wireless LAN Miniport Driver");
    EXPECT_EQ(first.text5, L"");
    EXPECT_EQ(first.text11, L"eleven");
    EXPECT_EQ(first.text14, L"fourteen");
    EXPECT_EQ(first.number1, 0u);
    EXPECT_EQ(first.number2, 2u);
    EXPECT_EQ(device.GetDeviceInformationId(), places.guid);

    device.RetrieveDeviceInformation(7, 8);
    cei::DeviceInformation second;
    device.GetDeviceInformation(second);
    EXPECT_EQ(second.deviceId, first.deviceId);
    EXPECT_EQ(second.friendlyName, first.friendlyName);
    EXPECT_EQ(second.text11, first.text11);
}

TEST_F(DeviceInformation, NameDifferingInCaseIsNotFound) {
    auto places = world.Add(sim::AdapterDescription{});
    std::wstring upper = places.description;
    for (auto& c : upper) c = static_cast<wchar_t>(towupper(c));
    ASSERT_NE(upper, places.description);
    device.SetDeviceName(upper);
    cei::DeviceInformation host;
    host.friendlyName = L"kept";
    device.SetDeviceInformation(host);
    auto e = test::ExpectThrows<util::AceEx>([&] { device.RetrieveDeviceInformation(0, 0); });
    test::ExpectEntry(e, 0, L"class util::AceEx", L"ace::GenericAdapter::RetrieveDeviceInformation",
                      L"Ace exception.", 0);
    cei::DeviceInformation after;
    device.GetDeviceInformation(after);
    EXPECT_EQ(after.friendlyName, L"kept");
}

}  // namespace
