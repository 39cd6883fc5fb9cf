#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "../records/FieldOrder.h"
#include "devicedb/Capabilities.h"
#include "devicedb/DeviceInfo.h"
#include "devicedb/NameTables.h"
#include "devicedb/Utf16Order.h"

namespace {

TEST(DBDeviceInfo, FieldsInDeclaredOrder) {
    ace::DBDeviceInfo i;
    test::ExpectFieldOrder({TEST_FIELD(i, DllFile), TEST_FIELD(i, Type), TEST_FIELD(i, capabilities),
                            TEST_FIELD(i, PhysicalDeviceType)});
    ace::Capabilities& c = i.capabilities;
    test::ExpectFieldOrder({TEST_FIELD(c, AccessStatus), TEST_FIELD(c, Bearers), TEST_FIELD(c, FrequencyBands),
                            TEST_FIELD(c, HscsdSpeeds), TEST_FIELD(c, MessageNotificationType),
                            TEST_FIELD(c, MessageStatusType), TEST_FIELD(c, MessageStorageLocation),
                            TEST_FIELD(c, Duplex), TEST_FIELD(c, FunctionalityRFOff)});
}

ace::DBDeviceInfo Filled() {
    ace::DBDeviceInfo info;
    info.DllFile = L"WlanAdapter.dll";
    info.Type = 2;
    info.PhysicalDeviceType = 4;
    info.capabilities.AccessStatus = 13;
    info.capabilities.Bearers = 2;
    info.capabilities.FrequencyBands = 64;
    info.capabilities.HscsdSpeeds = 512;
    info.capabilities.MessageNotificationType = 1;
    info.capabilities.MessageStatusType = 16;
    info.capabilities.MessageStorageLocation = 1;
    info.capabilities.Duplex = true;
    info.capabilities.FunctionalityRFOff = true;
    return info;
}

// One change in any single field must make two records differ.
TEST(DBDeviceInfo, EqualityNoticesEveryField) {
    using Change = void (*)(ace::DBDeviceInfo&);
    const Change changes[] = {
        [](ace::DBDeviceInfo& r) { r.DllFile += L"x"; },
        [](ace::DBDeviceInfo& r) { r.Type ^= 1; },
        [](ace::DBDeviceInfo& r) { r.PhysicalDeviceType ^= 1; },
        [](ace::DBDeviceInfo& r) { r.capabilities.AccessStatus ^= 1; },
        [](ace::DBDeviceInfo& r) { r.capabilities.Bearers ^= 1; },
        [](ace::DBDeviceInfo& r) { r.capabilities.FrequencyBands ^= 1; },
        [](ace::DBDeviceInfo& r) { r.capabilities.HscsdSpeeds ^= 1; },
        [](ace::DBDeviceInfo& r) { r.capabilities.MessageNotificationType ^= 1; },
        [](ace::DBDeviceInfo& r) { r.capabilities.MessageStatusType ^= 1; },
        [](ace::DBDeviceInfo& r) { r.capabilities.MessageStorageLocation ^= 1; },
        [](ace::DBDeviceInfo& r) { r.capabilities.Duplex = !r.capabilities.Duplex; },
        [](ace::DBDeviceInfo& r) { r.capabilities.FunctionalityRFOff = !r.capabilities.FunctionalityRFOff; },
    };
    const ace::DBDeviceInfo base = Filled();
    int index = 0;
    for (Change change : changes) {
        ace::DBDeviceInfo other = base;
        change(other);
        EXPECT_NE(other, base) << "change " << index;
        ++index;
    }
}

struct TableCase {
    const char* label;
    const ace::NameTable& (*table)();
    std::vector<std::pair<const wchar_t*, uint32_t>> entries;
};

const TableCase kTables[] = {
    {"Type", ace::TypeNames, {{L"Generic", 0}, {L"WWan", 1}, {L"WLan", 2}, {L"Lan", 3}}},
    {"PhysicalDeviceType",
     ace::PhysicalDeviceTypeNames,
     {{L"Unknown", 0}, {L"Simple", 1}, {L"Handset", 2}, {L"PcCard", 3}, {L"Builtin", 4}}},
    {"AccessStatus",
     ace::AccessStatusNames,
     {{L"SignalStrength", 1}, {L"SignalQuality", 2}, {L"NetworkName", 4}, {L"NetworkRegistrationType", 8},
      {L"BatteryStrength", 16}, {L"CellInfo", 32}, {L"Roaming", 64}, {L"NetworkSelectionMode", 128},
      {L"NetworkShortName", 256}, {L"BitErrorRate", 512}, {L"NetworkLongName", 1024}}},
    {"Bearers",
     ace::BearersNames,
     {{L"Lan", 1}, {L"WLan", 2}, {L"Dialup", 4}, {L"Hscsd", 8}, {L"Gprs", 16}, {L"Edge", 32}, {L"Umts", 64},
      {L"IdenPsd", 128}, {L"IdenCsd", 256}, {L"Cdma", 512}, {L"Cdma2000", 1024}, {L"CdmaEvdo", 2048},
      {L"UmtsHsdpa", 4096}}},
    {"FrequencyBands",
     ace::FrequencyBandsNames,
     {{L"450", 1}, {L"800", 2}, {L"850", 4}, {L"900", 8}, {L"1800", 16}, {L"1900", 32}, {L"2100", 64}}},
    {"HscsdSpeeds",
     ace::HscsdSpeedsNames,
     {{L"9600", 1}, {L"14400", 2}, {L"19200", 4}, {L"28800", 8}, {L"38400", 16}, {L"43200", 32},
      {L"57600", 64}, {L"72000", 128}, {L"19200_2", 256}, {L"28800_2", 512}}},
    {"MessageNotificationType",
     ace::MessageNotificationTypeNames,
     {{L"None", 0}, {L"Unsolicited", 1}, {L"Polling", 2}}},
    {"MessageStatusType",
     ace::MessageStatusTypeNames,
     {{L"RecUnread", 1}, {L"RecRead", 2}, {L"StoUnsent", 4}, {L"StoSent", 8}, {L"All", 16}}},
    {"MessageStorageLocation",
     ace::MessageStorageLocationNames,
     {{L"None", 0}, {L"ME", 1}, {L"SM", 2}, {L"ALL", 3}}},
};

TEST(NameTables, EveryTableHoldsExactlyItsEntries) {
    for (const TableCase& t : kTables) {
        const ace::NameTable& table = t.table();
        EXPECT_EQ(table.size(), t.entries.size()) << t.label;
        for (const auto& [name, value] : t.entries) {
            auto it = table.find(name);
            ASSERT_NE(it, table.end()) << t.label << " lacks an entry";
            EXPECT_EQ(it->second, value) << t.label;
        }
        EXPECT_EQ(&table, &t.table()) << t.label << " is built once";
    }
}

TEST(NameTables, NamesCompareExactly) {
    struct Probe {
        const ace::NameTable& table;
        const wchar_t* name;
    };
    const Probe misses[] = {
        {ace::TypeNames(), L"wlan"},          {ace::TypeNames(), L"WLAN"},
        {ace::TypeNames(), L"WLan "},         {ace::BearersNames(), L"wlan"},
        {ace::MessageStatusTypeNames(), L"all"}, {ace::MessageStorageLocationNames(), L"All"},
        {ace::AccessStatusNames(), L""},      {ace::FrequencyBandsNames(), L"0450"},
    };
    for (const Probe& p : misses) {
        EXPECT_EQ(p.table.count(p.name), 0u) << "matched a name that differs";
    }
}

TEST(NameTables, WalkedByNameInCodeUnitOrder) {
    std::vector<util::String> names;
    for (const auto& entry : ace::TypeNames()) names.push_back(entry.first);
    // Upper case before lower case: "WLan" < "WWan" since 'L' < 'W'.
    EXPECT_EQ(names, (std::vector<util::String>{L"Generic", L"Lan", L"WLan", L"WWan"}));

    names.clear();
    for (const auto& entry : ace::HscsdSpeedsNames()) names.push_back(entry.first);
    EXPECT_EQ(names, (std::vector<util::String>{L"14400", L"19200", L"19200_2", L"28800", L"28800_2", L"38400",
                                                L"43200", L"57600", L"72000", L"9600"}));
}

TEST(Utf16Order, SortsBySurrogatesNotCodePoints) {
    struct Row {
        util::String left;
        util::String right;
        int expected;
    };
    // U+1F600 is D83D DE00 in UTF-16, so it sorts before U+FF61 even though
    // its code point is larger.
    const Row rows[] = {
        {L"", L"", 0},
        {L"", L"a", -1},
        {L"a", L"", 1},
        {L"ab", L"abc", -1},
        {L"Lan", L"WLan", -1},
        {L"WLan", L"wlan", -1},
        {L"\U0001F600", L"\uFF61", -1},
        {L"\uFF61", L"\U0001F600", 1},
        {L"\U0001F600", L"\U0001F601", -1},
        {L"x\U0001F600", L"x\uD7FF", 1},
        {L"\U0001F600", L"\U0001F600", 0},
    };
    for (const Row& r : rows) {
        int got = ace::CompareUtf16(r.left, r.right);
        EXPECT_EQ((got > 0) - (got < 0), r.expected);
        EXPECT_EQ(ace::Utf16Less()(r.left, r.right), r.expected < 0);
    }

    std::map<util::String, int, ace::Utf16Less> ordered{{L"\uFF61", 1}, {L"\U0001F600", 2}, {L"A", 3}};
    std::vector<int> walk;
    for (const auto& entry : ordered) walk.push_back(entry.second);
    EXPECT_EQ(walk, (std::vector<int>{3, 2, 1}));
}

}  // namespace
