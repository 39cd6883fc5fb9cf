#include "foundation/StringUtility.h"

#include <cstring>

#include "foundation/Api.h"
#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "foundation/SystemCallError.h"

namespace util {

bool StringUtility::ConvertUnicodeToAnsi(const String& in, char* out, uint32_t outSize) {
    UTIL_TRY
    if (in.empty()) return true;
    BOOL usedDefault = FALSE;
    const int size = static_cast<int>(outSize);
    TranslateApiEx(UTIL_WFILE, L"util::StringUtility::ConvertUnicodeToAnsi", __LINE__, L"WideCharToMultiByte", [&] {
        if (::GetACP() != CP_UTF8) {
            wapi::WideCharToMultiByte(CP_ACP, 0, in.c_str(), -1, out, size, nullptr, &usedDefault);
        } else {
            // UTF-8 refuses the question whether a default character was
            // used: ask it to refuse what it cannot encode instead, and
            // convert with replacements when it did.
            try {
                wapi::WideCharToMultiByte(CP_ACP, WC_ERR_INVALID_CHARS, in.c_str(), -1, out, size, nullptr, nullptr);
            } catch (ApiEx& e) {
                if (e.GetFirstEntry().code != ERROR_NO_UNICODE_TRANSLATION) throw;
                usedDefault = TRUE;
                wapi::WideCharToMultiByte(CP_ACP, 0, in.c_str(), -1, out, size, nullptr, nullptr);
            }
        }
    });
    return usedDefault == FALSE;
    UTIL_CATCH_CHAIN(L"util::StringUtility::ConvertUnicodeToAnsi")
}

void StringUtility::ConvertAnsiToUnicode(const char* in, String& out) {
    UTIL_TRY
    if (in == nullptr || *in == '\0') {
        out.clear();
        return;
    }
    TranslateApiEx(UTIL_WFILE, L"util::StringUtility::ConvertAnsiToUnicode", __LINE__, L"MultiByteToWideChar", [&] {
        int n = wapi::MultiByteToWideChar(CP_ACP, 0, in, -1, nullptr, 0);
        String text(static_cast<size_t>(n), L'\0');
        wapi::MultiByteToWideChar(CP_ACP, 0, in, -1, text.data(), n);
        text.resize(static_cast<size_t>(n) - 1);  // the terminator
        out.swap(text);
    });
    UTIL_CATCH_CHAIN(L"util::StringUtility::ConvertAnsiToUnicode")
}

void StringUtility::ConvertAnsiToUnicode(const MemBuff& in, String& out) {
    UTIL_TRY
    const char* text = reinterpret_cast<const char*>(in.GetBuffer());
    // Never read past the block, whatever the caller appended.
    if (text != nullptr && std::memchr(text, 0, in.GetSize()) == nullptr) {
        MemBuff terminated(in);
        terminated.Append(0);
        ConvertAnsiToUnicode(reinterpret_cast<const char*>(terminated.GetBuffer()), out);
        return;
    }
    ConvertAnsiToUnicode(text, out);
    UTIL_CATCH_CHAIN(L"util::StringUtility::ConvertAnsiToUnicode")
}

uint32_t StringUtility::GetDubbleNullStringSize(const StringList& list) {
    UTIL_TRY
    uint32_t size = 1;
    for (const auto& s : list) size += static_cast<uint32_t>(s.size()) + 1;
    return size;
    UTIL_CATCH_CHAIN(L"util::StringUtility::GetDubbleNullStringSize")
}

void StringUtility::ConvertDubbleNullString(const wchar_t* in, StringList& list) {
    UTIL_TRY
    if (in == nullptr) return;
    list.clear();
    for (const wchar_t* p = in; *p != L'\0'; p += std::wcslen(p) + 1) list.emplace_back(p);
    UTIL_CATCH_CHAIN(L"util::StringUtility::ConvertDubbleNullString")
}

void StringUtility::ConvertToDubbleNullString(const StringList& list, wchar_t* out) {
    UTIL_TRY
    for (const auto& s : list) {
        std::wmemcpy(out, s.c_str(), s.size() + 1);
        out += s.size() + 1;
    }
    *out = L'\0';
    UTIL_CATCH_CHAIN(L"util::StringUtility::ConvertToDubbleNullString")
}

uint32_t StringUtility::TokenizeString(const String& text, const String& delimiter, StringList& list) {
    UTIL_TRY
    if (text.empty() || delimiter.empty()) return 0;
    String rest(text);
    while (!rest.empty()) list.push_back(rest.Extract(delimiter, true));
    return static_cast<uint32_t>(list.size());
    UTIL_CATCH_CHAIN(L"util::StringUtility::TokenizeString")
}

bool StringUtility::StringIndexToSubString(String& rsData, uint32_t index, const String& value) {
    UTIL_TRY
    if (rsData.empty()) throw ArgumentEx(UTIL_WFILE, L"util::StringUtility::StringIndexToSubString", __LINE__);
    String key(L"<");
    key.AppendNumber(index);
    key.append(L">");
    return rsData.ReplaceSubString(key, value);
    UTIL_CATCH_CHAIN(L"util::StringUtility::StringIndexToSubString")
}

}  // namespace util
