#include "registry/NetAdapterInfoVector.h"

#include <algorithm>

#include "foundation/CatchChain.h"
#include "registry/PresentInterfaces.h"
#include "registry/RegEnum.h"

namespace util {
namespace {

// The network adapter class, spelled as the class installer registers it;
// the registry compares key names without regard to case.
const wchar_t kNetClassKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002bE10318}";

}  // namespace

NetAdapterInfoVector::NetAdapterInfoVector(uint32_t characteristicsMask, bool presentOnly) {
    UTIL_TRY
    InitVector(characteristicsMask, presentOnly);
    UTIL_CATCH_CHAIN(L"util::NetAdapterInfoVector::NetAdapterInfoVector")
}

NetAdapterInfoVector::~NetAdapterInfoVector() = default;

void NetAdapterInfoVector::InitVector(uint32_t characteristicsMask, bool presentOnly) {
    UTIL_TRY
    RegEnumKeys names(kNetClassKey, false, HKEY_LOCAL_MACHINE);
    std::vector<String> present;
    if (presentOnly) present = CollectPresentInterfaces();
    for (const String& name : names) {
        const String classKeyPath = kNetClassKey + (L"\\" + name);
        try {
            NetAdapterInfo adapter(classKeyPath);
            if ((adapter.characteristics & characteristicsMask) == 0) continue;
            const bool known = std::any_of(begin(), end(), [&adapter](const NetAdapterInfo& listed) {
                return listed.adapterGuid.CompareI(adapter.adapterGuid) == 0;
            });
            if (known) continue;
            if (presentOnly) {
                String lower;
                adapter.adapterGuid.ToLower(lower);
                if (std::find(present.begin(), present.end(), lower) == present.end()) continue;
            }
            push_back(adapter);
        } catch (Exception&) {
            // Not an adapter (a sub-key without "DriverDesc", for one).
        }
    }
    UTIL_CATCH_CHAIN(L"util::NetAdapterInfoVector::InitVector")
}

}  // namespace util
