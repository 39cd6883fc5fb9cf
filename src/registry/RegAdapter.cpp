#include "registry/RegAdapter.h"

#include <vector>

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "foundation/StringUtility.h"
#include "logger/Logger.h"
#include "platform/win32.h"
#include "registry/RegEdit.h"
#include "registry/RegEnum.h"

namespace util {
namespace {

const unsigned int kArea = 1;
const wchar_t kClassKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
const DWORD kAttempts = 4;
const DWORD kRetryWaitMs = 1000;

typedef DWORD(WINAPI* DhcpNotifyConfigChangeFn)(LPWSTR serverName, LPWSTR adapterName, BOOL newIpAddress,
                                                DWORD ipIndex, DWORD ipAddress, DWORD subnetMask, int action);

void LogCaught(const wchar_t* function) {
    GetLog().GetLogStream().GetStream(LOG_ERROR, kArea, UTIL_WFILE, function) << L"Caught exception.";
}

// Releases a loaded library on every way out.
class Library {
public:
    explicit Library(HMODULE module) : module_(module) {}
    ~Library() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

// The DHCP action and new-address flag for a change from `previous` to
// `enable`; false when `previous` is neither 0 nor 1.
bool ChooseAction(uint32_t previous, bool enable, BOOL& newIpAddress, int& action) {
    if (previous != 0 && previous != 1) return false;
    newIpAddress = enable ? FALSE : TRUE;
    action = previous == 1 ? (enable ? 0 : 2) : (enable ? 1 : 0);
    return true;
}

void WriteAddresses(const String& key, const RegAdapter::Configuration& c) {
    RegDword(key, L"EnableDHCP", HKEY_LOCAL_MACHINE) = c.enableDhcp ? 1 : 0;
    RegTextList(key, L"IPAddress", HKEY_LOCAL_MACHINE) = std::vector<String>{c.ipAddress};
    RegTextList(key, L"SubnetMask", HKEY_LOCAL_MACHINE) = std::vector<String>{c.subnetMask};
    RegTextList(key, L"DefaultGateway", HKEY_LOCAL_MACHINE) = std::vector<String>{c.defaultGateway};
}

}  // namespace

RegAdapter::RegAdapter(const String& description) : driverDescription(description) {
    SetAdapterName(description);
}

RegAdapter::~RegAdapter() = default;

String RegAdapter::InterfaceKey() const {
    return L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + adapterGuid;
}

String RegAdapter::LegacyKey() const {
    return L"SYSTEM\\CurrentControlSet\\Services\\" + adapterGuid + L"\\Parameters\\TCPIP";
}

String RegAdapter::NetBtKey() const {
    return L"SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters\\Interfaces\\Tcpip_" + adapterGuid;
}

bool RegAdapter::SetAdapterName(const String& description) {
    const wchar_t* function = L"util::RegAdapter::SetAdapterName";
    auto logCaught = [function](const Exception& e) {
        GetLog().GetLogStream().GetStream(LOG_ERROR, kArea, UTIL_WFILE, function)
            << L"Caught exception:" << e.GetFirstEntry().message;
    };
    try {
        driverDescription = description;
        adapterGuid.clear();
        RegEnumKeys keys(kClassKey, true, HKEY_LOCAL_MACHINE);
        for (const String& key : keys) {
            try {
                if (static_cast<String>(RegText(key, L"DriverDesc", HKEY_LOCAL_MACHINE)) != description) continue;
                adapterGuid = RegText(key, L"NetCfgInstanceId", HKEY_LOCAL_MACHINE);
                return true;
            } catch (Exception& e) {
                logCaught(e);
            }
        }
    } catch (Exception& e) {
        logCaught(e);
    }
    return false;
}

String RegAdapter::GetRegistryValue(const String& key, const String& valueName) {
    UTIL_TRY
    RegTextList value(key, valueName, HKEY_LOCAL_MACHINE);
    if (!value.Exists()) {
        GetLog().GetLogStream().GetStream(LOG_INFO, kArea, UTIL_WFILE, L"util::RegAdapter::GetRegistryValue")
            << L"Key has no value." << key << valueName;
        return String();
    }
    std::vector<String> list = value;
    return list.empty() ? String() : list.front();
    UTIL_CATCH_CHAIN(L"util::RegAdapter::GetRegistryValue")
}

bool RegAdapter::LoadConfiguration(Configuration& c) {
    if (adapterGuid.empty()) return false;
    try {
        const String key = InterfaceKey();
        c.enableDhcp = static_cast<unsigned long>(RegDword(key, L"EnableDHCP", HKEY_LOCAL_MACHINE)) == 1;
        c.ipAddress = GetRegistryValue(key, L"IPAddress");
        c.subnetMask = GetRegistryValue(key, L"SubnetMask");
        c.defaultGateway = GetRegistryValue(key, L"DefaultGateway");

        String servers = RegText(key, L"NameServer", HKEY_LOCAL_MACHINE);
        servers.resize(servers.find(L'\0') == String::npos ? servers.size() : servers.find(L'\0'));
        if (!servers.empty()) {
            c.nameServersAutomatic = false;
            size_t comma = servers.find(L',');
            c.primaryDns = servers.substr(0, comma);
            if (comma != String::npos && comma + 1 < servers.size()) {
                String rest = servers.substr(comma + 1);
                c.secondaryDns = rest.substr(0, rest.find(L','));
            }
        } else {
            c.nameServersAutomatic = true;
        }

        std::vector<String> wins = RegTextList(NetBtKey(), L"NameServerList", HKEY_LOCAL_MACHINE);
        if (!wins.empty()) {
            c.primaryWins = wins[0];
            if (wins.size() > 1) c.secondaryWins = wins[1];
        } else {
            c.nameServersAutomatic = true;
        }
        return true;
    } catch (...) {
        LogCaught(L"util::RegAdapter::LoadConfiguration");
        return false;
    }
}

bool RegAdapter::SaveConfiguration(const Configuration& c, bool commit) {
    if (adapterGuid.empty()) return false;
    try {
        RegDword legacyDhcp(LegacyKey(), L"EnableDHCP", HKEY_LOCAL_MACHINE);
        previousEnableDhcp = static_cast<uint32_t>(static_cast<unsigned long>(legacyDhcp));
        WriteAddresses(LegacyKey(), c);
        WriteAddresses(InterfaceKey(), c);

        String servers = c.primaryDns;
        if (!c.secondaryDns.empty()) servers += servers.empty() ? c.secondaryDns : L"," + c.secondaryDns;
        servers.push_back(L'\0');
        RegText(InterfaceKey(), L"NameServer", HKEY_LOCAL_MACHINE) = servers;

        std::vector<String> wins;
        for (const String* w : {&c.primaryWins, &c.secondaryWins})
            if (!w->empty()) wins.push_back(*w);
        RegTextList(NetBtKey(), L"NameServerList", HKEY_LOCAL_MACHINE) = wins;

        return commit ? CommitConfiguration(c) : true;
    } catch (...) {
        LogCaught(L"util::RegAdapter::SaveConfiguration");
        return false;
    }
}

bool RegAdapter::CommitConfiguration(const Configuration& c) {
    const wchar_t* function = L"util::RegAdapter::CommitConfiguration";
    if (adapterGuid.empty()) return false;
    std::vector<char> ip(c.ipAddress.size() + 1, '\0');
    std::vector<char> mask(c.subnetMask.size() + 1, '\0');
    try {
        if (!StringUtility::ConvertUnicodeToAnsi(c.ipAddress, ip.data(), static_cast<uint32_t>(ip.size())) ||
            !StringUtility::ConvertUnicodeToAnsi(c.subnetMask, mask.data(), static_cast<uint32_t>(mask.size())))
            return false;
    } catch (SystemCallEx&) {
        LogCaught(function);
        return false;
    }
    const DWORD ipAddress = inet_addr(ip.data());
    const DWORD subnetMask = inet_addr(mask.data());

    Library dhcp(LoadLibraryW(L"dhcpcsvc"));
    if (dhcp.Get() == nullptr) return true;
    // Through void(*)(): a cast between unrelated function types.
    auto notify = reinterpret_cast<DhcpNotifyConfigChangeFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(dhcp.Get(), "DhcpNotifyConfigChange")));
    if (notify == nullptr) return true;

    std::vector<wchar_t> adapterName(adapterGuid.begin(), adapterGuid.end());
    adapterName.push_back(L'\0');
    bool answer = false;
    for (DWORD attempt = 0; attempt < kAttempts; ++attempt) {
        try {
            BOOL newIpAddress = FALSE;
            int action = 0;
            if (!ChooseAction(previousEnableDhcp, c.enableDhcp, newIpAddress, action)) {
                answer = true;
                break;
            }
            if (notify(nullptr, adapterName.data(), newIpAddress, 0, ipAddress, subnetMask, action) == 0) {
                answer = true;
                break;
            }
            answer = false;
            if (attempt + 1 < kAttempts) Sleep(kRetryWaitMs);
        } catch (...) {
            LogCaught(function);
            answer = false;
        }
    }
    return answer;
}

}  // namespace util
