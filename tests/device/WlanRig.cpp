#include "WlanRig.h"

#include <gtest/gtest.h>

#include "device/Exports.h"
#include "platform/sim/RegistryTree.h"
#include "platform/sim/World.h"
#include "platform/win32.h"

namespace test {

const Net kOpenNet{"Cafe", DOT11_AUTH_ALGO_80211_OPEN, DOT11_CIPHER_ALGO_NONE, L""};
const Net kWepNet{"Lab", DOT11_AUTH_ALGO_80211_OPEN, DOT11_CIPHER_ALGO_WEP104, L"0123456789abcdef0123456789",
                  cei::SECURITY_OPEN, cei::ENCRYPTION_WEP};
const Net kWpaNet{"Home", DOT11_AUTH_ALGO_WPA_PSK, DOT11_CIPHER_ALGO_TKIP, L"correct horse battery",
                  cei::SECURITY_WPA_PSK, cei::ENCRYPTION_TKIP};
const Net kWpa2Net{"Office", DOT11_AUTH_ALGO_RSNA_PSK, DOT11_CIPHER_ALGO_CCMP, L"staple & <paper>",
                   cei::SECURITY_WPA2_PSK, cei::ENCRYPTION_AES};
const std::wstring kUserXml =
    L"<?xml version=\"1.0\"?>\r\n<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">"
    L"<name>Office</name><SSIDConfig><SSID><name>Office</name></SSID></SSIDConfig>"
    L"<connectionType>ESS</connectionType><connectionMode>manual</connectionMode></WLANProfile>\r\n";

sim::WlanNetwork Network(const Net& net, DWORD quality) {
    sim::WlanNetwork n;
    n.ssid = net.ssid;
    n.signalQuality = quality;
    n.securityEnabled = net.cipher != DOT11_CIPHER_ALGO_NONE;
    n.authAlgorithm = net.auth;
    n.cipherAlgorithm = net.cipher;
    n.secret = net.secret;
    return n;
}

cei::AssociateInfoWlan Request(const std::wstring& ssid, int32_t security, int32_t encryption,
                               const std::wstring& key, uint32_t keyIndex, bool broadcast) {
    cei::AssociateInfoWlan r;
    r.ssid = ssid;
    r.securityType = static_cast<cei::SecurityType>(security);
    r.encryptionType = static_cast<cei::EncryptionType>(encryption);
    r.key = Secret(key);
    r.keyIndex = keyIndex;
    r.ssidBroadcast = broadcast;
    return r;
}

cei::AssociateInfoWlan RequestFor(const Net& net) {
    const std::string ssid = net.ssid;
    return Request(std::wstring(ssid.begin(), ssid.end()), net.security, net.encryption, net.secret);
}

cei::ConnectionInfoWlan Connect(uint32_t timeoutMs) {
    cei::ConnectionInfoWlan c;
    c.connectTimeout = timeoutMs;
    return c;
}

std::vector<sim::WlanNetwork> WlanRig::DefaultNetworks() {
    return {Network(kOpenNet, 60), Network(kWepNet, 50), Network(kWpaNet, 70), Network(kWpa2Net, 90)};
}

WlanRig::WlanRig(DWORD serviceVersion, std::vector<sim::WlanNetwork> networks, bool createDevice)
    : wlan(sim::GetWorld().Wlan()), host(std::make_unique<RecordingHost>()) {
    sim::GetWorld().Reset();
    wlan.SetServiceVersion(serviceVersion);
    sim::WlanInterfaceDescription d;
    // Under Wine the registry is real and shared by the parallel test processes, and the device finds
    // its adapter's keys by description: each rig's adapter has a description of its own.
    d.description = std::wstring(kAdapterName) + L" 3945ABG " + sim::RegistryTree::UniqueName(L"rig");
    d.networks = std::move(networks);
    iface = wlan.AddInterface(d);
    LPWSTR text = nullptr;
    EXPECT_EQ(::StringFromCLSID(iface, &text), S_OK);
    sim::AdapterDescription adapter;
    adapter.description = d.description;
    adapter.guid = text;
    ::CoTaskMemFree(text);
    adapters_.Add(adapter);
    if (createDevice) CreateDevice();
}

void WlanRig::CreateDevice() {
    device = dynamic_cast<ace::IDeviceAdapter*>(CreateClass());
    ASSERT_NE(device, nullptr);
    device->SetDeviceIndex(7);
    device->SetDeviceName(kAdapterName);
}

WlanRig::~WlanRig() {
    DeleteClass(device);
    EXPECT_TRUE(wlan.WaitIdle(std::chrono::seconds(10)));
    EXPECT_EQ(wlan.OutstandingAllocations(), 0u) << "the device left service memory unfreed";
    EXPECT_EQ(wlan.BadFrees(), 0u) << "the device freed memory it did not get";
    EXPECT_TRUE(wlan.Faults().empty()) << wlan.Faults().front();
}

void WlanRig::Open() { device->Open(host.get()); }

void WlanRig::Associate(const Net& net) {
    cei::AssociateInfoWlan request = RequestFor(net);
    device->AssociateNetwork(&request);
}

void WlanRig::AssociateAndConnect(const Net& net) {
    Associate(net);
    Connect();
}

void WlanRig::Connect(uint32_t timeoutMs) {
    cei::ConnectionInfoWlan c = test::Connect(timeoutMs);
    device->ConnectAsync(&c);
}

std::vector<uint32_t> WlanRig::Statuses() const {
    std::vector<uint32_t> statuses;
    for (const HostCall& call : host->Calls())
        if (call.name == "DeviceStatusChanged") statuses.push_back(call.value1);
    return statuses;
}

void WlanRig::Forget() {
    host->Clear();
    log->Clear();
}

bool WlanRig::LoggedText(unsigned level, const std::wstring& text) const {
    return !log->Find(level, 0, L"", text).empty();
}

}  // namespace test
