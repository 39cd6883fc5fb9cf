#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>

#include "TestSupport.h"
#include "devicedb/DeviceInfo.h"
#include "xml/XmlSerializer.h"

namespace {

using ace::DBDeviceInfo;

const wchar_t kHead[] = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

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

// A complete entry; `caps` replaces the capabilities' leaves when given.
std::wstring Doc(const std::wstring& type, const std::wstring& physical, const std::wstring& caps = L"") {
    return L"<Device><Type>" + type + L"</Type><DllFile>a.dll</DllFile><PhysicalDeviceType>" + physical +
           L"</PhysicalDeviceType><Capabilities>" +
           (caps.empty() ? L"<AccessStatus>SignalStrength NetworkName</AccessStatus><Bearers/><FrequencyBands/>"
                           L"<HscsdSpeeds/><MessageNotificationType>None</MessageNotificationType>"
                           L"<MessageStatusType/><MessageStorageLocation>SM</MessageStorageLocation>"
                           L"<Duplex>true</Duplex><FunctionalityRFOff>false</FunctionalityRFOff>"
                         : caps) +
           L"</Capabilities></Device>";
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

TEST(DBDeviceInfoXml, FullWriteOrderAndNewCapabilities) {
    EXPECT_EQ(Written([](auto& w) { DBDeviceInfo().Write(w); }),
              std::wstring(kHead) +
                  L"<Device>\n\t<Type>Generic</Type>\n\t<PhysicalDeviceType>Unknown</PhysicalDeviceType>\n"
                  L"\t<DllFile/>\n\t<Capabilities>\n\t\t<AccessStatus/>\n\t\t<Bearers/>\n\t\t<FrequencyBands/>\n"
                  L"\t\t<HscsdSpeeds/>\n\t\t<MessageNotificationType>Polling</MessageNotificationType>\n"
                  L"\t\t<MessageStatusType/>\n\t\t<MessageStorageLocation>ALL</MessageStorageLocation>\n"
                  L"\t\t<Duplex>false</Duplex>\n\t\t<FunctionalityRFOff>false</FunctionalityRFOff>\n"
                  L"\t</Capabilities>\n</Device>\n");
}

TEST(DBDeviceInfoXml, DifferenceWritesTypeAndChangedValuesOnly) {
    DBDeviceInfo changed = Filled();
    changed.PhysicalDeviceType = 1;
    changed.capabilities.Bearers = 1;
    EXPECT_EQ(Written([](auto& w) { Filled().Write(w, Filled()); }),
              std::wstring(kHead) + L"<Device>\n\t<Type>WLan</Type>\n</Device>\n");
    EXPECT_EQ(Written([&](auto& w) { changed.Write(w, Filled()); }),
              std::wstring(kHead) +
                  L"<Device>\n\t<Type>WLan</Type>\n\t<Capabilities>\n\t\t<Bearers>Lan</Bearers>\n"
                  L"\t</Capabilities>\n</Device>\n");
}

TEST(DBDeviceInfoXml, BitSetTexts) {
    struct Row {
        const wchar_t* text;
        uint32_t value;
        const wchar_t* leaf;  // as written back
    };
    const Row rows[] = {
        {L"SignalStrength NetworkName", 5, L"<AccessStatus>SignalStrength NetworkName</AccessStatus>"},
        {L"NetworkName SignalStrength", 5, L"<AccessStatus>SignalStrength NetworkName</AccessStatus>"},
        {L"NetworkLongName", 1024, L"<AccessStatus>NetworkLongName</AccessStatus>"},
        {L"", 0, L"<AccessStatus/>"},
    };
    for (const Row& row : rows) {
        DBDeviceInfo info;
        info.Read(*Reader(Doc(L"WLan", L"Simple", std::wstring(L"<AccessStatus>") + row.text + L"</AccessStatus>")),
                  DBDeviceInfo());
        EXPECT_EQ(info.capabilities.AccessStatus, row.value) << row.text;
        const std::wstring out = Written([&](auto& w) { info.Write(w); });
        EXPECT_NE(out.find(row.leaf), std::wstring::npos) << out;
    }
    // Bits without a name are dropped.
    DBDeviceInfo unnamed;
    unnamed.capabilities.AccessStatus = 2048 | 4 | 0x80000000u;
    EXPECT_NE(Written([&](auto& w) { unnamed.Write(w); }).find(L"<AccessStatus>NetworkName</AccessStatus>"),
              std::wstring::npos);
}

// Every failure reaches the caller with the record's own stack entries.
void ExpectRecordEntries(const util::Exception& e) {
    std::vector<std::wstring> functions;
    for (const auto& entry : e.Entries()) functions.push_back(entry.function);
    EXPECT_EQ(functions.back(), L"ace::DBDeviceInfo::Read");
}

TEST(DBDeviceInfoXml, FullReadFailures) {
    const std::wstring missingDuplex =
        L"<AccessStatus/><Bearers/><FrequencyBands/><HscsdSpeeds/><MessageNotificationType>None"
        L"</MessageNotificationType><MessageStatusType/><MessageStorageLocation>SM</MessageStorageLocation>"
        L"<FunctionalityRFOff>false</FunctionalityRFOff>";
    struct Row {
        std::wstring doc;
        bool parse;  // util::ParseEx, else util::InvalidFormatEx
        const wchar_t* text;
        bool inCapabilities;
    };
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
    };
    for (const Row& row : rows) {
        DBDeviceInfo info;
        auto reader = Reader(row.doc);
        util::Exception e = row.parse ? util::Exception(test::ExpectThrows<util::ParseEx>([&] { info.Read(*reader); }))
                                      : util::Exception(test::ExpectThrows<util::InvalidFormatEx>(
                                            [&] { info.Read(*reader); }));
        const std::wstring message = e.GetFirstEntry().message;
        EXPECT_NE(message.find(row.text), std::wstring::npos) << message;
        ExpectRecordEntries(e);
        const auto& entries = e.Entries();
        const bool capsEntry = entries[entries.size() - 2].function == L"ace::Capabilities::Read";
        EXPECT_EQ(capsEntry, row.inCapabilities) << row.text;
    }
}

TEST(DBDeviceInfoXml, ReadWithDefaultsFallsBack) {
    DBDeviceInfo defaults = Filled();
    struct Row {
        std::wstring doc;
        std::function<void(DBDeviceInfo&)> expect;  // changes from defaults
    };
    const Row rows[] = {
        {L"<Device><Type>Lan</Type></Device>", [](DBDeviceInfo& r) { r.Type = 3; }},
        {Doc(L"Lan", L"wlan", L"<Bearers>Lan  WLan</Bearers><MessageStorageLocation>all</MessageStorageLocation>"
                               L"<Duplex>FALSE</Duplex>"),
         [](DBDeviceInfo& r) {
             r.Type = 3;
             r.DllFile = L"a.dll";
             r.capabilities.Duplex = false;
         }},
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

TEST(DBDeviceInfoXml, ReadWithDefaultsStillFails) {
    const DBDeviceInfo defaults = Filled();
    DBDeviceInfo info;
    auto noType = Reader(L"<Device><DllFile>x</DllFile></Device>");
    ExpectRecordEntries(test::ExpectThrows<util::InvalidFormatEx>([&] { info.Read(*noType, defaults); }));
    auto badType = Reader(Doc(L"wlan", L"Simple"));
    ExpectRecordEntries(test::ExpectThrows<util::ParseEx>([&] { info.Read(*badType, defaults); }));
    auto badBool = Reader(Doc(L"WLan", L"Simple", L"<FunctionalityRFOff>yes</FunctionalityRFOff>"));
    auto e = test::ExpectThrows<util::ParseEx>([&] { info.Read(*badBool, defaults); });
    EXPECT_NE(e.GetFirstEntry().message.find(L"\"yes\" as bool"), std::wstring::npos);
    ExpectRecordEntries(e);
}

}  // namespace
