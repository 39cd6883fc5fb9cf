#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "foundation/CountedPtr.h"

namespace {

// Counts its deletions; derived classes check deletion through the base.
struct Tracked {
    explicit Tracked(std::atomic<int>& deletions) : deleted(deletions) {}
    virtual ~Tracked() { ++deleted; }
    std::atomic<int>& deleted;
};

struct Derived : Tracked {
    Derived(std::atomic<int>& deletions, bool& flag) : Tracked(deletions), derivedGone(flag) {}
    ~Derived() override { derivedGone = true; }
    bool& derivedGone;
};

using Ptr = util::CountedPtr<Tracked>;

TEST(CountedPtr, CopiedTwiceReleasedThreeTimesDeletesOnTheLastRelease) {
    std::atomic<int> deleted{0};
    Ptr first(new Tracked(deleted));
    Ptr second(first);
    Ptr third;
    third = first;
    EXPECT_EQ(third.Get(), first.Get());

    first.Release();
    EXPECT_FALSE(first);
    second.Release();
    EXPECT_EQ(deleted, 0);
    third.Release();
    EXPECT_EQ(deleted, 1);
    third.Release();
    EXPECT_EQ(deleted, 1) << "releasing an empty pointer does nothing";
}

TEST(CountedPtr, AssigningToItselfOrToASharerKeepsTheObject) {
    std::atomic<int> deleted{0};
    Ptr p(new Tracked(deleted));
    Tracked* object = p.Get();
    Ptr& alias = p;
    p = alias;
    Ptr sharer(p);
    p = sharer;
    sharer = p;
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(p.Get(), object);
    EXPECT_EQ(sharer.Get(), object);
    p.Release();
    EXPECT_EQ(deleted, 0);
    sharer.Release();
    EXPECT_EQ(deleted, 1);
}

TEST(CountedPtr, AssigningAnEmptyPointerLeavesTheTargetAnotherObjectReleasesIt) {
    std::atomic<int> deletedOld{0}, deletedNew{0};
    Ptr target(new Tracked(deletedOld));
    Tracked* object = target.Get();
    target = Ptr();
    EXPECT_EQ(target.Get(), object);
    Ptr keep(target);
    Ptr source(new Tracked(deletedNew));
    target = source;
    EXPECT_EQ(deletedOld, 0) << "still held by another pointer";
    keep = source;
    EXPECT_EQ(deletedOld, 1);
    EXPECT_EQ(target.Get(), source.Get());
    EXPECT_EQ(deletedNew, 0);
}

// Polymorphic objects go through the virtual destructor; plain data is deleted
// plainly (the sanitizer build sees a leak or a mismatched delete).
TEST(CountedPtr, DeletesThroughTheVirtualDestructorAndPlainData) {
    std::atomic<int> deleted{0};
    bool derivedGone = false;
    { Ptr p(new Derived(deleted, derivedGone)); }
    EXPECT_TRUE(derivedGone);
    EXPECT_EQ(deleted, 1);
    util::CountedPtr<int> p(new int(5));
    util::CountedPtr<int> q(p);
    p.Release();
    EXPECT_EQ(*q, 5);
}

// Two threads copy and release one object's pointer; the last release, on
// whichever thread, deletes it exactly once.
TEST(CountedPtr, CopiesOnTwoThreadsDeleteTheObjectOnce) {
    constexpr int kPairs = 100000;
    std::atomic<int> deleted{0};
    Ptr shared(new Tracked(deleted));
    auto churn = [](Ptr mine) {
        for (int i = 0; i < kPairs; ++i) {
            Ptr copy(mine);
            copy.Release();
        }
    };
    std::thread a(churn, shared), b(churn, shared);
    shared.Release();
    a.join();
    b.join();
    EXPECT_EQ(deleted, 1);
}

}  // namespace
