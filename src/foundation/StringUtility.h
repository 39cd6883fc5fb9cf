// Code page conversion, the registry's double-NUL string lists, tokenising
// and "<1>"-style placeholder substitution.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/MemBuff.h"
#include "foundation/String.h"

namespace util {

class StringUtility {
public:
    using StringList = std::vector<String>;

    // Into the caller's buffer of outSize bytes, terminator included. An empty
    // `in` returns true and leaves `out` alone; false when the system had to
    // substitute a default character; a buffer too small raises
    // util::SystemCallEx naming "WideCharToMultiByte".
    static bool ConvertUnicodeToAnsi(const String& in, char* out, uint32_t outSize);
    // A NUL-terminated ANSI string; an empty `in` clears `out`. Failures raise
    // util::SystemCallEx naming "MultiByteToWideChar".
    static void ConvertAnsiToUnicode(const char* in, String& out);
    // The buffer's bytes read as a NUL-terminated ANSI string.
    static void ConvertAnsiToUnicode(const MemBuff& in, String& out);

    // Wide characters of the double-NUL form: sum of (length + 1), plus 1.
    static uint32_t GetDubbleNullStringSize(const StringList& list);
    // A null `in` leaves `list` unchanged.
    static void ConvertDubbleNullString(const wchar_t* in, StringList& list);
    // `out` holds at least GetDubbleNullStringSize(list) characters.
    static void ConvertToDubbleNullString(const StringList& list, wchar_t* out);

    // Appends the pieces of `text` between delimiters to `list` (not cleared
    // first); returns the list's new size, or 0 when text or delimiter is empty.
    static uint32_t TokenizeString(const String& text, const String& delimiter, StringList& list);
    // Replaces every "<index>"; an empty rsData raises util::ArgumentEx.
    static bool StringIndexToSubString(String& rsData, uint32_t index, const String& value);
};

}  // namespace util
