// IP settings and device information through the registry (simulated
// natively, Wine's real one on Windows).
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "device/WLanDevice.h"
#include "platform/sim/AdapterWorld.h"

#include <cwctype>
#include <random>
#include <tuple>

namespace {

using namespace std::string_literals;

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
// (tests/host); here the failures and the record of a write.
TEST_F(DeviceInformation, UnknownAdapterFailsToReadAndOnlyWarnsOnWriteAKnownOneLogsIt) {
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

    auto places = world.Add(sim::AdapterDescription{});
    device.GetNetworkSettings(places.description, settings);
    settings.ipAddress = L"192.168.7.9";
    device.SetNetworkSettings(places.description, settings, false);
    EXPECT_EQ(Logged(LOG_INFO, L"SetNetworkSettings",
                     L"Set IP configuration on device '" + places.description + L"' succeded"),
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

    // Every field: the inventory entry's, the host's text11 and text14 kept, the rest cleared or fixed; a
    // second retrieve reads the same.
    auto fields = [](const cei::DeviceInformation& i) {
        return std::tie(i.deviceId, i.friendlyName, i.modelName, i.manufacturer, i.text5, i.driverImagePath,
                        i.driverDate, i.driverVersion, i.serviceDisplayName, i.text10, i.text11, i.text12, i.text13,
                        i.text14, i.number1, i.number2, i.text15);
    };
    const std::wstring none;
    cei::DeviceInformation first, second;
    device.RetrieveDeviceInformation(0, 0);
    device.GetDeviceInformation(first);
    EXPECT_EQ(fields(first), std::make_tuple(places.guid, *a.friendlyName, *a.friendlyName, L"Contoso"s, none,
                                             L"system32\\DRIVERS\\wlan.sys"s, L"6-21-2006"s, L"6.0.6000.16386"s,
                                             L"Wireless LAN Miniport Driver"s, none, L"eleven"s, none, none,
                                             L"fourteen"s, 0u, 2u, none));
    EXPECT_EQ(device.GetDeviceInformationId(), places.guid);
    device.RetrieveDeviceInformation(7, 8);
    device.GetDeviceInformation(second);
    EXPECT_EQ(fields(second), fields(first));
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
