// Wildcard name matching for the find operations.
#include "xml/PugXml.h"

namespace pug {

namespace {

// Matches one character against the set that starts after "[" at `p`; sets
// `end` past the closing "]". False with end null when the set is not closed.
bool match_set(const wchar_t* p, wchar_t c, const wchar_t*& end) {
    bool negate = false;
    if (*p == L'!') {
        negate = true;
        ++p;
    }
    bool found = false;
    bool first = true;
    while (*p != L'\0' && (*p != L']' || first)) {
        first = false;
        if (p[1] == L'-' && p[2] != L'\0' && p[2] != L']') {
            if (p[0] <= c && c <= p[2]) found = true;
            p += 3;
        } else {
            if (*p == c) found = true;
            ++p;
        }
    }
    if (*p != L']') {
        end = nullptr;
        return false;
    }
    end = p + 1;
    return found != negate;
}

// One pattern element against one character; `next` is the following element.
bool match_one(const wchar_t* p, wchar_t c, const wchar_t*& next) {
    if (*p == L'?') {
        next = p + 1;
        return true;
    }
    if (*p == L'[') {
        const wchar_t* end = nullptr;
        bool ok = match_set(p + 1, c, end);
        if (end != nullptr) {
            next = end;
            return ok;
        }
        // An unclosed "[" stands for itself.
    }
    next = p + 1;
    return *p == c;
}

}  // namespace

bool name_matches(const wchar_t* pattern, const wchar_t* name) {
    if (pattern == nullptr || name == nullptr) return false;
    const wchar_t* p = pattern;
    const wchar_t* n = name;
    const wchar_t* star = nullptr;  // pattern just after the last "*"
    const wchar_t* resume = nullptr;  // name position that "*" swallowed up to
    while (*n != L'\0') {
        if (*p == L'*') {
            star = ++p;
            resume = n;
            continue;
        }
        const wchar_t* next = nullptr;
        if (*p != L'\0' && match_one(p, *n, next)) {
            p = next;
            ++n;
            continue;
        }
        if (star == nullptr) return false;
        p = star;
        n = ++resume;
    }
    while (*p == L'*') ++p;
    return *p == L'\0';
}

}  // namespace pug
