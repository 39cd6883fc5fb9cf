// Typed accessors of single registry values. Reads are cached per object;
// a missing value is an error (RegistryValueNotFoundEx) unless use-default is
// set, in which case the held value is returned.
#pragma once

#include <utility>
#include <vector>

#include "foundation/String.h"
#include "platform/win32.h"

namespace util {

class RegValue {
public:
    RegValue(const String& keyPath, const String& valueName, HKEY rootKey);
    // `path` splits at its last backslash into key path and value name.
    RegValue(const String& path, HKEY rootKey);
    virtual ~RegValue();
    // The object owns its open key: a copy would close it twice.
    RegValue(const RegValue&) = delete;
    RegValue& operator=(const RegValue&) = delete;
    RegValue(RegValue&&) noexcept = default;
    RegValue& operator=(RegValue&&) noexcept = default;

    void SetUseDefault(bool useDefault) { useDefault_ = useDefault; }
    bool GetUseDefault() const { return useDefault_; }
    void SetCache(bool cache) { cache_ = cache; }
    bool GetCache() const { return cache_; }

    // The key opens and the value is there; never throws.
    bool Exists();
    // Opens for reading, or creates for writing; a key still open is closed first.
    void Open(bool create);
    void Close();
    // A null data pointer asks for the size only.
    void QueryValue(DWORD* type, DWORD* size, BYTE* data);
    void SetValue(DWORD type, DWORD size, const BYTE* data);
    // The value as text (REG_EXPAND_SZ expanded); false when it is missing.
    bool MakeString(String& out);

    static void MakePath(const String& path, String& keyPath, String& valueName);

protected:
    [[noreturn]] void ThrowNotFound(const wchar_t* function, uint32_t line) const;

    // The read every accessor shares: the held value while cached, else
    // `read(result)` (false: the value is missing).
    template <class T, class Read>
    T ReadThrough(T& held, const wchar_t* function, Read read) {
        if (cache_ && cached_) return held;
        T result{};
        if (!read(result)) {
            if (!useDefault_) ThrowNotFound(function, __LINE__);
            return held;
        }
        if (cache_) held = result;
        cached_ = true;
        return result;
    }

    // The write every accessor shares: create the key, `write()`, close.
    template <class T, class Write>
    void WriteThrough(T& held, const T& value, Write write) {
        Open(true);
        write();
        Close();
        if (cache_) {
            held = value;
            cached_ = true;
        }
    }

    // The open key, closed when replaced or destroyed; moves hand it over.
    struct OpenKey {
        HKEY handle = nullptr;
        OpenKey() = default;
        OpenKey(OpenKey&& other) noexcept : handle(other.Release()) {}
        OpenKey& operator=(OpenKey&& other) noexcept {
            if (this != &other) {
                Reset();
                handle = other.Release();
            }
            return *this;
        }
        ~OpenKey() { Reset(); }
        HKEY Release() noexcept { return std::exchange(handle, nullptr); }
        void Reset() noexcept {
            if (handle != nullptr) ::RegCloseKey(Release());
        }
    };

    bool cached_ = false;
    String valueName_;
    String keyPath_;
    OpenKey openKey_;
    HKEY rootKey_;
    bool useDefault_ = false;
    bool cache_ = true;
};

template <class T>
class RegInt : public RegValue {
public:
    using RegValue::RegValue;
    operator T();
    RegInt& operator=(T value);

private:
    T value_{};
};

template <class T>
class RegString : public RegValue {
public:
    using RegValue::RegValue;
    operator T();
    RegString& operator=(const T& value);

private:
    T value_{};
};

template <class T>
class RegStringVector : public RegValue {
public:
    using RegValue::RegValue;
    operator T();
    RegStringVector& operator=(const T& value);

private:
    T value_{};
};

using RegDword = RegInt<unsigned long>;
using RegText = RegString<String>;
using RegTextList = RegStringVector<std::vector<String>>;

template <> RegInt<unsigned long>::operator unsigned long();
template <> RegInt<unsigned long>& RegInt<unsigned long>::operator=(unsigned long value);
template <> RegString<String>::operator String();
template <> RegString<String>& RegString<String>::operator=(const String& value);
template <> RegStringVector<std::vector<String>>::operator std::vector<String>();
template <> RegStringVector<std::vector<String>>& RegStringVector<std::vector<String>>::operator=(
    const std::vector<String>& value);

}  // namespace util
