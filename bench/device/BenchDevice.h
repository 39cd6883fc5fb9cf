// A WLAN device on the simulated service for the benchmarks: one interface
// with `networks` in range (notifications delivered at once), its adapter
// entries, the device made by CreateClass with a host that ignores every
// call, and the log masked to errors and warnings with no sink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "device/IDeviceAdapter.h"
#include "platform/sim/AdapterWorld.h"
#include "platform/sim/WlanService.h"
#include "QuietHost.h"
#include "records/AssociateInfoWlan.h"
#include "records/ConnectionInfoWlan.h"

namespace bench {

using test::QuietHost;

constexpr uint32_t kIfIndex = 12;
// The network the cycles associate with: WPA2-PSK, so the profile holds a key.
extern const char kSsid[];

std::vector<sim::WlanNetwork> Networks(size_t count);

class BenchDevice {
public:
    explicit BenchDevice(size_t networks = 4);
    ~BenchDevice();
    BenchDevice(const BenchDevice&) = delete;
    BenchDevice& operator=(const BenchDevice&) = delete;

    void Open() { device->Open(&host); }
    void Associate();
    void Connect();

    sim::WlanService& wlan;
    GUID iface{};
    QuietHost host;
    ace::IDeviceAdapter* device = nullptr;

private:
    sim::AdapterWorld adapters_;
};

// What the process holds that a leak would raise: heap in use, the service's
// client handles and unfreed allocations, open registry keys and live kernel
// objects.
struct Holdings {
    size_t heapBytes = 0, wlanHandles = 0, wlanAllocations = 0, registryKeys = 0, kernelObjects = 0;
    static Holdings Now();
    bool operator==(const Holdings&) const = default;
};

}  // namespace bench
