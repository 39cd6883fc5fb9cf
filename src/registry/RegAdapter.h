// The TCP/IP settings of one network adapter, read from and written to the
// registry, and handed to the running stack through the DHCP client. The
// adapter is named by its driver description and found by its GUID.
#pragma once

#include <cstdint>

#include "foundation/String.h"

namespace util {

class RegAdapter {
public:
    struct Configuration {
        bool enableDhcp;
        String ipAddress;
        String subnetMask;
        String defaultGateway;
        bool nameServersAutomatic;
        String primaryDns;
        String secondaryDns;
        String primaryWins;
        String secondaryWins;
    };

    explicit RegAdapter(const String& driverDescription);
    virtual ~RegAdapter();

    bool SetAdapterName(const String& driverDescription);
    // First string of a string-list value; empty when it is missing.
    String GetRegistryValue(const String& key, const String& valueName);
    bool LoadConfiguration(Configuration& configuration);
    bool SaveConfiguration(const Configuration& configuration, bool commit);
    bool CommitConfiguration(const Configuration& configuration);

    const String& GetAdapterGuid() const { return adapterGuid; }
    uint32_t GetPreviousEnableDhcp() const { return previousEnableDhcp; }

private:
    String InterfaceKey() const;
    String LegacyKey() const;
    String NetBtKey() const;

    uint32_t previousEnableDhcp = 0;
    uint32_t reserved = 0;
    String driverDescription;
    String adapterGuid;
};

}  // namespace util
