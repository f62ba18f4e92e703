#pragma once
// Intrusive reference counting: every long-lived object derives from Safe::Countable and is
// owned through Safe::XPtr. Counts are plain integers; objects are used by one thread at a time.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace Safe {

class Countable {
public:
    Countable() = default;
    // A copy is a new object: it starts uncounted whatever the source's count is.
    Countable(const Countable&) {}
    Countable& operator=(const Countable&) { return *this; }
    virtual ~Countable() = default;

    void AddRef() { ++count_; }
    // Deletes the object when the last owner lets go.
    void Release() {
        assert(count_ > 0 && "released more often than taken");
        if (--count_ == 0) delete this;
    }
    std::uint32_t RefCount() const { return count_; }

private:
    std::uint32_t count_ = 0;
};

template <class T>
class XPtr {
public:
    XPtr() = default;
    XPtr(std::nullptr_t) {}
    // Taking a raw pointer is explicit: an object counted 0 is deleted when this lets go.
    explicit XPtr(T* p) : p_(p) { Acquire(); }
    XPtr(const XPtr& other) : p_(other.p_) { Acquire(); }
    XPtr(XPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }

    // Only a derived class converts implicitly; DynamicCast goes the other way.
    template <class U>
        requires std::is_convertible_v<U*, T*>
    XPtr(const XPtr<U>& other) : p_(other.Get()) {
        Acquire();
    }
    template <class U>
        requires std::is_convertible_v<U*, T*>
    XPtr(XPtr<U>&& other) noexcept : p_(other.p_) {
        other.p_ = nullptr;
    }

    ~XPtr() { Drop(); }

    // The new object is taken before the old one is let go: the old one may own the new one.
    XPtr& operator=(T* p) {
        if (p != p_) {
            T* old = p_;
            p_ = p;
            Acquire();
            if (old) static_cast<Countable*>(old)->Release();
        }
        return *this;
    }
    XPtr& operator=(const XPtr& other) {
        if (this != &other) *this = other.p_;
        return *this;
    }
    XPtr& operator=(XPtr&& other) noexcept {
        if (this != &other) {
            T* old = p_;
            p_ = other.p_;
            other.p_ = nullptr;
            if (old) static_cast<Countable*>(old)->Release();
        }
        return *this;
    }
    XPtr& operator=(std::nullptr_t) { return *this = static_cast<T*>(nullptr); }

    T* Get() const { return p_; }

    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    bool IsNull() const { return p_ == nullptr; }

    template <class U>
    bool operator==(const XPtr<U>& other) const {
        return static_cast<const void*>(p_) == static_cast<const void*>(other.Get());
    }
    bool operator==(const T* p) const { return p_ == p; }
    bool operator==(std::nullptr_t) const { return p_ == nullptr; }

private:
    template <class>
    friend class XPtr;

    void Acquire() {
        if (p_) static_cast<Countable*>(p_)->AddRef();
    }
    void Drop() {
        if (p_) {
            T* old = p_;
            p_ = nullptr;
            static_cast<Countable*>(old)->Release();
        }
    }

    T* p_ = nullptr;
};

// A new T held from the start: its count never rests at 0 where it could be let go by accident.
template <class T, class... Args>
XPtr<T> MakeX(Args&&... args) {
    return XPtr<T>(new T(std::forward<Args>(args)...));
}

// The object as a T when it is one, else null; never throws.
template <class T, class U>
XPtr<T> DynamicCast(const XPtr<U>& from) {
    return XPtr<T>(dynamic_cast<T*>(from.Get()));
}

}  // namespace Safe
