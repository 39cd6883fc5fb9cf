#include "DhcpClient.h"

#include "Faults.h"

namespace sim {

void DhcpClient::SetInstalled(bool installed) {
    std::lock_guard<std::mutex> g(lock_);
    installed_ = installed;
}

void DhcpClient::SetExportsNotify(bool exports) {
    std::lock_guard<std::mutex> g(lock_);
    exportsNotify_ = exports;
}

bool DhcpClient::Installed() const {
    std::lock_guard<std::mutex> g(lock_);
    return installed_;
}

bool DhcpClient::ExportsNotify() const {
    std::lock_guard<std::mutex> g(lock_);
    return exportsNotify_;
}

uint32_t DhcpClient::Notify(const DhcpNotification& call) {
    {
        std::lock_guard<std::mutex> g(lock_);
        calls_.push_back(call);
    }
    uint32_t code = 0;
    return ShouldFail("DhcpNotifyConfigChange", &code) ? code : 0;
}

std::vector<DhcpNotification> DhcpClient::Calls() const {
    std::lock_guard<std::mutex> g(lock_);
    return calls_;
}

void DhcpClient::CountLoad(int delta) {
    std::lock_guard<std::mutex> g(lock_);
    if (delta > 0) ++loads_;
    loaded_ += delta;
}

unsigned DhcpClient::Loads() const {
    std::lock_guard<std::mutex> g(lock_);
    return loads_;
}

int DhcpClient::LoadedModules() const {
    std::lock_guard<std::mutex> g(lock_);
    return loaded_;
}

void DhcpClient::Reset() {
    std::lock_guard<std::mutex> g(lock_);
    installed_ = true;
    exportsNotify_ = true;
    loads_ = 0;
    loaded_ = 0;
    calls_.clear();
}

}  // namespace sim
