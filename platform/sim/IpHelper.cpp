#include "IpHelper.h"

#include <algorithm>
#include <cstring>

#include "Faults.h"

namespace sim {
namespace {

const DWORD kInvalidData = 13;  // ERROR_INVALID_DATA

template <size_t N>
void CopyText(char (&out)[N], const std::string& text) {
    size_t n = std::min(text.size(), N - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

void FillAddress(IP_ADDR_STRING& out, const std::string& address, const std::string& mask) {
    CopyText(out.IpAddress.String, address);
    CopyText(out.IpMask.String, mask);
}

}  // namespace

void IpHelper::AddAdapter(const IpAdapter& adapter) {
    std::lock_guard<std::mutex> g(lock_);
    adapters_.push_back(adapter);
}

void IpHelper::SetInterface(const IpInterface& row) {
    std::lock_guard<std::mutex> g(lock_);
    for (IpInterface& r : interfaces_) {
        if (r.index == row.index) {
            r = row;
            return;
        }
    }
    interfaces_.push_back(row);
}

void IpHelper::AddAddress(const IpAddressRow& row) {
    std::lock_guard<std::mutex> g(lock_);
    addresses_.push_back(row);
}

void IpHelper::Reset() {
    std::lock_guard<std::mutex> g(lock_);
    adapters_.clear();
    interfaces_.clear();
    addresses_.clear();
}

ULONG IpHelper::GetAdaptersInfo(PIP_ADAPTER_INFO info, PULONG size) {
    uint32_t code = 0;
    if (ShouldFail("GetAdaptersInfo", &code)) return code;
    if (size == nullptr) return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> g(lock_);
    if (adapters_.empty()) return ERROR_NO_DATA;
    ULONG needed = static_cast<ULONG>(adapters_.size() * sizeof(IP_ADAPTER_INFO));
    if (info == nullptr || *size < needed) {
        *size = needed;
        return ERROR_BUFFER_OVERFLOW;
    }
    std::memset(static_cast<void*>(info), 0, needed);
    for (size_t i = 0; i < adapters_.size(); ++i) {
        const IpAdapter& a = adapters_[i];
        IP_ADAPTER_INFO& e = info[i];
        e.Next = i + 1 < adapters_.size() ? &info[i + 1] : nullptr;
        e.ComboIndex = a.index;
        CopyText(e.AdapterName, a.name);
        CopyText(e.Description, a.description);
        e.AddressLength = static_cast<UINT>(std::min<size_t>(a.hardwareAddress.size(), MAX_ADAPTER_ADDRESS_LENGTH));
        if (e.AddressLength != 0) std::memcpy(e.Address, a.hardwareAddress.data(), e.AddressLength);
        e.Index = a.index;
        e.Type = a.type;
        e.DhcpEnabled = a.dhcpEnabled ? 1 : 0;
        FillAddress(e.IpAddressList, a.ipAddress, a.ipMask);
        FillAddress(e.GatewayList, a.gateway, "");
        FillAddress(e.DhcpServer, a.dhcpServer, "");
    }
    return ERROR_SUCCESS;
}

DWORD IpHelper::GetIfEntry(PMIB_IFROW row) {
    uint32_t code = 0;
    if (ShouldFail("GetIfEntry", &code)) return code;
    if (row == nullptr) return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> g(lock_);
    for (const IpInterface& r : interfaces_) {
        if (r.index != row->dwIndex) continue;
        row->dwType = r.type;
        row->dwInOctets = r.inOctets;
        row->dwOutOctets = r.outOctets;
        return NO_ERROR;
    }
    return kInvalidData;
}

ULONG IpHelper::GetIpAddrTable(PMIB_IPADDRTABLE table, PULONG size, BOOL sorted) {
    uint32_t code = 0;
    if (ShouldFail("GetIpAddrTable", &code)) return code;
    if (size == nullptr) return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> g(lock_);
    ULONG needed = static_cast<ULONG>(offsetof(MIB_IPADDRTABLE, table) + addresses_.size() * sizeof(MIB_IPADDRROW));
    if (table == nullptr || *size < needed) {
        *size = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    std::vector<MIB_IPADDRROW> rows;
    for (const IpAddressRow& a : addresses_) {
        MIB_IPADDRROW r{};
        r.dwAddr = inet_addr(a.address.c_str());
        r.dwMask = inet_addr(a.mask.c_str());
        r.dwIndex = a.index;
        r.dwBCastAddr = 1;
        r.dwReasmSize = 0xFFFF;
        rows.push_back(r);
    }
    if (sorted) {
        std::stable_sort(rows.begin(), rows.end(), [](const MIB_IPADDRROW& l, const MIB_IPADDRROW& r) {
            return ntohl(l.dwAddr) < ntohl(r.dwAddr);
        });
    }
    table->dwNumEntries = static_cast<DWORD>(rows.size());
    if (!rows.empty()) std::memcpy(static_cast<void*>(table->table), rows.data(), rows.size() * sizeof(MIB_IPADDRROW));
    return NO_ERROR;
}

}  // namespace sim
