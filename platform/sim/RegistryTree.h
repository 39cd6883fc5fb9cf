// Writes a world into the registry through the registry API itself: natively
// that fills the simulated registry, on Windows the real one. Every key it
// creates (and every key it is told to own) is removed with all its sub-keys
// when the object ends, so tests can share a real registry and run in
// parallel as long as each writes under names of its own (UniqueName).
#pragma once

#include <string>
#include <vector>

#include "../win32.h"

namespace sim {

class RegistryTree {
public:
    explicit RegistryTree(HKEY root = HKEY_LOCAL_MACHINE);
    ~RegistryTree();
    RegistryTree(const RegistryTree&) = delete;
    RegistryTree& operator=(const RegistryTree&) = delete;

    // Creates the key and any missing parent; with `own`, the first key that
    // did not exist is owned. Keys shared between tests are created unowned.
    void CreateKey(const std::wstring& path, bool own = true);
    // Owns the key whether or not it exists yet (for keys the code under test
    // creates).
    void Own(const std::wstring& path);
    // A new sub-key of `parent` named by four hexadecimal digits that no key
    // had; returns its path.
    std::wstring AddNumberedKey(const std::wstring& parent);

    // Values; the key is created first. Text is stored with its terminator.
    void SetString(const std::wstring& path, const std::wstring& name, const std::wstring& value,
                   DWORD type = REG_SZ);
    void SetMultiString(const std::wstring& path, const std::wstring& name, const std::vector<std::wstring>& values);
    void SetDword(const std::wstring& path, const std::wstring& name, DWORD value);
    void SetRaw(const std::wstring& path, const std::wstring& name, DWORD type, const void* data, DWORD bytes);

    // Read back, for assertions: false when the value is missing.
    bool Get(const std::wstring& path, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) const;
    bool KeyExists(const std::wstring& path) const;

    // "prefix-" followed by text unique to this process and call.
    static std::wstring UniqueName(const std::wstring& prefix);
    // A fresh braced upper-case GUID text.
    static std::wstring NewGuidText();

private:
    HKEY root_;
    std::vector<std::wstring> owned_;
};

// Removes `path` with everything below it; false when it cannot.
bool DeleteRegistryTree(HKEY root, const std::wstring& path);

}  // namespace sim
