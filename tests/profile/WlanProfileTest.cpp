#include <gtest/gtest.h>

#include <vector>

#include "profile/WlanProfile.h"

namespace {

// What a connection request puts into the model.
struct Request {
    std::wstring ssid;
    int authentication;
    int encryption;
    std::wstring key;  // empty: no shared key
    int keyType;       // index into KeyTypeNames
    int keyIndex;      // one-based as requested; -1: not set
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
    if (r.keyIndex >= 0) security.SetKeyIndex(static_cast<unsigned>(r.keyIndex));
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

const std::wstring kDeclaration =
    L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    L"<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\n";

TEST(WlanProfile, DocumentsByKindOfNetwork) {
    struct Row {
        const char* label;
        Request request;
        std::wstring name, auth, enc, keyType, material, keyIndex;  // as written; empty: no element
    };
    // The kinds the device stores are checked through it against the schema and the service's judgment
    // (WlanProfiles.EveryAcceptedKindConnectsWithItsKey); here the whole layout and what it never sends.
    const std::vector<Row> rows = {
        {"shared/WEP", {L"Lab", 1, 3, L"12345", 0, 1}, L"Lab", L"shared", L"WEP", L"networkKey", L"12345", L"0"},
        {"WPA2/802.1X", {L"Corp", 4, 1, L"", 0, 4, true, true}, L"Corp", L"WPA2", L"AES", L"", L"", L"3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        std::wstring expected = kDeclaration + L"\t<name>" + row.name + L"</name>\n\t<SSIDConfig>\n\t\t<SSID>\n" +
                                L"\t\t\t<name>" + row.name + L"</name>\n\t\t</SSID>\n\t\t<nonBroadcast>" +
                                (row.request.broadcast ? L"false" : L"true") +
                                L"</nonBroadcast>\n\t</SSIDConfig>\n\t<connectionType>ESS</connectionType>\n"
                                L"\t<connectionMode>manual</connectionMode>\n\t<MSM>\n\t\t<security>\n"
                                L"\t\t\t<authEncryption>\n\t\t\t\t<authentication>" + row.auth +
                                L"</authentication>\n\t\t\t\t<encryption>" + row.enc +
                                L"</encryption>\n\t\t\t\t<useOneX>" + (row.request.oneX ? L"true" : L"false") +
                                L"</useOneX>\n\t\t\t</authEncryption>\n";
        if (!row.keyType.empty())
            expected += L"\t\t\t<sharedKey>\n\t\t\t\t<keyType>" + row.keyType +
                        L"</keyType>\n\t\t\t\t<protected>false</protected>\n\t\t\t\t<keyMaterial>" + row.material +
                        L"</keyMaterial>\n\t\t\t</sharedKey>\n";
        if (!row.keyIndex.empty()) expected += L"\t\t\t<keyIndex>" + row.keyIndex + L"</keyIndex>\n";
        expected += L"\t\t</security>\n\t</MSM>\n</WLANProfile>\n";
        EXPECT_EQ(Build(row.request).ToXml(), expected);
    }
}

// Masking the key for the log: ProfileFuzz (the logged copy holds "XXXXX" where
// the key was and agrees with the document elsewhere) and the device tests'
// secret watch (no record holds a key). Profiles without a name, security or
// key, or of another connection kind, the device never writes.

}  // namespace
