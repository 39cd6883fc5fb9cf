// A host built as its own executable from the plug-in's public headers only.
// It loads the plug-in at run time, finds both exports by name, drives a
// device through the interface, catches what the plug-in throws by class,
// and deletes it; on the simulated platform it runs a whole session on the
// world file named by WLAN_SIM_WORLD. Usage: boundary_host <plug-in file name>
#include <cstdio>
#include <string>
#include <vector>

#include "device/Exports.h"
#include "device/IDeviceAdapter.h"
#include "foundation/ExceptionTypes.h"
#include "records/AccessStatus.h"
#include "records/AssociateInfoWlan.h"
#include "records/ConnectionInfoWlan.h"
#include "platform/win32.h"

namespace {

int failures = 0, checks = 0;

void Check(bool ok, const char* what) {
    ++checks;
    if (!ok) {
        ++failures;
        std::printf("FAILED: %s\n", what);
    }
}

template <class Fn>
void Run(Fn fn) {
    try {
        fn();
    } catch (const util::Exception& e) {
        ++failures;
        std::printf("FAILED: unexpected exception: %ls\n", e.GetFirstEntry().message.c_str());
    }
}

struct Host : ace::IDeviceCallback {
    void ConnectCompleted(int32_t, uint32_t result, uint32_t) override { completed += result == 0 ? 1 : 100; }
    void ConnectProgress(int32_t, uint32_t) override {}
    void DeviceStatusChanged(int32_t, DEVICE_STATE state) override { statuses.push_back(static_cast<int>(state)); }
    void Disconnected(int32_t, uint32_t) override {}
    void IpAddressStatus(int32_t, bool) override {}
    std::vector<int> statuses;
    int completed = 0;
};

void Drive(ace::IDevice& device) {
    // Accessors answer through their slots.
    Check(device.GetDeviceIndex() == -1, "a new device's index is -1");
    Check(device.GetDeviceStatus() == DEVICE_STATE::CLOSED, "a new device is CLOSED");
    device.SetDeviceIndex(42);
    Check(device.GetDeviceIndex() == 42, "SetDeviceIndex then GetDeviceIndex");
    device.SetDeviceName(L"Wireless Network Adapter");
    Check(device.GetDeviceName() == L"Wireless Network Adapter", "SetDeviceName then GetDeviceName");
    Check(!device.GetDeviceFlag(), "flag starts false");
    device.SetDeviceFlag();
    Check(device.GetDeviceFlag(), "SetDeviceFlag sets it");
    ace::DBDeviceInfo info;
    info.PhysicalDeviceType = 3;
    info.DllFile = L"WlanDevice.dll";
    device.SetDBDeviceInfo(info);
    Check(device.GetPhysicalDeviceType() == 3, "SetDBDeviceInfo then GetPhysicalDeviceType");
    Check(device.GetDBDeviceInfo().DllFile == L"WlanDevice.dll", "GetDBDeviceInfo returns the stored entry");
    cei::DeviceInformation di;
    di.deviceId = L"{id}";
    di.text13 = L"kept";
    device.SetDeviceInformation(di);
    cei::DeviceInformation back;
    device.GetDeviceInformation(back);
    Check(back.deviceId == L"{id}" && back.text13 == L"kept", "SetDeviceInformation then GetDeviceInformation");
    device.Reserved1();
    device.Reserved2(1);
    device.Reserved3();
    device.Reserved4(1);
    device.Reserved5(1);
    Check(device.GetDeviceIndex() == 42 && device.GetDeviceStatus() == DEVICE_STATE::CLOSED,
          "reserved operations change nothing");
    device.Close();
    Check(device.GetDeviceStatus() == DEVICE_STATE::CLOSED, "Close of a closed device does nothing");

    // An exception thrown in the plug-in, caught here by its class.
    Host host;
    device.SetDeviceName(L"No Such Adapter");
    try {
        device.Open(&host);
        Check(false, "DeviceOpenEx caught by its class");
    } catch (const util::DeviceOpenEx& e) {
        const auto& first = e.GetFirstEntry();
        Check(first.type == L"class util::DeviceOpenEx", "first entry's type");
        Check(first.message == L"Device open failed.", "first entry's message");
        Check(e.Entries().size() == 2, "raising entry and one stack entry");
    }
    Check(device.GetDeviceStatus() == DEVICE_STATE::CLOSED, "a failed Open leaves the device CLOSED");

    // A session on the world of tests/device/host/world.json.
    device.SetDeviceName(L"Wireless Network Adapter");
    device.Open(&host);
    Check(device.GetDeviceStatus() == DEVICE_STATE::DISCONNECTED, "Open: DISCONNECTED");
    // The network list across the boundary is wlanhost's scan (tests/host).
    cei::AssociateInfoWlan associate;
    associate.ssid = L"Office";
    associate.ssidBroadcast = true;
    associate.securityType = cei::SECURITY_WPA2_PSK;
    associate.encryptionType = cei::ENCRYPTION_AES;
    associate.key = L"boundary & secret";
    auto* adapter = dynamic_cast<ace::IDeviceAdapter*>(&device);
    Check(adapter != nullptr, "the device is an IDeviceAdapter");
    if (adapter == nullptr) return;
    adapter->AssociateNetwork(&associate);
    cei::ConnectionInfoWlan connect;
    connect.connectTimeout = 5000;
    device.ConnectAsync(&connect);
    Check(device.GetDeviceStatus() == DEVICE_STATE::CONNECTED, "ConnectAsync: CONNECTED");
    cei::AccessStatus access;
    device.GetAccessStatus(13, access);
    Check(access.networkName == L"Office" && access.signalStrength > 0, "GetAccessStatus while connected");
    device.Disconnect(0);
    Check(device.GetDeviceStatus() == DEVICE_STATE::DISCONNECTED, "Disconnect: DISCONNECTED");
    try {
        device.Disconnect(0);
        Check(false, "a second Disconnect is refused with InvalidOperationEx");
    } catch (const util::InvalidOperationEx&) {
        // As it must be.
    }
    device.Close();
    Check(device.GetDeviceStatus() == DEVICE_STATE::CLOSED, "Close: CLOSED");
    Check(host.statuses == std::vector<int>({0, 3, 2, 4, 0, 0, 1}), "the host heard every status change in order");
    Check(host.completed == 1, "ConnectCompleted once, with 0");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: boundary_host <plug-in>\n");
        return 2;
    }
    const std::string name = argv[1];
    HMODULE module = LoadLibraryW(std::wstring(name.begin(), name.end()).c_str());
    Check(module != nullptr, "the plug-in loads");
    if (module == nullptr) return 1;
    auto create = reinterpret_cast<CreateClassFn>(reinterpret_cast<void*>(GetProcAddress(module, "CreateClass")));
    auto destroy = reinterpret_cast<DeleteClassFn>(reinterpret_cast<void*>(GetProcAddress(module, "DeleteClass")));
    Check(create != nullptr && destroy != nullptr, "both exports are found by name");
    if (create != nullptr && destroy != nullptr) {
        Run([&] {
            destroy(nullptr);
            ace::IDevice* device = create();
            Check(device != nullptr, "CreateClass makes a device");
            if (device != nullptr) {
                Run([&] { Drive(*device); });
                destroy(device);
            }
        });
    }
    FreeLibrary(module);
    std::printf("%d passed, %d failed\n", checks - failures, failures);
    return failures == 0 ? 0 : 1;
}
