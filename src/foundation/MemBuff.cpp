#include "foundation/MemBuff.h"

#include <algorithm>
#include <cstring>

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

namespace util {

MemBuff::MemBuff() : buffer_(nullptr), size_(0), capacity_(0) {}

MemBuff::MemBuff(const void* pBuffer, uint32_t uiBufferSize) : MemBuff() {
    UTIL_TRY
    Assign(pBuffer, uiBufferSize);
    UTIL_CATCH_CHAIN(L"util::MemBuff::MemBuff")
}

MemBuff::MemBuff(const MemBuff& other) : MemBuff() {
    UTIL_TRY
    Assign(other.buffer_, other.size_);
    UTIL_CATCH_CHAIN(L"util::MemBuff::MemBuff")
}

MemBuff& MemBuff::operator=(const MemBuff& other) {
    UTIL_TRY
    if (this != &other) Assign(other.buffer_, other.size_);
    return *this;
    UTIL_CATCH_CHAIN(L"util::MemBuff::operator=")
}

MemBuff::~MemBuff() { delete[] buffer_; }

void MemBuff::Alloc(uint32_t n) {
    UTIL_TRY
    uint8_t* block = n ? new uint8_t[n]() : nullptr;
    delete[] buffer_;
    buffer_ = block;
    size_ = capacity_ = n;
    UTIL_CATCH_CHAIN(L"util::MemBuff::Alloc")
}

void MemBuff::Assign(const void* pBuffer, uint32_t uiBufferSize) {
    UTIL_TRY
    if (uiBufferSize == 0) {
        Free();
        return;
    }
    if (pBuffer == nullptr) {
        ArgumentNullEx ex(UTIL_WFILE, L"util::MemBuff::Assign", __LINE__);
        ex.SetParam(1, L"pBuffer when uiBufferSize != 0");
        throw ex;
    }
    if (uiBufferSize > capacity_) {
        uint8_t* block = new uint8_t[uiBufferSize]();
        std::memcpy(block, pBuffer, uiBufferSize);
        delete[] buffer_;
        buffer_ = block;
        size_ = capacity_ = uiBufferSize;
        return;
    }
    std::memmove(buffer_, pBuffer, uiBufferSize);
    size_ = uiBufferSize;
    std::memset(buffer_ + size_, 0, capacity_ - size_);
    UTIL_CATCH_CHAIN(L"util::MemBuff::Assign")
}

void MemBuff::Resize(uint32_t n) {
    UTIL_TRY
    if (n == size_) return;
    if (n == 0) {
        Free();
        return;
    }
    if (n > size_ && n <= capacity_) {
        size_ = n;
        return;
    }
    uint8_t* block = new uint8_t[n]();
    if (buffer_ != nullptr) std::memcpy(block, buffer_, std::min(size_, n));
    delete[] buffer_;
    buffer_ = block;
    size_ = capacity_ = n;
    UTIL_CATCH_CHAIN(L"util::MemBuff::Resize")
}

void MemBuff::Append(uint8_t byte) {
    UTIL_TRY
    Resize(size_ + 1);
    buffer_[size_ - 1] = byte;
    UTIL_CATCH_CHAIN(L"util::MemBuff::Append")
}

void MemBuff::Free() {
    delete[] buffer_;
    buffer_ = nullptr;
    size_ = capacity_ = 0;
}

}  // namespace util
