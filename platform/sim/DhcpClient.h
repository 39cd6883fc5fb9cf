// The simulated DHCP client ("dhcpcsvc"): whether the library loads, whether
// it exports DhcpNotifyConfigChange, and a record of every notification.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace sim {

struct DhcpNotification {
    bool serverNull = true;
    std::wstring adapterName;
    bool newIpAddress = false;
    uint32_t ipIndex = 0;
    uint32_t ipAddress = 0;   // network byte order, as passed
    uint32_t subnetMask = 0;  // network byte order, as passed
    int action = 0;           // 0 keep, 1 enable DHCP, 2 disable DHCP
};

class DhcpClient {
public:
    void SetInstalled(bool installed);
    void SetExportsNotify(bool exports);
    bool Installed() const;
    bool ExportsNotify() const;

    // What the simulated call records and answers: ShouldFail("DhcpNotifyConfigChange")
    // refuses with its code, otherwise the call succeeds.
    uint32_t Notify(const DhcpNotification& call);

    std::vector<DhcpNotification> Calls() const;
    void CountLoad(int delta);
    unsigned Loads() const;       // successful loads since the last reset
    int LoadedModules() const;    // loads not yet freed

    void Reset();

private:
    mutable std::mutex lock_;
    bool installed_ = true;
    bool exportsNotify_ = true;
    unsigned loads_ = 0;
    int loaded_ = 0;
    std::vector<DhcpNotification> calls_;
};

}  // namespace sim
