// The adapter's TCP/IP settings, kept in the registry.
#include "device/GenericAdapter.h"

#include "foundation/CatchChain.h"
#include "foundation/Logging.h"
#include "registry/RegAdapter.h"

namespace ace {

void GenericAdapter::GetNetworkSettings(const util::String& driverDescription, cei::ConnectionInfo& settings) {
    UTIL_TRY
    util::RegAdapter adapter(driverDescription);
    util::RegAdapter::Configuration c{};
    if (!adapter.LoadConfiguration(c)) {
        UTIL_LOG(LOG_ERROR, LOG_AREA_DEVICE, L"ace::GenericAdapter::GetNetworkSettings")
            << L"Failed to get IP configuration";
        util::SystemCallEx ex(UTIL_WFILE, L"ace::GenericAdapter::GetNetworkSettings", __LINE__);
        ex.Stream() << L"Failed to get IP configuration";
        throw ex;
    }
    settings.dhcpEnabled = c.enableDhcp;
    settings.ipAddress = c.ipAddress;
    settings.subnetMask = c.subnetMask;
    settings.nameServersAutomatic = c.nameServersAutomatic;
    settings.primaryDns = c.primaryDns;
    settings.secondaryDns = c.secondaryDns;
    settings.primaryWins = c.primaryWins;
    settings.secondaryWins = c.secondaryWins;
    settings.defaultGateway = c.defaultGateway;
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::GetNetworkSettings")
}

void GenericAdapter::SetNetworkSettings(const util::String& driverDescription, const cei::ConnectionInfo& settings,
                                        bool commit) {
    UTIL_TRY
    const wchar_t* const fn = L"ace::GenericAdapter::SetNetworkSettings";
    UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn) << L"Enter";
    util::RegAdapter adapter(driverDescription);
    util::RegAdapter::Configuration c{};
    c.enableDhcp = settings.dhcpEnabled;
    c.ipAddress = settings.ipAddress;
    c.subnetMask = settings.subnetMask;
    c.nameServersAutomatic = settings.nameServersAutomatic;
    c.primaryDns = settings.primaryDns;
    c.secondaryDns = settings.secondaryDns;
    c.primaryWins = settings.primaryWins;
    c.secondaryWins = settings.secondaryWins;
    c.defaultGateway = settings.defaultGateway;
    if (adapter.SaveConfiguration(c, commit)) {
        UTIL_LOG(LOG_INFO, LOG_AREA_DEVICE, fn)
            << L"Set IP configuration on device '" << driverDescription << L"' succeded";
    } else {
        UTIL_LOG(LOG_WARNING, LOG_AREA_DEVICE, fn)
            << L"Failed to set IP configuration on device '" << driverDescription << L"'. Continue anyway.";
    }
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::SetNetworkSettings")
}

}  // namespace ace
