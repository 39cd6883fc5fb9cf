// The adapter's IP interface through the simulated IP Helper.
#include <gtest/gtest.h>

#include <tuple>

#include "DeviceProbe.h"
#include "RecordingHost.h"
#include "TestSupport.h"
#include "device/WLanDevice.h"
#include "platform/sim/Faults.h"
#include "platform/sim/World.h"

namespace {

using ace::DeviceProbe;

class InterfaceStatistics : public ::testing::Test {
protected:
    void SetUp() override { sim::GetWorld().IpHelp().Reset(); }
    void TearDown() override {
        DeviceProbe::AttachHost(device, nullptr);
        sim::GetWorld().IpHelp().Reset();
        sim::ClearFaults();
    }
    static void SetCounters(uint32_t index, uint32_t in, uint32_t out) {
        sim::GetWorld().IpHelp().SetInterface({.index = index, .inOctets = in, .outOctets = out});
    }
    ace::WLanDevice device;
};

TEST_F(InterfaceStatistics, FindIndexFromGuid) {
    for (auto [guid, index] : {std::pair{"{AAAA-1}", 11u}, {"{bbbb-2}", 12u}}) {
        sim::IpAdapter a;
        a.name = guid;
        a.index = index;
        sim::GetWorld().IpHelp().AddAdapter(a);
    }
    uint32_t index = 0;
    device.FindIndexFromGuid(L"{bbbb-2}", index);
    EXPECT_EQ(index, 12u);
    // The name matches exactly; the size query is the list's first call,
    // the list itself the second. The GUID, the call failed (0: none), the record.
    const std::tuple<const wchar_t*, unsigned, const wchar_t*> rows[] = {
        {L"{BBBB-2}", 0, L"Failure: Did not find GUID {BBBB-2}"},
        {L"{bbbb-2}", 1, L"Failure: GetAdaptersInfo() failed for memory."},
        {L"{bbbb-2}", 2, L"Failure: GetAdaptersInfo() failed."}};
    for (auto [guid, failedCall, logged] : rows) {
        SCOPED_TRACE(failedCall);
        test::LogCapture log;
        if (failedCall != 0) sim::FailCall("GetAdaptersInfo", ERROR_NOT_SUPPORTED, failedCall);
        index = 99;
        auto e = test::ExpectThrows<util::DeviceOpenEx>([&, guid = guid] { device.FindIndexFromGuid(guid, index); });
        sim::ClearFaults();
        EXPECT_EQ(index, 99u);
        EXPECT_EQ(e.Entries()[0].message, L"Device open failed.Failed to get index from adapter guid.");
        EXPECT_EQ(e.Entries().back().type, L"Stack Entry");
        EXPECT_EQ(log->Find(LOG_ERROR, 2, L"ace::GenericAdapter::FindIndexFromGuid", logged).size(), 1u);
    }
}

TEST_F(InterfaceStatistics, CountersWidenWhenTheyWrap) {
    const uint32_t wrapPoint = 0xFFFFFFFFu - 295;  // 2^32 - 296
    const uint64_t wrap = uint64_t(1) << 32;
    // The counters in turn and the totals: received wraps, sent stays equal once, then wraps.
    const std::vector<std::tuple<uint32_t, uint32_t, uint64_t, uint64_t>> rows = {
        {wrapPoint, 10, wrapPoint, 10}, {100, 10, wrap + 100, 10}, {200, 5, wrap + 200, wrap + 5}};
    cei::DeviceStatistics s;
    for (auto [in, out, received, sent] : rows) {
        SCOPED_TRACE(in);
        SetCounters(4, in, out);
        EXPECT_EQ(&device.GetInterfaceData(4, s), &s);
        EXPECT_EQ(s.bytesReceived, received);
        EXPECT_EQ(s.bytesSent, sent);
    }
}

TEST_F(InterfaceStatistics, GetIfEntryFailureLeavesEverythingAsItWas) {
    SetCounters(4, 1000, 2000);
    cei::DeviceStatistics s;
    device.GetInterfaceData(4, s);
    test::LogCapture log;
    sim::ScopedFault fault("GetIfEntry", ERROR_INVALID_PARAMETER);
    SetCounters(4, 5, 5);
    auto e = test::ExpectThrows<util::SystemCallEx>([&] { device.GetInterfaceData(4, s); });
    EXPECT_EQ(e.Entries()[0].message, L"System call: <1> failed.Failed to get statisctics data");
    EXPECT_TRUE(log->Contains(L"GetIfEntry failed: 87"));
    EXPECT_EQ(s.bytesReceived, 1000u);
    EXPECT_EQ(DeviceProbe::Received(device), 1000u);
}

TEST_F(InterfaceStatistics, GetIpAddressTakesTheFirstSortedAddressOfTheInterface) {
    DeviceProbe::SetInterfaceIndex(device, 7);
    EXPECT_EQ(device.GetIpAddress(), 0u);
    sim::GetWorld().IpHelp().AddAddress({"10.0.0.9", 7});
    sim::GetWorld().IpHelp().AddAddress({"192.168.1.2", 8});
    sim::GetWorld().IpHelp().AddAddress({"10.0.0.5", 7});
    EXPECT_EQ(device.GetIpAddress(), 0x0A000005u);
    for (unsigned nth : {2u, 1u}) {
        sim::ScopedFault fault("GetIpAddrTable", ERROR_NOT_SUPPORTED, nth);
        EXPECT_EQ(device.GetIpAddress(), 0u) << nth;
    }
}

TEST_F(InterfaceStatistics, CheckIpAddressTellsTheHostOnlyOfChanges) {
    // The worker makes the same check once a second: only this test's may run.
    ASSERT_TRUE(device.Stop(10000));
    test::RecordingHost host;
    device.SetDeviceIndex(2);
    DeviceProbe::SetInterfaceIndex(device, 7);

    device.CheckIpAddress();  // no host yet: nothing read, nothing told
    DeviceProbe::AttachHost(device, &host);
    device.CheckIpAddress();  // no address
    sim::GetWorld().IpHelp().AddAddress({"169.254.10.20", 7});
    device.CheckIpAddress();  // link-local counts as none
    EXPECT_TRUE(host.Calls().empty());

    sim::GetWorld().IpHelp().Reset();
    sim::GetWorld().IpHelp().AddAddress({"10.0.0.5", 7});
    device.CheckIpAddress();
    device.CheckIpAddress();
    sim::GetWorld().IpHelp().Reset();
    device.CheckIpAddress();
    device.CheckIpAddress();

    const auto me = std::this_thread::get_id();
    EXPECT_EQ(host.Calls(),
              (std::vector<test::HostCall>{{"IpAddressStatus", 2, 1, 0, me}, {"IpAddressStatus", 2, 0, 0, me}}));
    EXPECT_FALSE(device.IsIpAddressReported());
}

TEST_F(InterfaceStatistics, WorkerThreadDiesQuietlyWhenTheCheckThrows) {
    test::LogCapture log;
    test::RecordingHost host;
    host.throwOnIpStatus = true;
    DeviceProbe::SetInterfaceIndex(device, 7);
    sim::GetWorld().IpHelp().AddAddress({"10.0.0.5", 7});
    DeviceProbe::AttachHost(device, &host);
    // The worker checks once a second; its first check calls the host, which throws.
    ASSERT_TRUE(host.WaitFor([](const auto& calls) { return !calls.empty(); }, std::chrono::seconds(10)));
    EXPECT_NE(host.Calls()[0].thread, std::this_thread::get_id());
    ASSERT_TRUE(device.Stop(10000));
    std::vector<std::wstring> worker;
    for (const auto& r : log->Records())  // "thread started." may or may not fall in the capture
        if (r.function == L"ace::GenericAdapter::ThreadRoutine" && r.text != L"WlanDevice thread started.")
            worker.push_back(r.text);
    EXPECT_EQ(worker, (std::vector<std::wstring>{L"GenericAdapter thread died of unknown exception.",
                                                 L"GenericAdapter thread closed."}));
    EXPECT_EQ(log->Find(LOG_ERROR, 1, L"ace::GenericAdapter::ThreadRoutine", L"").size(), 1u);
    EXPECT_EQ(host.Calls().size(), 1u);  // no more checks after the exception
}

}  // namespace
