#include "registry/RegEdit.h"

#include "foundation/Api.h"
#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "foundation/StringUtility.h"

namespace util {
namespace {

// A lower call's util::ApiEx becomes this layer's registry exception, the
// caught entries first.
template <class Ex>
[[noreturn]] void Translate(const ApiEx& e, const wchar_t* function, uint32_t line, const String& detail) {
    Ex ex(UTIL_WFILE, function, line);
    ex.Stream() << detail;
    ex.PrependEntries(e);
    throw ex;
}

const wchar_t kIntRead[] = L"util::RegInt<unsigned long>::operator unsigned long";
const wchar_t kIntWrite[] = L"util::RegInt<unsigned long>::operator =";
const wchar_t kStringRead[] =
    L"util::RegString<class util::Basic_String<wchar_t> >::operator class util::Basic_String<wchar_t>";
const wchar_t kStringWrite[] = L"util::RegString<class util::Basic_String<wchar_t> >::operator =";
#define UTIL_STRING_VECTOR                                                                           \
    L"class std::vector<class util::Basic_String<wchar_t>,class std::allocator<class util::Basic_String<wchar_t> > >"
const wchar_t kListRead[] = L"util::RegStringVector<" UTIL_STRING_VECTOR L" >::operator " UTIL_STRING_VECTOR;
const wchar_t kListWrite[] = L"util::RegStringVector<" UTIL_STRING_VECTOR L" >::operator =";

}  // namespace

RegValue::RegValue(const String& keyPath, const String& valueName, HKEY rootKey)
    : valueName_(valueName), keyPath_(keyPath), rootKey_(rootKey) {}

RegValue::RegValue(const String& path, HKEY rootKey) : rootKey_(rootKey) {
    UTIL_TRY
    MakePath(path, keyPath_, valueName_);
    UTIL_CATCH_CHAIN(L"util::RegValue::RegValue")
}

RegValue::~RegValue() = default;

void RegValue::MakePath(const String& path, String& keyPath, String& valueName) {
    UTIL_TRY
    size_t slash = path.rfind(L'\\');
    if (slash == String::npos) {
        keyPath = path;
        valueName = path;
        return;
    }
    keyPath = path.Left(slash);
    valueName = path.Mid(slash + 1);
    UTIL_CATCH_CHAIN(L"util::RegValue::MakePath")
}

bool RegValue::Exists() {
    try {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(rootKey_, keyPath_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        LONG rc = ::RegQueryValueExW(key, valueName_.c_str(), nullptr, nullptr, nullptr, nullptr);
        ::RegCloseKey(key);
        return rc == ERROR_SUCCESS;
    } catch (...) {
        return false;
    }
}

void RegValue::Open(bool create) {
    UTIL_TRY
    Close();  // reopening would otherwise lose the open handle
    try {
        if (create) {
            DWORD disposition = 0;
            wapi::RegCreateKeyExW(rootKey_, keyPath_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &openKey_.handle,
                                  &disposition);
        } else {
            wapi::RegOpenKeyExW(rootKey_, keyPath_.c_str(), 0, KEY_READ, &openKey_.handle);
        }
    } catch (ApiEx& e) {
        Translate<RegistryOpenEx>(e, L"util::RegValue::Open", __LINE__, L"Could not open key: " + keyPath_);
    }
    UTIL_CATCH_CHAIN(L"util::RegValue::Open")
}

void RegValue::Close() {
    UTIL_TRY
    if (openKey_.handle == nullptr) return;
    HKEY key = openKey_.Release();
    try {
        wapi::RegCloseKey(key);
    } catch (ApiEx& e) {
        Translate<RegistryCloseEx>(e, L"util::RegValue::Close", __LINE__, L"Failed to close reg key");
    }
    UTIL_CATCH_CHAIN(L"util::RegValue::Close")
}

void RegValue::QueryValue(DWORD* type, DWORD* size, BYTE* data) {
    UTIL_TRY
    try {
        wapi::RegQueryValueExW(openKey_.handle, valueName_.c_str(), nullptr, type, data, size);
    } catch (ApiEx& e) {
        Translate<RegistryValueNotFoundEx>(e, L"util::RegValue::QueryValue", __LINE__,
                                           L" KeyName: " + keyPath_ + L". ValueName: " + valueName_);
    }
    UTIL_CATCH_CHAIN(L"util::RegValue::QueryValue")
}

void RegValue::SetValue(DWORD type, DWORD size, const BYTE* data) {
    UTIL_TRY
    try {
        wapi::RegSetValueExW(openKey_.handle, valueName_.c_str(), 0, type, data, size);
    } catch (ApiEx& e) {
        Translate<RegistryWriteEx>(e, L"util::RegValue::SetValue", __LINE__, L"Failed to set value: " + valueName_);
    }
    UTIL_CATCH_CHAIN(L"util::RegValue::SetValue")
}

void RegValue::ThrowNotFound(const wchar_t* function, uint32_t line) const {
    RegistryValueNotFoundEx ex(UTIL_WFILE, function, line);
    ex.Stream() << L" KeyName: " << keyPath_ << L". ValueName: " << valueName_;
    throw ex;
}

bool RegValue::MakeString(String& out) {
    UTIL_TRY
    if (!Exists()) return false;
    Open(false);
    DWORD type = 0;
    DWORD size = 0;
    QueryValue(&type, &size, nullptr);
    // Whole characters only, plus a terminator of our own for odd data.
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t));
    if (bytes != 0) QueryValue(&type, &bytes, reinterpret_cast<BYTE*>(text.data()));
    size_t chars = bytes / sizeof(wchar_t);
    String result;
    if (type == REG_EXPAND_SZ) {
        DWORD needed = wapi::ExpandEnvironmentStringsW(text.data(), nullptr, 0);
        std::vector<wchar_t> expanded(needed, L'\0');
        wapi::ExpandEnvironmentStringsW(text.data(), expanded.data(), needed);
        result.assign(expanded.data(), needed - 1);
    } else {
        if (chars > 0 && text[chars - 1] == L'\0') --chars;
        result.assign(text.data(), chars);
    }
    Close();
    out.swap(result);
    return true;
    UTIL_CATCH_CHAIN(L"util::RegValue::MakeString")
}

template <>
RegInt<unsigned long>::operator unsigned long() {
    UTIL_TRY
    return ReadThrough(value_, kIntRead, [this](unsigned long& result) {
        if (!Exists()) return false;
        Open(false);
        uint32_t number = 0;
        DWORD type = 0;
        DWORD size = sizeof(number);
        QueryValue(&type, &size, reinterpret_cast<BYTE*>(&number));
        Close();
        result = number;
        return true;
    });
    UTIL_CATCH_CHAIN(kIntRead)
}

template <>
RegInt<unsigned long>& RegInt<unsigned long>::operator=(unsigned long value) {
    UTIL_TRY
    WriteThrough(value_, value, [this, value] {
        uint32_t number = static_cast<uint32_t>(value);
        SetValue(REG_DWORD, sizeof(number), reinterpret_cast<const BYTE*>(&number));
    });
    return *this;
    UTIL_CATCH_CHAIN(kIntWrite)
}

template <>
RegString<String>::operator String() {
    UTIL_TRY
    return ReadThrough(value_, kStringRead, [this](String& result) { return MakeString(result); });
    UTIL_CATCH_CHAIN(kStringRead)
}

template <>
RegString<String>& RegString<String>::operator=(const String& value) {
    UTIL_TRY
    WriteThrough(value_, value, [this, &value] {
        DWORD bytes = value.empty() ? 0 : static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        SetValue(REG_SZ, bytes, reinterpret_cast<const BYTE*>(value.c_str()));
    });
    return *this;
    UTIL_CATCH_CHAIN(kStringWrite)
}

template <>
RegStringVector<std::vector<String>>::operator std::vector<String>() {
    UTIL_TRY
    return ReadThrough(value_, kListRead, [this](std::vector<String>& result) {
        if (!Exists()) return false;
        Open(false);
        DWORD type = 0;
        DWORD size = 0;
        QueryValue(&type, &size, nullptr);
        if (size != 0) {
            // Two spare terminators keep the list's end in the buffer even
            // when the stored data lacks them.
            std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
            DWORD bytes = static_cast<DWORD>((data.size() - 2) * sizeof(wchar_t));
            if (bytes != 0) QueryValue(&type, &bytes, reinterpret_cast<BYTE*>(data.data()));
            StringUtility::ConvertDubbleNullString(data.data(), result);
        }
        Close();
        return true;
    });
    UTIL_CATCH_CHAIN(kListRead)
}

template <>
RegStringVector<std::vector<String>>& RegStringVector<std::vector<String>>::operator=(
    const std::vector<String>& value) {
    UTIL_TRY
    WriteThrough(value_, value, [this, &value] {
        uint32_t chars = StringUtility::GetDubbleNullStringSize(value);
        std::vector<wchar_t> data(chars, L'\0');
        StringUtility::ConvertToDubbleNullString(value, data.data());
        SetValue(REG_MULTI_SZ, static_cast<DWORD>(chars * sizeof(wchar_t)), reinterpret_cast<const BYTE*>(data.data()));
    });
    return *this;
    UTIL_CATCH_CHAIN(kListWrite)
}

}  // namespace util
