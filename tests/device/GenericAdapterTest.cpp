#include <gtest/gtest.h>

#include <memory>

#include "DeviceProbe.h"
#include "RecordingHost.h"
#include "TestSupport.h"
#include "foundation/Api.h"
#include "device/Exports.h"
#include "device/WLanDevice.h"
#include "platform/sim/Faults.h"

namespace {

using ace::DeviceProbe;

using DevicePtr = std::unique_ptr<ace::IDevice, DeleteClassFn>;

ace::GenericAdapter& Generic(const DevicePtr& d) { return *dynamic_cast<ace::GenericAdapter*>(d.get()); }

// A new device, the log captured from its creation, and a recording host
// attached that is detached again before the device goes.
class GenericAdapterFixture : public ::testing::Test {
protected:
    void TearDown() override { DeviceProbe::AttachHost(Generic(d), nullptr); }
    test::LogCapture log;
    test::RecordingHost host;
    DevicePtr d{CreateClass(), DeleteClass};
};

TEST_F(GenericAdapterFixture, NewDeviceHasItsInitialValuesAndItsCloseAndDestroyDoNothing) {
    ASSERT_NE(d, nullptr);
    // Index -1, CLOSED and the flag are checked through the slots by the boundary host.
    EXPECT_EQ(d->GetDeviceName(), L"");
    EXPECT_EQ(d->GetPhysicalDeviceType(), 0u);
    EXPECT_EQ(d->GetDBDeviceInfo(), ace::DBDeviceInfo());
    EXPECT_FALSE(Generic(d).IsIpAddressReported());
    EXPECT_TRUE(Generic(d).IsRunning());  // the worker runs from construction
    DeviceProbe::AttachHost(Generic(d), &host);
    d->Close();
    Generic(d).Destroy();
    EXPECT_EQ(d->GetDeviceStatus(), DEVICE_STATE::CLOSED);
    EXPECT_TRUE(host.Calls().empty());
    // Each public operation logs its entry mark and the wait for the lock.
    EXPECT_EQ(log->Find(LOG_EVENT, 2, L"ace::WLanDevice::Close", L"").size(), 2u);
    EXPECT_EQ(log->Find(LOG_TRACE, 2, L"ace::WLanDevice::Close", L"Profile time: ").size(), 2u);
}

// The setters, accessors, reserved slots and DeleteClass of null are driven
// through the binary boundary by tests/device/host/BoundaryHost.cpp.

TEST_F(GenericAdapterFixture, ChangeDeviceStatusLogsTwiceAndNotifiesOnlyWhenAsked) {
    d->SetDeviceIndex(5);
    DeviceProbe::AttachHost(Generic(d), &host);

    Generic(d).ChangeDeviceStatus(DEVICE_STATE::DISCONNECTED, false);
    EXPECT_TRUE(host.Calls().empty());
    std::vector<std::wstring> lines;
    for (const auto& r : log->Find(LOG_INFO, 2, L"ace::GenericAdapter::ChangeDeviceStatus", L"Device Status: "))
        lines.push_back(r.text);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"Device Status: 1", L"Device Status: 0"}));

    // The same value again is still reported.
    Generic(d).ChangeDeviceStatus(DEVICE_STATE::DISCONNECTED, true);
    Generic(d).ChangeDeviceStatus(DEVICE_STATE::DISCONNECTED, true);
    const test::HostCall told{"DeviceStatusChanged", 5, 0, 0, std::this_thread::get_id()};
    EXPECT_EQ(host.Calls(), (std::vector<test::HostCall>{told, told}));
}

TEST_F(GenericAdapterFixture, HostExceptionFromStatusChangeReachesTheCallerAfterTheChange) {
    struct ThrowingHost : test::RecordingHost {
        void DeviceStatusChanged(int32_t, DEVICE_STATE) override {
            throw util::DeviceEx(L"host.cpp", L"Host::DeviceStatusChanged", 1);
        }
    } thrower;
    DeviceProbe::AttachHost(Generic(d), &thrower);
    auto e = test::ExpectThrows<util::DeviceEx>(
        [&] { Generic(d).ChangeDeviceStatus(DEVICE_STATE::DISCONNECTED, true); });
    ASSERT_EQ(e.Entries().size(), 2u);
    test::ExpectEntry(e, 1, L"Stack Entry", L"ace::GenericAdapter::ChangeDeviceStatus", L"", 0);
    EXPECT_EQ(d->GetDeviceStatus(), DEVICE_STATE::DISCONNECTED);
    DeviceProbe::AttachHost(Generic(d), nullptr);  // before the thrower goes
}

TEST(GenericAdapter, DeviceDeletedRightAfterCreationStopsItsWorkerAtOnce) {
    test::LogCapture log;
    auto started = std::chrono::steady_clock::now();
    DeleteClass(CreateClass());
    auto took = std::chrono::steady_clock::now() - started;
    // The worker ends when signalled; 60 s would mean it was waited out.
    EXPECT_LT(took, std::chrono::seconds(30));
    std::vector<std::wstring> worker;
    for (const auto& r : log->Records())
        if (r.function == L"ace::GenericAdapter::ThreadRoutine") worker.push_back(r.text);
    EXPECT_EQ(worker, (std::vector<std::wstring>{L"WlanDevice thread started.", L"GenericAdapter thread closed."}));
    EXPECT_TRUE(log->Contains(L"Finished!"));
    EXPECT_EQ(log->Find(LOG_ERROR, 0, L"", L"").size(), 0u);
}

TEST(GenericAdapter, FailingEventCreationReachesCreateClassCaller) {
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the real kernel cannot be made to fail";
    sim::ScopedFault fault("CreateEventW", ERROR_NOT_ENOUGH_MEMORY, 2);  // the thread's stop event is the first
    auto e = test::ExpectThrows<util::SystemCallEx>([] { DeleteClass(CreateClass()); });
    test::ExpectEntry(e, 0, L"class util::ApiEx", L"wapi::CreateEventW", util::SystemMessage(ERROR_NOT_ENOUGH_MEMORY),
                      ERROR_NOT_ENOUGH_MEMORY);
    test::ExpectEntry(e, 1, L"class util::SystemCallEx", L"util::Event::Create", L"System call: CreateEvent failed.",
                      0);
    EXPECT_EQ(e.Entries().back().function, L"ace::WLanDevice::WLanDevice");
}

}  // namespace
