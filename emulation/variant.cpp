// VARIANT lifetime: initialise, clear, copy and copy with dereference.
// Ownership: a variant owns its BSTR and one reference on its IUnknown or
// IDispatch; a by-reference variant owns nothing it points at.
#include <cstring>

#include "emulation/oleauto.h"
#include "emulation/variant_internal.h"

namespace emulation {

bool isPlainVariantType(VARTYPE type) {
    switch (type) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_I2:
        case VT_I4:
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_BSTR:
        case VT_DISPATCH:
        case VT_ERROR:
        case VT_BOOL:
        case VT_UNKNOWN:
        case VT_DECIMAL:
        case VT_I1:
        case VT_UI1:
        case VT_UI2:
        case VT_UI4:
        case VT_I8:
        case VT_UI8:
        case VT_INT:
        case VT_UINT:
            return true;
        default:
            return false;
    }
}

// Types a variant may hold: a plain type, or a reference to one or to a
// variant. Arrays and records are not part of the emulated subset.
HRESULT checkVariantType(VARTYPE type) {
    if ((type & VT_BYREF) != 0) {
        const VARTYPE target = type & static_cast<VARTYPE>(~VT_BYREF);
        if (target == VT_VARIANT) return S_OK;
        if (target == VT_EMPTY || target == VT_NULL) return DISP_E_BADVARTYPE;
        return isPlainVariantType(target) ? S_OK : DISP_E_BADVARTYPE;
    }
    return isPlainVariantType(type) ? S_OK : DISP_E_BADVARTYPE;
}

HRESULT copyPlainValue(VARIANT* destination, const VARIANT& source) {
    // Copy all of it, not one member: DECIMAL overlays the type field.
    std::memcpy(static_cast<void*>(destination), &source, sizeof(VARIANT));
    switch (source.vt) {
        case VT_BSTR:
            if (source.bstrVal != nullptr) {
                destination->bstrVal = SysAllocStringByteLen(
                    reinterpret_cast<LPCSTR>(source.bstrVal), SysStringByteLen(source.bstrVal));
                if (destination->bstrVal == nullptr) {
                    destination->vt = VT_EMPTY;
                    return E_OUTOFMEMORY;
                }
            }
            break;
        case VT_UNKNOWN:
        case VT_DISPATCH:
            if (source.punkVal != nullptr) source.punkVal->AddRef();
            break;
        default:
            break;
    }
    return S_OK;
}

bool dereference(const VARIANT& reference, VARIANT* value) {
    const VARTYPE target = reference.vt & static_cast<VARTYPE>(~VT_BYREF);
    std::memset(static_cast<void*>(value), 0, sizeof(VARIANT));
    if (reference.byref == nullptr) return false;
    if (target == VT_DECIMAL) {
        value->decVal = *reference.pdecVal;
        value->vt = VT_DECIMAL;
        return true;
    }
    value->vt = target;
    switch (target) {
        case VT_I1:
        case VT_UI1:
            value->bVal = *reference.pbVal;
            break;
        case VT_I2:
        case VT_UI2:
        case VT_BOOL:
            value->iVal = *reference.piVal;
            break;
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_ERROR:
            value->lVal = *reference.plVal;
            break;
        case VT_R4:
            value->fltVal = *reference.pfltVal;
            break;
        case VT_R8:
        case VT_DATE:
            value->dblVal = *reference.pdblVal;
            break;
        case VT_I8:
        case VT_UI8:
        case VT_CY:
            value->llVal = *reference.pllVal;
            break;
        case VT_BSTR:
            value->bstrVal = *reference.pbstrVal;
            break;
        case VT_UNKNOWN:
        case VT_DISPATCH:
            value->punkVal = *reference.ppunkVal;
            break;
        default:
            return false;
    }
    return true;
}

}  // namespace emulation

void VariantInit(VARIANTARG* variant) { variant->vt = VT_EMPTY; }

HRESULT VariantClear(VARIANTARG* variant) {
    const HRESULT valid = emulation::checkVariantType(variant->vt);
    if (FAILED(valid)) return valid;
    switch (variant->vt) {
        case VT_BSTR:
            SysFreeString(variant->bstrVal);
            break;
        case VT_UNKNOWN:
        case VT_DISPATCH:
            if (variant->punkVal != nullptr) variant->punkVal->Release();
            break;
        default:
            break;
    }
    variant->vt = VT_EMPTY;
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* destination, const VARIANTARG* source) {
    const HRESULT valid = emulation::checkVariantType(source->vt);
    if (FAILED(valid)) return valid;
    if (destination == source) return S_OK;
    const HRESULT cleared = VariantClear(destination);
    if (FAILED(cleared)) return cleared;
    return emulation::copyPlainValue(destination, *source);
}

HRESULT VariantCopyInd(VARIANT* destination, const VARIANTARG* source) {
    if ((source->vt & VT_BYREF) == 0) return VariantCopy(destination, source);
    const HRESULT valid = emulation::checkVariantType(source->vt);
    if (FAILED(valid)) return valid;

    // Read through the reference before the destination is cleared: the two
    // may be the same variant, or the reference may point into it.
    VARIANT value;
    if (source->vt == (VT_BYREF | VT_VARIANT)) {
        const VARIANT* inner = source->pvarVal;
        if (inner == nullptr) return E_INVALIDARG;
        // A variant reached through a reference may itself be a reference to
        // a value, which is read too, but not a second variant reference.
        if (inner->vt == (VT_BYREF | VT_VARIANT)) return E_INVALIDARG;
        if ((inner->vt & VT_BYREF) != 0) {
            if (FAILED(emulation::checkVariantType(inner->vt))) return DISP_E_BADVARTYPE;
            if (!emulation::dereference(*inner, &value)) return E_INVALIDARG;
        } else {
            if (FAILED(emulation::checkVariantType(inner->vt))) return DISP_E_BADVARTYPE;
            std::memcpy(static_cast<void*>(&value), inner, sizeof(VARIANT));
        }
    } else if (!emulation::dereference(*source, &value)) {
        return E_INVALIDARG;
    }

    VARIANT copy;
    const HRESULT copied = emulation::copyPlainValue(&copy, value);
    if (FAILED(copied)) return copied;
    const HRESULT cleared = VariantClear(destination);
    if (FAILED(cleared)) {
        VariantClear(&copy);
        return cleared;
    }
    std::memcpy(static_cast<void*>(destination), &copy, sizeof(VARIANT));
    return S_OK;
}
