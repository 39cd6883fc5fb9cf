#include "BenchDevice.h"

#include <malloc.h>

#include <stdexcept>

#include "device/Exports.h"
#include "foundation/Logging.h"
#include "platform/sim/Faults.h"
#include "platform/sim/World.h"
#include "platform/win32.h"

namespace bench {

const char kSsid[] = "Office";

namespace {

const wchar_t kKey[] = L"staple & <paper>";

// Masked levels still pass through every UTIL_LOG; with no sink nothing is
// written, so the benchmarks measure the device and not a terminal.
const bool kQuietLog = [] {
    GetLog().SetMask(LOG_ERROR | LOG_WARNING);
    GetLog().SetStderr(false);
    return true;
}();

}  // namespace

std::vector<sim::WlanNetwork> Networks(size_t count) {
    std::vector<sim::WlanNetwork> networks;
    for (size_t i = 0; i < count; ++i) {
        sim::WlanNetwork n;
        n.ssid = i == 0 ? std::string(kSsid) : "Net " + std::to_string(i);
        n.signalQuality = 40 + static_cast<DWORD>(i % 60);
        n.securityEnabled = true;
        n.authAlgorithm = DOT11_AUTH_ALGO_RSNA_PSK;
        n.cipherAlgorithm = DOT11_CIPHER_ALGO_CCMP;
        n.secret = kKey;
        networks.push_back(n);
    }
    return networks;
}

BenchDevice::BenchDevice(size_t networks) : wlan(sim::GetWorld().Wlan()) {
    (void)kQuietLog;
    sim::GetWorld().Reset();
    sim::WlanInterfaceDescription d;
    d.description = L"Contoso Wireless 3945ABG";
    d.networks = Networks(networks);
    iface = wlan.AddInterface(d);
    LPWSTR text = nullptr;
    if (::StringFromCLSID(iface, &text) != S_OK) throw std::runtime_error("StringFromCLSID failed");
    sim::AdapterDescription adapter;
    adapter.description = d.description;
    adapter.guid = text;
    adapter.ifIndex = kIfIndex;
    ::CoTaskMemFree(text);
    adapters_.Add(adapter);
    device = dynamic_cast<ace::IDeviceAdapter*>(CreateClass());
    device->SetDeviceIndex(1);
    device->SetDeviceName(L"Contoso Wireless");
}

BenchDevice::~BenchDevice() {
    DeleteClass(device);
    wlan.WaitIdle(std::chrono::seconds(10));
}

void BenchDevice::Associate() {
    cei::AssociateInfoWlan request;
    request.ssid = L"Office";
    request.securityType = cei::SECURITY_WPA2_PSK;
    request.encryptionType = cei::ENCRYPTION_AES;
    request.key = kKey;
    device->AssociateNetwork(&request);
}

void BenchDevice::Connect() {
    cei::ConnectionInfoWlan c;
    c.connectTimeout = 3000;
    device->ConnectAsync(&c);
}

Holdings Holdings::Now() {
    Holdings h;
    h.heapBytes = mallinfo2().uordblks;
    h.wlanHandles = sim::GetWorld().Wlan().OpenHandles();
    h.wlanAllocations = sim::GetWorld().Wlan().OutstandingAllocations();
    h.registryKeys = sim::GetWorld().Registry().OpenHandles();
    h.kernelObjects = sim::KernelObjectCount();
    return h;
}

}  // namespace bench
