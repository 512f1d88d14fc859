#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"

#include <cstddef>
#include <span>

// One-dimensional automation arrays; the host's image factory takes PNG bytes in one.
struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};
struct SAFEARRAY {
    std::uint16_t cDims;
    std::uint16_t fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];
};

constexpr VARTYPE VT_UI1 = 17;

extern "C" {
// Only byte arrays (VT_UI1) are made; null for any other type or on failure.
ZSYS_API SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG count);
ZSYS_API HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
ZSYS_API HRESULT SafeArrayUnaccessData(SAFEARRAY* array);
ZSYS_API HRESULT SafeArrayDestroy(SAFEARRAY* array); // E_UNEXPECTED while data is accessed
ZSYS_API HRESULT SafeArrayCopy(SAFEARRAY* array, SAFEARRAY** copy);
}

namespace zsys {
// Arrays made and not yet destroyed, for leak accounting.
ZSYS_API long LiveSafeArrayCount();

// A fresh byte array holding a copy of the bytes; throws std::bad_alloc on failure.
ZSYS_API SAFEARRAY* MakeByteArray(std::span<const std::uint8_t> bytes);

// The bytes of a one-dimensional byte array; empty for null.
ZSYS_API std::span<const std::uint8_t> Bytes(const SAFEARRAY* array);

// Owns one SAFEARRAY.
class SafeArray {
public:
    SafeArray() = default;
    explicit SafeArray(SAFEARRAY* a) : a_(a) {}
    SafeArray(const SafeArray&) = delete;
    SafeArray& operator=(const SafeArray&) = delete;
    ~SafeArray() {
        if (a_) SafeArrayDestroy(a_);
    }
    SAFEARRAY* get() const { return a_; }
    SAFEARRAY* Detach() {
        SAFEARRAY* a = a_;
        a_ = nullptr;
        return a;
    }

private:
    SAFEARRAY* a_ = nullptr;
};
} // namespace zsys
