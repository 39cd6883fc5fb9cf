#include "devicedb/Utf16Order.h"

#include <cstdint>

namespace ace {
namespace {

// Yields the UTF-16 code units of a wide string one at a time.
class Utf16Units {
public:
    explicit Utf16Units(const util::String& text) : text_(text) {}

    bool Next(uint32_t& unit) {
        if (hasPending_) {
            unit = pending_;
            hasPending_ = false;
            return true;
        }
        if (pos_ == text_.size()) return false;
        uint32_t c = static_cast<uint32_t>(text_[pos_++]);
        if (c <= 0xFFFF) {
            unit = c;
        } else if (c <= 0x10FFFF) {
            c -= 0x10000;
            unit = 0xD800 + (c >> 10);
            pending_ = 0xDC00 + (c & 0x3FF);
            hasPending_ = true;
        } else {
            // Not a character: sort it after all text but keep it distinct,
            // so that the order stays strict.
            unit = 0xFFFF;
            pending_ = c;
            hasPending_ = true;
        }
        return true;
    }

private:
    const util::String& text_;
    size_t pos_ = 0;
    uint32_t pending_ = 0;
    bool hasPending_ = false;
};

}  // namespace

int CompareUtf16(const util::String& left, const util::String& right) {
    Utf16Units a(left);
    Utf16Units b(right);
    for (;;) {
        uint32_t ua = 0;
        uint32_t ub = 0;
        bool moreA = a.Next(ua);
        bool moreB = b.Next(ub);
        if (!moreA || !moreB) return moreA ? 1 : (moreB ? -1 : 0);
        if (ua != ub) return ua < ub ? -1 : 1;
    }
}

}  // namespace ace
