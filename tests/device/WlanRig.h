// A WLAN device on a simulated machine: one wireless interface with the
// adapter entries that belong to it, networks in range, the device made by
// CreateClass with a recording host, and the log captured. At the end the
// service must have got back everything it handed out.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "RecordingHost.h"
#include "TestSupport.h"
#include "device/IDeviceAdapter.h"
#include "platform/sim/AdapterWorld.h"
#include "platform/sim/WlanService.h"
#include "records/AssociateInfoWlan.h"
#include "records/ConnectionInfoWlan.h"

namespace test {

constexpr wchar_t kAdapterName[] = L"Contoso Wireless";

// Networks of the rig: one of each kind the device accepts, with the
// security and encryption a host would ask for it by.
struct Net {
    const char* ssid;
    DWORD auth, cipher;
    const wchar_t* secret;
    int32_t security = cei::SECURITY_OPEN, encryption = cei::ENCRYPTION_NONE;
};
extern const Net kOpenNet, kWepNet, kWpaNet, kWpa2Net;
// A user's own profile of kWpa2Net's name, which the device must put back.
extern const std::wstring kUserXml;

sim::WlanNetwork Network(const Net& net, DWORD quality = 80);

// The request for a network: security and encryption as the host numbers
// them; the key is registered as a secret the log must never show.
cei::AssociateInfoWlan Request(const std::wstring& ssid, int32_t security, int32_t encryption,
                               const std::wstring& key = L"", uint32_t keyIndex = 1, bool broadcast = true);
cei::AssociateInfoWlan RequestFor(const Net& net);
cei::ConnectionInfoWlan Connect(uint32_t timeoutMs = 3000);

// The profile document is well-formed and valid against version 1 of the
// WLAN profile schema.
void ExpectSchemaValid(const std::wstring& xml);

class WlanRig {
public:
    // `createDevice` false: the world only; CreateDevice makes the device.
    explicit WlanRig(DWORD serviceVersion = 2, std::vector<sim::WlanNetwork> networks = DefaultNetworks(),
                     bool createDevice = true);
    ~WlanRig();

    static std::vector<sim::WlanNetwork> DefaultNetworks();

    // CreateClass, then the device index and name as a host sets them.
    void CreateDevice();
    void Open();
    void Associate(const Net& net);
    void AssociateAndConnect(const Net& net);
    void Connect(uint32_t timeoutMs = 3000);

    // The DeviceStatusChanged values in order.
    std::vector<uint32_t> Statuses() const;
    // Forgets the host's calls and the log so far.
    void Forget();
    bool LoggedText(unsigned level, const std::wstring& text) const;

    sim::WlanService& wlan;
    GUID iface{};
    mutable LogCapture log;
    std::unique_ptr<RecordingHost> host;
    ace::IDeviceAdapter* device = nullptr;

private:
    sim::AdapterWorld adapters_;
};

}  // namespace test
