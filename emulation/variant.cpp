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

// Types a variant may hold: a plain type, VT_VARIANT (Wine accepts it on
// its own), a record or an array, or a reference to a plain type or to a
// variant. Arrays and records take part only while empty: the emulation
// does not carry them.
HRESULT checkVariantType(VARTYPE type) {
    const VARTYPE base = type & VT_TYPEMASK;
    if ((type & ~(VT_BYREF | VT_ARRAY | VT_TYPEMASK)) != 0) return DISP_E_BADVARTYPE;
    if ((type & VT_BYREF) != 0) {
        if (base == VT_VARIANT) return S_OK;
        if (base == VT_EMPTY || base == VT_NULL) return DISP_E_BADVARTYPE;
    }
    if (base == VT_VARIANT || base == VT_RECORD) return S_OK;
    return isPlainVariantType(base) ? S_OK : DISP_E_BADVARTYPE;
}

namespace {

// An array or record the emulation cannot free or copy.
bool holdsForeignData(const VARIANT& variant) {
    if ((variant.vt & VT_BYREF) != 0) return false;
    if ((variant.vt & VT_ARRAY) != 0) return variant.parray != nullptr;
    return variant.vt == VT_RECORD && (variant.pvRecord != nullptr || variant.pRecInfo != nullptr);
}

}  // namespace

HRESULT copyPlainValue(VARIANT* destination, const VARIANT& source) {
    // Copy all of it, not one member: DECIMAL overlays the type field.
    std::memcpy(static_cast<void*>(destination), &source, sizeof(VARIANT));
    switch (source.vt) {
        case VT_BSTR:
            // Every byte is copied, an odd count too; a null BSTR becomes an
            // empty string, as Wine gives it.
            destination->bstrVal = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source.bstrVal),
                                                         SysStringByteLen(source.bstrVal));
            if (destination->bstrVal == nullptr) {
                destination->vt = VT_EMPTY;
                return E_OUTOFMEMORY;
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
    if (emulation::holdsForeignData(*variant)) return DISP_E_BADVARTYPE;
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

HRESULT VariantCopy(VARIANTARG* destination, VARIANTARG* source) {
    const HRESULT valid = emulation::checkVariantType(source->vt);
    if (FAILED(valid)) return valid;
    if (emulation::holdsForeignData(*source)) return DISP_E_BADVARTYPE;
    if (destination == source) return S_OK;
    const HRESULT cleared = VariantClear(destination);
    if (FAILED(cleared)) return cleared;
    return emulation::copyPlainValue(destination, *source);
}

HRESULT VariantCopyInd(VARIANT* destination, VARIANTARG* source) {
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
        // Wine empties the destination before it refuses that.
        if (inner->vt == (VT_BYREF | VT_VARIANT)) {
            if (destination != source) VariantClear(destination);
            return E_INVALIDARG;
        }
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
