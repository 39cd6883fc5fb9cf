// Orders wide strings by their UTF-16 code units, the order the device
// database's name tables are walked in. wchar_t is UTF-16 on Windows but
// UTF-32 elsewhere, where characters beyond the BMP must sort as their
// surrogate pairs (below U+E000..U+FFFF), not as their code points.
#pragma once

#include "foundation/String.h"

namespace ace {

// Negative, zero or positive as `left` sorts before, with or after `right`.
int CompareUtf16(const util::String& left, const util::String& right);

struct Utf16Less {
    bool operator()(const util::String& left, const util::String& right) const {
        return CompareUtf16(left, right) < 0;
    }
};

}  // namespace ace
