// Arbitrary notification sequences for an open WLAN device over the
// simulated service, mixed with the host's queries. The device is opened and
// connected once per process (its fixed pauses are too long per input);
// each input then drives the service and must leave no fault the service
// saw, no service memory unfreed or freed twice, and a device that is either
// connected or disconnected once every notification is delivered.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "device/Exports.h"
#include "device/IDeviceAdapter.h"
#include "foundation/Logging.h"
#include "platform/sim/AdapterWorld.h"
#include "platform/sim/World.h"
#include "platform/win32.h"
#include "records/AccessStatus.h"
#include "QuietHost.h"
#include "records/AssociateInfoWlan.h"
#include "records/ConnectionInfoWlan.h"
#include "records/DeviceStatistics.h"

namespace {

using test::QuietHost;

const char* const kSsids[] = {"Office", "Cafe", "Lab"};
const GUID kForeign = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

sim::WlanNetwork Network(const char* ssid) {
    sim::WlanNetwork n;
    n.ssid = ssid;
    return n;
}

struct Machine {
    Machine() : wlan(sim::GetWorld().Wlan()) {
        GetLog().SetMask(LOG_ERROR | LOG_WARNING);
        GetLog().SetStderr(false);
        sim::GetWorld().Reset();
        sim::WlanInterfaceDescription d;
        d.description = L"Contoso Wireless 3945ABG";
        for (const char* ssid : kSsids) d.networks.push_back(Network(ssid));
        iface = wlan.AddInterface(d);
        LPWSTR text = nullptr;
        if (::StringFromCLSID(iface, &text) != S_OK) std::abort();
        sim::AdapterDescription adapter;
        adapter.description = d.description;
        adapter.guid = text;
        ::CoTaskMemFree(text);
        adapters.Add(adapter);
        device = dynamic_cast<ace::IDeviceAdapter*>(CreateClass());
        device->SetDeviceName(L"Contoso Wireless");
        device->Open(&host);
        cei::AssociateInfoWlan request;
        request.ssid = L"Office";
        device->AssociateNetwork(&request);
        cei::ConnectionInfoWlan connect;
        connect.connectTimeout = 3000;
        device->ConnectAsync(&connect);
    }
    // The process ends with the device open: its fixed pauses are not spent.

    sim::WlanService& wlan;
    sim::AdapterWorld adapters;
    GUID iface{};
    QuietHost host;
    ace::IDeviceAdapter* device = nullptr;
};

Machine& World() {
    static Machine* machine = new Machine;  // lives to the end of the process
    return *machine;
}

// One step of the input: an opcode byte and up to three argument bytes.
void Step(Machine& m, const uint8_t* a, std::set<std::string>& removed, bool& radioOff) {
    const char* ssid = kSsids[a[1] % 3];
    const GUID& target = (a[2] & 0x80) ? kForeign : m.iface;
    try {
        switch (a[0] % 10) {
            case 0: m.wlan.Notify(sim::kSourceAcm, a[1] % 26, target, a[3]); break;
            case 1: m.wlan.Notify(sim::kSourceMsm, a[1] % 18, target, a[3]); break;
            case 2: m.wlan.LoseLink(m.iface); break;
            case 3: m.wlan.SetSignal(m.iface, ssid, a[2] % 101, -static_cast<LONG>(a[3] % 120)); break;
            case 4:
                m.wlan.RemoveNetwork(m.iface, ssid);
                removed.insert(ssid);
                break;
            case 5:
                m.wlan.SetRadio(m.iface, (a[2] & 1) != 0);
                radioOff = (a[2] & 1) == 0;
                break;
            case 6: {
                ace::NetworkList networks;
                m.device->GetAvailableNetworks(networks);
                break;
            }
            case 7: {
                cei::AccessStatus status;
                m.device->GetAccessStatus(a[1], status);
                break;
            }
            case 8: {
                cei::DeviceStatistics statistics;
                m.device->GetStatistics(statistics);
                break;
            }
            default: m.wlan.WaitIdle(std::chrono::seconds(5)); break;
        }
    } catch (const util::Exception&) {
        // A refused query is an answer, not a fault.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Machine& m = World();
    std::set<std::string> removed;
    bool radioOff = false;
    for (size_t i = 0; i + 4 <= size && i < 4 * 64; i += 4) Step(m, data + i, removed, radioOff);
    if (!m.wlan.WaitIdle(std::chrono::seconds(10))) std::abort();
    if (!m.wlan.Faults().empty() || m.wlan.BadFrees() != 0 || m.wlan.OutstandingAllocations() != 0) std::abort();
    const DEVICE_STATE status = m.device->GetDeviceStatus();
    if (status != DEVICE_STATE::CONNECTED && status != DEVICE_STATE::DISCONNECTED) std::abort();
    // Back to the world the next input starts from (a lost link stays lost).
    if (radioOff) m.wlan.SetRadio(m.iface, true);
    for (const std::string& ssid : removed) m.wlan.AddNetwork(m.iface, Network(ssid.c_str()));
    m.wlan.ClearJournal();
    return 0;
}
