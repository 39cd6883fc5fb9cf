// The simulated IP Helper: the adapter list (GetAdaptersInfo), interface
// rows with their counters (GetIfEntry) and the IPv4 address table
// (GetIpAddrTable). Addresses are given as dotted text.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "../win32.h"

namespace sim {

struct IpAdapter {
    std::string name;         // the adapter GUID text, ANSI
    std::string description;
    std::vector<uint8_t> hardwareAddress;
    uint32_t index = 0;
    uint32_t type = MIB_IF_TYPE_ETHERNET;
    bool dhcpEnabled = false;
    std::string ipAddress;    // first (only) address of the address list
    std::string ipMask;
    std::string gateway;
    std::string dhcpServer;
};

struct IpInterface {
    uint32_t index = 0;
    uint32_t type = MIB_IF_TYPE_ETHERNET;
    uint32_t inOctets = 0;
    uint32_t outOctets = 0;
};

struct IpAddressRow {
    std::string address;
    uint32_t index = 0;
    std::string mask = "255.255.255.0";
};

class IpHelper {
public:
    void AddAdapter(const IpAdapter& adapter);
    // Adds the interface, or replaces the one with the same index.
    void SetInterface(const IpInterface& row);
    void AddAddress(const IpAddressRow& row);
    void Reset();

    // The calls, with Windows semantics.
    ULONG GetAdaptersInfo(PIP_ADAPTER_INFO info, PULONG size);
    DWORD GetIfEntry(PMIB_IFROW row);
    ULONG GetIpAddrTable(PMIB_IPADDRTABLE table, PULONG size, BOOL sorted);

private:
    std::mutex lock_;
    std::vector<IpAdapter> adapters_;
    std::vector<IpInterface> interfaces_;
    std::vector<IpAddressRow> addresses_;
};

}  // namespace sim
