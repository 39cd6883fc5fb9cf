#include "RegistryStore.h"

#include <cwctype>

#include "../win32.h"

namespace sim {
namespace {

const long kKeyDeleted = 1018;  // ERROR_KEY_DELETED
const size_t kMaxKeyName = 255;

// Splits "a\b\\c" into its non-empty parts.
std::vector<std::wstring> SplitPath(const wchar_t* path) {
    std::vector<std::wstring> parts;
    if (path == nullptr) return parts;
    std::wstring part;
    for (const wchar_t* p = path;; ++p) {
        if (*p == L'\\' || *p == L'\0') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
            if (*p == L'\0') break;
        } else {
            part += *p;
        }
    }
    return parts;
}

std::wstring ValueKey(const wchar_t* name) { return FoldName(name == nullptr ? L"" : name); }

}  // namespace

std::wstring FoldName(const std::wstring& name) {
    std::wstring folded(name);
    for (wchar_t& c : folded) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return folded;
}

std::shared_ptr<RegistryStore::Key> RegistryStore::Root(Handle h) const {
    auto it = roots_.find(reinterpret_cast<uintptr_t>(h));
    return it == roots_.end() ? nullptr : it->second;
}

long RegistryStore::Resolve(Handle h, uint32_t need, std::shared_ptr<Key>& key) const {
    if (auto root = Root(h)) {
        key = root;
        return ERROR_SUCCESS;
    }
    auto it = handles_.find(h);
    if (it == handles_.end()) return ERROR_INVALID_HANDLE;
    if (it->second.key->deleted) return kKeyDeleted;
    if ((it->second.access & need) != need) return ERROR_ACCESS_DENIED;
    key = it->second.key;
    return ERROR_SUCCESS;
}

long RegistryStore::Open(Handle parent, const wchar_t* subKey, uint32_t access, bool create, Handle* result,
                         bool* created) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> g(lock_);
    std::shared_ptr<Key> key;
    long rc = Resolve(parent, create ? KEY_CREATE_SUB_KEY : 0, key);
    if (rc != ERROR_SUCCESS) return rc;
    bool isNew = false;
    for (const std::wstring& part : SplitPath(subKey)) {
        if (part.size() > kMaxKeyName) return ERROR_INVALID_PARAMETER;
        auto& slot = key->keys[FoldName(part)];
        if (!slot) {
            if (!create) {
                key->keys.erase(FoldName(part));
                return ERROR_FILE_NOT_FOUND;
            }
            slot = std::make_shared<Key>();
            slot->name = part;
            isNew = true;
        }
        key = slot;
    }
    Handle h = reinterpret_cast<Handle>(nextHandle_);
    nextHandle_ += 4;
    handles_[h] = OpenKey{key, access};
    *result = h;
    if (created) *created = isNew;
    return ERROR_SUCCESS;
}

long RegistryStore::Close(Handle key) {
    std::lock_guard<std::mutex> g(lock_);
    if (Root(key)) return ERROR_SUCCESS;
    return handles_.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

long RegistryStore::Query(Handle h, const wchar_t* name, uint32_t* type, uint8_t* data, uint32_t* size) {
    if (data != nullptr && size == nullptr) return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> g(lock_);
    std::shared_ptr<Key> key;
    long rc = Resolve(h, KEY_QUERY_VALUE, key);
    if (rc != ERROR_SUCCESS) return rc;
    auto it = key->values.find(ValueKey(name));
    if (it == key->values.end()) return ERROR_FILE_NOT_FOUND;
    const Value& v = it->second;
    if (type) *type = v.type;
    if (size == nullptr) return ERROR_SUCCESS;
    uint32_t needed = static_cast<uint32_t>(v.data.size());
    if (data != nullptr) {
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        std::copy(v.data.begin(), v.data.end(), data);
    }
    *size = needed;
    return ERROR_SUCCESS;
}

long RegistryStore::Set(Handle h, const wchar_t* name, uint32_t type, const uint8_t* data, uint32_t size) {
    if (data == nullptr && size != 0) return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> g(lock_);
    std::shared_ptr<Key> key;
    long rc = Resolve(h, KEY_SET_VALUE, key);
    if (rc != ERROR_SUCCESS) return rc;
    Value v;
    v.name = name == nullptr ? L"" : name;
    v.type = type;
    v.data.assign(data, data + size);
    key->values[FoldName(v.name)] = std::move(v);
    return ERROR_SUCCESS;
}

long RegistryStore::EnumKey(Handle h, uint32_t index, wchar_t* name, uint32_t* chars) {
    if (name == nullptr || chars == nullptr) return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> g(lock_);
    std::shared_ptr<Key> key;
    long rc = Resolve(h, KEY_ENUMERATE_SUB_KEYS, key);
    if (rc != ERROR_SUCCESS) return rc;
    if (index >= key->keys.size()) return ERROR_NO_MORE_ITEMS;
    auto it = key->keys.begin();
    std::advance(it, index);
    const std::wstring& found = it->second->name;
    if (found.size() + 1 > *chars) return ERROR_MORE_DATA;
    std::copy(found.begin(), found.end(), name);
    name[found.size()] = L'\0';
    *chars = static_cast<uint32_t>(found.size());
    return ERROR_SUCCESS;
}

long RegistryStore::DeleteKey(Handle parent, const wchar_t* subKey) {
    std::vector<std::wstring> parts = SplitPath(subKey);
    if (parts.empty()) return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> g(lock_);
    std::shared_ptr<Key> key;
    long rc = Resolve(parent, 0, key);
    if (rc != ERROR_SUCCESS) return rc;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        auto it = key->keys.find(FoldName(parts[i]));
        if (it == key->keys.end()) return ERROR_FILE_NOT_FOUND;
        key = it->second;
    }
    auto it = key->keys.find(FoldName(parts.back()));
    if (it == key->keys.end()) return ERROR_FILE_NOT_FOUND;
    // Windows deletes only keys without sub-keys.
    if (!it->second->keys.empty()) return ERROR_ACCESS_DENIED;
    it->second->deleted = true;
    key->keys.erase(it);
    return ERROR_SUCCESS;
}

long RegistryStore::DeleteValue(Handle h, const wchar_t* name) {
    std::lock_guard<std::mutex> g(lock_);
    std::shared_ptr<Key> key;
    long rc = Resolve(h, KEY_SET_VALUE, key);
    if (rc != ERROR_SUCCESS) return rc;
    return key->values.erase(ValueKey(name)) == 1 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

void RegistryStore::Reset() {
    std::lock_guard<std::mutex> g(lock_);
    for (auto& h : handles_) h.second.key->deleted = true;
    handles_.clear();
    MakeRoots();
}

void RegistryStore::MakeRoots() {
    roots_.clear();
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS})
        roots_[reinterpret_cast<uintptr_t>(root)] = std::make_shared<Key>();
}

RegistryStore::RegistryStore() { MakeRoots(); }

size_t RegistryStore::OpenHandles() const {
    std::lock_guard<std::mutex> g(lock_);
    return handles_.size();
}

}  // namespace sim
