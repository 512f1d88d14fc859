#pragma once

#include "platform/Export.h"
#include "platform/com/Guid.h"

#include <exception>
#include <string>

namespace zsys {
// A failing COM result, with the interface whose operation returned it.
class ZSYS_API ComError : public std::exception {
public:
    ComError(HRESULT hr, const IID& iid);
    HRESULT code() const noexcept { return hr_; }
    const IID& iid() const noexcept { return iid_; }
    const char* what() const noexcept override { return text_.c_str(); }

private:
    HRESULT hr_;
    IID iid_;
    std::string text_;
};

// Raises a failing result of an operation of the interface `iid`.
inline void Check(HRESULT hr, const IID& iid) {
    if (FAILED(hr)) throw ComError(hr, iid);
}
template <class I> void CheckOn(HRESULT hr) { Check(hr, I::iid); }

// A required object that is missing is raised as E_POINTER.
template <class P> P&& Required(P&& p) {
    if (!p) throw ComError(E_POINTER, GUID_NULL);
    return std::forward<P>(p);
}

// Called inside a catch (...) at the end of every operation the other side calls:
// turns what was caught into a result (E_OUTOFMEMORY for memory, E_FAIL otherwise).
ZSYS_API HRESULT Boundary() noexcept;
} // namespace zsys
