#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "../records/FieldOrder.h"
#include "TestSupport.h"
#include "devicedb/Capabilities.h"
#include "devicedb/DeviceInfo.h"
#include "devicedb/NameTables.h"
#include "devicedb/Utf16Order.h"
#include "xml/XmlSerializer.h"

namespace {

using ace::DBDeviceInfo;

TEST(DBDeviceInfo, FieldsInDeclaredOrder) {
    DBDeviceInfo i;
    test::ExpectFieldOrder({TEST_FIELD(i, DllFile), TEST_FIELD(i, Type), TEST_FIELD(i, capabilities),
                            TEST_FIELD(i, PhysicalDeviceType)});
    ace::Capabilities& c = i.capabilities;
    test::ExpectFieldOrder({TEST_FIELD(c, AccessStatus), TEST_FIELD(c, Bearers), TEST_FIELD(c, FrequencyBands),
                            TEST_FIELD(c, HscsdSpeeds), TEST_FIELD(c, MessageNotificationType),
                            TEST_FIELD(c, MessageStatusType), TEST_FIELD(c, MessageStorageLocation),
                            TEST_FIELD(c, Duplex), TEST_FIELD(c, FunctionalityRFOff)});
}

DBDeviceInfo Filled() {
    DBDeviceInfo info;
    info.DllFile = L"Wlan<&>.dll";
    info.Type = 2;
    info.PhysicalDeviceType = 3;
    ace::Capabilities& c = info.capabilities;
    c.AccessStatus = 1 | 4 | 1024;
    c.Bearers = 2 | 4096;
    c.FrequencyBands = 0x7F;
    c.HscsdSpeeds = 256 | 1;
    c.MessageNotificationType = 0;
    c.MessageStatusType = 16;
    c.MessageStorageLocation = 1;
    c.Duplex = true;
    c.FunctionalityRFOff = true;
    return info;
}

// One change in any single field must make two records differ.
TEST(DBDeviceInfo, EqualityNoticesEveryField) {
    using C = ace::Capabilities;
    const DBDeviceInfo base = Filled();
    std::vector<DBDeviceInfo> changed(3, base);
    changed[0].DllFile += L"x";
    changed[1].Type ^= 1;
    changed[2].PhysicalDeviceType ^= 1;
    for (uint32_t C::*n : {&C::AccessStatus, &C::Bearers, &C::FrequencyBands, &C::HscsdSpeeds,
                           &C::MessageNotificationType, &C::MessageStatusType, &C::MessageStorageLocation})
        changed.emplace_back(base).capabilities.*n ^= 1;
    for (bool C::*b : {&C::Duplex, &C::FunctionalityRFOff}) changed.emplace_back(base).capabilities.*b ^= true;
    for (size_t k = 0; k < changed.size(); ++k) EXPECT_NE(changed[k], base) << "change " << k;
}

struct TableCase {
    const char* label;
    const ace::NameTable& (*table)();
    ace::NameTable entries;
};

const TableCase kTables[] = {
    {"Type", ace::TypeNames, {{L"Generic", 0}, {L"WWan", 1}, {L"WLan", 2}, {L"Lan", 3}}},
    {"PhysicalDeviceType", ace::PhysicalDeviceTypeNames,
     {{L"Unknown", 0}, {L"Simple", 1}, {L"Handset", 2}, {L"PcCard", 3}, {L"Builtin", 4}}},
    {"AccessStatus", ace::AccessStatusNames,
     {{L"SignalStrength", 1}, {L"SignalQuality", 2}, {L"NetworkName", 4}, {L"NetworkRegistrationType", 8},
      {L"BatteryStrength", 16}, {L"CellInfo", 32}, {L"Roaming", 64}, {L"NetworkSelectionMode", 128},
      {L"NetworkShortName", 256}, {L"BitErrorRate", 512}, {L"NetworkLongName", 1024}}},
    {"Bearers", ace::BearersNames,
     {{L"Lan", 1}, {L"WLan", 2}, {L"Dialup", 4}, {L"Hscsd", 8}, {L"Gprs", 16}, {L"Edge", 32}, {L"Umts", 64},
      {L"IdenPsd", 128}, {L"IdenCsd", 256}, {L"Cdma", 512}, {L"Cdma2000", 1024}, {L"CdmaEvdo", 2048},
      {L"UmtsHsdpa", 4096}}},
    {"FrequencyBands", ace::FrequencyBandsNames,
     {{L"450", 1}, {L"800", 2}, {L"850", 4}, {L"900", 8}, {L"1800", 16}, {L"1900", 32}, {L"2100", 64}}},
    {"HscsdSpeeds", ace::HscsdSpeedsNames,
     {{L"9600", 1}, {L"14400", 2}, {L"19200", 4}, {L"28800", 8}, {L"38400", 16}, {L"43200", 32}, {L"57600", 64},
      {L"72000", 128}, {L"19200_2", 256}, {L"28800_2", 512}}},
    {"MessageNotificationType", ace::MessageNotificationTypeNames,
     {{L"None", 0}, {L"Unsolicited", 1}, {L"Polling", 2}}},
    {"MessageStatusType", ace::MessageStatusTypeNames,
     {{L"RecUnread", 1}, {L"RecRead", 2}, {L"StoUnsent", 4}, {L"StoSent", 8}, {L"All", 16}}},
    {"MessageStorageLocation", ace::MessageStorageLocationNames,
     {{L"None", 0}, {L"ME", 1}, {L"SM", 2}, {L"ALL", 3}}},
};

TEST(NameTables, EveryTableHoldsExactlyItsEntries) {
    for (const TableCase& t : kTables) {
        EXPECT_EQ(t.table(), t.entries) << t.label;
        EXPECT_EQ(&t.table(), &t.table()) << t.label << " is built once";
    }
}

TEST(Utf16Order, SortsBySurrogatesNotCodePoints) {
    struct Row { util::String left, right; int expected; };
    // U+1F600 is D83D DE00 in UTF-16, so it sorts before U+FF61 even though
    // its code point is larger.
    const Row rows[] = {{L"", L"", 0}, {L"", L"a", -1}, {L"a", L"", 1}, {L"ab", L"abc", -1}, {L"Lan", L"WLan", -1},
                        {L"WLan", L"wlan", -1}, {L"\U0001F600", L"\uFF61", -1}, {L"\uFF61", L"\U0001F600", 1},
                        {L"\U0001F600", L"\U0001F601", -1}, {L"x\U0001F600", L"x\uD7FF", 1},
                        {L"\U0001F600", L"\U0001F600", 0}};
    for (const Row& r : rows) {
        int got = ace::CompareUtf16(r.left, r.right);
        EXPECT_EQ((got > 0) - (got < 0), r.expected);
        EXPECT_EQ(ace::Utf16Less()(r.left, r.right), r.expected < 0);
    }
}

const std::wstring kHead = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::wstring Written(const std::function<void(util::XmlSerializeWriter&)>& write) {
    util::XmlSerializeSingleWriter writer(L"Device", L"", L"");
    write(writer);
    std::wostringstream out;
    writer.WriteToStream(out);
    return out.str();
}

std::unique_ptr<util::XmlSerializeReader> Reader(const std::wstring& text) {
    auto reader = std::make_unique<util::XmlSerializeReader>(L"Device", L"", L"");
    reader->LoadText(0, text);
    return reader;
}

// Every capability of an entry.
const std::wstring kCaps = L"<AccessStatus>SignalStrength NetworkName</AccessStatus><Bearers/><FrequencyBands/>"
                           L"<HscsdSpeeds/><MessageNotificationType>None</MessageNotificationType>"
                           L"<MessageStatusType/><MessageStorageLocation>SM</MessageStorageLocation>"
                           L"<Duplex>true</Duplex><FunctionalityRFOff>false</FunctionalityRFOff>";

// A complete entry, or one with the capabilities `caps`.
std::wstring Doc(const std::wstring& type, const std::wstring& physical, const std::wstring& caps = kCaps) {
    return L"<Device><Type>" + type + L"</Type><DllFile>a.dll</DllFile><PhysicalDeviceType>" + physical +
           L"</PhysicalDeviceType><Capabilities>" + caps + L"</Capabilities></Device>";
}

TEST(DBDeviceInfoXml, RoundTripsCompleteAndAgainstDefaults) {
    DBDeviceInfo onlyType;
    onlyType.Type = 1;
    DBDeviceInfo oneCap = onlyType;
    oneCap.capabilities.FunctionalityRFOff = true;
    const DBDeviceInfo records[] = {DBDeviceInfo(), Filled(), onlyType, oneCap};
    for (const DBDeviceInfo& record : records) {
        DBDeviceInfo full;
        full.Read(*Reader(Written([&](auto& w) { record.Write(w); })));
        EXPECT_EQ(full, record);
        for (const DBDeviceInfo& reference : records) {
            // Only what differs is written, so the reference fills the rest,
            // except PhysicalDeviceType, which the difference never carries.
            DBDeviceInfo expected = record;
            expected.PhysicalDeviceType = reference.PhysicalDeviceType;
            DBDeviceInfo read = Filled();
            read.Read(*Reader(Written([&](auto& w) { record.Write(w, reference); })), reference);
            EXPECT_EQ(read, expected);
        }
    }
}

// Everything, new capabilities' defaults too; against a reference, the type
// and what differs only.
TEST(DBDeviceInfoXml, WritesEverythingOrTheTypeAndTheDifference) {
    const DBDeviceInfo empty, filled = Filled();
    DBDeviceInfo changed = Filled();
    changed.PhysicalDeviceType = 1;
    changed.capabilities.Bearers = 1;
    struct Row { const DBDeviceInfo& record; const DBDeviceInfo* reference; const wchar_t* body; };
    const Row rows[] = {
        {empty, nullptr,
         L"<Device>\n\t<Type>Generic</Type>\n\t<PhysicalDeviceType>Unknown</PhysicalDeviceType>\n"
         L"\t<DllFile/>\n\t<Capabilities>\n\t\t<AccessStatus/>\n\t\t<Bearers/>\n\t\t<FrequencyBands/>\n"
         L"\t\t<HscsdSpeeds/>\n\t\t<MessageNotificationType>Polling</MessageNotificationType>\n"
         L"\t\t<MessageStatusType/>\n\t\t<MessageStorageLocation>ALL</MessageStorageLocation>\n"
         L"\t\t<Duplex>false</Duplex>\n\t\t<FunctionalityRFOff>false</FunctionalityRFOff>\n"
         L"\t</Capabilities>\n</Device>\n"},
        {filled, &filled, L"<Device>\n\t<Type>WLan</Type>\n</Device>\n"},
        {changed, &filled,
         L"<Device>\n\t<Type>WLan</Type>\n\t<Capabilities>\n\t\t<Bearers>Lan</Bearers>\n\t</Capabilities>\n"
         L"</Device>\n"}};
    for (const Row& r : rows) {
        EXPECT_EQ(Written([&](auto& w) { r.reference ? r.record.Write(w, *r.reference) : r.record.Write(w); }),
                  kHead + r.body);
    }
}

TEST(DBDeviceInfoXml, BitSetTexts) {
    // The text read, its value and the leaf as written back.
    struct Row { const wchar_t* text; uint32_t value; const wchar_t* leaf; };
    const Row rows[] = {
        {L"SignalStrength NetworkName", 5, L"<AccessStatus>SignalStrength NetworkName</AccessStatus>"},
        {L"NetworkName SignalStrength", 5, L"<AccessStatus>SignalStrength NetworkName</AccessStatus>"},
        {L"NetworkLongName", 1024, L"<AccessStatus>NetworkLongName</AccessStatus>"}, {L"", 0, L"<AccessStatus/>"}};
    for (const Row& row : rows) {
        DBDeviceInfo info;
        info.Read(*Reader(Doc(L"WLan", L"Simple", std::wstring(L"<AccessStatus>") + row.text + L"</AccessStatus>")),
                  DBDeviceInfo());
        EXPECT_EQ(info.capabilities.AccessStatus, row.value) << row.text;
        const std::wstring out = Written([&](auto& w) { info.Write(w); });
        EXPECT_NE(out.find(row.leaf), std::wstring::npos) << out;
    }
    // Bits without a name are dropped: XmlSerializer.ValueFormsAndScopes (the same formatting).
}

TEST(DBDeviceInfoXml, FullReadFailures) {
    std::wstring missingDuplex = kCaps;
    missingDuplex.erase(missingDuplex.find(L"<Duplex>"), std::wstring(L"<Duplex>true</Duplex>").size());
    // parse: util::ParseEx, else util::InvalidFormatEx
    struct Row { std::wstring doc; bool parse; const wchar_t* text; bool inCapabilities, withDefaults = false; };
    const Row rows[] = {
        {Doc(L"wlan", L"Simple"), true, L"\"wlan\" as enum for tag <Device><Type>.", false},
        {Doc(L"WLan", L"wlan"), true, L"\"wlan\" as enum", false},
        {Doc(L"WLan", L"Simple", L"<AccessStatus>SignalStrength  NetworkName</AccessStatus>"), true,
         L"as bitarray for tag <Device><Capabilities><AccessStatus>.", true},
        {Doc(L"WLan", L"Simple", L"<AccessStatus>Roaming</AccessStatus><Bearers>Lan Cdma</Bearers>"), false,
         L"<FrequencyBands>", true},
        {Doc(L"WLan", L"Simple", missingDuplex), false, L"<Duplex>", true},
        {L"<Device><Type>Lan</Type><PhysicalDeviceType>Simple</PhysicalDeviceType></Device>", false, L"<DllFile>",
         false},
        // Defaults stand in for anything but the type and a value that is there.
        {L"<Device><DllFile>x</DllFile></Device>", false, L"<Device><Type>", false, true},
        {Doc(L"wlan", L"Simple"), true, L"\"wlan\" as enum for tag <Device><Type>.", false, true},
        {Doc(L"WLan", L"Simple", L"<FunctionalityRFOff>yes</FunctionalityRFOff>"), true, L"\"yes\" as bool", true,
         true}};
    const DBDeviceInfo defaults = Filled();
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.doc));
        DBDeviceInfo info;
        auto reader = Reader(row.doc);
        auto read = [&] { row.withDefaults ? info.Read(*reader, defaults) : info.Read(*reader); };
        util::Exception e = row.parse ? util::Exception(test::ExpectThrows<util::ParseEx>(read))
                                      : util::Exception(test::ExpectThrows<util::InvalidFormatEx>(read));
        const std::wstring message = e.GetFirstEntry().message;
        EXPECT_NE(message.find(row.text), std::wstring::npos) << message;
        // Every failure reaches the caller with the record's own stack entries.
        const auto& entries = e.Entries();
        EXPECT_EQ(entries.back().function, L"ace::DBDeviceInfo::Read");
        const bool capsEntry = entries[entries.size() - 2].function == L"ace::Capabilities::Read";
        EXPECT_EQ(capsEntry, row.inCapabilities) << row.text;
    }
}

TEST(DBDeviceInfoXml, ReadWithDefaultsFallsBack) {
    DBDeviceInfo defaults = Filled();
    // `expect` changes the defaults into what is read.
    struct Row { std::wstring doc; std::function<void(DBDeviceInfo&)> expect; };
    const Row rows[] = {
        {L"<Device><Type>Lan</Type></Device>", [](DBDeviceInfo& r) { r.Type = 3; }},
        {Doc(L"Lan", L"wlan", L"<Bearers>Lan  WLan</Bearers><MessageStorageLocation>all</MessageStorageLocation>"
                               L"<Duplex>FALSE</Duplex>"),
         [](DBDeviceInfo& r) { r.Type = 3; r.DllFile = L"a.dll"; r.capabilities.Duplex = false; }},
        {Doc(L"Generic", L"Builtin", L"<HscsdSpeeds>9600 19200_2</HscsdSpeeds><MessageNotificationType>Polling"
                                     L"</MessageNotificationType>"),
         [](DBDeviceInfo& r) {
             r.Type = 0;
             r.DllFile = L"a.dll";
             r.PhysicalDeviceType = 4;
             r.capabilities.HscsdSpeeds = 257;
             r.capabilities.MessageNotificationType = 2;
         }},
    };
    for (const Row& row : rows) {
        DBDeviceInfo expected = defaults;
        row.expect(expected);
        DBDeviceInfo read;  // its own values must not survive
        read.capabilities.Bearers = 8;
        read.Read(*Reader(row.doc), defaults);
        EXPECT_EQ(read, expected);
    }
}

}  // namespace
