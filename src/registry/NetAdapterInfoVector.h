// The machine's network adapters from the registry's network class, in
// enumeration order, one entry per adapter GUID.
#pragma once

#include <cstdint>
#include <vector>

#include "registry/NetAdapterInfo.h"

namespace util {

class NetAdapterInfoVector : public std::vector<NetAdapterInfo> {
public:
    // Adapters whose characteristics share a bit with `characteristicsMask`;
    // with `presentOnly`, only those SetupAPI lists as present interfaces.
    NetAdapterInfoVector(uint32_t characteristicsMask, bool presentOnly);
    virtual ~NetAdapterInfoVector();

private:
    void InitVector(uint32_t characteristicsMask, bool presentOnly);
};

}  // namespace util
