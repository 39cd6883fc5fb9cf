// Descriptive device information from the network adapter inventory.
#include "device/GenericAdapter.h"

#include "foundation/CatchChain.h"
#include "registry/NetAdapterInfoVector.h"

namespace ace {

namespace {
// Physical adapters only: the network class's NCF_PHYSICAL characteristic.
const uint32_t kPhysicalAdapters = 0x4;
}  // namespace

void GenericAdapter::RetrieveDeviceInformation(uint32_t, uint32_t) {
    UTIL_TRY
    util::NetAdapterInfoVector adapters(kPhysicalAdapters, false);
    for (const util::NetAdapterInfo& adapter : adapters) {
        if (adapter.description != deviceName) continue;
        cei::DeviceInformation info(deviceInformation);  // text11 .. text14 are the host's: kept
        info.text5.clear();
        info.text10.clear();
        info.text15.clear();
        info.deviceId = adapter.adapterGuid;
        info.friendlyName = adapter.description;
        info.modelName = adapter.description;
        info.manufacturer = adapter.providerName;
        info.driverImagePath = adapter.serviceImagePath;
        info.driverDate = adapter.driverDate;
        info.driverVersion = adapter.driverVersion;
        info.serviceDisplayName = adapter.serviceDisplayName;
        info.number1 = 0;
        info.number2 = 2;
        deviceInformation = info;
        return;
    }
    throw util::AceEx(UTIL_WFILE, L"ace::GenericAdapter::RetrieveDeviceInformation", __LINE__);
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::RetrieveDeviceInformation")
}

}  // namespace ace
