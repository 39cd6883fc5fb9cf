// The little the host asks the WLAN service itself, beside the plug-in, as
// `netsh wlan` would: which adapter a name means, and what profile the
// service holds under a name (to show that the user's comes back).
#pragma once

#include <optional>
#include <string>

namespace host {

struct StoredProfile {
    std::string name;
    size_t characters = 0;
    std::string fingerprint;  // FNV-1a of the XML text, 16 hex digits
    std::string mode;         // its connectionMode: "auto" (as users save them) or "manual"
};

class WlanClient {
public:
    // Throws ServiceError when the service does not answer.
    WlanClient();
    ~WlanClient();
    WlanClient(const WlanClient&) = delete;
    WlanClient& operator=(const WlanClient&) = delete;

    // The full description of the first adapter whose description holds
    // `part`; nullopt when none does.
    std::optional<std::wstring> FindAdapter(const std::wstring& part) const;
    // The profile stored under `name` on that adapter; nullopt when none is.
    std::optional<StoredProfile> Profile(const std::wstring& adapterPart, const std::wstring& name) const;

private:
    void* handle_ = nullptr;
};

}  // namespace host
