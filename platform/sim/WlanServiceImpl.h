// The state of the simulated WLAN service, shared by its control side
// (WlanService.cpp) and its Wlan* calls (WlanCalls.cpp). Everything here is
// guarded by `lock`; callbacks and After actions run on the service thread
// with the lock released.
#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <tuple>

#include "Faults.h"
#include "WlanService.h"

namespace sim {

struct WlanService::Impl {
    using Clock = std::chrono::steady_clock;
    using Lock = std::unique_lock<std::mutex>;
    using Bytes = std::vector<unsigned char>;

    // What an interface is connected to.
    struct Link {
        std::string ssid;
        std::wstring profile;
        DWORD mode = 0;
        DWORD bssType = 1;
        bool secure = false;
    };

    struct Interface {
        GUID guid{};
        std::wstring description;
        DWORD state = wlan_interface_state_disconnected;
        bool radioOn = true;
        std::vector<WlanNetwork> networks;
        std::vector<WlanStoredProfile> profiles;
        std::set<std::wstring> protectedNames;
        std::optional<Link> link;

        WlanStoredProfile* FindProfile(const std::wstring& name);
        const WlanNetwork* LinkedNetwork() const;
    };

    struct Client {
        DWORD version = 0;
        DWORD sources = 0;
        BOOL ignoreDuplicate = FALSE;
        WLAN_NOTIFICATION_CALLBACK callback = nullptr;
        void* context = nullptr;
        std::optional<std::tuple<DWORD, DWORD, GUID>> last;  // for ignoreDuplicate
    };

    // A notification for one client, or an action of the world.
    struct Job {
        uintptr_t client = 0;
        WLAN_NOTIFICATION_CALLBACK callback = nullptr;
        void* context = nullptr;
        WLAN_NOTIFICATION_DATA header{};
        Bytes data;
        std::function<void()> action;
        bool timed = false;  // an After action: WaitIdle does not wait for it
    };

    static constexpr uintptr_t kActionRunning = ~uintptr_t(0);

    ~Impl() { StopThread(); }

    // --- the service thread ------------------------------------------------
    void Run();
    void StopThread();
    bool OnServiceThread() const { return std::this_thread::get_id() == threadId; }
    // Queues a notification for every client registered for its source; the
    // notifications of one service stay in order, `delay` after the last.
    void Send(DWORD source, DWORD code, const GUID& iface, Bytes data = {},
              std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    void Post(Clock::time_point due, Job job);
    // Drops a client's queued notifications and waits for its callback in
    // progress (releasing the lock meanwhile).
    void Drop(Lock& g, uintptr_t client, const char* call);

    // --- the world ---------------------------------------------------------
    Interface& Find(const GUID& guid);
    Interface* Find(const GUID* guid, DWORD& error);
    Client* FindClient(HANDLE handle, DWORD& error);
    // The checks an interface call starts with: the handle, the reserved
    // pointer, the interface GUID.
    Interface* Target(HANDLE client, PVOID reserved, const GUID* iface, DWORD& error);
    bool Silenced(WlanSilence what);
    // Disconnects the interface, notified (MSM and ACM "disconnected") or not.
    void DropLink(Interface& itf, DWORD reason, bool notify);
    // The data of an ACM connection notification.
    static Bytes ConnectionData(const Link& link, DWORD reason);
    static Bytes DwordData(DWORD value);
    void* Allocate(size_t size);

    // Counts and journals a call and answers an armed fault; otherwise runs
    // `body` under the lock.
    template <class Body>
    DWORD Serve(WlanJournalEntry entry, Body&& body) {
        {
            std::lock_guard<std::mutex> g(lock);
            ++counts[entry.call];
        }
        uint32_t code = 0;
        bool failed = ShouldFail(entry.call.c_str(), &code);
        Lock g(lock);
        DWORD result = failed ? code : body(g);
        if (!g.owns_lock()) g.lock();
        entry.result = result;
        journal.push_back(std::move(entry));
        return result;
    }

    mutable std::mutex lock;
    std::condition_variable wake;     // the service thread: a job is due, or stop
    std::condition_variable settled;  // a job ended or was dropped

    DWORD serviceVersion = WLAN_API_VERSION_2_0;
    std::chrono::milliseconds connectDelay{0};
    std::vector<Interface> interfaces;
    uint32_t nextGuid = 1;
    std::map<uintptr_t, Client> clients;
    uintptr_t nextHandle = 1;  // never reused, so a stale handle stays unknown
    std::map<WlanSilence, unsigned> silenced;

    std::map<std::pair<Clock::time_point, uint64_t>, Job> jobs;
    uint64_t nextJob = 0;
    size_t pendingNotifications = 0;  // jobs WaitIdle waits for
    Clock::time_point lastDue{};
    uintptr_t running = 0;  // the client whose callback runs, or kActionRunning
    std::thread thread;
    std::thread::id threadId;
    bool stopping = false;

    std::map<std::string, unsigned> counts;
    std::vector<WlanJournalEntry> journal;
    std::vector<std::string> faults;
    std::map<const void*, std::unique_ptr<unsigned char[]>> allocations;
    size_t badFrees = 0;
    size_t delivered = 0;
};

}  // namespace sim
