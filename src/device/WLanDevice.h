// The WLAN adapter on the Native Wifi API: the only concrete device.
//
// Threads: every public operation runs on a host thread under adapterLock,
// waits included. NotificationCallback runs on the WLAN service's thread; it
// only signals the five events, tells the host of a lost link and runs the
// internal disconnect. The worker thread "WlanDevice" is the generic
// adapter's.
#pragma once

#include <atomic>
#include <cstdint>

#include "device/GenericAdapter.h"
#include "foundation/Event.h"
#include "platform/win32.h"
#include "records/ConnectionInfo.h"
#include "records/ConnectionInfoWlan.h"

namespace ace {

struct WLanDeviceProbe;  // the tests' access to the private steps

// A GUID read by the notification thread while a host thread may write it:
// two word-sized atomics, so neither side ever sees a data race.
class AtomicGuid {
public:
    void Store(const GUID& guid);
    GUID Load() const;

private:
    std::atomic<uint64_t> low_{0};
    std::atomic<uint64_t> high_{0};
};

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

    // The service's notification callback; `context` is the device.
    static void WINAPI NotificationCallback(PWLAN_NOTIFICATION_DATA notification, PVOID context);

private:
    friend struct WLanDeviceProbe;

    // Opening and closing.
    void DoOpen();
    bool DoFindAdapterFromEnumInterfaces();
    void DoClose();

    // Notifications.
    void CallbackImpl(const WLAN_NOTIFICATION_DATA& notification);

    // Scanning.
    void DoScan();
    void DoGetAvailableNetworks(NetworkList& networks);

    // Connecting.
    void DoConnect(const cei::ConnectionInfoWlan& request);
    void GetHexStrippedWepKey(const util::String& key, util::String& result);
    bool IsWpa64Key(const util::String& key);
    void AssociateSteps(const cei::ConnectionInfo* request);
    void ConnectSteps(const cei::ConnectionInfoWlan& request);

    // Profiles.
    bool GetOriginProfile();
    void DoSetProfile(const util::String& profileXml);
    void DoDeleteProfile();
    void DoResetOriginProfile();
    // One WlanSetProfile with the failure logging both setters share.
    DWORD SetProfileLogged(DWORD flags, const util::String& profileXml);

    // Disconnecting.
    void DoDisconnect(bool wait);
    void InternalDisconnect(bool wait);
    void InternalUnAssociateNetwork();
    // adapterLock for the notification thread: gives up (false) once DoClose
    // has begun, since DoClose waits for this callback under the lock.
    bool EnterLockFromService();

    // Status queries.
    int32_t DoGetSignalStrength(const util::String& ssid, DEVICE_STATE status);
    bool DoIsAdapterAlreadyConnected();
    static int32_t ConvertSignalToPercent(int32_t value);
    // WlanGetAvailableNetworkList with its failure logging; the caller frees.
    PWLAN_AVAILABLE_NETWORK_LIST QueryNetworkList(const wchar_t* function);

    std::atomic<uint32_t> negotiatedVersion{0};
    AtomicGuid interfaceGuid;
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
    // Manual reset; signalled while DoClose unregisters (see EnterLockFromService).
    util::Event closingEvent;
    util::String currentNetworkName;
    bool ssidBroadcast = true;
    util::String originProfileXml;
};

}  // namespace ace
