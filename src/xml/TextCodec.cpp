#include "xml/TextCodec.h"

namespace util {

namespace {

constexpr uint32_t kReplacement = 0xFFFD;

bool IsSurrogate(uint32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

// One UTF-8 sequence at `p`; advances `p` by what it consumed.
uint32_t DecodeUtf8(const unsigned char*& p, const unsigned char* end) {
    const unsigned char lead = *p++;
    if (lead < 0x80) return lead;
    size_t extra = 0;
    uint32_t cp = 0;
    uint32_t min = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, min = 0x10000;
    } else {
        return kReplacement;
    }
    for (size_t i = 0; i < extra; ++i) {
        if (p == end || (*p & 0xC0) != 0x80) return kReplacement;
        cp = (cp << 6) | (*p++ & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || IsSurrogate(cp)) return kReplacement;
    return cp;
}

String DecodeUtf16(const unsigned char* p, const unsigned char* end, bool little) {
    String out;
    auto unit = [little](const unsigned char* q) -> uint32_t {
        return little ? (q[0] | (q[1] << 8)) : ((q[0] << 8) | q[1]);
    };
    while (end - p >= 2) {
        uint32_t u = unit(p);
        p += 2;
        if (u >= 0xD800 && u <= 0xDBFF && end - p >= 2) {
            uint32_t low = unit(p);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                p += 2;
                AppendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        AppendCodePoint(out, IsSurrogate(u) ? kReplacement : u);
    }
    if (p != end) AppendCodePoint(out, kReplacement);  // an odd last byte
    return out;
}

}  // namespace

bool IsXmlChar(uint32_t cp) {
    if (cp < 0x20) return cp == 0x09 || cp == 0x0A || cp == 0x0D;
    if (IsSurrogate(cp)) return false;
    return cp != 0xFFFE && cp != 0xFFFF && cp <= 0x10FFFF;
}

uint32_t NextCodePoint(const String& text, size_t& i) {
    const auto unit = static_cast<uint32_t>(text[i++]);
    if (sizeof(wchar_t) == 2 && unit >= 0xD800 && unit <= 0xDBFF && i < text.size()) {
        const auto low = static_cast<uint32_t>(text[i]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            ++i;
            return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    return unit;
}

size_t FindNonXmlChar(const String& text) {
    for (size_t i = 0; i < text.size();) {
        const size_t at = i;
        if (!IsXmlChar(NextCodePoint(text, i))) return at;
    }
    return String::npos;
}

void AppendCodePoint(String& out, uint32_t cp) {
    if (sizeof(wchar_t) == 2 && cp > 0xFFFF) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(cp));
    }
}

String DecodeText(const unsigned char* bytes, size_t size) {
    const unsigned char* p = bytes;
    const unsigned char* end = bytes + size;
    if (size >= 2 && p[0] == 0xFF && p[1] == 0xFE) return DecodeUtf16(p + 2, end, true);
    if (size >= 2 && p[0] == 0xFE && p[1] == 0xFF) return DecodeUtf16(p + 2, end, false);
    if (size >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) p += 3;
    String out;
    out.reserve(static_cast<size_t>(end - p));
    while (p != end) AppendCodePoint(out, DecodeUtf8(p, end));
    return out;
}

}  // namespace util
