#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "Entries.h"
#include "foundation/CountedPtr.h"
#include "foundation/Event.h"
#include "platform/sim/Faults.h"

namespace {

using test::Api, test::Call, test::ExpectEntries, test::ExpectThrows, test::Stack;

TEST(Event, CreateGivesAWaitableHandleOfTheRequestedKindAndCloseClosesItOnce) {
    util::Event autoReset, manual;
    autoReset.Create(false, true);
    manual.Create(true, false);
    EXPECT_EQ(::WaitForSingleObject(autoReset.GetHandle(), 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(autoReset.GetHandle(), 0), WAIT_TIMEOUT);
    EXPECT_EQ(::WaitForSingleObject(manual.GetHandle(), 0), WAIT_TIMEOUT) << "created unset";
    manual.SetEvent();
    EXPECT_EQ(::WaitForSingleObject(manual.GetHandle(), 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(manual.GetHandle(), 0), WAIT_OBJECT_0);
    manual.ResetEvent();
    EXPECT_EQ(::WaitForSingleObject(manual.GetHandle(), 0), WAIT_TIMEOUT);

    // A second close that reached the kernel would be refused and throw.
    HANDLE h = manual.GetHandle();
    manual.Close();
    EXPECT_EQ(manual.GetHandle(), nullptr);
    EXPECT_EQ(::WaitForSingleObject(h, 0), WAIT_FAILED) << "the handle was closed";
    EXPECT_NO_THROW(manual.Close());
}

TEST(Event, CreateFailureReadsAsTheKernelEntryThenTheEventsOwn) {
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the real kernel has no fault switch";
    util::Event e;
    sim::ScopedFault fault("CreateEventW", ERROR_NOT_ENOUGH_MEMORY);
    ExpectEntries(ExpectThrows<util::SystemCallEx>([&] { e.Create(false, false); }),
                  {Api(L"CreateEventW", ERROR_NOT_ENOUGH_MEMORY),
                   Call(L"util::Event::Create", L"CreateEvent"), Stack(L"util::Event::Create")});
    EXPECT_EQ(e.GetHandle(), nullptr);
}

// Without a handle the kernel refuses the call; the event names it.
TEST(Event, SetAndResetFailureIsASystemCallExNamingTheCall) {
    const std::pair<const wchar_t*, std::function<void(util::Event&)>> rows[] = {
        {L"SetEvent", [](util::Event& e) { e.SetEvent(); }},
        {L"ResetEvent", [](util::Event& e) { e.ResetEvent(); }},
    };
    for (const auto& [call, operation] : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(call)));
        util::Event e;
        const std::wstring function = std::wstring(L"util::Event::") + call;
        ExpectEntries(ExpectThrows<util::SystemCallEx>([&] { operation(e); }),
                      {Api(call, ERROR_INVALID_HANDLE), Call(function, call), Stack(function)});
    }
}

TEST(Event, CloseFailureClearsTheHandleAndNamesCloseHandle) {
    if (!sim::KernelFaultsSupported()) GTEST_SKIP() << "the real kernel has no fault switch";
    util::Event e;
    e.Create(false, false);
    HANDLE h = e.GetHandle();
    {
        sim::ScopedFault fault("CloseHandle", ERROR_ACCESS_DENIED);
        ExpectEntries(ExpectThrows<util::SystemCallEx>([&] { e.Close(); }),
                      {Api(L"CloseHandle", ERROR_ACCESS_DENIED), Call(L"util::Event::Close", L"CloseHandle"),
                       Stack(L"util::Event::Close")});
        EXPECT_EQ(e.GetHandle(), nullptr);
        // The destructor must swallow a failed close too.
        sim::FailCall("CloseHandle", ERROR_ACCESS_DENIED);
        EXPECT_NO_THROW({
            util::Event doomed;
            doomed.Create(false, false);
        });
    }
    ::CloseHandle(h);
}

// Counts its deletions; derived classes check deletion through the base.
struct Tracked {
    explicit Tracked(std::atomic<int>& deletions) : deleted(deletions) {}
    virtual ~Tracked() { ++deleted; }
    std::atomic<int>& deleted;
};

// Counts 10 more for its own part.
struct Derived : Tracked {
    using Tracked::Tracked;
    ~Derived() override { deleted += 10; }
};

using Ptr = util::CountedPtr<Tracked>;

// Polymorphic objects go through the virtual destructor; plain data is deleted
// plainly (the sanitizer build sees a leak or a mismatched delete).
TEST(CountedPtr, CopiedTwiceMovedOnceReleasedThreeTimesDeletesOnTheLastRelease) {
    std::atomic<int> deleted{0};
    Ptr first(new Derived(deleted));
    Ptr second(first);
    Ptr third;
    third = first;
    EXPECT_EQ(third.Get(), first.Get());
    Ptr moved(std::move(second));  // takes the share over, counts nothing
    EXPECT_FALSE(second);
    EXPECT_EQ(moved.Get(), first.Get());

    first.Release();
    EXPECT_FALSE(first);
    moved.Release();
    EXPECT_EQ(deleted, 0);
    third.Release();
    EXPECT_EQ(deleted, 11) << "deleted once, as the derived object";
    third.Release();
    EXPECT_EQ(deleted, 11) << "releasing an empty pointer does nothing";
    util::CountedPtr<int> p(new int(5));
    util::CountedPtr<int> q(p);
    p.Release();
    EXPECT_EQ(*q, 5);
}

// An empty source, the pointer itself or one sharing its object leave the
// target as it is; another object's pointer releases the old object.
TEST(CountedPtr, AssignmentKeepsTheObjectOrReleasesItForAnother) {
    std::atomic<int> deleted{0}, deletedNew{0};
    Ptr p(new Tracked(deleted));
    Tracked* object = p.Get();
    Ptr& alias = p;
    p = alias;
    Ptr sharer(p);
    p = sharer;
    sharer = p;
    p = Ptr();
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(p.Get(), object);
    EXPECT_EQ(sharer.Get(), object);
    Ptr source(new Tracked(deletedNew));
    p = source;
    EXPECT_EQ(deleted, 0) << "still held by another pointer";
    sharer = source;
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(p.Get(), source.Get());
    EXPECT_EQ(deletedNew, 0);
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
