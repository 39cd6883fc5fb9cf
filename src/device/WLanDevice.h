// The WLAN adapter on the Native Wifi API: the only concrete device.
#pragma once

#include <cstdint>

#include "device/GenericAdapter.h"
#include "foundation/Event.h"
#include "platform/win32.h"
#include "records/ConnectionInfo.h"

namespace ace {

class WLanDevice : public GenericAdapter {
public:
    // Creates the five wait events and starts the worker thread "WlanDevice".
    WLanDevice();
    // Closes the WLAN service handle without telling the host, stops the
    // worker; never throws.
    ~WLanDevice() override;

    void Close() override;
    void ConnectAsync(const cei::ConnectionInfo* request) override;
    void Disconnect(uint32_t reason) override;
    void GetAccessStatus(uint32_t types, cei::AccessStatus& status) override;
    void GetAvailableNetworks(NetworkList& networks) override;
    void GetStatistics(cei::DeviceStatistics& statistics) override;
    void Open(IDeviceCallback* callback) override;
    void AssociateNetwork(const cei::ConnectionInfo* request) override;
    void UnAssociateNetwork() override;

private:
    // Releases the WLAN service handle, if one is open.
    void DoClose();

    uint32_t negotiatedVersion = 0;
    GUID interfaceGuid{};
    util::String adapterName;
    util::String adapterDescription;
    cei::ConnectionInfo connectionInfo;  // kept, never read
    uint32_t associationState = 0;
    cei::DeviceStatistics connectStatistics;
    HANDLE clientHandle = nullptr;
    util::Event connectedEvent;
    util::Event connectFailedEvent;
    util::Event disconnectedEvent;
    util::Event profileChangedEvent;
    util::Event scanCompleteEvent;
    util::String currentNetworkName;
    bool ssidBroadcast = true;
    util::String originProfileXml;
};

}  // namespace ace
