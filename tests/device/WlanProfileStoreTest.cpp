// The profiles the device stores: every kind of network it accepts connects
// with its key in the document (a wrong key's failure is a row of
// WlanFailureTest), and a user's profile of the same name is kept aside and
// put back byte for byte.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "WlanRig.h"
#include "platform/sim/Faults.h"

namespace {

using test::kUserXml;
using test::WlanRig;

TEST(WlanProfiles, EveryAcceptedKindConnectsWithItsKey) {
    auto net = [](const char* ssid, DWORD auth, DWORD cipher, const std::wstring& secret, bool broadcast = true) {
        sim::WlanNetwork n = test::Network({ssid, auth, cipher, secret.c_str()});
        n.broadcast = broadcast;
        return n;
    };
    const std::wstring hex26 = L"0123456789abcdef0123456789", hex10 = L"0123456789";
    const std::wstring pass63(63, L'p'), key64 = L"00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff";
    const std::wstring umlaut = L"Gr\u00FC\u00DFe & <Tsch\u00FCss>";
    // Label, network, request, the key as the document must carry it (empty: no key).
    const std::vector<std::tuple<const char*, sim::WlanNetwork, cei::AssociateInfoWlan, std::wstring>> rows = {
        {"open", net("Cafe", 1, 0, L""), test::Request(L"Cafe", 0, 0), L""},
        {"WEP with prefix", net("Lab", 1, 5, hex26), test::Request(L"Lab", 0, 3, L"0x" + hex26, 1), hex26},
        {"WEP-40 without prefix", net("Lab", 1, 1, hex10), test::Request(L"Lab", 0, 3, hex10, 4), hex10},
        {"shared WEP", net("Lab", 2, 5, hex26), test::Request(L"Lab", 1, 3, hex26, 2), hex26},
        {"WPA-PSK passphrase", net("Home", 4, 2, pass63), test::Request(L"Home", 3, 2, pass63), pass63},
        {"WPA2-PSK 64-digit key", net("Office", 7, 4, key64), test::Request(L"Office", 5, 1, key64), key64},
        {"hidden WPA2-PSK", net("Attic", 7, 4, L"upstairs", false),
         test::Request(L"Attic", 5, 1, L"upstairs", 1, false), L"upstairs"},
        {"markup in name and key", net("AT&T <Wi-Fi>", 7, 4, L"a&b<c>de"),
         test::Request(L"AT&T <Wi-Fi>", 5, 1, L"a&b<c>de"), L"a&amp;b&lt;c&gt;de"},
        {"non-ASCII passphrase", net("Home", 4, 2, umlaut), test::Request(L"Home", 3, 2, umlaut),
         L"Gr\u00FC\u00DFe &amp; &lt;Tsch\u00FCss&gt;"},
    };
    for (const auto& [label, network, request, material] : rows) {
        SCOPED_TRACE(label);
        WlanRig rig(2, {network});
        rig.Open();
        rig.device->AssociateNetwork(&request);
        std::vector<std::wstring> xml;
        for (const auto& j : rig.wlan.Journal())
            if (j.call == "WlanSetProfile") xml.push_back(j.profileXml);
        ASSERT_EQ(xml.size(), 1u);
        EXPECT_NE(xml[0].find(L"<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">"),
                  std::wstring::npos);
        if (!material.empty()) {
            EXPECT_NE(xml[0].find(L"<keyMaterial>" + material + L"</keyMaterial>"), std::wstring::npos);
        }
        test::ExpectSchemaValid(xml[0]);
        rig.Connect();
        EXPECT_EQ(rig.device->GetDeviceStatus(), DEVICE_STATE::CONNECTED);
    }
}

TEST(WlanProfiles, TheUsersProfileIsPutBackByteForByte) {
    // Label, and what ends the association (or fails it).
    const std::vector<std::pair<const char*, std::function<void(WlanRig&)>>> rows = {
        {"close", [](WlanRig& r) { r.device->Close(); }},
        {"close while connected",
         [](WlanRig& r) {
             r.Connect();
             r.device->Close();
         }},
        {"associate that fails after the swap",
         [](WlanRig& r) {
             r.device->UnAssociateNetwork();
             sim::ScopedFault f("WlanSetProfile", ERROR_ACCESS_DENIED, 1);
             EXPECT_THROW(r.Associate(test::kWpa2Net), util::SystemCallEx);
         }},
        // The restore is the first set after the delete; refused, it is tried
        // again at the end of the next association.
        {"refused restore",
         [](WlanRig& r) {
             sim::FailCall("WlanSetProfile", ERROR_ACCESS_DENIED, 1);
             r.device->UnAssociateNetwork();
             sim::ClearFaults();
             EXPECT_FALSE(r.wlan.Profile(r.iface, L"Office").has_value());
             EXPECT_TRUE(r.LoggedText(LOG_WARNING, L"WaitForSingleObject 'Set Profile' failed. Result: 258"));
             r.Associate(test::kWpa2Net);
             r.device->UnAssociateNetwork();
         }},
    };
    for (DWORD version : {1u, 2u}) {
        for (const auto& [label, end] : rows) {
            SCOPED_TRACE(std::string(label) + " v" + std::to_string(version));
            WlanRig rig(version);
            rig.wlan.StoreProfile(rig.iface, L"Office", kUserXml, 0);
            rig.Open();
            rig.Associate(test::kWpa2Net);
            auto mine = rig.wlan.Profile(rig.iface, L"Office");
            ASSERT_TRUE(mine.has_value());
            EXPECT_NE(mine->xml, kUserXml);
            EXPECT_EQ(mine->flags, version == 1 ? 0u : 2u);
            end(rig);
            auto back = rig.wlan.Profile(rig.iface, L"Office");
            ASSERT_TRUE(back.has_value());
            EXPECT_EQ(back->xml, kUserXml);
            EXPECT_EQ(back->flags, 0u);
        }
    }
}

}  // namespace
