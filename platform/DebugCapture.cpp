#include "DebugCapture.h"
#include "DebugCaptureHook.h"

#include <atomic>
#include <mutex>

namespace platform {
namespace {
std::mutex lock;
std::vector<std::wstring> records;
std::atomic<bool> active{false};
}  // namespace

bool StartDebugCapture() {
    {
        std::lock_guard<std::mutex> g(lock);
        records.clear();
    }
    if (!InstallDebugCaptureHook()) return false;
    active = true;
    return true;
}

void StopDebugCapture() {
    active = false;
    RemoveDebugCaptureHook();
}

std::vector<std::wstring> CapturedDebugOutput() {
    std::lock_guard<std::mutex> g(lock);
    return records;
}

void RecordDebugOutput(const wchar_t* text) {
    if (!active || text == nullptr) return;
    std::lock_guard<std::mutex> g(lock);
    records.emplace_back(text);
}

}  // namespace platform
