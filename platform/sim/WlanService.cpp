// The simulated WLAN service: its thread, the world and the accounting. The
// Wlan* calls are in WlanCalls.cpp.
#include "WlanService.h"

#include <cstring>
#include <stdexcept>

#include "WlanServiceImpl.h"

namespace sim {

using Impl = WlanService::Impl;

namespace {

// How long an unregistration or WlanCloseHandle waits for a callback in
// progress before it reports the callback as stuck and returns.
constexpr auto kCallbackWait = std::chrono::seconds(5);

}  // namespace

// --- the service thread ------------------------------------------------------

void Impl::Run() {
    Lock g(lock);
    while (!stopping) {
        if (jobs.empty()) {
            wake.wait(g);
            continue;
        }
        auto head = jobs.begin();
        if (head->first.first > Clock::now()) {
            wake.wait_until(g, head->first.first);
            continue;
        }
        bool threw = false;
        bool timed = head->second.timed;
        {
            Job job = std::move(head->second);
            jobs.erase(head);
            if (!timed) --pendingNotifications;
            running = job.action ? kActionRunning : job.client;
            g.unlock();
            try {
                if (job.action) {
                    job.action();
                } else {
                    WLAN_NOTIFICATION_DATA n = job.header;
                    n.dwDataSize = static_cast<DWORD>(job.data.size());
                    n.pData = job.data.empty() ? nullptr : job.data.data();
                    job.callback(&n, job.context);
                }
            } catch (...) {
                threw = true;
            }
        }
        g.lock();
        if (threw) faults.push_back("exception from callback");
        if (running != kActionRunning) ++delivered;
        running = 0;
        settled.notify_all();
    }
}

void Impl::StopThread() {
    std::thread t;
    {
        Lock g(lock);
        if (OnServiceThread()) {
            faults.push_back("Reset from callback");
            return;
        }
        stopping = true;
        t = std::move(thread);
    }
    wake.notify_all();
    if (t.joinable()) t.join();
    Lock g(lock);
    stopping = false;
    threadId = {};
}

void Impl::Post(Clock::time_point due, Job job) {
    if (!job.timed) ++pendingNotifications;
    jobs.emplace(std::make_pair(due, nextJob++), std::move(job));
    if (!thread.joinable() && !stopping) {
        thread = std::thread([this] { Run(); });
        threadId = thread.get_id();
    }
    wake.notify_all();
}

void Impl::Send(DWORD source, DWORD code, const GUID& iface, Bytes data, std::chrono::milliseconds delay) {
    Clock::time_point due = std::max(Clock::now(), lastDue) + delay;
    lastDue = due;
    for (auto& [id, client] : clients) {
        if ((client.sources & source) == 0 || client.callback == nullptr) continue;
        auto what = std::make_tuple(source, code, iface);
        if (client.ignoreDuplicate && client.last == what) continue;
        client.last = what;
        Job job;
        job.client = id;
        job.callback = client.callback;
        job.context = client.context;
        job.header.NotificationSource = source;
        job.header.NotificationCode = code;
        job.header.InterfaceGuid = iface;
        job.data = data;
        Post(due, std::move(job));
    }
}

void Impl::Drop(Lock& g, uintptr_t client, const char* call) {
    for (auto it = jobs.begin(); it != jobs.end();) {
        if (it->second.client != client) {
            ++it;
            continue;
        }
        if (!it->second.timed) --pendingNotifications;
        it = jobs.erase(it);
    }
    settled.notify_all();
    auto deadline = Clock::now() + kCallbackWait;
    while (running == client) {
        if (settled.wait_until(g, deadline) == std::cv_status::timeout && running == client) {
            faults.push_back(std::string(call) + ": callback did not return");
            return;
        }
    }
}

// --- the world ---------------------------------------------------------------

WlanStoredProfile* Impl::Interface::FindProfile(const std::wstring& name) {
    for (WlanStoredProfile& p : profiles)
        if (p.name == name) return &p;
    return nullptr;
}

const WlanNetwork* Impl::Interface::LinkedNetwork() const {
    if (!link) return nullptr;
    for (const WlanNetwork& n : networks)
        if (n.ssid == link->ssid) return &n;
    return nullptr;
}

Impl::Interface& Impl::Find(const GUID& guid) {
    for (Interface& i : interfaces)
        if (i.guid == guid) return i;
    throw std::out_of_range("sim::WlanService: no interface of that GUID");
}

bool Impl::Silenced(WlanSilence what) {
    auto it = silenced.find(what);
    if (it == silenced.end() || it->second == 0) return false;
    --it->second;
    return true;
}

void Impl::DropLink(Interface& itf, DWORD reason, bool notify) {
    if (!itf.link) return;
    Link link = *itf.link;
    itf.link.reset();
    itf.state = wlan_interface_state_disconnected;
    if (!notify) return;
    Send(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_disconnected, itf.guid);
    Send(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_disconnected, itf.guid,
         ConnectionData(link, reason));
}

Impl::Bytes Impl::ConnectionData(const Link& link, DWORD reason) {
    WLAN_CONNECTION_NOTIFICATION_DATA d{};
    d.wlanConnectionMode = static_cast<WLAN_CONNECTION_MODE>(link.mode);
    std::wcsncpy(d.strProfileName, link.profile.c_str(), WLAN_MAX_NAME_LENGTH - 1);
    d.dot11Ssid.uSSIDLength = static_cast<ULONG>(std::min<size_t>(link.ssid.size(), DOT11_SSID_MAX_LENGTH));
    std::memcpy(d.dot11Ssid.ucSSID, link.ssid.data(), d.dot11Ssid.uSSIDLength);
    d.dot11BssType = static_cast<DOT11_BSS_TYPE>(link.bssType);
    d.bSecurityEnabled = link.secure ? TRUE : FALSE;
    d.wlanReasonCode = reason;
    Bytes data(sizeof d);
    std::memcpy(data.data(), &d, sizeof d);
    return data;
}

Impl::Bytes Impl::DwordData(DWORD value) {
    Bytes data(sizeof value);
    std::memcpy(data.data(), &value, sizeof value);
    return data;
}

void* Impl::Allocate(size_t size) {
    auto block = std::make_unique<unsigned char[]>(size);
    void* p = block.get();
    allocations.emplace(p, std::move(block));
    return p;
}

// --- the control interface ---------------------------------------------------

WlanService::WlanService() : impl_(std::make_unique<Impl>()) {}
WlanService::~WlanService() = default;

void WlanService::Reset() {
    impl_->StopThread();
    Impl& s = *impl_;
    std::lock_guard<std::mutex> g(s.lock);
    s.clients.clear();
    s.jobs.clear();
    s.pendingNotifications = 0;
    s.lastDue = {};
    s.interfaces.clear();
    s.nextGuid = 1;
    s.serviceVersion = WLAN_API_VERSION_2_0;
    s.connectDelay = std::chrono::milliseconds(0);
    s.silenced.clear();
    s.counts.clear();
    s.journal.clear();
    s.faults.clear();
    s.allocations.clear();
    s.badFrees = 0;
    s.delivered = 0;
    s.settled.notify_all();
}

void WlanService::SetServiceVersion(DWORD version) {
    std::lock_guard<std::mutex> g(impl_->lock);
    impl_->serviceVersion = version;
}

GUID WlanService::AddInterface(const WlanInterfaceDescription& description) {
    Impl& s = *impl_;
    std::lock_guard<std::mutex> g(s.lock);
    Impl::Interface itf;
    itf.guid = description.guid;
    if (itf.guid == GUID{}) itf.guid = GUID{0x5A1F0000u + s.nextGuid++, 0x57AB, 0x4C41, {0x8E, 0, 0, 0, 0, 0, 0, 1}};
    itf.description = description.description;
    itf.state = description.state;
    itf.radioOn = description.radioOn;
    itf.networks = description.networks;
    s.interfaces.push_back(std::move(itf));
    s.Send(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_interface_arrival, s.interfaces.back().guid);
    return s.interfaces.back().guid;
}

void WlanService::RemoveInterface(const GUID& guid) {
    Impl& s = *impl_;
    std::lock_guard<std::mutex> g(s.lock);
    std::erase_if(s.interfaces, [&](const Impl::Interface& i) { return i.guid == guid; });
    s.Send(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_interface_removal, guid);
}

void WlanService::AddNetwork(const GUID& iface, const WlanNetwork& network) {
    std::lock_guard<std::mutex> g(impl_->lock);
    impl_->Find(iface).networks.push_back(network);
}

void WlanService::RemoveNetwork(const GUID& iface, const std::string& ssid) {
    Impl& s = *impl_;
    std::lock_guard<std::mutex> g(s.lock);
    Impl::Interface& itf = s.Find(iface);
    std::erase_if(itf.networks, [&](const WlanNetwork& n) { return n.ssid == ssid; });
    if (itf.link && itf.link->ssid == ssid) s.DropLink(itf, WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE, true);
}

void WlanService::SetSignal(const GUID& iface, const std::string& ssid, DWORD quality, LONG rssi) {
    Impl& s = *impl_;
    std::lock_guard<std::mutex> g(s.lock);
    Impl::Interface& itf = s.Find(iface);
    for (WlanNetwork& n : itf.networks) {
        if (n.ssid != ssid) continue;
        n.signalQuality = quality;
        n.rssi = rssi;
    }
    if (itf.link && itf.link->ssid == ssid)
        s.Send(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_signal_quality_change, iface,
               Impl::DwordData(quality));
}

void WlanService::SetRadio(const GUID& iface, bool on) {
    Impl& s = *impl_;
    std::lock_guard<std::mutex> g(s.lock);
    Impl::Interface& itf = s.Find(iface);
    if (itf.radioOn == on) return;
    if (!on) s.DropLink(itf, WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE, true);
    itf.radioOn = on;
    s.Send(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_radio_state_change, iface);
}

void WlanService::SetInterfaceState(const GUID& iface, DWORD state) {
    Impl& s = *impl_;
    std::lock_guard<std::mutex> g(s.lock);
    Impl::Interface& itf = s.Find(iface);
    if (state != wlan_interface_state_connected) s.DropLink(itf, 0, false);
    itf.state = state;
}

DWORD WlanService::InterfaceState(const GUID& iface) const {
    std::lock_guard<std::mutex> g(impl_->lock);
    return impl_->Find(iface).state;
}

std::string WlanService::ConnectedSsid(const GUID& iface) const {
    std::lock_guard<std::mutex> g(impl_->lock);
    const Impl::Interface& itf = impl_->Find(iface);
    return itf.link ? itf.link->ssid : std::string();
}

void WlanService::SetConnectDelay(std::chrono::milliseconds delay) {
    std::lock_guard<std::mutex> g(impl_->lock);
    impl_->connectDelay = delay;
}

void WlanService::StoreProfile(const GUID& iface, const std::wstring& name, const std::wstring& xml, DWORD flags) {
    std::lock_guard<std::mutex> g(impl_->lock);
    Impl::Interface& itf = impl_->Find(iface);
    if (WlanStoredProfile* p = itf.FindProfile(name)) {
        p->xml = xml;
        p->flags = flags;
    } else {
        itf.profiles.push_back({name, xml, flags});
    }
}

std::optional<WlanStoredProfile> WlanService::Profile(const GUID& iface, const std::wstring& name) const {
    std::lock_guard<std::mutex> g(impl_->lock);
    if (WlanStoredProfile* p = impl_->Find(iface).FindProfile(name)) return *p;
    return std::nullopt;
}

std::vector<WlanStoredProfile> WlanService::Profiles(const GUID& iface) const {
    std::lock_guard<std::mutex> g(impl_->lock);
    return impl_->Find(iface).profiles;
}

void WlanService::ProtectProfile(const GUID& iface, const std::wstring& name) {
    std::lock_guard<std::mutex> g(impl_->lock);
    impl_->Find(iface).protectedNames.insert(name);
}

void WlanService::Silence(WlanSilence what, unsigned count) {
    std::lock_guard<std::mutex> g(impl_->lock);
    impl_->silenced[what] += count;
}

void WlanService::Notify(DWORD source, DWORD code, const GUID& iface, DWORD reasonCode) {
    Impl& s = *impl_;
    std::lock_guard<std::mutex> g(s.lock);
    bool connection = source == WLAN_NOTIFICATION_SOURCE_ACM &&
                      (code == wlan_notification_acm_connection_start ||
                       code == wlan_notification_acm_connection_complete ||
                       code == wlan_notification_acm_connection_attempt_fail ||
                       code == wlan_notification_acm_disconnecting || code == wlan_notification_acm_disconnected);
    s.Send(source, code, iface, connection ? s.ConnectionData({}, reasonCode) : Impl::Bytes{});
}

void WlanService::LoseLink(const GUID& iface) {
    Impl& s = *impl_;
    std::lock_guard<std::mutex> g(s.lock);
    s.DropLink(s.Find(iface), WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE, true);
}

void WlanService::After(std::chrono::milliseconds delay, std::function<void()> action) {
    Impl& s = *impl_;
    std::lock_guard<std::mutex> g(s.lock);
    Impl::Job job;
    job.action = std::move(action);
    job.timed = true;
    s.Post(Impl::Clock::now() + delay, std::move(job));
}

bool WlanService::WaitIdle(std::chrono::milliseconds timeout) {
    Impl& s = *impl_;
    Impl::Lock g(s.lock);
    if (s.OnServiceThread()) return false;
    return s.settled.wait_for(g, timeout, [&] { return s.pendingNotifications == 0 && s.running == 0; });
}

std::vector<std::string> WlanService::Faults() const {
    std::lock_guard<std::mutex> g(impl_->lock);
    return impl_->faults;
}

unsigned WlanService::CallCount(const std::string& call) const {
    std::lock_guard<std::mutex> g(impl_->lock);
    auto it = impl_->counts.find(call);
    return it == impl_->counts.end() ? 0 : it->second;
}

std::vector<WlanJournalEntry> WlanService::Journal() const {
    std::lock_guard<std::mutex> g(impl_->lock);
    return impl_->journal;
}

void WlanService::ClearJournal() {
    std::vector<WlanJournalEntry> dropped;
    std::lock_guard<std::mutex> g(impl_->lock);
    dropped.swap(impl_->journal);
}

size_t WlanService::OutstandingAllocations() const {
    std::lock_guard<std::mutex> g(impl_->lock);
    return impl_->allocations.size();
}

size_t WlanService::BadFrees() const {
    std::lock_guard<std::mutex> g(impl_->lock);
    return impl_->badFrees;
}

size_t WlanService::DeliveredNotifications() const {
    std::lock_guard<std::mutex> g(impl_->lock);
    return impl_->delivered;
}

size_t WlanService::OpenHandles() const {
    std::lock_guard<std::mutex> g(impl_->lock);
    return impl_->clients.size();
}

}  // namespace sim
