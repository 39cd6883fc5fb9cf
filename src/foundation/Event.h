// A kernel event owned by the object. Failures raise util::SystemCallEx
// naming the kernel call, with the util::ApiEx entries in front.
#pragma once

#include "platform/win32.h"

namespace util {

class Event {
public:
    Event() = default;
    // Closes the handle; never throws.
    virtual ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    // An unnamed event with default security; once per object.
    void Create(bool manualReset, bool initialState);
    void ResetEvent();
    void SetEvent();
    // Clears the field before closing, so a second Close does nothing.
    void Close();
    // For WaitForSingleObject / WaitForMultipleObjects; null when closed.
    HANDLE GetHandle() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

}  // namespace util
