#include "foundation/Thread.h"

#include "foundation/Api.h"
#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "foundation/StringUtility.h"
#include "foundation/SystemCallError.h"
#include "foundation/ThreadName.h"

namespace util {

namespace {
constexpr DWORD kWaitDefault = static_cast<DWORD>(-1);
constexpr uint32_t kAnsiNameBytes = 512;
}  // namespace

Thread::Thread() {
    UTIL_TRY
    stopEvent_.Create(false, false);
    UTIL_CATCH_CHAIN(L"util::Thread::Thread")
}

Thread::~Thread() {
    try {
        Stop(kWaitDefault);
    } catch (...) {
    }
}

bool Thread::IsRunning() const {
    UTIL_TRY
    return handle_ != nullptr;
    UTIL_CATCH_CHAIN(L"util::Thread::IsRunning")
}

void Thread::Start(const String& name) {
    UTIL_TRY
    Stop(kWaitDefault);
    stopEvent_.ResetEvent();

    name_ = name;
    char ansi[kAnsiNameBytes] = {};
    StringUtility::ConvertUnicodeToAnsi(name_, ansi, kAnsiNameBytes);
    nameAnsi_ = ansi;

    uintptr_t result = ::_beginthreadex(nullptr, 0, &Thread::Entry, this, 0, &threadId_);
    if (result == 0 || result == ~static_cast<uintptr_t>(0))
        throw SystemCallEx(UTIL_WFILE, L"util::Thread::Start", __LINE__, 1, L"_beginthreadex");
    handle_ = reinterpret_cast<HANDLE>(result);
    UTIL_CATCH_CHAIN(L"util::Thread::Start")
}

unsigned Thread::Entry(void* self) {
    try {
        auto* thread = static_cast<Thread*>(self);
        SetCurrentThreadName(thread->name_.c_str(), thread->nameAnsi_.c_str());
        thread->ThreadRoutine();
        return 0;
    } catch (...) {
        return 1;
    }
}

void Thread::Abandon(HANDLE handle, bool terminate) {
    if (terminate) ::TerminateThread(handle, 0);
    ::CloseHandle(handle);
}

bool Thread::Stop(DWORD timeout) {
    UTIL_TRY
    if (handle_ == nullptr) return true;

    try {
        stopEvent_.SetEvent();
    } catch (SystemCallEx&) {
        HANDLE handle = handle_;
        handle_ = nullptr;
        Abandon(handle, true);
        throw;
    }

    DWORD wait = timeout == kWaitDefault ? kDefaultStopTimeout : timeout;
    HANDLE handle = handle_;
    handle_ = nullptr;

    bool terminated = false;
    bool closing = false;
    const wchar_t* call = L"WaitForSingleObject";
    TranslateApiEx(
        UTIL_WFILE, L"util::Thread::Stop", __LINE__, call,
        [&] {
            if (wapi::WaitForSingleObject(handle, wait) != WAIT_OBJECT_0) {
                terminated = true;
                call = L"TerminateThread";
                wapi::TerminateThread(handle, 0);
            }
            closing = true;
            call = L"CloseHandle";
            wapi::CloseHandle(handle);
        },
        [&] { Abandon(handle, !closing); });
    return !terminated;
    UTIL_CATCH_CHAIN(L"util::Thread::Stop")
}

}  // namespace util
