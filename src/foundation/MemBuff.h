// util::MemBuff: an owned, resizable byte block. Size never exceeds capacity;
// the pointer is null exactly when capacity is 0; bytes between size and
// capacity are zero.
#pragma once

#include <cstdint>

namespace util {

class MemBuff {
public:
    MemBuff();
    // Empty, then Assign(pBuffer, uiBufferSize).
    MemBuff(const void* pBuffer, uint32_t uiBufferSize);
    MemBuff(const MemBuff& other);
    MemBuff& operator=(const MemBuff& other);
    virtual ~MemBuff();

    // A new zeroed block of n bytes; size and capacity n.
    void Alloc(uint32_t n);
    // Copies the bytes in; size 0 frees; a null pointer with a size raises
    // util::ArgumentNullEx.
    void Assign(const void* pBuffer, uint32_t uiBufferSize);
    // Growing within the capacity changes only the size; growing beyond it
    // or shrinking reallocates to exactly n bytes.
    void Resize(uint32_t n);
    void Append(uint8_t byte);
    void Free();

    uint8_t* GetBuffer() const { return buffer_; }
    uint32_t GetSize() const { return size_; }
    uint32_t GetCapacity() const { return capacity_; }

private:
    uint8_t* buffer_;
    uint32_t size_;
    uint32_t capacity_;
};

}  // namespace util
