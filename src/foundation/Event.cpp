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
    handle_ = TranslateApiEx(UTIL_WFILE, L"util::Event::Create", __LINE__, L"CreateEvent", [&] {
        return wapi::CreateEventW(nullptr, manualReset ? TRUE : FALSE, initialState ? TRUE : FALSE, nullptr);
    });
    UTIL_CATCH_CHAIN(L"util::Event::Create")
}

void Event::ResetEvent() {
    UTIL_TRY
    TranslateApiEx(UTIL_WFILE, L"util::Event::ResetEvent", __LINE__, L"ResetEvent",
                   [&] { return wapi::ResetEvent(handle_); });
    UTIL_CATCH_CHAIN(L"util::Event::ResetEvent")
}

void Event::SetEvent() {
    UTIL_TRY
    TranslateApiEx(UTIL_WFILE, L"util::Event::SetEvent", __LINE__, L"SetEvent",
                   [&] { return wapi::SetEvent(handle_); });
    UTIL_CATCH_CHAIN(L"util::Event::SetEvent")
}

void Event::Close() {
    UTIL_TRY
    if (handle_ == nullptr) return;
    HANDLE handle = handle_;
    handle_ = nullptr;
    TranslateApiEx(UTIL_WFILE, L"util::Event::Close", __LINE__, L"CloseHandle",
                   [&] { return wapi::CloseHandle(handle); });
    UTIL_CATCH_CHAIN(L"util::Event::Close")
}

}  // namespace util
