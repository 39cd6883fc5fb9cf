#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <type_traits>

#include "FieldOrder.h"
#include "records/AccessStatus.h"
#include "records/AssociateInfoWlan.h"
#include "records/ConnectionInfo.h"
#include "records/ConnectionInfoWlan.h"
#include "records/DeviceInformation.h"
#include "records/DeviceStatistics.h"
#include "records/NetworkInfoList.h"
#include "records/SecurityTypes.h"

namespace {

// Widths cross the boundary; a change here is a change of the host's ABI.
template <class Field, class Expected>
constexpr bool kIs = std::is_same_v<Field, Expected>;

static_assert(kIs<decltype(cei::ConnectionInfo::field1), uint32_t>);
static_assert(kIs<decltype(cei::ConnectionInfoWlan::connectTimeout), uint32_t>);
static_assert(kIs<std::underlying_type_t<decltype(cei::AssociateInfoWlan::encryptionType)>, int32_t>);
static_assert(kIs<std::underlying_type_t<decltype(cei::AssociateInfoWlan::securityType)>, int32_t>);
static_assert(kIs<decltype(cei::AssociateInfoWlan::keyIndex), uint32_t>);
static_assert(kIs<decltype(cei::NetworkInfoList::signalQuality), uint32_t>);
static_assert(kIs<decltype(cei::NetworkInfoListWlan::bssType), uint32_t>);
static_assert(kIs<decltype(cei::DeviceStatistics::bytesSent), uint64_t>);
static_assert(kIs<decltype(cei::DeviceStatistics::bytesReceived), uint64_t>);
static_assert(kIs<decltype(cei::DeviceInformation::number2), uint32_t>);
static_assert(kIs<decltype(cei::AccessStatus::signalStrength), int32_t>);
static_assert(kIs<decltype(cei::AccessStatus::networkRegistrationType), int32_t>);

template <class... Record>
constexpr bool kVirtual = (std::has_virtual_destructor_v<Record> && ...);
static_assert(kVirtual<cei::ConnectionInfo, cei::NetworkInfoList, cei::DeviceStatistics, cei::DeviceInformation,
                       cei::AccessStatus>);
// The host reaches the WLAN requests from the base by dynamic_cast; neither is the other.
static_assert(std::is_base_of_v<cei::ConnectionInfo, cei::ConnectionInfoWlan> &&
              std::is_base_of_v<cei::ConnectionInfo, cei::AssociateInfoWlan> &&
              !std::is_base_of_v<cei::ConnectionInfoWlan, cei::AssociateInfoWlan> &&
              !std::is_base_of_v<cei::AssociateInfoWlan, cei::ConnectionInfoWlan> &&
              std::is_base_of_v<cei::NetworkInfoList, cei::NetworkInfoListWlan>);

TEST(Records, ConnectionInfoDefaultsAndOrder) {
    cei::AssociateInfoWlan r;
    EXPECT_EQ(r.field1, 0u);
    EXPECT_FALSE(r.dhcpEnabled);
    EXPECT_FALSE(r.nameServersAutomatic);
    test::ExpectFieldOrder({TEST_FIELD(r, field1), TEST_FIELD(r, dhcpEnabled), TEST_FIELD(r, ipAddress),
                            TEST_FIELD(r, subnetMask), TEST_FIELD(r, nameServersAutomatic),
                            TEST_FIELD(r, primaryDns), TEST_FIELD(r, secondaryDns), TEST_FIELD(r, field8),
                            TEST_FIELD(r, primaryWins), TEST_FIELD(r, secondaryWins),
                            TEST_FIELD(r, defaultGateway),
                            // the derived part follows the whole base part
                            TEST_FIELD(r, reserved1), TEST_FIELD(r, ssid), TEST_FIELD(r, ssidBroadcast),
                            TEST_FIELD(r, encryptionType), TEST_FIELD(r, securityType), TEST_FIELD(r, key),
                            TEST_FIELD(r, reserved2), TEST_FIELD(r, keyIndex), TEST_FIELD(r, useOneX)});

    cei::ConnectionInfoWlan c;
    test::ExpectFieldOrder({TEST_FIELD(c, defaultGateway), TEST_FIELD(c, reserved1), TEST_FIELD(c, connectTimeout)});
}

TEST(Records, NetworkEntryDefaultsOrderAndCast) {
    cei::NetworkInfoListWlan w;
    EXPECT_TRUE(w.ssid.empty());
    EXPECT_FALSE(w.securityEnabled);
    EXPECT_EQ(w.encryptionType, -1);
    EXPECT_EQ(w.securityType, -1);
    test::ExpectFieldOrder({TEST_FIELD(w, ssid), TEST_FIELD(w, signalQuality), TEST_FIELD(w, bssType),
                            TEST_FIELD(w, securityEnabled), TEST_FIELD(w, encryptionType),
                            TEST_FIELD(w, securityType)});

    // Held as the base, as the network list hands entries out; destroyed
    // through the base (the sanitizer build sees a leaked or mismatched ssid).
    std::unique_ptr<cei::NetworkInfoList> entry = std::make_unique<cei::NetworkInfoListWlan>();
    entry->ssid = util::String(200, L'n');
    EXPECT_NE(dynamic_cast<cei::NetworkInfoListWlan*>(entry.get()), nullptr);
}

using Info = cei::DeviceInformation;
util::String Info::*const kInfoTexts[] = {
    &Info::deviceId,   &Info::friendlyName,       &Info::modelName, &Info::manufacturer,  &Info::text5,
    &Info::driverImagePath, &Info::driverDate,    &Info::driverVersion, &Info::serviceDisplayName,
    &Info::text10,     &Info::text11,             &Info::text12,    &Info::text13,        &Info::text14,
    &Info::text15};

// Every field with a value distinct per field and per prefix.
Info Filled(const wchar_t* prefix, uint32_t number) {
    Info d;
    uint32_t n = 0;
    for (auto field : kInfoTexts) {
        d.*field = prefix;
        (d.*field).AppendNumber(++n);
        (d.*field).append(40, L'x');  // beyond any short-string buffer
    }
    d.number1 = number;
    d.number2 = number + 1;
    return d;
}

TEST(Records, DeviceInformationDefaultsOrderAndCopy) {
    Info d;
    EXPECT_EQ(d.number1, 0u);
    EXPECT_EQ(d.number2, 0u);
    test::ExpectFieldOrder({TEST_FIELD(d, deviceId), TEST_FIELD(d, friendlyName), TEST_FIELD(d, modelName),
                            TEST_FIELD(d, manufacturer), TEST_FIELD(d, text5), TEST_FIELD(d, driverImagePath),
                            TEST_FIELD(d, driverDate), TEST_FIELD(d, driverVersion),
                            TEST_FIELD(d, serviceDisplayName), TEST_FIELD(d, text10), TEST_FIELD(d, text11),
                            TEST_FIELD(d, text12), TEST_FIELD(d, text13), TEST_FIELD(d, text14),
                            TEST_FIELD(d, number1), TEST_FIELD(d, number2), TEST_FIELD(d, text15)});

    const Info source = Filled(L"s", 100);
    Info target = Filled(L"t", 7);
    target = source;
    const Info& alias = target;
    target = alias;  // self-assignment keeps the values
    for (auto field : kInfoTexts) EXPECT_EQ(target.*field, source.*field);
    EXPECT_EQ(target.number1, 100u);
    EXPECT_EQ(target.number2, 101u);
}

TEST(Records, StatisticsAndAccessStatusDefaultsAndOrder) {
    cei::DeviceStatistics s;
    EXPECT_EQ(s.bytesSent, 0u);
    EXPECT_EQ(s.bytesReceived, 0u);
    test::ExpectFieldOrder({TEST_FIELD(s, bytesSent), TEST_FIELD(s, bytesReceived)});
    cei::AccessStatus a;
    EXPECT_EQ(a.signalStrength, 0);
    test::ExpectFieldOrder({TEST_FIELD(a, reserved1), TEST_FIELD(a, signalStrength), TEST_FIELD(a, signalQuality),
                            TEST_FIELD(a, bitErrorRate), TEST_FIELD(a, networkLongName),
                            TEST_FIELD(a, networkName), TEST_FIELD(a, networkShortName),
                            TEST_FIELD(a, networkRegistrationType)});
}

// The lookup at its boundaries: -1 and past the end have no name.
TEST(Records, TypeNamesIndexedByValue) {
    auto text = [](const wchar_t* name) { return std::wstring(name != nullptr ? name : L"(none)"); };
    const std::tuple<int32_t, const wchar_t*, const wchar_t*> rows[] = {
        {-1, nullptr, nullptr}, {0, L"open", L"none"},  {3, L"WPAPSK", L"WEP"},
        {4, L"WPA2", nullptr},  {5, L"WPA2PSK", nullptr}, {6, nullptr, nullptr},
    };
    for (const auto& [value, security, encryption] : rows) {
        EXPECT_EQ(text(cei::SecurityTypeName(value)), text(security)) << value;
        EXPECT_EQ(text(cei::EncryptionTypeName(value)), text(encryption)) << value;
    }
}

}  // namespace
