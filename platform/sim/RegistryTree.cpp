#include "RegistryTree.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <random>
#include <stdexcept>

namespace sim {
namespace {

// Closes a key on every way out.
class Key {
public:
    Key() = default;
    ~Key() {
        if (h_ != nullptr) RegCloseKey(h_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* Out() { return &h_; }
    HKEY Get() const { return h_; }

private:
    HKEY h_ = nullptr;
};

void Check(LONG rc, const char* what) {
    if (rc != ERROR_SUCCESS) throw std::runtime_error(std::string(what) + " failed: " + std::to_string(rc));
}

uint64_t NextRandom() {
    static std::mutex lock;
    static std::mt19937_64 engine(std::random_device{}() ^
                                  static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::lock_guard<std::mutex> g(lock);
    return engine();
}

std::wstring Hex(uint64_t value, int digits) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring out(static_cast<size_t>(digits), L'0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) out[static_cast<size_t>(i)] = kDigits[value & 0xF];
    return out;
}

}  // namespace

RegistryTree::RegistryTree(HKEY root) : root_(root) {}

RegistryTree::~RegistryTree() {
    for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) DeleteRegistryTree(root_, *it);
}

void RegistryTree::Own(const std::wstring& path) { owned_.push_back(path); }

void RegistryTree::CreateKey(const std::wstring& path, bool own) {
    std::wstring sofar;
    bool ownedOne = !own;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        if (end > start) {
            if (!sofar.empty()) sofar += L'\\';
            sofar += path.substr(start, end - start);
            Key key;
            DWORD disposition = 0;
            Check(RegCreateKeyExW(root_, sofar.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.Out(), &disposition),
                  "RegCreateKeyExW");
            if (disposition == REG_CREATED_NEW_KEY && !ownedOne) {
                owned_.push_back(sofar);
                ownedOne = true;
            }
        }
        start = end + 1;
    }
}

std::wstring RegistryTree::AddNumberedKey(const std::wstring& parent) {
    CreateKey(parent, false);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::wstring path = parent + L"\\" + Hex(NextRandom() & 0xFFFF, 4);
        Key key;
        DWORD disposition = 0;
        Check(RegCreateKeyExW(root_, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.Out(), &disposition),
              "RegCreateKeyExW");
        if (disposition == REG_CREATED_NEW_KEY) {
            owned_.push_back(path);
            return path;
        }
    }
    throw std::runtime_error("no free numbered key");
}

void RegistryTree::SetRaw(const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
                          DWORD bytes) {
    CreateKey(path);
    Key key;
    Check(RegOpenKeyExW(root_, path.c_str(), 0, KEY_WRITE, key.Out()), "RegOpenKeyExW");
    Check(RegSetValueExW(key.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes), "RegSetValueExW");
}

void RegistryTree::SetString(const std::wstring& path, const std::wstring& name, const std::wstring& value,
                             DWORD type) {
    SetRaw(path, name, type, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void RegistryTree::SetMultiString(const std::wstring& path, const std::wstring& name,
                                  const std::vector<std::wstring>& values) {
    std::wstring joined;
    for (const std::wstring& v : values) {
        joined += v;
        joined += L'\0';
    }
    joined += L'\0';
    SetRaw(path, name, REG_MULTI_SZ, joined.data(), static_cast<DWORD>(joined.size() * sizeof(wchar_t)));
}

void RegistryTree::SetDword(const std::wstring& path, const std::wstring& name, DWORD value) {
    SetRaw(path, name, REG_DWORD, &value, sizeof(value));
}

bool RegistryTree::Get(const std::wstring& path, const std::wstring& name, DWORD& type,
                       std::vector<BYTE>& data) const {
    Key key;
    if (RegOpenKeyExW(root_, path.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    data.assign(size, 0);
    return RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
}

bool RegistryTree::KeyExists(const std::wstring& path) const {
    Key key;
    return RegOpenKeyExW(root_, path.c_str(), 0, KEY_READ, key.Out()) == ERROR_SUCCESS;
}

std::wstring RegistryTree::UniqueName(const std::wstring& prefix) {
    static std::atomic<unsigned> counter{0};
    return prefix + L"-" + Hex(NextRandom(), 12) + L"-" + Hex(++counter, 4);
}

std::wstring RegistryTree::NewGuidText() {
    uint64_t a = NextRandom(), b = NextRandom();
    return L"{" + Hex(a >> 32, 8) + L"-" + Hex(a >> 16, 4) + L"-" + Hex(a, 4) + L"-" + Hex(b >> 48, 4) + L"-" +
           Hex(b, 12) + L"}";
}

bool DeleteRegistryTree(HKEY root, const std::wstring& path) {
    std::vector<std::wstring> children;
    {
        Key key;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS) return false;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD chars = 256;
            if (RegEnumKeyExW(key.Get(), i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            children.push_back(path + L"\\" + std::wstring(name, chars));
        }
    }
    for (const std::wstring& child : children) DeleteRegistryTree(root, child);
    return RegDeleteKeyW(root, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace sim
