// A shared owner of a heap object with a lock-guarded count. Copies may be
// made and released on several threads; one pointer object must not be
// assigned from two threads at once.
#pragma once

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "foundation/RefCount.h"

namespace util {

template <class T>
class CountedPtr {
public:
    CountedPtr() = default;

    // Takes ownership of `object` (a null object gives an empty pointer).
    explicit CountedPtr(T* object) {
        UTIL_TRY
        if (object == nullptr) return;
        try {
            count_ = new RefCount;
        } catch (...) {
            delete object;
            throw;
        }
        object_ = object;
        count_->Increment();
        UTIL_CATCH_CHAIN(L"util::CountedPtr::CountedPtr")
    }

    CountedPtr(const CountedPtr& other) : object_(other.object_), count_(other.count_) {
        UTIL_TRY
        if (count_ != nullptr) count_->Increment();
        UTIL_CATCH_CHAIN(L"util::CountedPtr::CountedPtr")
    }

    // Takes both pointers over and leaves `other` empty; the count is not
    // touched, so a vector of these grows without taking any count's lock.
    CountedPtr(CountedPtr&& other) noexcept : object_(other.object_), count_(other.count_) {
        other.object_ = nullptr;
        other.count_ = nullptr;
    }

    // An empty source leaves this pointer as it is. The source's count is
    // taken before ours is dropped, so assigning a pointer to itself, or to
    // one sharing its count, or to one that lives inside our object, never
    // frees what it is about to share.
    CountedPtr& operator=(const CountedPtr& other) {
        UTIL_TRY
        if (other.count_ == nullptr || other.count_ == count_) return *this;
        T* object = other.object_;
        RefCount* count = other.count_;
        count->Increment();
        Release();
        object_ = object;
        count_ = count;
        return *this;
        UTIL_CATCH_CHAIN(L"util::CountedPtr::operator=")
    }

    ~CountedPtr() {
        try {
            Release();
        } catch (...) {
        }
    }

    // Drops this pointer's share; the last one deletes the object.
    void Release() {
        UTIL_TRY
        if (count_ == nullptr) return;
        RefCount* count = count_;
        T* object = object_;
        count_ = nullptr;
        object_ = nullptr;
        if (count->Decrement() == 0) {
            delete count;
            delete object;
        }
        UTIL_CATCH_CHAIN(L"util::CountedPtr::Release")
    }

    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
    RefCount* count_ = nullptr;
};

}  // namespace util
