#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"
#include "foundation/MemBuff.h"

namespace {

// The invariants every operation must keep.
void ExpectInvariants(const util::MemBuff& b) {
    EXPECT_LE(b.GetSize(), b.GetCapacity());
    EXPECT_EQ(b.GetBuffer() == nullptr, b.GetCapacity() == 0);
    for (uint32_t i = b.GetSize(); i < b.GetCapacity(); ++i) EXPECT_EQ(b.GetBuffer()[i], 0) << "byte " << i;
}

TEST(MemBuff, AssignNullWithSizeRaisesArgumentNullEx) {
    util::MemBuff b("abc", 3);
    auto e = test::ExpectThrows<util::ArgumentNullEx>([&] { b.Assign(nullptr, 4); });
    ASSERT_EQ(e.Entries().size(), 2u);
    test::ExpectEntry(e, 0, L"class util::ArgumentNullEx", L"util::MemBuff::Assign",
                      L"NULL value invalid for param pBuffer when uiBufferSize != 0.", 0);
    test::ExpectEntry(e, 1, L"Stack Entry", L"util::MemBuff::Assign", L"", 0);
    EXPECT_EQ(b.GetSize(), 3u);  // nothing lost
    EXPECT_EQ(std::memcmp(b.GetBuffer(), "abc", 3), 0);
}

TEST(MemBuff, AssignReusesALargeEnoughBlockAndNullWithZeroSizeEmpties) {
    util::MemBuff b("abcdef", 6);
    const uint8_t* block = b.GetBuffer();
    b.Assign("xy", 2);
    EXPECT_EQ(b.GetBuffer(), block);
    EXPECT_EQ(b.GetSize(), 2u);
    EXPECT_EQ(b.GetCapacity(), 6u);
    EXPECT_EQ(std::memcmp(b.GetBuffer(), "xy", 2), 0);
    ExpectInvariants(b);
    b.Assign("0123456789", 10);
    EXPECT_EQ(b.GetCapacity(), 10u);
    EXPECT_EQ(std::memcmp(b.GetBuffer(), "0123456789", 10), 0);
    b.Assign(nullptr, 0);
    EXPECT_EQ(b.GetBuffer(), nullptr);
    EXPECT_EQ(b.GetSize(), 0u);
    ExpectInvariants(b);
}

// Shrinking reallocates to the exact size; growing within the capacity keeps the block.
TEST(MemBuff, Resize) {
    util::MemBuff b("abcdef", 6);
    b.Resize(3);
    EXPECT_EQ(b.GetCapacity(), 3u);
    EXPECT_EQ(std::memcmp(b.GetBuffer(), "abc", 3), 0);
    b.Resize(8);
    EXPECT_EQ(b.GetCapacity(), 8u);
    EXPECT_EQ(std::memcmp(b.GetBuffer(), "abc\0\0\0\0\0", 8), 0);
    b.Assign("xy", 2);
    const uint8_t* block = b.GetBuffer();
    b.Resize(4);
    EXPECT_EQ(b.GetBuffer(), block);
    EXPECT_EQ(b.GetSize(), 4u);
    EXPECT_EQ(std::memcmp(b.GetBuffer(), "xy\0\0", 4), 0);  // exposed bytes are zero
    ExpectInvariants(b);
    b.Resize(0);
    EXPECT_EQ(b.GetBuffer(), nullptr);
    ExpectInvariants(b);
}

TEST(MemBuff, AppendAndAlloc) {
    util::MemBuff b;
    for (uint8_t c : {'h', 'i', '\0'}) b.Append(c);
    EXPECT_EQ(b.GetSize(), 3u);
    EXPECT_STREQ(reinterpret_cast<const char*>(b.GetBuffer()), "hi");
    b.Alloc(5);
    EXPECT_EQ(b.GetSize(), 5u);
    for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(b.GetBuffer()[i], 0);
    ExpectInvariants(b);
}

TEST(MemBuff, CopiesOwnTheirBytes) {
    util::MemBuff a("abc", 3);
    util::MemBuff b(a);
    util::MemBuff c;
    c = a;
    a.Assign("xyz", 3);
    EXPECT_EQ(std::memcmp(b.GetBuffer(), "abc", 3), 0);
    EXPECT_EQ(std::memcmp(c.GetBuffer(), "abc", 3), 0);
    c = c;
    EXPECT_EQ(std::memcmp(c.GetBuffer(), "abc", 3), 0);
}

}  // namespace
