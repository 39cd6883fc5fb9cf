// The IP side of one network adapter, taken from its IP Helper adapter entry.
#pragma once

#include <cstdint>

#include "foundation/String.h"
#include "platform/win32.h"

namespace util {

class IPAdapterInfo {
public:
    IPAdapterInfo() = default;
    IPAdapterInfo(const IPAdapterInfo&) = default;
    IPAdapterInfo& operator=(const IPAdapterInfo&) = default;
    virtual ~IPAdapterInfo();

    // Fills the fields from one entry.
    void Set(const IP_ADAPTER_INFO& entry);
    // Fills the fields from the entry named `adapterGuid`; without one, or
    // when IP Helper fails, the fields stay as they were.
    void Load(const String& adapterGuid);

    // The interface type's name; unknown types are "Other".
    static String InterfaceTypeName(uint32_t type);

    String adapterName;
    String macAddress;
    String ipAddress;
    String ipMask;
    String gateway;
    bool dhcpEnabled = false;
    String dhcpServer;
    String text8;
    String text9;
    uint32_t interfaceType = 65535;
    String interfaceTypeName;
};

}  // namespace util
