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

#include "WlanRig.h"
#include "foundation/Logging.h"
#include "platform/sim/World.h"
#include "records/AccessStatus.h"
#include "records/DeviceStatistics.h"

namespace {

using test::WlanRig;

const test::Net* const kNets[] = {&test::kWpa2Net, &test::kOpenNet, &test::kWepNet};
const GUID kForeign = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

// The rig's device, opened and connected; it lives to the end of the
// process, so its fixed pauses are not spent.
WlanRig& World() {
    static WlanRig* rig = [] {
        GetLog().SetMask(LOG_ERROR | LOG_WARNING);
        GetLog().SetStderr(false);
        auto* r = new WlanRig;
        r->Open();
        r->AssociateAndConnect(test::kWpa2Net);
        return r;
    }();
    return *rig;
}

// One step of the input: an opcode byte and up to three argument bytes.
void Step(WlanRig& m, const uint8_t* a, std::set<const test::Net*>& removed, bool& radioOff) {
    const char* ssid = kNets[a[1] % 3]->ssid;
    const GUID& target = (a[2] & 0x80) ? kForeign : m.iface;
    ace::NetworkList networks;
    cei::AccessStatus access;
    cei::DeviceStatistics statistics;
    try {
        switch (a[0] % 10) {
            case 0: m.wlan.Notify(sim::kSourceAcm, a[1] % 26, target, a[3]); break;
            case 1: m.wlan.Notify(sim::kSourceMsm, a[1] % 18, target, a[3]); break;
            case 2: m.wlan.LoseLink(m.iface); break;
            case 3: m.wlan.SetSignal(m.iface, ssid, a[2] % 101, -static_cast<LONG>(a[3] % 120)); break;
            case 4:
                m.wlan.RemoveNetwork(m.iface, ssid);
                removed.insert(kNets[a[1] % 3]);
                break;
            case 5:
                m.wlan.SetRadio(m.iface, (a[2] & 1) != 0);
                radioOff = (a[2] & 1) == 0;
                break;
            case 6: m.device->GetAvailableNetworks(networks); break;
            case 7: m.device->GetAccessStatus(a[1], access); break;
            case 8: m.device->GetStatistics(statistics); break;
            default: m.wlan.WaitIdle(std::chrono::seconds(5)); break;
        }
    } catch (const util::Exception&) {
        // A refused query is an answer, not a fault.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WlanRig& m = World();
    std::set<const test::Net*> removed;
    bool radioOff = false;
    for (size_t i = 0; i + 4 <= size && i < 4 * 64; i += 4) Step(m, data + i, removed, radioOff);
    if (!m.wlan.WaitIdle(std::chrono::seconds(10))) std::abort();
    if (!m.wlan.Faults().empty() || m.wlan.BadFrees() != 0 || m.wlan.OutstandingAllocations() != 0) std::abort();
    const DEVICE_STATE status = m.device->GetDeviceStatus();
    if (status != DEVICE_STATE::CONNECTED && status != DEVICE_STATE::DISCONNECTED) std::abort();
    // Back to the world the next input starts from (a lost link stays lost).
    if (radioOff) m.wlan.SetRadio(m.iface, true);
    for (const test::Net* net : removed) m.wlan.AddNetwork(m.iface, test::Network(*net));
    m.wlan.ClearJournal();
    m.Forget();  // the rig keeps the host's calls and the log
    return 0;
}
