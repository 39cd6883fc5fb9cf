#include "foundation/Event.h"

#include "foundation/Api.h"
#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "foundation/SystemCallError.h"

namespace util {

Event::~Event() {
    try {
        Close();
    } catch (...) {
    }
}

void Event::Create(bool manualReset, bool initialState) {
    UTIL_TRY
    try {
        handle_ = wapi::CreateEventW(nullptr, manualReset ? TRUE : FALSE, initialState ? TRUE : FALSE, nullptr);
    } catch (ApiEx& e) {
        ThrowSystemCall(e, UTIL_WFILE, L"util::Event::Create", __LINE__, L"CreateEvent");
    }
    UTIL_CATCH_CHAIN(L"util::Event::Create")
}

void Event::ResetEvent() {
    UTIL_TRY
    try {
        wapi::ResetEvent(handle_);
    } catch (ApiEx& e) {
        ThrowSystemCall(e, UTIL_WFILE, L"util::Event::ResetEvent", __LINE__, L"ResetEvent");
    }
    UTIL_CATCH_CHAIN(L"util::Event::ResetEvent")
}

void Event::SetEvent() {
    UTIL_TRY
    try {
        wapi::SetEvent(handle_);
    } catch (ApiEx& e) {
        ThrowSystemCall(e, UTIL_WFILE, L"util::Event::SetEvent", __LINE__, L"SetEvent");
    }
    UTIL_CATCH_CHAIN(L"util::Event::SetEvent")
}

void Event::Close() {
    UTIL_TRY
    if (handle_ == nullptr) return;
    HANDLE handle = handle_;
    handle_ = nullptr;
    try {
        wapi::CloseHandle(handle);
    } catch (ApiEx& e) {
        ThrowSystemCall(e, UTIL_WFILE, L"util::Event::Close", __LINE__, L"CloseHandle");
    }
    UTIL_CATCH_CHAIN(L"util::Event::Close")
}

}  // namespace util
