// A named worker thread. The derived class supplies ThreadRoutine, which
// watches the stop event and returns when it is signalled; Stop signals it,
// waits a bounded time and terminates a worker that does not end.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/Event.h"
#include "foundation/String.h"
#include "platform/win32.h"

namespace util {

class Thread {
public:
    // What Stop(-1) waits before it terminates the worker.
    static constexpr DWORD kDefaultStopTimeout = 60000;

    Thread();
    // Stop(-1); never throws.
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // True while a thread handle is held.
    virtual bool IsRunning() const;
    // Stops a running worker first, then starts a new one named `name`.
    virtual void Start(const String& name);
    // True when the worker ended by itself, false when it was terminated.
    // A timeout of -1 waits kDefaultStopTimeout milliseconds.
    virtual bool Stop(DWORD timeout);

protected:
    // The worker's body; its result is not passed on.
    virtual uint32_t ThreadRoutine() = 0;

    // Signalled by Stop; auto-reset.
    HANDLE GetStopEvent() const { return stopEvent_.GetHandle(); }
    HANDLE GetThreadHandle() const { return handle_; }
    const String& GetName() const { return name_; }

private:
    static unsigned Entry(void* self);
    // Ends a thread that could not be stopped cleanly; nothing thrown.
    static void Abandon(HANDLE handle, bool terminate);

    HANDLE handle_ = nullptr;
    Event stopEvent_;
    unsigned threadId_ = 0;
    String name_;
    std::string nameAnsi_;
};

}  // namespace util
