#include "platform/com/Variant.h"

#include "platform/com/ComError.h"
#include "platform/system/Text.h"

#include <string>

extern "C" {
void VariantInit(VARIANT* v) {
    if (!v) return;
    v->vt = VT_EMPTY;
    v->reserved1 = v->reserved2 = v->reserved3 = 0;
    v->punkVal = nullptr;
}

HRESULT VariantClear(VARIANT* v) {
    if (!v) return E_INVALIDARG;
    switch (v->vt) {
    case VT_BSTR:
        SysFreeString(v->bstrVal);
        break;
    case VT_UNKNOWN:
        if (v->punkVal) v->punkVal->Release();
        break;
    case VT_EMPTY: case VT_I4: case VT_INT: case VT_BOOL: case VT_ERROR:
        break;
    default:
        return DISP_E_BADVARTYPE;
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* target, const VARIANT* source) {
    if (!target || !source) return E_INVALIDARG;
    if (target == source) return S_OK;
    const HRESULT hr = VariantClear(target);
    if (FAILED(hr)) return hr;
    VARIANT copy = *source;
    if (source->vt == VT_BSTR && source->bstrVal) {
        copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
        if (!copy.bstrVal) return E_OUTOFMEMORY;
    } else if (source->vt == VT_UNKNOWN && source->punkVal) {
        source->punkVal->AddRef();
    }
    *target = copy;
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* target, const VARIANT* source, std::uint16_t, VARTYPE vt) {
    if (!target || !source) return E_INVALIDARG;
    if (vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
    std::u16string text;
    switch (source->vt) {
    case VT_EMPTY: break;
    case VT_I4: text = zsys::Decimal(source->lVal); break;
    case VT_INT: text = zsys::Decimal(source->intVal); break;
    case VT_BOOL: text = source->boolVal ? u"True" : u"False"; break;
    case VT_BSTR: text = zsys::View(source->bstrVal); break;
    default: return DISP_E_TYPEMISMATCH;
    }
    BSTR s = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!s) return E_OUTOFMEMORY;
    VariantClear(target);
    target->vt = VT_BSTR;
    target->bstrVal = s;
    return S_OK;
}
}

namespace zsys {
Variant::Variant(LONG value) : Variant() {
    v_.vt = VT_I4;
    v_.lVal = value;
}
Variant::Variant(bool value) : Variant() {
    v_.vt = VT_BOOL;
    v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}
Variant::Variant(std::u16string_view text) : Variant() {
    v_.bstrVal = AllocBstr(text);
    v_.vt = VT_BSTR;
}
Variant::Variant(IUnknown* object) : Variant() {
    v_.vt = VT_UNKNOWN;
    v_.punkVal = object;
    if (object) object->AddRef();
}
Variant Variant::Error(SCODE code) {
    Variant v;
    v.v_.vt = VT_ERROR;
    v.v_.scode = code;
    return v;
}
VARIANT* Variant::put() {
    VariantClear(&v_);
    return &v_;
}
VARIANT Variant::Detach() {
    VARIANT v = v_;
    VariantInit(&v_);
    return v;
}
std::u16string Variant::ToString() const {
    Variant s;
    Check(VariantChangeType(s.put(), &v_, 0, VT_BSTR), GUID_NULL);
    return std::u16string(View(s.v_.bstrVal));
}
} // namespace zsys
