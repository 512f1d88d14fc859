#pragma once

#include "platform/Export.h"
#include "platform/com/Guid.h"

#include <exception>
#include <string>
#include <type_traits>
#include <utility>
#include <version>

#ifdef __cpp_lib_source_location
#include <source_location>
#endif

namespace zsys {
template <class T> class ComPtr;

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
template <class I> void CheckOn(HRESULT hr) {
    Check(hr, I::iid);
}

namespace detail {
template <class P> struct Pointee;
template <class T> struct Pointee<T*> { using type = T; };
template <class T> struct Pointee<ComPtr<T>> { using type = T; };
template <class P> using PointeeT = typename Pointee<std::remove_cvref_t<P>>::type;

// The interface identifier of what a pointer points to; none for the plug-in's own
// plain interfaces, which have no identifier.
template <class T> constexpr const IID& IidOrNull() {
    if constexpr (requires { T::iid; })
        return T::iid;
    else
        return GUID_NULL;
}
} // namespace detail

// A required object that is missing is raised as E_POINTER of the interface it was
// wanted as (a plain pointer or a ComPtr to an interface).
template <class P> P&& Required(P&& p) {
    if (!p) throw ComError(E_POINTER, detail::IidOrNull<detail::PointeeT<P>>());
    return std::forward<P>(p);
}

#ifdef __cpp_lib_source_location
using SourceLocation = std::source_location;
#else
// Where a call was written, for compilers whose standard library lacks
// std::source_location (clang 14 with libstdc++ 12); the same three facts.
class SourceLocation {
public:
    static constexpr SourceLocation current(const char* file = __builtin_FILE(),
                                            unsigned line = __builtin_LINE(),
                                            const char* function = __builtin_FUNCTION()) noexcept {
        SourceLocation where;
        where.file_ = file;
        where.line_ = line;
        where.function_ = function;
        return where;
    }
    constexpr const char* file_name() const noexcept { return file_; }
    constexpr unsigned line() const noexcept { return line_; }
    constexpr const char* function_name() const noexcept { return function_; }

private:
    const char* file_ = "";
    unsigned line_ = 0;
    const char* function_ = "";
};
#endif

// Called inside a catch (...) at the end of every operation the other side calls:
// turns what was caught into E_FAIL, the result of an operation that failed inside, a lack
// of memory included; an operation that documents another result catches that first.
// With VESK_LOG_BOUNDARY=1 in the environment it also writes to standard error where
// the failure was caught and what it was.
ZSYS_API HRESULT Boundary(SourceLocation where = SourceLocation::current()) noexcept;
} // namespace zsys
