#include "Service.h"

#include <cstdint>
#include <cstdio>

#include "Errors.h"
#include "Text.h"
#include "platform/win32.h"

namespace host {

namespace {

// Frees what the service allocated for us.
template <class T>
struct ServiceMemory {
    T* data = nullptr;
    ~ServiceMemory() {
        if (data != nullptr) WlanFreeMemory(data);
    }
};

template <class Fn>
bool ForAdapter(HANDLE handle, const std::wstring& part, Fn fn) {
    ServiceMemory<WLAN_INTERFACE_INFO_LIST> list;
    if (WlanEnumInterfaces(handle, nullptr, &list.data) != ERROR_SUCCESS || list.data == nullptr) return false;
    for (DWORD i = 0; i < list.data->dwNumberOfItems; ++i) {
        const WLAN_INTERFACE_INFO& info = list.data->InterfaceInfo[i];
        const std::wstring description = info.strInterfaceDescription;
        if (description.find(part) != std::wstring::npos) {
            fn(info.InterfaceGuid, description);
            return true;
        }
    }
    return false;
}

std::string Fnv1a(const std::wstring& text) {
    uint64_t hash = 1469598103934665603ull;
    for (const unsigned char c : Narrow(text)) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

}  // namespace

WlanClient::WlanClient() {
    DWORD version = 0;
    HANDLE handle = nullptr;
    const DWORD result = WlanOpenHandle(2, nullptr, &version, &handle);
    if (result != ERROR_SUCCESS) throw ServiceError("the WLAN service does not answer (error " + std::to_string(result) + ")");
    handle_ = handle;
}

WlanClient::~WlanClient() { WlanCloseHandle(static_cast<HANDLE>(handle_), nullptr); }

std::optional<std::wstring> WlanClient::FindAdapter(const std::wstring& part) const {
    std::optional<std::wstring> found;
    ForAdapter(static_cast<HANDLE>(handle_), part, [&](const GUID&, const std::wstring& description) { found = description; });
    return found;
}

std::optional<StoredProfile> WlanClient::Profile(const std::wstring& adapterPart, const std::wstring& name) const {
    std::optional<StoredProfile> found;
    ForAdapter(static_cast<HANDLE>(handle_), adapterPart, [&](const GUID& guid, const std::wstring&) {
        ServiceMemory<WCHAR> xml;
        DWORD flags = 0;
        DWORD access = 0;
        if (WlanGetProfile(static_cast<HANDLE>(handle_), &guid, name.c_str(), nullptr, &xml.data, &flags, &access) !=
                ERROR_SUCCESS ||
            xml.data == nullptr)
            return;
        const std::wstring text = xml.data;
        StoredProfile profile;
        profile.name = Narrow(name);
        profile.characters = text.size();
        profile.fingerprint = Fnv1a(text);
        if (text.find(L"<connectionMode>manual</connectionMode>") != std::wstring::npos) profile.mode = "manual";
        if (text.find(L"<connectionMode>auto</connectionMode>") != std::wstring::npos) profile.mode = "auto";
        found = profile;
    });
    return found;
}

}  // namespace host
