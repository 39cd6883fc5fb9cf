#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "profile/WlanProfile.h"

namespace {

// What a connection request puts into the model.
struct Request {
    std::wstring ssid;
    int authentication;
    int encryption;
    std::wstring key;        // empty: no shared key
    int keyType;             // index into KeyTypeNames
    unsigned keyIndex;       // one-based; 0: none
    bool broadcast = true;
    bool oneX = false;
};

Wlan::WlanProfile Build(const Request& r) {
    Wlan::AuthEncrypt ae;
    ae.SetAuthentication(r.authentication);
    ae.SetEncryption(r.encryption);
    ae.SetUseOneX(r.oneX);
    Wlan::Security security;
    security.SetAuthEncrypt(ae);
    if (!r.key.empty()) {
        Wlan::SharedKey key;
        key.SetKeyType(r.keyType);
        key.SetProtected(false);
        key.SetKeyMaterial(r.key);
        security.SetSharedKey(key);
    }
    if (r.keyIndex != 0) security.SetKeyIndex(r.keyIndex);
    Wlan::MSM msm;
    msm.SetSecurity(security);
    Wlan::SSID ssid;
    ssid.SetName(r.ssid);
    Wlan::SSIDConfig config;
    config.SetSSID(ssid);
    config.SetBroadcast(r.broadcast);
    Wlan::WlanProfile profile;
    profile.SetName(r.ssid);
    profile.SetSSIDConfig(config);
    profile.SetConnectionType(0);
    profile.SetConnectionMode(1);
    profile.SetMSM(msm);
    return profile;
}

std::wstring Head(const std::wstring& name, const std::wstring& nonBroadcast) {
    return L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           L"<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\n"
           L"\t<name>" + name + L"</name>\n"
           L"\t<SSIDConfig>\n"
           L"\t\t<SSID>\n"
           L"\t\t\t<name>" + name + L"</name>\n"
           L"\t\t</SSID>\n"
           L"\t\t<nonBroadcast>" + nonBroadcast + L"</nonBroadcast>\n"
           L"\t</SSIDConfig>\n"
           L"\t<connectionType>ESS</connectionType>\n"
           L"\t<connectionMode>manual</connectionMode>\n";
}

std::wstring AuthEncryption(const std::wstring& auth, const std::wstring& enc) {
    return L"\t\t\t<authEncryption>\n"
           L"\t\t\t\t<authentication>" + auth + L"</authentication>\n"
           L"\t\t\t\t<encryption>" + enc + L"</encryption>\n"
           L"\t\t\t\t<useOneX>false</useOneX>\n"
           L"\t\t\t</authEncryption>\n";
}

std::wstring SharedKey(const std::wstring& type, const std::wstring& material) {
    return L"\t\t\t<sharedKey>\n"
           L"\t\t\t\t<keyType>" + type + L"</keyType>\n"
           L"\t\t\t\t<protected>false</protected>\n"
           L"\t\t\t\t<keyMaterial>" + material + L"</keyMaterial>\n"
           L"\t\t\t</sharedKey>\n";
}

const std::wstring kTail = L"\t\t</security>\n\t</MSM>\n</WLANProfile>\n";
const std::wstring kPass63(63, L'p');
const std::wstring kHex64 = L"00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff";

TEST(WlanProfile, DocumentsByKindOfNetwork) {
    struct Row {
        const char* label;
        Request request;
        std::wstring expected;
    };
    const std::vector<Row> rows = {
        {"open/none", {L"Cafe", 0, 0, L"", 0, 0},
         Head(L"Cafe", L"false") + L"\t<MSM>\n\t\t<security>\n" + AuthEncryption(L"open", L"none") + kTail},
        {"shared/WEP", {L"Lab", 1, 3, L"12345", 0, 2},
         Head(L"Lab", L"false") + L"\t<MSM>\n\t\t<security>\n" + AuthEncryption(L"shared", L"WEP") +
             SharedKey(L"networkKey", L"12345") + L"\t\t\t<keyIndex>1</keyIndex>\n" + kTail},
        {"WPA-PSK/TKIP", {L"Home", 3, 2, kPass63, 1, 0},
         Head(L"Home", L"false") + L"\t<MSM>\n\t\t<security>\n" + AuthEncryption(L"WPAPSK", L"TKIP") +
             SharedKey(L"passPhrase", kPass63) + kTail},
        {"WPA2-PSK/AES", {L"Office", 5, 1, kHex64, 0, 0},
         Head(L"Office", L"false") + L"\t<MSM>\n\t\t<security>\n" + AuthEncryption(L"WPA2PSK", L"AES") +
             SharedKey(L"networkKey", kHex64) + kTail},
        {"hidden", {L"Hidden", 5, 1, kPass63, 1, 0, false},
         Head(L"Hidden", L"true") + L"\t<MSM>\n\t\t<security>\n" + AuthEncryption(L"WPA2PSK", L"AES") +
             SharedKey(L"passPhrase", kPass63) + kTail},
        {"markup", {L"A<b>&c", 5, 1, L"k<e>y&", 1, 0},
         Head(L"A&lt;b&gt;&c", L"false") + L"\t<MSM>\n\t\t<security>\n" + AuthEncryption(L"WPA2PSK", L"AES") +
             SharedKey(L"passPhrase", L"k&lt;e&gt;y&") + kTail},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Wlan::WlanProfile profile = Build(row.request);
        const util::String xml = profile.ToXml();
        EXPECT_EQ(xml, row.expected);
        EXPECT_EQ(profile.ToXml(), xml);  // writing twice gives the same text
    }
}

TEST(WlanProfile, OmitsWhatWasNotSet) {
    const std::wstring bareHead =
        L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        L"<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\n"
        L"\t<name/>\n"
        L"\t<SSIDConfig>\n\t\t<SSID>\n\t\t\t<name/>\n\t\t</SSID>\n"
        L"\t\t<nonBroadcast>false</nonBroadcast>\n\t</SSIDConfig>\n";
    Wlan::WlanProfile bare;
    EXPECT_EQ(bare.ToXml(), bareHead + L"\t<connectionType>ESS</connectionType>\n"
                                       L"\t<connectionMode>manual</connectionMode>\n</WLANProfile>\n");

    // A key copied in without any setter writes nothing; nor does an empty security.
    Wlan::Security security;
    security.SetSharedKey(Wlan::SharedKey());
    Wlan::MSM msm;
    msm.SetSecurity(security);
    Wlan::WlanProfile profile;
    profile.SetMSM(msm);
    profile.SetConnectionType(1);
    profile.SetConnectionMode(7);  // no name: no element
    EXPECT_EQ(profile.ToXml(), bareHead + L"\t<connectionType>IBSS</connectionType>\n</WLANProfile>\n");
}

TEST(WlanProfile, KeyIndexIsWrittenZeroBased) {
    struct Row {
        unsigned request;
        const wchar_t* written;
    };
    const Row rows[] = {{1, L"0"}, {4, L"3"}, {0, L"4294967295"}};
    for (const auto& r : rows) {
        Wlan::Security security;
        security.SetKeyIndex(r.request);
        Wlan::MSM msm;
        msm.SetSecurity(security);
        Wlan::WlanProfile profile;
        profile.SetMSM(msm);
        EXPECT_NE(profile.ToXml().find(L"\t<MSM>\n\t\t<security>\n\t\t\t<keyIndex>" + std::wstring(r.written) +
                                       L"</keyIndex>\n\t\t</security>\n\t</MSM>\n"),
                  std::wstring::npos)
            << r.request;
    }
}

TEST(WlanProfile, MasksTheFirstKeyMaterialForTheLog) {
    struct Row {
        const wchar_t* in;
        const wchar_t* out;
    };
    const Row rows[] = {
        {L"<a><keyMaterial>secret</keyMaterial></a>", L"<a><keyMaterial>XXXXX</keyMaterial></a>"},
        {L"<keyMaterial></keyMaterial>", L"<keyMaterial>XXXXX</keyMaterial>"},
        {L"<keyMaterial>a</keyMaterial><keyMaterial>b</keyMaterial>",
         L"<keyMaterial>XXXXX</keyMaterial><keyMaterial>b</keyMaterial>"},
        {L"<name>open</name>", L"<name>open</name>"},
        {L"</keyMaterial><keyMaterial>", L"</keyMaterial><keyMaterial>"},
    };
    for (const auto& r : rows) EXPECT_EQ(Wlan::WlanProfile::MaskKeyMaterial(r.in), r.out) << r.in;

    Wlan::WlanProfile profile = Build({L"Home", 5, 1, kHex64, 0, 0});
    const util::String xml = profile.ToXml();
    const util::String masked = Wlan::WlanProfile::MaskKeyMaterial(xml);
    EXPECT_EQ(masked.find(kHex64), std::wstring::npos);
    EXPECT_EQ(profile.ToXml(), xml);  // the masked copy is a copy
}

TEST(WlanProfile, DocumentsReadBackToTheModel) {
    const std::vector<Request> requests = {
        {L"Cafe", 0, 0, L"", 0, 0},
        {L"Lab", 1, 3, L"12345", 0, 4},
        {L"Home", 3, 2, kPass63, 1, 0, true, true},
        {L"A<b>&c", 5, 1, L"k<e>y&", 1, 0, false},
        {L"", 4, 0, L" ", 0, 1},
    };
    for (const auto& r : requests) {
        SCOPED_TRACE(testing::Message() << "ssid " << r.ssid);
        Wlan::WlanProfile profile = Build(r);
        util::XmlSerializeReader reader(L"WLANProfile", L"xmlns", Wlan::ProfileNamespace);
        reader.LoadText(0, profile.ToXml());
        util::String name, ssid, key;
        bool nonBroadcast = false, oneX = !r.oneX;
        uint32_t type = 9, mode = 9, auth = 9, enc = 9, keyType = 9;
        const util::XmlSerializer::NameTable types{{L"ESS", 0}, {L"IBSS", 1}};
        const util::XmlSerializer::NameTable modes{{L"auto", 0}, {L"manual", 1}};
        util::XmlSerializer::NameTable auths, encs, keyTypes;
        for (const auto& [n, v] : Wlan::AuthenticationNames) auths[n] = static_cast<uint32_t>(v);
        for (const auto& [n, v] : Wlan::EncryptionNames) encs[n] = static_cast<uint32_t>(v);
        for (const auto& [n, v] : Wlan::KeyTypeNames) keyTypes[n] = static_cast<uint32_t>(v);

        reader.Get(name, L"name", 0, true);
        reader.GetEnum(type, types, L"connectionType", 0, true);
        reader.GetEnum(mode, modes, L"connectionMode", 0, true);
        {
            util::XmlSerializer::ATagLevel config(reader, L"SSIDConfig");
            reader.Get(nonBroadcast, L"nonBroadcast", 0, true);
            util::XmlSerializer::ATagLevel level(reader, L"SSID");
            reader.Get(ssid, L"name", 0, true);
        }
        util::XmlSerializer::ATagLevel msm(reader, L"MSM");
        util::XmlSerializer::ATagLevel security(reader, L"security");
        {
            util::XmlSerializer::ATagLevel level(reader, L"authEncryption");
            reader.GetEnum(auth, auths, L"authentication", 0, true);
            reader.GetEnum(enc, encs, L"encryption", 0, true);
            reader.Get(oneX, L"useOneX", 0, true);
        }
        {
            util::XmlSerializer::ATagLevel level(reader, L"sharedKey");
            EXPECT_EQ(reader.Get(key, L"keyMaterial", 0, false), !r.key.empty());
            EXPECT_EQ(reader.GetEnum(keyType, keyTypes, L"keyType", 0, false), !r.key.empty());
        }
        util::String index;
        EXPECT_EQ(reader.Get(index, L"keyIndex", 0, false), r.keyIndex != 0);

        EXPECT_EQ(name, r.ssid);
        EXPECT_EQ(ssid, r.ssid);
        EXPECT_EQ(nonBroadcast, !r.broadcast);
        EXPECT_EQ(type, 0u);
        EXPECT_EQ(mode, 1u);
        EXPECT_EQ(auth, static_cast<uint32_t>(r.authentication));
        EXPECT_EQ(enc, static_cast<uint32_t>(r.encryption));
        EXPECT_EQ(oneX, r.oneX);
        if (!r.key.empty()) {
            EXPECT_EQ(key, r.key);
            EXPECT_EQ(keyType, static_cast<uint32_t>(r.keyType));
        }
        if (r.keyIndex != 0) {
            EXPECT_EQ(index.GetInt(), static_cast<int32_t>(r.keyIndex - 1));
        }
    }
}

}  // namespace
