// The simulated registry: a tree of keys under the predefined roots. Key and
// value names compare without regard to case and keep the case they were
// created with; sub-keys enumerate in name order, as on Windows. Handles are
// counted objects, so a key deleted while open answers ERROR_KEY_DELETED.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace sim {

class RegistryStore {
public:
    using Handle = void*;

    RegistryStore();

    // Opens (create false) or creates a key below `parent`, which is a
    // predefined root or a handle of this store. `created` tells whether the
    // key is new.
    long Open(Handle parent, const wchar_t* subKey, uint32_t access, bool create, Handle* result, bool* created);
    long Close(Handle key);
    long Query(Handle key, const wchar_t* name, uint32_t* type, uint8_t* data, uint32_t* size);
    long Set(Handle key, const wchar_t* name, uint32_t type, const uint8_t* data, uint32_t size);
    // Sub-key `index` in name order; *chars holds the buffer's capacity in
    // characters on entry and the name's length on success.
    long EnumKey(Handle key, uint32_t index, wchar_t* name, uint32_t* chars);
    long DeleteKey(Handle parent, const wchar_t* subKey);
    long DeleteValue(Handle key, const wchar_t* name);

    // Drops every key and invalidates every open handle.
    void Reset();
    size_t OpenHandles() const;

private:
    struct Value {
        std::wstring name;
        uint32_t type = 0;
        std::vector<uint8_t> data;
    };
    struct Key {
        std::wstring name;
        bool deleted = false;
        std::map<std::wstring, std::shared_ptr<Key>> keys;  // by upper-case name
        std::map<std::wstring, Value> values;                // by upper-case name
    };
    struct OpenKey {
        std::shared_ptr<Key> key;
        uint32_t access = 0;
    };

    long Resolve(Handle h, uint32_t need, std::shared_ptr<Key>& key) const;
    std::shared_ptr<Key> Root(Handle h) const;
    void MakeRoots();

    mutable std::mutex lock_;
    std::map<uintptr_t, std::shared_ptr<Key>> roots_;
    std::map<Handle, OpenKey> handles_;
    uintptr_t nextHandle_ = 0x1000;
};

// Upper-case form of a name, the key under which names compare.
std::wstring FoldName(const std::wstring& name);

}  // namespace sim
