#pragma once
// Intrusive reference counting: every long-lived object derives from Safe::Countable and is
// owned through Safe::XPtr. Counts are plain integers; objects are used by one thread at a time.
#include <cstddef>
#include <cstdint>

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
    XPtr(T* p) : p_(p) { Acquire(); }
    XPtr(const XPtr& other) : p_(other.p_) { Acquire(); }
    XPtr(XPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }

    // Conversion between pointer types tests the run-time type: null when the object is not a T.
    template <class U>
    XPtr(const XPtr<U>& other) : p_(dynamic_cast<T*>(other.Get())) {
        Acquire();
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

}  // namespace Safe
