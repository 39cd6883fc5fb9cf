#include "Logger.h"

#include <mutex>

namespace util {

struct CaptureSink::Impl {
    mutable std::mutex lock;
    std::vector<Log::Record> records;
};

CaptureSink::CaptureSink() : impl_(new Impl) {}
CaptureSink::~CaptureSink() { delete impl_; }

void CaptureSink::Write(const Log::Record& record) {
    std::lock_guard<std::mutex> g(impl_->lock);
    impl_->records.push_back(record);
}

std::vector<Log::Record> CaptureSink::Records() const {
    std::lock_guard<std::mutex> g(impl_->lock);
    return impl_->records;
}

void CaptureSink::Clear() {
    std::lock_guard<std::mutex> g(impl_->lock);
    impl_->records.clear();
}

std::vector<Log::Record> CaptureSink::Find(unsigned int levelMask, unsigned int area, const std::wstring& function,
                                           const std::wstring& text) const {
    std::vector<Log::Record> found;
    std::lock_guard<std::mutex> g(impl_->lock);
    for (const auto& r : impl_->records) {
        if (levelMask != 0 && (r.level & levelMask) == 0) continue;
        if (area != 0 && r.area != area) continue;
        if (!function.empty() && r.function != function) continue;
        if (!text.empty() && r.text.find(text) == std::wstring::npos) continue;
        found.push_back(r);
    }
    return found;
}

bool CaptureSink::Contains(const std::wstring& text) const { return !Find(0, 0, L"", text).empty(); }

}  // namespace util
