#pragma once

#include "platform/com/ComModule.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Unknown.h"

#include <cassert>
#include <new>
#include <tuple>
#include <type_traits>
#include <utility>

namespace zsys {
// An identifier answered by the interface I, for an object whose interface list
// holds I under another identifier as well (one pointer for two names).
template <class I, const IID& Alias> struct AlsoAnswers { using Interface = I; };

namespace detail {
template <class X> struct InterfaceOf {
    using type = X;
    static bool Answers(const IID& iid) { return iid == X::iid; }
};
template <class I, const IID& A> struct InterfaceOf<AlsoAnswers<I, A>> {
    using type = I;
    static bool Answers(const IID& iid) { return iid == A; }
};
template <class X> using InterfaceT = typename InterfaceOf<X>::type;
} // namespace detail

// The base of every COM object: states its interfaces once, counts references on
// one thread and holds a module lock while it lives. Objects are made only with
// Make<T>, and their destructors are not public.
template <class Derived, class... Interfaces> class ComObject : public Interfaces... {
public:
    HRESULT QueryInterface(REFIID riid, void** object) noexcept override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (riid == IUnknown::iid) {
            *object = static_cast<IUnknown*>(static_cast<detail::InterfaceT<First>*>(this));
        } else {
            // The first interface in the list that answers the identifier wins.
            (void)((detail::InterfaceOf<Interfaces>::Answers(riid) &&
                    (*object = static_cast<detail::InterfaceT<Interfaces>*>(this), true)) ||
                   ...);
        }
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() noexcept override { return ++refs_; }
    ULONG Release() noexcept override {
        assert(refs_ > 0);
        const ULONG left = --refs_;
        if (left == 0) {
            // A destructor that reaches this object again must not delete it twice.
            refs_ = 1;
            Destroy();
        }
        return left;
    }

    // The references held now, for accounting in the host and tests.
    ULONG RefCount() const { return refs_; }

protected:
    ComObject() { ThisModule().Lock(); }
    virtual ~ComObject() { ThisModule().Unlock(); }

private:
    // Out of line, so that the compiler does not take a Release that may delete for
    // one that does.
    [[gnu::noinline]] void Destroy() { delete this; } // the virtual destructor reaches the most derived class

    using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;
    // Born with the reference Make hands back, so a constructor that hands out `this`
    // (a sink registering itself, a QueryInterface and Release) cannot bring the count
    // to 0 and delete the object half-built.
    ULONG refs_ = 1;
};

// Makes an object and hands back its first counted reference: the one it was born with.
template <class T, class... Args> ComPtr<T> Make(Args&&... args) {
    static_assert(!std::is_destructible_v<T>,
                  "a COM object goes with its last Release: its destructor is not public");
    ComPtr<T> p;
    p.attach(new T(std::forward<Args>(args)...));
    return p;
}
} // namespace zsys
