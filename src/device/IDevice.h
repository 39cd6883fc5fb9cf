// The device interface: the only way a host drives the adapter. The order of
// the virtual operations is part of the binary contract with the host and
// must never change. Strings and records are returned by value; failures are
// util::Exception objects (see docs/host-guide.md for which operation throws
// what, and on which thread each callback arrives).
#pragma once

#include <cstdint>
#include <vector>

#include "device/DeviceState.h"
#include "device/IDeviceCallback.h"
#include "devicedb/DeviceInfo.h"
#include "foundation/CountedPtr.h"
#include "foundation/String.h"
#include "records/AccessStatus.h"
#include "records/ConnectionInfo.h"
#include "records/DeviceInformation.h"
#include "records/DeviceStatistics.h"
#include "records/NetworkInfoList.h"

namespace ace {

using NetworkList = std::vector<util::CountedPtr<cei::NetworkInfoList>>;

class IDevice {
public:
    virtual ~IDevice() = default;
    virtual void Close() = 0;
    // `request` must point to a cei::ConnectionInfoWlan.
    virtual void ConnectAsync(const cei::ConnectionInfo* request) = 0;
    virtual void Disconnect(uint32_t reason) = 0;
    virtual void Reserved1() = 0;
    // `types` is a mask of the AccessStatus name table.
    virtual void GetAccessStatus(uint32_t types, cei::AccessStatus& status) = 0;
    // Appends one entry per network in range.
    virtual void GetAvailableNetworks(NetworkList& networks) = 0;
    virtual DBDeviceInfo& GetDBDeviceInfo() = 0;
    virtual bool GetDeviceFlag() = 0;
    virtual int32_t GetDeviceIndex() = 0;
    virtual void GetDeviceInformation(cei::DeviceInformation& information) = 0;
    virtual util::String GetDeviceName() = 0;
    virtual DEVICE_STATE GetDeviceStatus() = 0;
    virtual uint32_t GetPhysicalDeviceType() = 0;
    virtual void GetStatistics(cei::DeviceStatistics& statistics) = 0;
    virtual void Reserved2(uint32_t value) = 0;
    virtual void Open(IDeviceCallback* callback) = 0;
    virtual void Reserved3() = 0;
    virtual void RetrieveDeviceInformation(uint32_t value1, uint32_t value2) = 0;
    virtual void Reserved4(uint32_t value) = 0;
    virtual void SetDBDeviceInfo(const DBDeviceInfo& info) = 0;
    virtual void Reserved5(uint32_t value) = 0;
    virtual void SetDeviceFlag() = 0;
    virtual void SetDeviceIndex(int32_t index) = 0;
    virtual void SetDeviceInformation(const cei::DeviceInformation& information) = 0;
    virtual void SetDeviceName(const util::String& name) = 0;
};

}  // namespace ace
