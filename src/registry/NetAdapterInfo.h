// One network adapter as the registry's network class key describes it,
// with its IP side.
#pragma once

#include <cstdint>

#include "foundation/String.h"
#include "platform/win32.h"
#include "registry/IPAdapterInfo.h"

namespace util {

class NetAdapterInfo {
public:
    // `classKeyPath`: the class key, a backslash and the adapter's four-digit
    // number. The IP side comes from `ipEntry`, or is looked up by the
    // adapter's GUID when there is none. A missing required value raises
    // RegistryValueNotFoundEx.
    explicit NetAdapterInfo(const String& classKeyPath, const IP_ADAPTER_INFO* ipEntry = nullptr);
    NetAdapterInfo(const NetAdapterInfo&) = default;
    NetAdapterInfo& operator=(const NetAdapterInfo&) = default;
    virtual ~NetAdapterInfo();

    // "BusType" text to its stored name.
    static String BusTypeName(const String& text);

    IPAdapterInfo ipAdapterInfo;
    String description;  // the device's friendly name when it has one
    String providerName;
    String busType;
    String componentId;
    String adapterGuid;
    String serviceName;
    String serviceDisplayName;
    String serviceImagePath;
    String driverVersion;
    String driverDate;
    uint32_t characteristics = 0;

private:
    void Init(const String& classKeyPath);
    void FindFriendlyName(const String& classKeyPath);
};

}  // namespace util
