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

using ace::GenericAdapter;
using ace::IDevice;
using ace::IDeviceAdapter;

TEST(SlotOrder, OperationsFollowTheDeclaredOrder) {
    const Row rows[] = {
        {"Close", Slot(&IDevice::Close)},
        {"ConnectAsync", Slot(&IDevice::ConnectAsync)},
        {"Disconnect", Slot(&IDevice::Disconnect)},
        {"Reserved1", Slot(&IDevice::Reserved1)},
        {"GetAccessStatus", Slot(&IDevice::GetAccessStatus)},
        {"GetAvailableNetworks", Slot(&IDevice::GetAvailableNetworks)},
        {"GetDBDeviceInfo", Slot(&IDevice::GetDBDeviceInfo)},
        {"GetDeviceFlag", Slot(&IDevice::GetDeviceFlag)},
        {"GetDeviceIndex", Slot(&IDevice::GetDeviceIndex)},
        {"GetDeviceInformation", Slot(&IDevice::GetDeviceInformation)},
        {"GetDeviceName", Slot(&IDevice::GetDeviceName)},
        {"GetDeviceStatus", Slot(&IDevice::GetDeviceStatus)},
        {"GetPhysicalDeviceType", Slot(&IDevice::GetPhysicalDeviceType)},
        {"GetStatistics", Slot(&IDevice::GetStatistics)},
        {"Reserved2", Slot(&IDevice::Reserved2)},
        {"Open", Slot(&IDevice::Open)},
        {"Reserved3", Slot(&IDevice::Reserved3)},
        {"RetrieveDeviceInformation", Slot(&IDevice::RetrieveDeviceInformation)},
        {"Reserved4", Slot(&IDevice::Reserved4)},
        {"SetDBDeviceInfo", Slot(&IDevice::SetDBDeviceInfo)},
        {"Reserved5", Slot(&IDevice::Reserved5)},
        {"SetDeviceFlag", Slot(&IDevice::SetDeviceFlag)},
        {"SetDeviceIndex", Slot(&IDevice::SetDeviceIndex)},
        {"SetDeviceInformation", Slot(&IDevice::SetDeviceInformation)},
        {"SetDeviceName", Slot(&IDevice::SetDeviceName)},
        {"AssociateNetwork", Slot(&IDeviceAdapter::AssociateNetwork)},
        {"UnAssociateNetwork", Slot(&IDeviceAdapter::UnAssociateNetwork)},
        {"GetDeviceInformationId", Slot(&GenericAdapter::GetDeviceInformationId)},
        {"ChangeDeviceStatus", Slot(&GenericAdapter::ChangeDeviceStatus)},
        {"CheckIpAddress", Slot(&GenericAdapter::CheckIpAddress)},
        {"Destroy", Slot(&GenericAdapter::Destroy)},
        {"FindIndexFromGuid", Slot(&GenericAdapter::FindIndexFromGuid)},
        {"GetInterfaceData", Slot(&GenericAdapter::GetInterfaceData)},
        {"GetIpAddress", Slot(&GenericAdapter::GetIpAddress)},
        {"GetNetworkSettings", Slot(&GenericAdapter::GetNetworkSettings)},
        {"IsIpAddressReported", Slot(&GenericAdapter::IsIpAddressReported)},
        {"SetNetworkSettings", Slot(&GenericAdapter::SetNetworkSettings)},
        {"SetIpAddressReported", Slot(&GenericAdapter::SetIpAddressReported)},
    };
    // The virtual destructor takes the slots before Close (two in this ABI).
    EXPECT_EQ(rows[0].second, 2);
    for (size_t i = 1; i < sizeof rows / sizeof rows[0]; ++i)
        EXPECT_EQ(rows[i].second, rows[i - 1].second + 1) << rows[i].first << " after " << rows[i - 1].first;
}

TEST(SlotOrder, CallbackOperationsSitInTheirPlaces) {
    using ace::IDeviceCallback;
    const Row rows[] = {
        {"Reserved1", Slot(&IDeviceCallback::Reserved1)},
        {"ConnectCompleted", Slot(&IDeviceCallback::ConnectCompleted)},
        {"ConnectProgress", Slot(&IDeviceCallback::ConnectProgress)},
        {"Reserved4", Slot(&IDeviceCallback::Reserved4)},
        {"DeviceStatusChanged", Slot(&IDeviceCallback::DeviceStatusChanged)},
        {"Disconnected", Slot(&IDeviceCallback::Disconnected)},
        {"Reserved7", Slot(&IDeviceCallback::Reserved7)},
        {"IpAddressStatus", Slot(&IDeviceCallback::IpAddressStatus)},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
        EXPECT_EQ(rows[i].second, static_cast<long>(i)) << rows[i].first;
}

}  // namespace
