// The simulated Native Wifi service (WLAN AutoConfig) behind the Wlan* calls.
// Interfaces with the networks in range of each, a profile store per
// interface, connects that succeed or fail on their merits, and
// notifications delivered asynchronously, in order, on the service's own
// thread. Tests and the reference host describe the world and script
// departures through this class; every Wlan* call also asks
// sim::ShouldFail("<WlanName>", &code) at its entry and is counted and
// journalled whether or not a fault is armed.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../win32.h"

namespace sim {

// Notification sources and the codes the service sends (Windows values).
constexpr DWORD kSourceAcm = 0x08;
constexpr DWORD kSourceMsm = 0x10;

// A network in range of an interface.
struct WlanNetwork {
    std::string ssid;                 // 0 to 32 bytes, a zero byte allowed
    DWORD bssType = 1;                // dot11_BSS_type_infrastructure; 2 independent (ad hoc)
    DWORD signalQuality = 80;         // 0 to 100
    LONG rssi = -60;                  // dBm, answered while connected to it
    bool securityEnabled = false;
    DWORD authAlgorithm = 1;          // DOT11_AUTH_ALGORITHM: 1 open, 2 shared, 4 WPA-PSK, 7 RSNA-PSK, ...
    DWORD cipherAlgorithm = 0;        // DOT11_CIPHER_ALGORITHM: 0 none, 1 WEP-40, 2 TKIP, 4 CCMP, 5 WEP-104
    std::wstring secret;              // passphrase or key a profile's keyMaterial must match
    bool broadcast = true;            // false: hidden (a connect still finds it by the profile's SSID)
};

struct WlanInterfaceDescription {
    GUID guid{};                      // all zero: a fresh one
    std::wstring description;         // up to 256 wide characters
    DWORD state = 4;                  // WLAN_INTERFACE_STATE: wlan_interface_state_disconnected
    bool radioOn = true;
    std::vector<WlanNetwork> networks;
};

// A stored profile as the service keeps it.
struct WlanStoredProfile {
    std::wstring name;
    std::wstring xml;                 // handed back verbatim by WlanGetProfile
    DWORD flags = 0;
};

// What a call received: the arguments that the device Parts fix.
struct WlanJournalEntry {
    std::string call;                 // "WlanOpenHandle", "WlanSetProfile", ...
    DWORD result = 0;
    DWORD clientVersion = 0;          // WlanOpenHandle
    DWORD sourceMask = 0;             // WlanRegisterNotification
    BOOL ignoreDuplicate = FALSE;     // WlanRegisterNotification
    bool callbackGiven = false;       // WlanRegisterNotification
    const void* context = nullptr;    // WlanRegisterNotification
    DWORD flags = 0;                  // WlanSetProfile, WlanGetAvailableNetworkList
    BOOL overwrite = FALSE;           // WlanSetProfile
    std::wstring profileName;         // WlanGetProfile, WlanDeleteProfile, WlanConnect (strProfile)
    std::wstring profileXml;          // WlanSetProfile
    DWORD connectionMode = 0;         // WlanConnect: WLAN_CONNECTION_MODE
    DWORD bssType = 0;                // WlanConnect
    DWORD connectFlags = 0;           // WlanConnect
    bool ssidGiven = false;           // WlanConnect: pDot11Ssid non-null
    bool bssidListGiven = false;      // WlanConnect: pDesiredBssidList non-null
    DWORD opcode = 0;                 // WlanQueryInterface
    GUID interfaceGuid{};             // calls that name an interface
};

// Departures from the ordinary course, for tests.
enum class WlanSilence {
    Scan,            // WlanScan succeeds, "scan complete" is never sent
    ScanFail,        // WlanScan succeeds, "scan fail" is sent instead
    Connect,         // WlanConnect succeeds, no notification follows
    Disconnect,      // WlanDisconnect succeeds, no notification follows
    ProfileChange,   // WlanSetProfile / WlanDeleteProfile succeed, no "profile change"
};

class WlanService {
public:
    WlanService();
    ~WlanService();
    WlanService(const WlanService&) = delete;
    WlanService& operator=(const WlanService&) = delete;

    // --- the machine -------------------------------------------------------
    // Back to no interfaces, no profiles, version 2, no delays, journal,
    // counts, faults of the service and allocation records cleared. Open
    // client handles are closed (their pending notifications dropped).
    void Reset();
    // The service's highest API version (1 or 2); WlanOpenHandle agrees on
    // the lower of the client's and this.
    void SetServiceVersion(DWORD version);
    // Adds an interface at the end of the list; returns its GUID.
    GUID AddInterface(const WlanInterfaceDescription& description);
    void RemoveInterface(const GUID& guid);
    void AddNetwork(const GUID& iface, const WlanNetwork& network);
    void RemoveNetwork(const GUID& iface, const std::string& ssid);
    // Quality (and RSSI) of a network in range; sends MSM "signal quality
    // change" when the interface is connected to it.
    void SetSignal(const GUID& iface, const std::string& ssid, DWORD quality, LONG rssi);
    void SetRadio(const GUID& iface, bool on);
    void SetInterfaceState(const GUID& iface, DWORD state);
    DWORD InterfaceState(const GUID& iface) const;
    // The SSID the interface is connected to (empty when not connected).
    std::string ConnectedSsid(const GUID& iface) const;
    // A delay the service waits on its thread before it delivers each
    // notification of a connect (0: none, the default).
    void SetConnectDelay(std::chrono::milliseconds delay);

    // --- the profile store -------------------------------------------------
    // Stores as a user would (no checks, no notification).
    void StoreProfile(const GUID& iface, const std::wstring& name, const std::wstring& xml, DWORD flags = 0);
    std::optional<WlanStoredProfile> Profile(const GUID& iface, const std::wstring& name) const;
    std::vector<WlanStoredProfile> Profiles(const GUID& iface) const;
    // WlanSetProfile of this name answers 183 (ERROR_ALREADY_EXISTS).
    void ProtectProfile(const GUID& iface, const std::wstring& name);

    // --- departures --------------------------------------------------------
    // The next `count` operations of that kind go unnotified.
    void Silence(WlanSilence what, unsigned count = 1);
    // Sends any notification (source, code, interface, reason code as the
    // data of ACM "connection complete"/"connection attempt fail") on the
    // service's thread, to every handle registered for the source.
    void Notify(DWORD source, DWORD code, const GUID& iface, DWORD reasonCode = 0);
    // The link drops by itself: the interface becomes disconnected, MSM
    // "disconnected" and ACM "disconnected" are sent.
    void LoseLink(const GUID& iface);
    // Runs `action` on the service's thread after `delay` (timed events of a
    // world: a lost link, a signal change). Dropped by Reset.
    void After(std::chrono::milliseconds delay, std::function<void()> action);
    // Waits until every queued notification is delivered and no callback
    // runs; false after `timeout`.
    bool WaitIdle(std::chrono::milliseconds timeout);
    // Calls of WlanRegisterNotification / WlanCloseHandle made from inside a
    // callback (refused instead of deadlocking), as "<call> from callback".
    std::vector<std::string> Faults() const;

    // --- accounting --------------------------------------------------------
    // Every Wlan* call made since Reset, armed or not.
    unsigned CallCount(const std::string& call) const;
    std::vector<WlanJournalEntry> Journal() const;
    // Allocations handed out and not yet given to WlanFreeMemory.
    size_t OutstandingAllocations() const;
    // WlanFreeMemory calls with a pointer the service did not hand out (or
    // had already been freed).
    size_t BadFrees() const;
    // Notifications delivered to callbacks since Reset.
    size_t DeliveredNotifications() const;

    // The Wlan* calls themselves (the entry points forward here).
    struct Impl;
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace sim
