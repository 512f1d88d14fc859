#pragma once

#include "platform/com/Guid.h"

// The root of every COM interface. Interfaces carry their identifier as `iid`;
// their destructors are not virtual (the vtable holds only the operations), and
// objects are destroyed by their last Release.
struct IUnknown {
    static constexpr IID iid = zsys::Guid("{00000000-0000-0000-C000-000000000046}");
    virtual HRESULT QueryInterface(REFIID riid, void** object) noexcept = 0;
    virtual ULONG AddRef() noexcept = 0;
    virtual ULONG Release() noexcept = 0;

protected:
    ~IUnknown() = default;
};

template <class I> constexpr const IID& IidOf() {
    return I::iid;
}
