// The Wlan* calls of the simulated service, with the results the real
// service gives. Each is counted, journalled and offered to fault injection
// by Impl::Serve; bad input changes nothing.
#include <cstddef>
#include <cstring>
#include <cwctype>

#include "WlanProfileXml.h"
#include "WlanServiceImpl.h"

namespace sim {

using Impl = WlanService::Impl;

namespace {

// WLAN_READ_ACCESS | WLAN_EXECUTE_ACCESS | WLAN_WRITE_ACCESS
constexpr DWORD kGrantedAccess = 0x00070023;

const struct {
    DWORD code;
    const wchar_t* text;
} kReasons[] = {
    {WLAN_REASON_CODE_SUCCESS, L"The operation succeeded."},
    {WLAN_REASON_CODE_UNKNOWN, L"An unknown error occurred."},
    {WLAN_REASON_CODE_PROFILE_NOT_COMPATIBLE, L"The profile is not compatible with the network's security."},
    {WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE, L"The network is not available."},
    {WLAN_REASON_CODE_KEY_MISMATCH, L"The network key does not match."},
    {WLAN_REASON_CODE_MSMSEC_PROFILE_INVALID_KEY_INDEX, L"The key index in the profile is not valid."},
    {WLAN_REASON_CODE_MSMSEC_PROFILE_PSK_LENGTH, L"The pre-shared key does not fit its key type."},
    {WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA, L"The profile does not follow the profile schema."},
    {WLAN_REASON_CODE_PROFILE_MISSING, L"The profile was not found."},
    {WLAN_REASON_CODE_INVALID_PROFILE_NAME, L"The profile name is not valid."},
    {WLAN_REASON_CODE_PROFILE_SSID_INVALID, L"The SSID in the profile is not valid."},
};

WlanJournalEntry Entry(const char* call, const GUID* iface = nullptr) {
    WlanJournalEntry e;
    e.call = call;
    if (iface) e.interfaceGuid = *iface;
    return e;
}

void CopyText(wchar_t* to, size_t capacity, const std::wstring& from) {
    size_t n = std::min(from.size(), capacity - 1);
    std::wmemcpy(to, from.data(), n);
    to[n] = L'\0';
}

DWORD AuthAlgorithm(const std::wstring& authentication) {
    static const std::pair<const wchar_t*, DWORD> kNames[] = {
        {L"shared", DOT11_AUTH_ALGO_80211_SHARED_KEY}, {L"WPA", DOT11_AUTH_ALGO_WPA},
        {L"WPAPSK", DOT11_AUTH_ALGO_WPA_PSK},          {L"WPA2", DOT11_AUTH_ALGO_RSNA},
        {L"WPA2PSK", DOT11_AUTH_ALGO_RSNA_PSK}};
    for (const auto& [name, algorithm] : kNames)
        if (authentication == name) return algorithm;
    return DOT11_AUTH_ALGO_80211_OPEN;
}

bool Wep(DWORD cipher) {
    return cipher == DOT11_CIPHER_ALGO_WEP40 || cipher == DOT11_CIPHER_ALGO_WEP104 || cipher == DOT11_CIPHER_ALGO_WEP;
}

bool CipherMatches(const std::wstring& encryption, DWORD cipher) {
    if (encryption == L"WEP") return Wep(cipher);
    if (encryption == L"TKIP") return cipher == DOT11_CIPHER_ALGO_TKIP;
    if (encryption == L"AES") return cipher == DOT11_CIPHER_ALGO_CCMP;
    return cipher == DOT11_CIPHER_ALGO_NONE;
}

// WEP keys are hex digits, in either case; passphrases match exactly.
bool KeyMatches(const WlanNetwork& net, const std::wstring& key) {
    if (!Wep(net.cipherAlgorithm)) return key == net.secret;
    if (key.size() != net.secret.size()) return false;
    for (size_t i = 0; i < key.size(); ++i)
        if (std::towlower(key[i]) != std::towlower(net.secret[i])) return false;
    return true;
}

// Why a connect with this profile fails on the interface (0: it succeeds,
// joining *joined).
DWORD Judge(const Impl::Interface& itf, const WlanProfileFields& f, DWORD bssType, const WlanNetwork** joined) {
    DWORD profileBss = f.connectionType == L"IBSS" ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure;
    const WlanNetwork* net = nullptr;
    for (const WlanNetwork& n : itf.networks) {
        bool reachable = n.broadcast || f.nonBroadcast;  // a hidden network answers only a directed probe
        if (n.ssid == f.ssid && n.bssType == profileBss && (bssType == dot11_BSS_type_any || bssType == n.bssType) &&
            reachable) {
            net = &n;
            break;
        }
    }
    if (net == nullptr) return WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE;
    if (AuthAlgorithm(f.authentication) != net->authAlgorithm || !CipherMatches(f.encryption, net->cipherAlgorithm))
        return WLAN_REASON_CODE_PROFILE_NOT_COMPATIBLE;
    bool keyed = net->cipherAlgorithm != DOT11_CIPHER_ALGO_NONE || net->authAlgorithm == DOT11_AUTH_ALGO_WPA_PSK ||
                 net->authAlgorithm == DOT11_AUTH_ALGO_RSNA_PSK;
    if (keyed && (!f.hasSharedKey || !KeyMatches(*net, f.keyMaterial))) return WLAN_REASON_CODE_KEY_MISMATCH;
    *joined = net;
    return WLAN_REASON_CODE_SUCCESS;
}

}  // namespace

void Impl::ProfileChanged(const Interface& itf) {
    if (!Silenced(WlanSilence::ProfileChange))
        Send(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_profile_change, itf.guid);
}

Impl::Client* Impl::FindClient(HANDLE handle, DWORD& error) {
    if (handle == nullptr) {
        error = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    auto it = clients.find(reinterpret_cast<uintptr_t>(handle));
    if (it == clients.end()) {
        error = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    return &it->second;
}

Impl::Interface* Impl::Find(const GUID* guid, DWORD& error) {
    if (guid == nullptr) {
        error = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    for (Interface& i : interfaces)
        if (i.guid == *guid) return &i;
    error = ERROR_NOT_FOUND;
    return nullptr;
}

Impl::Interface* Impl::Target(HANDLE client, PVOID reserved, const GUID* iface, DWORD& error) {
    if (FindClient(client, error) == nullptr) return nullptr;
    if (reserved != nullptr) {
        error = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    return Find(iface, error);
}

DWORD WlanService::OpenHandle(DWORD clientVersion, PVOID reserved, PDWORD negotiatedVersion, PHANDLE clientHandle) {
    Impl& s = *impl_;
    WlanJournalEntry e = Entry("WlanOpenHandle");
    e.clientVersion = clientVersion;
    return s.Serve(std::move(e), [&](Impl::Lock&) -> DWORD {
        if (reserved != nullptr || negotiatedVersion == nullptr || clientHandle == nullptr || clientVersion == 0)
            return ERROR_INVALID_PARAMETER;
        uintptr_t id = s.nextHandle++;
        s.clients[id].version = std::min(clientVersion, s.serviceVersion);
        *negotiatedVersion = s.clients[id].version;
        *clientHandle = reinterpret_cast<HANDLE>(id);
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::CloseHandle(HANDLE clientHandle, PVOID reserved) {
    Impl& s = *impl_;
    return s.Serve(Entry("WlanCloseHandle"), [&](Impl::Lock& g) -> DWORD {
        DWORD error = ERROR_SUCCESS;
        if (s.FindClient(clientHandle, error) == nullptr) return error;
        if (reserved != nullptr) return ERROR_INVALID_PARAMETER;
        if (s.OnServiceThread()) {
            s.faults.push_back("WlanCloseHandle from callback");
            return ERROR_INVALID_STATE;
        }
        uintptr_t id = reinterpret_cast<uintptr_t>(clientHandle);
        s.clients.erase(id);
        s.Drop(g, id, "WlanCloseHandle");
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::RegisterNotification(HANDLE clientHandle, DWORD sources, BOOL ignoreDuplicate,
                                        WLAN_NOTIFICATION_CALLBACK callback, PVOID context, PVOID reserved,
                                        PDWORD previousSources) {
    Impl& s = *impl_;
    WlanJournalEntry e = Entry("WlanRegisterNotification");
    e.sourceMask = sources;
    e.ignoreDuplicate = ignoreDuplicate;
    e.callbackGiven = callback != nullptr;
    e.context = context;
    return s.Serve(std::move(e), [&](Impl::Lock& g) -> DWORD {
        DWORD error = ERROR_SUCCESS;
        Impl::Client* client = s.FindClient(clientHandle, error);
        if (client == nullptr) return error;
        if (reserved != nullptr || (sources != WLAN_NOTIFICATION_SOURCE_NONE && callback == nullptr))
            return ERROR_INVALID_PARAMETER;
        if (sources == WLAN_NOTIFICATION_SOURCE_NONE && s.OnServiceThread()) {
            s.faults.push_back("WlanRegisterNotification from callback");
            return ERROR_INVALID_STATE;
        }
        if (previousSources) *previousSources = client->sources;
        client->sources = sources;
        client->ignoreDuplicate = ignoreDuplicate;
        client->callback = sources == WLAN_NOTIFICATION_SOURCE_NONE ? nullptr : callback;
        client->context = sources == WLAN_NOTIFICATION_SOURCE_NONE ? nullptr : context;
        client->last.reset();
        if (sources == WLAN_NOTIFICATION_SOURCE_NONE)
            s.Drop(g, reinterpret_cast<uintptr_t>(clientHandle), "WlanRegisterNotification");
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::EnumInterfaces(HANDLE clientHandle, PVOID reserved, PWLAN_INTERFACE_INFO_LIST* list) {
    Impl& s = *impl_;
    return s.Serve(Entry("WlanEnumInterfaces"), [&](Impl::Lock&) -> DWORD {
        DWORD error = ERROR_SUCCESS;
        if (s.FindClient(clientHandle, error) == nullptr) return error;
        if (reserved != nullptr || list == nullptr) return ERROR_INVALID_PARAMETER;
        size_t size = std::max(sizeof(WLAN_INTERFACE_INFO_LIST),
                               offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo) +
                                   s.interfaces.size() * sizeof(WLAN_INTERFACE_INFO));
        auto* out = static_cast<PWLAN_INTERFACE_INFO_LIST>(s.Allocate(size));
        out->dwNumberOfItems = static_cast<DWORD>(s.interfaces.size());
        for (size_t i = 0; i < s.interfaces.size(); ++i) {
            WLAN_INTERFACE_INFO& info = out->InterfaceInfo[i];
            info.InterfaceGuid = s.interfaces[i].guid;
            CopyText(info.strInterfaceDescription, WLAN_MAX_NAME_LENGTH, s.interfaces[i].description);
            info.isState = static_cast<WLAN_INTERFACE_STATE>(s.interfaces[i].state);
        }
        *list = out;
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::Scan(HANDLE clientHandle, const GUID* iface, const DOT11_SSID* ssid, const WLAN_RAW_DATA*,
                        PVOID reserved) {
    Impl& s = *impl_;
    return s.ServeInterface(Entry("WlanScan", iface), clientHandle, reserved, iface,
                            [&](Impl::Interface& itf, Impl::Lock&) -> DWORD {
        if (ssid != nullptr && ssid->uSSIDLength > DOT11_SSID_MAX_LENGTH) return ERROR_INVALID_PARAMETER;
        if (!itf.radioOn) return static_cast<DWORD>(ERROR_NDIS_DOT11_POWER_STATE_INVALID);
        if (s.Silenced(WlanSilence::ScanFail))
            s.Send(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_fail, itf.guid,
                   Impl::DwordData(WLAN_REASON_CODE_UNKNOWN));
        else if (!s.Silenced(WlanSilence::Scan))
            s.Send(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_complete, itf.guid);
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::GetAvailableNetworkList(HANDLE clientHandle, const GUID* iface, DWORD flags, PVOID reserved,
                                           PWLAN_AVAILABLE_NETWORK_LIST* list) {
    Impl& s = *impl_;
    WlanJournalEntry e = Entry("WlanGetAvailableNetworkList", iface);
    e.flags = flags;
    return s.ServeInterface(std::move(e), clientHandle, reserved, iface,
                            [&](Impl::Interface& itf, Impl::Lock&) -> DWORD {
        constexpr DWORD kKnownFlags = WLAN_AVAILABLE_NETWORK_INCLUDE_ALL_ADHOC_PROFILES |
                                      WLAN_AVAILABLE_NETWORK_INCLUDE_ALL_MANUAL_HIDDEN_PROFILES;
        if (list == nullptr || (flags & ~kKnownFlags) != 0) return ERROR_INVALID_PARAMETER;
        if (!itf.radioOn) return static_cast<DWORD>(ERROR_NDIS_DOT11_POWER_STATE_INVALID);
        size_t count = itf.networks.size();
        size_t size = std::max(sizeof(WLAN_AVAILABLE_NETWORK_LIST),
                               offsetof(WLAN_AVAILABLE_NETWORK_LIST, Network) + count * sizeof(WLAN_AVAILABLE_NETWORK));
        auto* out = static_cast<PWLAN_AVAILABLE_NETWORK_LIST>(s.Allocate(size));
        out->dwNumberOfItems = static_cast<DWORD>(count);
        for (size_t i = 0; i < count; ++i) {
            const WlanNetwork& n = itf.networks[i];
            WLAN_AVAILABLE_NETWORK& a = out->Network[i];
            // A hidden network is seen without its name.
            if (n.broadcast) {
                a.dot11Ssid.uSSIDLength = static_cast<ULONG>(std::min<size_t>(n.ssid.size(), DOT11_SSID_MAX_LENGTH));
                std::memcpy(a.dot11Ssid.ucSSID, n.ssid.data(), a.dot11Ssid.uSSIDLength);
            }
            for (const WlanStoredProfile& p : itf.profiles) {
                WlanProfileFields f;
                if (!n.broadcast || CheckProfileXml(p.xml, f) != 0 || f.ssid != n.ssid) continue;
                CopyText(a.strProfileName, WLAN_MAX_NAME_LENGTH, p.name);
                a.dwFlags |= WLAN_AVAILABLE_NETWORK_HAS_PROFILE;
                break;
            }
            if (itf.link && itf.link->ssid == n.ssid) a.dwFlags |= WLAN_AVAILABLE_NETWORK_CONNECTED;
            a.dot11BssType = static_cast<DOT11_BSS_TYPE>(n.bssType);
            a.uNumberOfBssids = 1;
            a.bNetworkConnectable = TRUE;
            a.uNumberOfPhyTypes = 1;
            a.dot11PhyTypes[0] = dot11_phy_type_erp;
            a.wlanSignalQuality = n.signalQuality;
            a.bSecurityEnabled = n.securityEnabled ? TRUE : FALSE;
            a.dot11DefaultAuthAlgorithm = static_cast<DOT11_AUTH_ALGORITHM>(n.authAlgorithm);
            a.dot11DefaultCipherAlgorithm = static_cast<DOT11_CIPHER_ALGORITHM>(n.cipherAlgorithm);
        }
        *list = out;
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::QueryInterface(HANDLE clientHandle, const GUID* iface, WLAN_INTF_OPCODE opcode, PVOID reserved,
                                  PDWORD dataSize, PVOID* data, PWLAN_OPCODE_VALUE_TYPE valueType) {
    Impl& s = *impl_;
    WlanJournalEntry e = Entry("WlanQueryInterface", iface);
    e.opcode = static_cast<DWORD>(opcode);
    return s.ServeInterface(std::move(e), clientHandle, reserved, iface,
                            [&](Impl::Interface& itf, Impl::Lock&) -> DWORD {
        if (dataSize == nullptr || data == nullptr) return ERROR_INVALID_PARAMETER;
        DWORD value = 0;
        if (opcode == wlan_intf_opcode_interface_state) {
            value = itf.state;
        } else if (opcode == wlan_intf_opcode_rssi) {
            const WlanNetwork* n = itf.LinkedNetwork();
            if (itf.state != wlan_interface_state_connected || n == nullptr) return ERROR_INVALID_STATE;
            LONG rssi = n->rssi;
            std::memcpy(&value, &rssi, sizeof value);
        } else {
            return ERROR_NOT_SUPPORTED;
        }
        void* out = s.Allocate(sizeof value);
        std::memcpy(out, &value, sizeof value);
        *dataSize = sizeof value;
        *data = out;
        if (valueType) *valueType = wlan_opcode_value_type_query_only;
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::SetProfile(HANDLE clientHandle, const GUID* iface, DWORD flags, LPCWSTR xml, LPCWSTR,
                              BOOL overwrite, PVOID reserved, DWORD* reasonCode) {
    Impl& s = *impl_;
    WlanJournalEntry e = Entry("WlanSetProfile", iface);
    e.flags = flags;
    e.overwrite = overwrite;
    if (xml) e.profileXml = xml;
    return s.ServeInterface(std::move(e), clientHandle, reserved, iface,
                            [&](Impl::Interface& itf, Impl::Lock&) -> DWORD {
        if (xml == nullptr || reasonCode == nullptr || (flags & ~DWORD(WLAN_PROFILE_USER)) != 0)
            return ERROR_INVALID_PARAMETER;
        WlanProfileFields f;
        *reasonCode = CheckProfileXml(xml, f);
        if (*reasonCode != WLAN_REASON_CODE_SUCCESS) return ERROR_BAD_PROFILE;
        WlanStoredProfile* existing = itf.FindProfile(f.name);
        if (itf.protectedNames.count(f.name) != 0 || (existing && !overwrite)) return ERROR_ALREADY_EXISTS;
        if (existing)
            *existing = {f.name, xml, flags};
        else
            itf.profiles.push_back({f.name, xml, flags});
        s.ProfileChanged(itf);
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::GetProfile(HANDLE clientHandle, const GUID* iface, LPCWSTR name, PVOID reserved, LPWSTR* xml,
                              DWORD* flags, PDWORD grantedAccess) {
    Impl& s = *impl_;
    WlanJournalEntry e = Entry("WlanGetProfile", iface);
    if (name) e.profileName = name;
    return s.ServeInterface(std::move(e), clientHandle, reserved, iface,
                            [&](Impl::Interface& itf, Impl::Lock&) -> DWORD {
        if (name == nullptr || xml == nullptr) return ERROR_INVALID_PARAMETER;
        const WlanStoredProfile* p = itf.FindProfile(name);
        if (p == nullptr) return ERROR_NOT_FOUND;
        auto* out = static_cast<wchar_t*>(s.Allocate((p->xml.size() + 1) * sizeof(wchar_t)));
        CopyText(out, p->xml.size() + 1, p->xml);
        *xml = out;
        if (flags) *flags = p->flags;
        if (grantedAccess) *grantedAccess = kGrantedAccess;
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::DeleteProfile(HANDLE clientHandle, const GUID* iface, LPCWSTR name, PVOID reserved) {
    Impl& s = *impl_;
    WlanJournalEntry e = Entry("WlanDeleteProfile", iface);
    if (name) e.profileName = name;
    return s.ServeInterface(std::move(e), clientHandle, reserved, iface,
                            [&](Impl::Interface& itf, Impl::Lock&) -> DWORD {
        if (name == nullptr) return ERROR_INVALID_PARAMETER;
        if (std::erase_if(itf.profiles, [&](const WlanStoredProfile& p) { return p.name == name; }) == 0)
            return ERROR_NOT_FOUND;
        s.ProfileChanged(itf);
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::Connect(HANDLE clientHandle, const GUID* iface, const WLAN_CONNECTION_PARAMETERS* parameters,
                           PVOID reserved) {
    Impl& s = *impl_;
    WlanJournalEntry e = Entry("WlanConnect", iface);
    if (parameters) {
        e.connectionMode = static_cast<DWORD>(parameters->wlanConnectionMode);
        if (parameters->strProfile) e.profileName = parameters->strProfile;
        e.ssidGiven = parameters->pDot11Ssid != nullptr;
        e.bssidListGiven = parameters->pDesiredBssidList != nullptr;
        e.bssType = static_cast<DWORD>(parameters->dot11BssType);
        e.connectFlags = parameters->dwFlags;
    }
    return s.ServeInterface(std::move(e), clientHandle, reserved, iface,
                            [&](Impl::Interface& itf, Impl::Lock&) -> DWORD {
        if (parameters == nullptr || parameters->strProfile == nullptr) return ERROR_INVALID_PARAMETER;
        DWORD mode = static_cast<DWORD>(parameters->wlanConnectionMode);
        DWORD bssType = static_cast<DWORD>(parameters->dot11BssType);
        if (bssType < dot11_BSS_type_infrastructure || bssType > dot11_BSS_type_any) return ERROR_INVALID_PARAMETER;
        if (mode != wlan_connection_mode_profile && mode != wlan_connection_mode_temporary_profile)
            return mode < wlan_connection_mode_invalid ? ERROR_NOT_SUPPORTED : ERROR_INVALID_PARAMETER;
        if (!itf.radioOn) return static_cast<DWORD>(ERROR_NDIS_DOT11_POWER_STATE_INVALID);

        // The profile: stored under its name, or given as a document.
        WlanProfileFields f;
        DWORD reason = WLAN_REASON_CODE_PROFILE_MISSING;
        if (mode == wlan_connection_mode_temporary_profile) {
            if (CheckProfileXml(parameters->strProfile, f) != WLAN_REASON_CODE_SUCCESS) return ERROR_BAD_PROFILE;
            reason = WLAN_REASON_CODE_SUCCESS;
        } else if (const WlanStoredProfile* p = itf.FindProfile(parameters->strProfile)) {
            reason = CheckProfileXml(p->xml, f);
        }
        const WlanNetwork* joined = nullptr;
        if (reason == WLAN_REASON_CODE_SUCCESS) reason = Judge(itf, f, bssType, &joined);

        bool notify = !s.Silenced(WlanSilence::Connect);
        s.DropLink(itf, WLAN_REASON_CODE_SUCCESS, notify);
        Impl::Link link;
        link.ssid = f.ssid;
        link.profile = mode == wlan_connection_mode_profile ? std::wstring(parameters->strProfile) : f.name;
        link.mode = mode;
        link.bssType = joined ? joined->bssType : bssType;
        link.secure = joined && joined->securityEnabled;
        if (joined) {
            itf.link = link;
            itf.state = wlan_interface_state_connected;
        }
        if (!notify) return ERROR_SUCCESS;
        auto send = [&](DWORD source, DWORD code, Impl::Bytes data = {}) {
            s.Send(source, code, itf.guid, std::move(data), s.connectDelay);
        };
        send(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_start,
             Impl::ConnectionData(link, WLAN_REASON_CODE_SUCCESS));
        if (joined) {
            for (DWORD code : {wlan_notification_msm_associating, wlan_notification_msm_associated,
                               wlan_notification_msm_authenticating, wlan_notification_msm_connected})
                send(WLAN_NOTIFICATION_SOURCE_MSM, code);
        }
        send(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_complete,
             Impl::ConnectionData(link, reason));
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::Disconnect(HANDLE clientHandle, const GUID* iface, PVOID reserved) {
    Impl& s = *impl_;
    return s.ServeInterface(Entry("WlanDisconnect", iface), clientHandle, reserved, iface,
                            [&](Impl::Interface& itf, Impl::Lock&) -> DWORD {
        if (itf.link) s.DropLink(itf, WLAN_REASON_CODE_SUCCESS, !s.Silenced(WlanSilence::Disconnect));
        return ERROR_SUCCESS;
    });
}

DWORD WlanService::ReasonCodeToString(DWORD reasonCode, DWORD bufferSize, PWCHAR buffer, PVOID reserved) {
    Impl& s = *impl_;
    return s.Serve(Entry("WlanReasonCodeToString"), [&](Impl::Lock&) -> DWORD {
        if (reserved != nullptr || buffer == nullptr || bufferSize == 0) return ERROR_INVALID_PARAMETER;
        for (const auto& r : kReasons) {
            if (r.code != reasonCode) continue;
            CopyText(buffer, bufferSize, r.text);
            return ERROR_SUCCESS;
        }
        return ERROR_INVALID_PARAMETER;
    });
}

void WlanService::FreeMemory(PVOID memory) {
    Impl& s = *impl_;
    std::lock_guard<std::mutex> g(s.lock);
    ++s.counts["WlanFreeMemory"];
    s.journal.push_back(Entry("WlanFreeMemory"));
    if (memory != nullptr && s.allocations.erase(memory) == 0) ++s.badFrees;
}

}  // namespace sim
