#pragma once

#include "platform/Export.h"
#include "platform/com/Bstr.h"
#include "platform/com/Unknown.h"

#include <string>

constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_ERROR = 10;
constexpr VARTYPE VT_BOOL = 11;
constexpr VARTYPE VT_UNKNOWN = 13;
constexpr VARTYPE VT_INT = 22;

// An automation value. Only the kinds that cross the host boundary are served.
struct VARIANT {
    VARTYPE vt;
    std::uint16_t reserved1, reserved2, reserved3;
    union {
        LONG lVal;
        int intVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        BSTR bstrVal;
        IUnknown* punkVal;
    };
};

extern "C" {
ZSYS_API void VariantInit(VARIANT* v);
// Frees a string, releases an object; the value becomes empty.
ZSYS_API HRESULT VariantClear(VARIANT* v);
// Copies with a string copy or an added reference; the target is cleared first.
ZSYS_API HRESULT VariantCopy(VARIANT* target, const VARIANT* source);
// Changes to VT_BSTR (from empty, integers, booleans, strings); other targets or
// kinds give DISP_E_TYPEMISMATCH.
ZSYS_API HRESULT VariantChangeType(VARIANT* target, const VARIANT* source, std::uint16_t flags, VARTYPE vt);
}

namespace zsys {
// Owns one VARIANT; hands it over with Detach().
class ZSYS_API Variant {
public:
    Variant() { VariantInit(&v_); }
    explicit Variant(LONG value);
    explicit Variant(bool value);
    explicit Variant(std::u16string_view text);
    explicit Variant(IUnknown* object); // adds a reference
    static Variant Error(SCODE code);
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : v_(other.Detach()) {}
    ~Variant() { VariantClear(&v_); }

    const VARIANT& get() const { return v_; }
    VARIANT* put(); // clears first; for out arguments
    [[nodiscard]] VARIANT Detach();
    VARTYPE type() const { return v_.vt; }
    // The value as text; raises a COM error when it has no text form.
    std::u16string ToString() const;

private:
    VARIANT v_;
};
} // namespace zsys
