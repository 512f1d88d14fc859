#include "platform/com/SafeArray.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
std::atomic<long> g_liveArrays{0};
constexpr std::uint16_t FADF_HAVEVARTYPE = 0x0080;
} // namespace

extern "C" {
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG count) {
    if (vt != VT_UI1) return nullptr;
    // Header and data in one block, as the system does for vectors.
    auto* a = static_cast<SAFEARRAY*>(std::calloc(1, sizeof(SAFEARRAY) + count));
    if (!a) return nullptr;
    a->cDims = 1;
    a->fFeatures = FADF_HAVEVARTYPE;
    a->cbElements = 1;
    a->pvData = reinterpret_cast<std::uint8_t*>(a) + sizeof(SAFEARRAY);
    a->rgsabound[0] = {count, lowerBound};
    ++g_liveArrays;
    return a;
}

HRESULT SafeArrayAccessData(SAFEARRAY* a, void** data) {
    if (!a || !data) return E_INVALIDARG;
    ++a->cLocks;
    *data = a->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* a) {
    if (!a) return E_INVALIDARG;
    if (a->cLocks == 0) return E_UNEXPECTED;
    --a->cLocks;
    return S_OK;
}

HRESULT SafeArrayDestroy(SAFEARRAY* a) {
    if (!a) return S_OK;
    if (a->cLocks != 0) return E_UNEXPECTED;
    --g_liveArrays;
    std::free(a);
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* a, SAFEARRAY** copy) {
    if (!copy) return E_INVALIDARG;
    *copy = nullptr;
    if (!a) return S_OK;
    SAFEARRAY* c = SafeArrayCreateVector(VT_UI1, a->rgsabound[0].lLbound, a->rgsabound[0].cElements);
    if (!c) return E_OUTOFMEMORY;
    std::memcpy(c->pvData, a->pvData, a->rgsabound[0].cElements);
    *copy = c;
    return S_OK;
}
}

namespace zsys {
long LiveSafeArrayCount() { return g_liveArrays.load(); }

SAFEARRAY* MakeByteArray(std::span<const std::uint8_t> bytes) {
    SAFEARRAY* a = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!a) throw std::bad_alloc();
    if (!bytes.empty()) std::memcpy(a->pvData, bytes.data(), bytes.size());
    return a;
}

std::span<const std::uint8_t> Bytes(const SAFEARRAY* a) {
    if (!a || a->cDims != 1) return {};
    return {static_cast<const std::uint8_t*>(a->pvData), a->rgsabound[0].cElements};
}
} // namespace zsys
