// The order of the device interface's virtual operations is the binary
// contract with the host. The virtual slot of each operation is read from its
// pointer-to-member (this compiler's ABI: 1 + the byte offset in the table).
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "device/GenericAdapter.h"

namespace {

template <class Pmf>
long Slot(Pmf pmf) {
    uintptr_t rep[2];  // the function's address (a virtual one's: 1 + the offset), the this adjustment
    static_assert(sizeof(Pmf) == sizeof rep);
    std::memcpy(rep, &pmf, sizeof rep);
    EXPECT_EQ(rep[0] & 1, 1u) << "not a virtual function";
    return static_cast<long>((rep[0] - 1) / sizeof(void*));
}

using Row = std::pair<const char*, long>;  // an operation's name and slot
#define SLOT(f) Row { #f, Slot(&f) }

using ace::GenericAdapter;
using ace::IDevice;
using ace::IDeviceAdapter;
using ace::IDeviceCallback;

// Each operation takes the slot after the one before it, the first `first`.
template <size_t N>
void ExpectConsecutive(const Row (&rows)[N], long first) {
    for (size_t i = 0; i < N; ++i) EXPECT_EQ(rows[i].second, first + static_cast<long>(i)) << rows[i].first;
}

TEST(SlotOrder, OperationsFollowTheDeclaredOrder) {
    const Row rows[] = {
        SLOT(IDevice::Close), SLOT(IDevice::ConnectAsync), SLOT(IDevice::Disconnect), SLOT(IDevice::Reserved1),
        SLOT(IDevice::GetAccessStatus), SLOT(IDevice::GetAvailableNetworks), SLOT(IDevice::GetDBDeviceInfo),
        SLOT(IDevice::GetDeviceFlag), SLOT(IDevice::GetDeviceIndex), SLOT(IDevice::GetDeviceInformation),
        SLOT(IDevice::GetDeviceName), SLOT(IDevice::GetDeviceStatus), SLOT(IDevice::GetPhysicalDeviceType),
        SLOT(IDevice::GetStatistics), SLOT(IDevice::Reserved2), SLOT(IDevice::Open), SLOT(IDevice::Reserved3),
        SLOT(IDevice::RetrieveDeviceInformation), SLOT(IDevice::Reserved4), SLOT(IDevice::SetDBDeviceInfo),
        SLOT(IDevice::Reserved5), SLOT(IDevice::SetDeviceFlag), SLOT(IDevice::SetDeviceIndex),
        SLOT(IDevice::SetDeviceInformation), SLOT(IDevice::SetDeviceName), SLOT(IDeviceAdapter::AssociateNetwork),
        SLOT(IDeviceAdapter::UnAssociateNetwork), SLOT(GenericAdapter::GetDeviceInformationId),
        SLOT(GenericAdapter::ChangeDeviceStatus), SLOT(GenericAdapter::CheckIpAddress), SLOT(GenericAdapter::Destroy),
        SLOT(GenericAdapter::FindIndexFromGuid), SLOT(GenericAdapter::GetInterfaceData),
        SLOT(GenericAdapter::GetIpAddress), SLOT(GenericAdapter::GetNetworkSettings),
        SLOT(GenericAdapter::IsIpAddressReported), SLOT(GenericAdapter::SetNetworkSettings),
        SLOT(GenericAdapter::SetIpAddressReported)
    };
    // The virtual destructor takes the slots before Close (two in this ABI).
    ExpectConsecutive(rows, 2);
}

TEST(SlotOrder, CallbackOperationsSitInTheirPlaces) {
    const Row rows[] = {
        SLOT(IDeviceCallback::Reserved1), SLOT(IDeviceCallback::ConnectCompleted),
        SLOT(IDeviceCallback::ConnectProgress), SLOT(IDeviceCallback::Reserved4),
        SLOT(IDeviceCallback::DeviceStatusChanged), SLOT(IDeviceCallback::Disconnected),
        SLOT(IDeviceCallback::Reserved7), SLOT(IDeviceCallback::IpAddressStatus)
    };
    ExpectConsecutive(rows, 0);
}

}  // namespace
