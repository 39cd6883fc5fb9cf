// The simulated machine: one object per simulated Windows service, reached
// through GetWorld(). Tests (and the reference host) describe the machine
// through it and Reset() it between tests; every simulated call also asks
// sim::ShouldFail("<WindowsName>", &code) at its entry (Faults.h).
#pragma once

#include "DhcpClient.h"
#include "IpHelper.h"
#include "RegistryStore.h"
#include "SetupApi.h"
#include "WlanService.h"

namespace sim {

class World {
public:
    RegistryStore& Registry() { return registry_; }
    DhcpClient& Dhcp() { return dhcp_; }
    IpHelper& IpHelp() { return ipHelper_; }
    SetupApi& Devices() { return setupApi_; }
    WlanService& Wlan() { return wlan_; }

    // Every service back to an empty machine, and every fault disarmed.
    void Reset();

    // True when the registry calls are answered by Registry() (the native
    // build); false when the platform's real registry answers them.
    static bool RegistrySimulated();

private:
    RegistryStore registry_;
    DhcpClient dhcp_;
    IpHelper ipHelper_;
    SetupApi setupApi_;
    WlanService wlan_;
};

World& GetWorld();

}  // namespace sim
