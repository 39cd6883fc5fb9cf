#include "registry/RegEnum.h"

#include "foundation/Api.h"
#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

namespace util {

namespace {
const DWORD kNameChars = 256;
}

RegEnumKeys::RegEnumKeys(const String& keyPath, bool fullPaths, HKEY rootKey) { Init(keyPath, fullPaths, rootKey); }

RegEnumKeys::~RegEnumKeys() = default;

void RegEnumKeys::Init(const String& keyPath, bool fullPaths, HKEY rootKey) {
    UTIL_TRY
    clear();
    HKEY key = nullptr;
    wapi::RegOpenKeyExW(rootKey, keyPath.c_str(), 0, KEY_READ, &key);
    // Closes the key on every way out, the throwing ones included.
    struct Closer {
        HKEY key;
        ~Closer() { ::RegCloseKey(key); }
    } closer{key};
    wchar_t name[kNameChars];
    for (DWORD index = 0;; ++index) {
        DWORD chars = kNameChars;
        if (::RegEnumKeyExW(key, index, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (chars >= kNameChars) continue;
        String entry(String::Base(name, chars));
        push_back(fullPaths ? keyPath + L"\\" + entry : entry);
    }
    UTIL_CATCH_CHAIN(L"util::RegEnumKeys::Init")
}

}  // namespace util
