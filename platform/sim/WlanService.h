// The simulated Native Wifi service (WLAN AutoConfig) behind the Wlan* calls.
// Interfaces with the networks in range of each, a profile store per
// interface, connects that succeed or fail on their merits, and
// notifications delivered asynchronously, in order, on the service's own
// thread. Tests and the reference host describe the world and script
// departures through this class; every Wlan* call also asks
// sim::ShouldFail("<WlanName>", &code) at its entry (WlanFreeMemory, which
// has no result, excepted) and is counted and journalled whether or not a
// fault is armed. Callbacks run without the service's lock held, so they may
// call back into the service. The control calls throw std::out_of_range for
// an interface GUID the world does not have.
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

// Departures from the ordinary course, for tests. The operation itself takes
// effect (a connect that would succeed connects, a profile is stored); only
// its notifications are withheld.
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
    // Adds an interface at the end of the list (ACM "interface arrival");
    // returns its GUID. An all-zero GUID is replaced by a fresh one.
    GUID AddInterface(const WlanInterfaceDescription& description);
    // ACM "interface removal"; a removal of an unknown GUID does nothing.
    void RemoveInterface(const GUID& guid);
    void AddNetwork(const GUID& iface, const WlanNetwork& network);
    // Every network of that SSID leaves; the link drops if it was connected.
    void RemoveNetwork(const GUID& iface, const std::string& ssid);
    // Quality (and RSSI) of a network in range; sends MSM "signal quality
    // change" when the interface is connected to it.
    void SetSignal(const GUID& iface, const std::string& ssid, DWORD quality, LONG rssi);
    // MSM "radio state change"; switching off drops a connection first.
    void SetRadio(const GUID& iface, bool on);
    // Sets the state as is, no notification; a state other than connected
    // forgets the connection.
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
    // What a client did wrong, in order: "<call> from callback" for an
    // unregistration or WlanCloseHandle made on the service's thread (refused
    // with ERROR_INVALID_STATE instead of deadlocking), "<call>: callback did
    // not return" when one waited more than 5 s for a callback in progress,
    // "exception from callback" for a callback or After action that threw.
    std::vector<std::string> Faults() const;

    // --- accounting --------------------------------------------------------
    // Every Wlan* call made since Reset, armed or not.
    unsigned CallCount(const std::string& call) const;
    std::vector<WlanJournalEntry> Journal() const;
    // Forgets the journal and gives back its memory, so that a long run's
    // heap measures the client and not the record of its calls.
    void ClearJournal();
    // Allocations handed out and not yet given to WlanFreeMemory.
    size_t OutstandingAllocations() const;
    // WlanFreeMemory calls with a pointer the service did not hand out (or
    // had already been freed).
    size_t BadFrees() const;
    // Notifications delivered to callbacks since Reset.
    size_t DeliveredNotifications() const;

    // Client handles open now.
    size_t OpenHandles() const;

    // --- the Wlan* calls, with Windows semantics (the entry points forward here)
    DWORD OpenHandle(DWORD clientVersion, PVOID reserved, PDWORD negotiatedVersion, PHANDLE clientHandle);
    DWORD CloseHandle(HANDLE clientHandle, PVOID reserved);
    DWORD RegisterNotification(HANDLE clientHandle, DWORD sources, BOOL ignoreDuplicate,
                               WLAN_NOTIFICATION_CALLBACK callback, PVOID context, PVOID reserved,
                               PDWORD previousSources);
    DWORD EnumInterfaces(HANDLE clientHandle, PVOID reserved, PWLAN_INTERFACE_INFO_LIST* list);
    DWORD Scan(HANDLE clientHandle, const GUID* iface, const DOT11_SSID* ssid, const WLAN_RAW_DATA* ieData,
               PVOID reserved);
    DWORD GetAvailableNetworkList(HANDLE clientHandle, const GUID* iface, DWORD flags, PVOID reserved,
                                  PWLAN_AVAILABLE_NETWORK_LIST* list);
    DWORD QueryInterface(HANDLE clientHandle, const GUID* iface, WLAN_INTF_OPCODE opcode, PVOID reserved,
                         PDWORD dataSize, PVOID* data, PWLAN_OPCODE_VALUE_TYPE valueType);
    DWORD SetProfile(HANDLE clientHandle, const GUID* iface, DWORD flags, LPCWSTR xml, LPCWSTR allUserSecurity,
                     BOOL overwrite, PVOID reserved, DWORD* reasonCode);
    DWORD GetProfile(HANDLE clientHandle, const GUID* iface, LPCWSTR name, PVOID reserved, LPWSTR* xml,
                     DWORD* flags, PDWORD grantedAccess);
    DWORD DeleteProfile(HANDLE clientHandle, const GUID* iface, LPCWSTR name, PVOID reserved);
    DWORD Connect(HANDLE clientHandle, const GUID* iface, const WLAN_CONNECTION_PARAMETERS* parameters,
                  PVOID reserved);
    DWORD Disconnect(HANDLE clientHandle, const GUID* iface, PVOID reserved);
    DWORD ReasonCodeToString(DWORD reasonCode, DWORD bufferSize, PWCHAR buffer, PVOID reserved);
    void FreeMemory(PVOID memory);

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace sim
