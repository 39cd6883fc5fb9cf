// A lost link that races Close, Disconnect or DeleteClass: in every
// interleaving every thread returns. Each round is bounded, so a deadlock
// fails the test instead of hanging it.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "Watchdog.h"
#include "WlanRig.h"
#include "device/Exports.h"

namespace {

using test::WlanRig;

enum class Race { Close, Disconnect, Delete };

// Runs the host's call and the service's lost link at once; with
// `linkFirst` the service has dropped the link before the host calls, and
// its notifications are still in flight.
void RunRace(Race race, bool linkFirst) {
    WlanRig rig;
    rig.Open();
    rig.AssociateAndConnect(test::kWpa2Net);
    std::promise<void> go;
    std::shared_future<void> start = go.get_future().share();
    std::promise<void> dropped;
    std::shared_future<void> linkDropped = dropped.get_future().share();
    auto link = std::async(std::launch::async, [&] {
        start.wait();
        rig.wlan.LoseLink(rig.iface);
        dropped.set_value();
    });
    auto host = std::async(std::launch::async, [&] {
        start.wait();
        if (linkFirst) linkDropped.wait();
        try {
            switch (race) {
                case Race::Close: rig.device->Close(); break;
                case Race::Disconnect: rig.device->Disconnect(0); break;
                case Race::Delete:
                    DeleteClass(rig.device);
                    rig.device = nullptr;
                    break;
            }
        } catch (const util::Exception&) {
            // Disconnect of a link already lost is refused; that is an answer, not a hang.
        }
    });
    go.set_value();
    {
        // A thread that has not returned after 20 s is deadlocked: waiting
        // for it would hang the test.
        test::Watchdog dog("a race of the lost link and the host's call", std::chrono::seconds(20));
        link.wait();
        host.wait();
    }
    EXPECT_TRUE(rig.wlan.WaitIdle(std::chrono::seconds(10)));
    if (rig.device != nullptr) {
        // A disconnect (Close runs one too) whose request reset the event
        // after the lost link had signalled it is never confirmed: like any
        // unconfirmed disconnect it fails after its wait and leaves
        // DISCONNECTING. Never CONNECTED or CONNECTING.
        DEVICE_STATE s = rig.device->GetDeviceStatus();
        EXPECT_TRUE(s == DEVICE_STATE::DISCONNECTED || s == DEVICE_STATE::CLOSED || s == DEVICE_STATE::DISCONNECTING)
            << static_cast<int>(s);
    }
}

TEST(WlanRace, LostLinkAgainstCloseDisconnectAndDelete) {
    for (Race race : {Race::Close, Race::Disconnect, Race::Delete}) {
        for (bool linkFirst : {true, false}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(race)) + (linkFirst ? " link first" : " host first"));
            RunRace(race, linkFirst);
        }
    }
}

}  // namespace
