// The WPA2-PSK profile document: our writer against libxml2's text writer.
#include <benchmark/benchmark.h>
#include <libxml/xmlwriter.h>

#include "profile/WlanProfile.h"

namespace {

const wchar_t kKey[] = L"00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff";

Wlan::WlanProfile Wpa2Profile() {
    Wlan::AuthEncrypt ae;
    ae.SetAuthentication(5);
    ae.SetEncryption(1);
    Wlan::SharedKey key;
    key.SetKeyType(0);
    key.SetProtected(false);
    key.SetKeyMaterial(kKey);
    Wlan::Security security;
    security.SetAuthEncrypt(ae);
    security.SetSharedKey(key);
    Wlan::MSM msm;
    msm.SetSecurity(security);
    Wlan::SSID ssid;
    ssid.SetName(L"Office");
    Wlan::SSIDConfig config;
    config.SetSSID(ssid);
    Wlan::WlanProfile profile;
    profile.SetName(L"Office");
    profile.SetSSIDConfig(config);
    profile.SetMSM(msm);
    return profile;
}

void BM_ToXml(benchmark::State& state) {
    const Wlan::WlanProfile profile = Wpa2Profile();
    for (auto _ : state) {
        util::String xml = profile.ToXml();
        benchmark::DoNotOptimize(xml.data());
    }
}
BENCHMARK(BM_ToXml);

#define X(s) reinterpret_cast<const xmlChar*>(s)

void Leaf(xmlTextWriterPtr w, const char* name, const char* text) { xmlTextWriterWriteElement(w, X(name), X(text)); }

void BM_LibXml2TextWriter(benchmark::State& state) {
    for (auto _ : state) {
        xmlBufferPtr buffer = xmlBufferCreate();
        xmlTextWriterPtr w = xmlNewTextWriterMemory(buffer, 0);
        xmlTextWriterSetIndent(w, 1);
        xmlTextWriterSetIndentString(w, X("\t"));
        xmlTextWriterStartDocument(w, "1.0", "UTF-8", nullptr);
        xmlTextWriterStartElement(w, X("WLANProfile"));
        xmlTextWriterWriteAttribute(w, X("xmlns"), X("http://www.microsoft.com/networking/WLAN/profile/v1"));
        Leaf(w, "name", "Office");
        xmlTextWriterStartElement(w, X("SSIDConfig"));
        xmlTextWriterStartElement(w, X("SSID"));
        Leaf(w, "name", "Office");
        xmlTextWriterEndElement(w);
        Leaf(w, "nonBroadcast", "false");
        xmlTextWriterEndElement(w);
        Leaf(w, "connectionType", "ESS");
        Leaf(w, "connectionMode", "manual");
        xmlTextWriterStartElement(w, X("MSM"));
        xmlTextWriterStartElement(w, X("security"));
        xmlTextWriterStartElement(w, X("authEncryption"));
        Leaf(w, "authentication", "WPA2PSK");
        Leaf(w, "encryption", "AES");
        Leaf(w, "useOneX", "false");
        xmlTextWriterEndElement(w);
        xmlTextWriterStartElement(w, X("sharedKey"));
        Leaf(w, "keyType", "networkKey");
        Leaf(w, "protected", "false");
        Leaf(w, "keyMaterial", "00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff");
        xmlTextWriterEndElement(w);
        xmlTextWriterEndElement(w);
        xmlTextWriterEndElement(w);
        xmlTextWriterEndDocument(w);
        xmlFreeTextWriter(w);
        benchmark::DoNotOptimize(xmlBufferContent(buffer));
        xmlBufferFree(buffer);
    }
}
BENCHMARK(BM_LibXml2TextWriter);

}  // namespace
