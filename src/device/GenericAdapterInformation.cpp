// Descriptive device information from the network adapter inventory.
#include "device/GenericAdapter.h"

#include "foundation/CatchChain.h"

namespace ace {

void GenericAdapter::RetrieveDeviceInformation(uint32_t, uint32_t) {
    UTIL_TRY
    // The adapter inventory is not part of this build yet: no adapter can be
    // found, which is the inventory's own failure.
    util::AceEx ex(UTIL_WFILE, L"ace::GenericAdapter::RetrieveDeviceInformation", __LINE__);
    ex.Stream() << L" The network adapter inventory is not available in this build yet.";
    throw ex;
    UTIL_CATCH_CHAIN(L"ace::GenericAdapter::RetrieveDeviceInformation")
}

}  // namespace ace
