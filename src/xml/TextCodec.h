// Unicode helpers for the XML layer: code points into wide strings, and
// bytes of a file into wide text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/String.h"

namespace util {

// True for the characters an XML document may hold.
bool IsXmlChar(uint32_t cp);
// The code point at `i` (a surrogate pair taken whole where wchar_t has 16
// bits; a lone surrogate is itself); `i` moves past it.
uint32_t NextCodePoint(const String& text, size_t& i);
// The position of the first character an XML document cannot hold (a lone
// surrogate where wchar_t has 16 bits), or String::npos.
size_t FindNonXmlChar(const String& text);
// Appends the code point, as a surrogate pair where wchar_t has 16 bits.
void AppendCodePoint(String& out, uint32_t cp);
// UTF-16 (with its byte order mark) or UTF-8 (with or without one); invalid
// sequences become U+FFFD.
String DecodeText(const unsigned char* bytes, size_t size);

}  // namespace util
