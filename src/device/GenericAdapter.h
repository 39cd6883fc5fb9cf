// The state common to every adapter: the accessors, the device status and its
// reports to the host, the IP address checks of the worker thread, interface
// statistics, IP settings and device information. The concrete adapter
// derives from it and provides the WLAN operations.
#pragma once

#include <atomic>
#include <cstdint>

#include "device/IDeviceAdapter.h"
#include "foundation/CriticalSection.h"
#include "foundation/Thread.h"
#include "records/DeviceInformation.h"

namespace ace {

struct DeviceProbe;  // the tests' access to protected state

class GenericAdapter : public IDeviceAdapter, public util::Thread {
public:
    GenericAdapter();
    ~GenericAdapter() override;

    // Accessors and setters: no lock, they read or write one member.
    void Reserved1() override {}
    DBDeviceInfo& GetDBDeviceInfo() override { return dbDeviceInfo; }
    bool GetDeviceFlag() override { return deviceFlag; }
    int32_t GetDeviceIndex() override { return deviceIndex; }
    void GetDeviceInformation(cei::DeviceInformation& information) override;
    util::String GetDeviceName() override { return deviceName; }
    DEVICE_STATE GetDeviceStatus() override { return deviceStatus; }
    uint32_t GetPhysicalDeviceType() override { return dbDeviceInfo.PhysicalDeviceType; }
    void Reserved2(uint32_t) override {}
    void Reserved3() override {}
    void RetrieveDeviceInformation(uint32_t value1, uint32_t value2) override;
    void Reserved4(uint32_t) override {}
    void SetDBDeviceInfo(const DBDeviceInfo& info) override;
    void Reserved5(uint32_t) override {}
    void SetDeviceFlag() override { deviceFlag = true; }
    void SetDeviceIndex(int32_t index) override { deviceIndex = index; }
    void SetDeviceInformation(const cei::DeviceInformation& information) override;
    void SetDeviceName(const util::String& name) override;

    // Added by the generic adapter, in this order.
    virtual util::String GetDeviceInformationId();
    // Logs the old and new status, stores it, and tells the host if `notify`.
    virtual void ChangeDeviceStatus(DEVICE_STATE newState, bool notify);
    // Tells the host when a usable IPv4 address comes or goes.
    virtual void CheckIpAddress();
    // Close, inside the catch chain.
    virtual void Destroy();
    // The IP interface index of the adapter named by its GUID text.
    virtual void FindIndexFromGuid(const util::String& guid, uint32_t& index);
    // Traffic counters of `index`, widened to 64 bits.
    virtual cei::DeviceStatistics& GetInterfaceData(uint32_t index, cei::DeviceStatistics& statistics);
    // IPv4 address of interfaceIndex in host byte order, or 0.
    virtual uint32_t GetIpAddress();
    virtual void GetNetworkSettings(const util::String& driverDescription, cei::ConnectionInfo& settings);
    virtual bool IsIpAddressReported() { return ipAddressReported; }
    virtual void SetNetworkSettings(const util::String& driverDescription, const cei::ConnectionInfo& settings,
                                    bool commit);
    virtual void SetIpAddressReported(bool reported) { ipAddressReported = reported; }

protected:
    friend struct DeviceProbe;

    // The worker thread: checks the IP address every pollInterval ms until stopped.
    uint32_t ThreadRoutine() override;

    IDeviceCallback* HostCallback() const { return hostCallback.load(); }

    // Written by Open on a host thread, read by the worker without a lock.
    std::atomic<IDeviceCallback*> hostCallback{nullptr};
    DBDeviceInfo dbDeviceInfo;
    std::atomic<int32_t> deviceIndex{-1};
    std::atomic<DEVICE_STATE> deviceStatus{DEVICE_STATE::CLOSED};
    util::String deviceName;
    cei::DeviceInformation deviceInformation;
    std::atomic<uint32_t> interfaceIndex{0};
    uint32_t pollInterval = 1000;
    std::atomic<bool> ipAddressReported{false};
    std::atomic<bool> deviceFlag{false};
    util::CriticalSection adapterLock;
    uint64_t receivedAccumulator = 0;
    uint64_t sentAccumulator = 0;
};

}  // namespace ace
