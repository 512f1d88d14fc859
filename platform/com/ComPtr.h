#pragma once

#include "platform/com/ComError.h"
#include "platform/com/Unknown.h"

#include <type_traits>
#include <utility>

namespace zsys {
// A pointer to From converts to a pointer to To without a cast: To is From or lies above it.
template <class From, class To>
concept UpcastsTo = std::is_convertible_v<From*, To*>;

// One counted reference to a COM interface.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Adds a reference to p.
    explicit ComPtr(T* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(other.detach()) {}
    // Only up the interface hierarchy; going down takes as<T>() or try_as<T>().
    template <UpcastsTo<T> U> ComPtr(const ComPtr<U>& other) : ComPtr(other.get()) {}
    template <UpcastsTo<T> U> ComPtr(ComPtr<U>&& other) noexcept : p_(other.detach()) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& other) {
        // The new reference is added before the old one goes, so self-assignment is safe.
        if (other.p_) other.p_->AddRef();
        attach(other.p_);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) attach(other.detach());
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) {
        reset();
        return *this;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // For out arguments: releases what is held first.
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    // Takes p over without adding a reference.
    void attach(T* p) {
        T* old = p_;
        p_ = p;
        if (old) old->Release();
    }
    // Gives the reference away without releasing it.
    [[nodiscard]] T* detach() { return std::exchange(p_, nullptr); }
    void reset() {
        // Nulled before Release, so a destructor reaching back here sees no pointer.
        if (T* old = std::exchange(p_, nullptr)) old->Release();
    }

    // The same object as another interface; null when it does not have it. Other
    // failures than E_NOINTERFACE are raised.
    template <class U> ComPtr<U> try_as() const {
        ComPtr<U> result;
        if (!p_) return result;
        const HRESULT hr = p_->QueryInterface(U::iid, result.put_void());
        if (hr == E_NOINTERFACE) return ComPtr<U>();
        Check(hr, U::iid);
        return result;
    }
    // The same object as another interface; raises when it does not have it.
    template <class U> ComPtr<U> as() const {
        if (!p_) throw ComError(E_POINTER, U::iid);
        ComPtr<U> result;
        Check(p_->QueryInterface(U::iid, result.put_void()), U::iid);
        if (!result) throw ComError(E_POINTER, U::iid);
        return result;
    }

    // Hands a reference of its own out through an out argument, as any interface
    // this one converts to.
    template <class U> HRESULT CopyTo(U** out) const noexcept {
        static_assert(UpcastsTo<T, U>, "a reference is handed out as this interface or one above it");
        if (!out) return E_POINTER;
        if (p_) p_->AddRef();
        *out = p_;
        return S_OK;
    }

private:
    T* p_ = nullptr;
};

template <class T, class U> bool operator==(const ComPtr<T>& a, const ComPtr<U>& b) {
    return a.get() == b.get();
}
template <class T> bool operator==(const ComPtr<T>& a, std::nullptr_t) {
    return a.get() == nullptr;
}
// An object's identity: its IUnknown, one pointer for all of its interfaces; null for none
// or for an object that gives none.
inline ComPtr<IUnknown> IdentityOf(IUnknown* object) {
    ComPtr<IUnknown> identity;
    if (!object || FAILED(object->QueryInterface(IUnknown::iid, identity.put_void()))) return nullptr;
    return identity;
}

// Whether two interface pointers reach the same object.
inline bool SameObject(IUnknown* a, IUnknown* b) {
    if (a == b) return true;
    const auto identity = IdentityOf(a);
    return identity && identity == IdentityOf(b);
}
} // namespace zsys
