// The device's queries beside the same platform calls made directly, and
// the cost of a record at a level the mask leaves out beside an empty loop.
#include <benchmark/benchmark.h>

#include <stdexcept>

#include "BenchDevice.h"
#include "foundation/Logging.h"
#include "platform/win32.h"
#include "records/AccessStatus.h"
#include "records/DeviceStatistics.h"

namespace {

constexpr size_t kListed = 50;

// A client handle of our own, for the direct calls.
class Client {
public:
    Client() {
        DWORD version = 0;
        if (::WlanOpenHandle(2, nullptr, &version, &handle_) != ERROR_SUCCESS) throw std::runtime_error("WlanOpenHandle");
    }
    ~Client() { ::WlanCloseHandle(handle_, nullptr); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

// Every WLAN call is journalled; a run of millions of calls would time the
// journal's growth, so it is cleared now and then outside the timing, on
// both sides of a comparison alike.
class JournalTrim {
public:
    explicit JournalTrim(sim::WlanService& wlan) : wlan_(wlan) {}
    void Step(benchmark::State& state) {
        if (++calls_ % 4096 != 0) return;
        state.PauseTiming();
        wlan_.ClearJournal();
        state.ResumeTiming();
    }

private:
    sim::WlanService& wlan_;
    size_t calls_ = 0;
};

void DeviceNetworks(benchmark::State& state) {
    bench::BenchDevice rig(static_cast<size_t>(state.range(0)));
    rig.Open();
    JournalTrim trim(rig.wlan);
    for (auto _ : state) {
        trim.Step(state);
        ace::NetworkList networks;
        rig.device->GetAvailableNetworks(networks);
        benchmark::DoNotOptimize(networks.data());
    }
    rig.device->Close();
    state.counters["per_network"] =
        benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                                    benchmark::Counter::kInvert);
}
BENCHMARK(DeviceNetworks)->Arg(kListed)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void DirectNetworks(benchmark::State& state) {
    bench::BenchDevice rig(static_cast<size_t>(state.range(0)));
    Client client;
    JournalTrim trim(rig.wlan);
    for (auto _ : state) {
        trim.Step(state);
        PWLAN_AVAILABLE_NETWORK_LIST list = nullptr;
        if (::WlanGetAvailableNetworkList(client.get(), &rig.iface, 0, nullptr, &list) != ERROR_SUCCESS)
            state.SkipWithError("WlanGetAvailableNetworkList failed");
        benchmark::DoNotOptimize(list);
        ::WlanFreeMemory(list);
    }
}
BENCHMARK(DirectNetworks)->Arg(kListed)->Unit(benchmark::kMicrosecond);

// Connected on API version 2: the signal comes from the RSSI query.
void DeviceAccessStatus(benchmark::State& state) {
    bench::BenchDevice rig;
    rig.Open();
    rig.Associate();
    rig.Connect();
    JournalTrim trim(rig.wlan);
    for (auto _ : state) {
        trim.Step(state);
        cei::AccessStatus status;
        rig.device->GetAccessStatus(13, status);
        benchmark::DoNotOptimize(status.signalStrength);
    }
    rig.device->Close();
}
BENCHMARK(DeviceAccessStatus)->Unit(benchmark::kMicrosecond);

void DirectAccessStatus(benchmark::State& state) {
    bench::BenchDevice rig;
    rig.Open();
    rig.Associate();
    rig.Connect();
    Client client;
    JournalTrim trim(rig.wlan);
    for (auto _ : state) {
        trim.Step(state);
        DWORD size = 0;
        PVOID data = nullptr;
        if (::WlanQueryInterface(client.get(), &rig.iface, wlan_intf_opcode_rssi, nullptr, &size, &data, nullptr) !=
            ERROR_SUCCESS)
            state.SkipWithError("WlanQueryInterface failed");
        benchmark::DoNotOptimize(data);
        ::WlanFreeMemory(data);
    }
    rig.device->Close();
}
BENCHMARK(DirectAccessStatus)->Unit(benchmark::kMicrosecond);

void DeviceStatistics(benchmark::State& state) {
    bench::BenchDevice rig;
    rig.Open();
    for (auto _ : state) {
        cei::DeviceStatistics statistics;
        rig.device->GetStatistics(statistics);
        benchmark::DoNotOptimize(statistics.bytesSent);
    }
    rig.device->Close();
}
BENCHMARK(DeviceStatistics)->Unit(benchmark::kMicrosecond);

void DirectStatistics(benchmark::State& state) {
    bench::BenchDevice rig;
    for (auto _ : state) {
        MIB_IFROW row{};
        row.dwIndex = bench::kIfIndex;
        if (::GetIfEntry(&row) != NO_ERROR) state.SkipWithError("GetIfEntry failed");
        benchmark::DoNotOptimize(row.dwInOctets);
    }
}
BENCHMARK(DirectStatistics)->Unit(benchmark::kMicrosecond);

// A record as the device writes one per listed network, at a level the
// mask leaves out.
void MaskedRecord(benchmark::State& state) {
    GetLog().SetMask(LOG_ERROR | LOG_WARNING);
    const std::wstring ssid = L"Office";
    for (auto _ : state)
        UTIL_LOG(LOG_DETAIL, LOG_AREA_DEVICE, L"bench") << L"SSID: " << ssid << L" , Signal quality: " << 80;
}
BENCHMARK(MaskedRecord);

// The floor of MaskedRecord: the same loop with a call the optimiser keeps.
void EmptyLoop(benchmark::State& state) {
    const std::wstring ssid = L"Office";
    for (auto _ : state) benchmark::DoNotOptimize(ssid.data());
}
BENCHMARK(EmptyLoop);

}  // namespace
