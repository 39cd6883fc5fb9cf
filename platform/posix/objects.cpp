// Kernel objects of the POSIX layer: events, threads and the waits on them.
//
// One process-wide mutex guards every object's state and one condition
// variable wakes waiters; a wait blocks on it (never polls) and re-checks its
// objects when woken. Handles are validated against the set of live objects,
// so a stale or foreign handle fails with ERROR_INVALID_HANDLE instead of
// crashing. An object lives while its handle is open or a wait or its thread
// still uses it.
//
// TerminateThread cannot kill a POSIX thread safely (cancellation would unwind
// through catch (...) handlers). Instead the thread's handle becomes
// signalled with the given exit code at once, and the OS thread is parked for
// good at its next call into this layer (any call, a wait or a lock
// included; a thread that terminates itself parks at once): it never returns
// to its caller and has no further effect on any object.
#include "../sim/Clock.h"
#include "../sim/Faults.h"
#include "../win32.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <unordered_set>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Object {
    enum class Kind { Event, Thread } kind;
    explicit Object(Kind k) : kind(k) {}
    int refs = 1;  // the handle's
    bool handleOpen = true;
    // Event state.
    bool manualReset = false;
    bool signalled = false;
    // Thread state.
    bool finished = false;
    std::atomic<bool> terminated{false};  // read without the lock by the critical sections
    DWORD exitCode = STILL_ACTIVE;
    // The OS thread, joined by the first waiter that sees it finished (or by
    // CloseHandle), detached when it cannot finish (terminated, or its handle
    // closed while it runs).
    std::thread os;
    enum class Join { None, Joining, Done } join = Join::None;
};

std::mutex& Lock() {
    static std::mutex* m = new std::mutex;  // outlives static destruction: parked threads may still hold it
    return *m;
}
std::condition_variable& Wake() {
    static std::condition_variable* c = new std::condition_variable;
    return *c;
}
std::unordered_set<Object*>& Live() {
    static auto* s = new std::unordered_set<Object*>;
    return *s;
}

// The layer's clock: real time, or n times faster (sim::SetClockScale). Ticks
// are counted from an anchor so that a change of factor keeps them monotonic.
struct ClockState {
    Clock::time_point realAnchor;
    uint64_t tickAnchor;
    unsigned factor;

    uint64_t TicksAt(Clock::time_point now) const {
        auto real = std::chrono::duration_cast<std::chrono::milliseconds>(now - realAnchor).count();
        return tickAnchor + static_cast<uint64_t>(real) * factor;
    }
};

// Readers take the current state without a lock (GetTickCount is on every
// device operation's path); a change of factor publishes a new one. Old
// states are kept, as a reader may still hold one: a test changes the
// factor a few times per run.
struct ScaledClock {
    std::mutex lock;  // serialises changes
    std::vector<std::unique_ptr<ClockState>> states;
    std::atomic<const ClockState*> current{nullptr};

    ScaledClock() {
        const auto now = Clock::now();
        Publish(ClockState{
            now, static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count()),
            1});
    }
    // Caller holds `lock` (or is the constructor).
    void Publish(const ClockState& state) {
        states.push_back(std::make_unique<ClockState>(state));
        current.store(states.back().get(), std::memory_order_release);
    }
    const ClockState& Now() const { return *current.load(std::memory_order_acquire); }
};

ScaledClock& TheClock() {
    static auto* c = new ScaledClock;
    return *c;
}

// The real deadline of a wait of `ms` on the layer's clock.
Clock::time_point DeadlineAfter(DWORD ms) {
    return Clock::now() + std::chrono::microseconds(static_cast<uint64_t>(ms) * 1000 / TheClock().Now().factor);
}

thread_local Object* self = nullptr;  // this thread's object, when started by _beginthreadex
// Set once any thread was terminated: until then the critical sections skip
// the thread-local look-up (a call into the loader in a shared module).
std::atomic<bool> anyTerminated{false};

bool Injected(const char* call) {
    uint32_t code = 0;
    if (!sim::ShouldFail(call, &code)) return false;
    SetLastError(code);
    return true;
}

// Caller holds the lock.
void Release(Object* o) {
    if (--o->refs == 0) delete o;
}

Object* Find(HANDLE h) {
    auto* o = static_cast<Object*>(h);
    return (o != nullptr && Live().count(o) != 0) ? o : nullptr;
}

// A terminated thread never comes back from the layer. Caller holds `lock`.
void ParkIfTerminated(std::unique_lock<std::mutex>& lock) {
    if (self == nullptr || !self->terminated) return;
    for (;;) Wake().wait(lock);
}

// Entry of every call: takes the lock and parks a terminated caller.
std::unique_lock<std::mutex> Enter() {
    std::unique_lock<std::mutex> lock(Lock());
    ParkIfTerminated(lock);
    return lock;
}

// The critical sections do not take the layer's lock on their fast path.
void ParkIfTerminated() {
    if (!anyTerminated.load(std::memory_order_relaxed)) return;
    if (self != nullptr && self->terminated.load(std::memory_order_relaxed)) Enter();
}

bool IsSignalled(const Object* o) { return o->kind == Object::Kind::Event ? o->signalled : o->finished; }

void Consume(Object* o) {
    if (o->kind == Object::Kind::Event && !o->manualReset) o->signalled = false;
}

// Waits until `ready` holds or the time-out passes. Caller holds `lock`.
template <class Ready>
bool WaitUntil(std::unique_lock<std::mutex>& lock, DWORD ms, Ready ready) {
    auto deadline = DeadlineAfter(ms);
    for (;;) {
        ParkIfTerminated(lock);
        if (ready()) return true;
        if (ms == 0) return false;
        if (ms == INFINITE) {
            Wake().wait(lock);
        } else if (Wake().wait_until(lock, deadline) == std::cv_status::timeout) {
            ParkIfTerminated(lock);
            return ready();
        }
    }
}

bool Joinable(const Object* o) {
    return o->kind == Object::Kind::Thread && o->finished && !o->terminated;
}

// A finished thread's handle is signalled while its OS thread is still
// returning through this module's code. Whoever learns that it finished joins
// it first, so that a module unloaded right after the wait (FreeLibrary after
// DeleteClass) is never pulled from under it. Caller holds `lock`.
void JoinFinished(std::unique_lock<std::mutex>& lock, const std::vector<Object*>& objects) {
    std::vector<std::pair<Object*, std::thread>> mine;
    for (Object* o : objects) {
        if (Joinable(o) && o->join == Object::Join::None && o->os.joinable()) {
            o->join = Object::Join::Joining;
            mine.emplace_back(o, std::move(o->os));
        }
    }
    if (!mine.empty()) {
        lock.unlock();
        for (auto& [o, t] : mine) t.join();
        lock.lock();
        for (auto& entry : mine) entry.first->join = Object::Join::Done;
        Wake().notify_all();
    }
    for (Object* o : objects)  // joined by another waiter: wait until it is done
        while (o->join == Object::Join::Joining) Wake().wait(lock);
}

struct Start {
    Object* object;
    _beginthreadex_proc_type routine;
    void* arg;
};

void RunThread(Start start) {
    self = start.object;
    Enter();  // terminated before it ran: it never runs
    unsigned code = start.routine(start.arg);
    std::lock_guard<std::mutex> g(Lock());
    if (!start.object->terminated) start.object->exitCode = code;
    start.object->finished = true;
    Release(start.object);
    self = nullptr;
    Wake().notify_all();
}

}  // namespace

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCWSTR lpName) {
    if (Injected("CreateEventW")) return nullptr;
    if (lpName != nullptr) {  // named events are not needed and not supported
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    auto lock = Enter();
    auto* o = new Object(Object::Kind::Event);
    o->manualReset = bManualReset != FALSE;
    o->signalled = bInitialState != FALSE;
    Live().insert(o);
    return o;
}

namespace {
BOOL SetEventState(const char* call, HANDLE h, bool state) {
    if (Injected(call)) return FALSE;
    auto lock = Enter();
    Object* o = Find(h);
    if (o == nullptr || o->kind != Object::Kind::Event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    o->signalled = state;
    if (state) Wake().notify_all();
    return TRUE;
}
}  // namespace

BOOL SetEvent(HANDLE hEvent) { return SetEventState("SetEvent", hEvent, true); }
BOOL ResetEvent(HANDLE hEvent) { return SetEventState("ResetEvent", hEvent, false); }

BOOL CloseHandle(HANDLE hObject) {
    if (Injected("CloseHandle")) return FALSE;
    auto lock = Enter();
    Object* o = Find(hObject);
    if (o == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Live().erase(o);
    o->handleOpen = false;
    if (o->kind == Object::Kind::Thread) {
        JoinFinished(lock, {o});
        if (o->os.joinable()) o->os.detach();  // still running, or parked for good
    }
    Release(o);
    return TRUE;
}

namespace {
DWORD Wait(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds) {
    if (nCount == 0 || nCount > MAXIMUM_WAIT_OBJECTS || lpHandles == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    auto lock = Enter();
    std::vector<Object*> objects(nCount);
    for (DWORD i = 0; i < nCount; ++i) {
        objects[i] = Find(lpHandles[i]);
        if (objects[i] == nullptr) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
    }
    for (Object* o : objects) ++o->refs;  // kept alive if closed while we wait
    DWORD result = WAIT_TIMEOUT;
    WaitUntil(lock, dwMilliseconds, [&] {
        if (bWaitAll) {
            for (Object* o : objects)
                if (!IsSignalled(o)) return false;
            for (Object* o : objects) Consume(o);
            result = WAIT_OBJECT_0;
            return true;
        }
        for (DWORD i = 0; i < nCount; ++i) {
            if (IsSignalled(objects[i])) {
                Consume(objects[i]);
                result = WAIT_OBJECT_0 + i;
                return true;
            }
        }
        return false;
    });
    JoinFinished(lock, objects);
    for (Object* o : objects) Release(o);
    return result;
}
static_assert(sizeof(std::recursive_mutex) <= sizeof(CRITICAL_SECTION::opaque) &&
                  alignof(std::recursive_mutex) <= alignof(CRITICAL_SECTION),
              "the section's mutex lives inside the struct");

std::recursive_mutex* SectionMutex(LPCRITICAL_SECTION cs) {
    return std::launder(reinterpret_cast<std::recursive_mutex*>(cs->opaque));
}

}  // namespace

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds) {
    if (Injected("WaitForMultipleObjects")) return WAIT_FAILED;
    return Wait(nCount, lpHandles, bWaitAll, dwMilliseconds);
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    if (Injected("WaitForSingleObject")) return WAIT_FAILED;
    return Wait(1, &hHandle, FALSE, dwMilliseconds);
}

void InitializeCriticalSection(LPCRITICAL_SECTION cs) { new (cs->opaque) std::recursive_mutex; }
void DeleteCriticalSection(LPCRITICAL_SECTION cs) { SectionMutex(cs)->~recursive_mutex(); }
void EnterCriticalSection(LPCRITICAL_SECTION cs) {
    ParkIfTerminated();
    SectionMutex(cs)->lock();
}
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION cs) {
    ParkIfTerminated();
    return SectionMutex(cs)->try_lock() ? TRUE : FALSE;
}
void LeaveCriticalSection(LPCRITICAL_SECTION cs) {
    ParkIfTerminated();
    SectionMutex(cs)->unlock();
}

uintptr_t _beginthreadex(void*, unsigned, _beginthreadex_proc_type routine, void* arg, unsigned flags,
                         unsigned* id) {
    if (Injected("_beginthreadex")) return 0;
    if (routine == nullptr || flags != 0) {  // suspended creation is not supported
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto* o = new Object(Object::Kind::Thread);
    o->refs = 2;  // the handle's and the running thread's
    {
        auto lock = Enter();
        Live().insert(o);
    }
    try {
        std::thread t(RunThread, Start{o, routine, arg});
        if (id != nullptr) *id = static_cast<unsigned>(std::hash<std::thread::id>()(t.get_id()));
        auto lock = Enter();
        o->os = std::move(t);
    } catch (...) {
        std::lock_guard<std::mutex> g(Lock());
        Live().erase(o);
        delete o;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    return reinterpret_cast<uintptr_t>(o);
}

BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode) {
    if (Injected("TerminateThread")) return FALSE;
    auto lock = Enter();
    Object* o = Find(hThread);
    if (o == nullptr || o->kind != Object::Kind::Thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!o->finished) {
        anyTerminated = true;
        o->terminated = true;
        o->exitCode = dwExitCode;
        o->finished = true;
        Wake().notify_all();
    }
    ParkIfTerminated(lock);  // a thread that terminated itself
    return TRUE;
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
    if (Injected("GetExitCodeThread")) return FALSE;
    auto lock = Enter();
    Object* o = Find(hThread);
    if (o == nullptr || o->kind != Object::Kind::Thread || lpExitCode == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *lpExitCode = o->exitCode;
    return TRUE;
}

void Sleep(DWORD dwMilliseconds) {
    auto lock = Enter();
    WaitUntil(lock, dwMilliseconds, [] { return false; });
}

DWORD GetTickCount() { return static_cast<DWORD>(TheClock().Now().TicksAt(Clock::now())); }

namespace sim {

bool ClockScaleSupported() { return true; }

void SetClockScale(unsigned factor) {
    ScaledClock& c = TheClock();
    std::lock_guard<std::mutex> g(c.lock);
    const auto now = Clock::now();
    c.Publish(ClockState{now, c.Now().TicksAt(now), factor == 0 ? 1 : factor});
}

unsigned ClockScale() { return TheClock().Now().factor; }

size_t KernelObjectCount() {
    std::lock_guard<std::mutex> g(Lock());
    return Live().size();
}

}  // namespace sim

DWORD GetCurrentThreadId() {
    return static_cast<DWORD>(std::hash<std::thread::id>()(std::this_thread::get_id()));
}
