// VariantChangeType: every conversion between the value types the emulation
// knows, with Wine's answers as the reference (the conformance tests hold
// the cases). The result is built aside and only replaces the destination
// on success, so a failed conversion leaves the destination as it was and
// the destination may be the source.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "emulation/variant_internal.h"

namespace emulation {

namespace {

// A default value that is itself an object is asked for its own default
// value; past this depth the chain is refused instead of recursing forever.
constexpr int kMaxDefaultValueDepth = 8;

struct IntegerType {
    int bits = 32;
    bool isSigned = true;
};

bool integerType(VARTYPE type, IntegerType* shape) {
    switch (type) {
        case VT_I1:
            *shape = {8, true};
            return true;
        case VT_UI1:
            *shape = {8, false};
            return true;
        case VT_I2:
            *shape = {16, true};
            return true;
        case VT_UI2:
            *shape = {16, false};
            return true;
        case VT_I4:
        case VT_INT:
            *shape = {32, true};
            return true;
        case VT_UI4:
        case VT_UINT:
            *shape = {32, false};
            return true;
        case VT_I8:
            *shape = {64, true};
            return true;
        case VT_UI8:
            *shape = {64, false};
            return true;
        default:
            return false;
    }
}

bool isNumericTarget(VARTYPE type) {
    IntegerType shape;
    return integerType(type, &shape) || type == VT_R4 || type == VT_R8 || type == VT_DATE ||
           type == VT_BOOL;
}

// A source value as a number: an exact integer (signed or not) or a real.
struct Number {
    enum Kind { signedInteger, unsignedInteger, real } kind = signedInteger;
    std::int64_t integer = 0;  // signedInteger; unsignedInteger holds its bits here
    double value = 0;          // real
    int bits = 0;              // the source type's width, 0 for VT_EMPTY
    bool boolean = false;      // a VT_BOOL: its bits fill any integer type

    bool isZero() const { return kind == real ? value == 0 : integer == 0; }
    double asDouble() const {
        if (kind == real) return value;
        if (kind == unsignedInteger)
            return static_cast<double>(static_cast<std::uint64_t>(integer));
        return static_cast<double>(integer);
    }
};

bool numberOf(const VARIANT& source, Number* number) {
    Number n;
    switch (source.vt) {
        case VT_EMPTY:
            break;
        case VT_I1:
            n = {Number::signedInteger, static_cast<signed char>(source.cVal), 0, 8};
            break;
        case VT_UI1:
            n = {Number::unsignedInteger, source.bVal, 0, 8};
            break;
        case VT_I2:
            n = {Number::signedInteger, source.iVal, 0, 16};
            break;
        case VT_BOOL:
            n = {Number::signedInteger, source.boolVal, 0, 16, true};
            break;
        case VT_UI2:
            n = {Number::unsignedInteger, source.uiVal, 0, 16};
            break;
        case VT_I4:
            n = {Number::signedInteger, source.lVal, 0, 32};
            break;
        case VT_INT:
            n = {Number::signedInteger, source.intVal, 0, 32};
            break;
        case VT_UI4:
            n = {Number::unsignedInteger, source.ulVal, 0, 32};
            break;
        case VT_UINT:
            n = {Number::unsignedInteger, source.uintVal, 0, 32};
            break;
        case VT_I8:
            n = {Number::signedInteger, source.llVal, 0, 64};
            break;
        case VT_UI8:
            n = {Number::unsignedInteger, static_cast<std::int64_t>(source.ullVal), 0, 64};
            break;
        case VT_R4:
            n = {Number::real, 0, source.fltVal, 32};
            break;
        case VT_R8:
            n = {Number::real, 0, source.dblVal, 64};
            break;
        case VT_DATE:
            n = {Number::real, 0, source.date, 64};
            break;
        default:
            return false;
    }
    *number = n;
    return true;
}

// Stores `bits` (already fitted to the type) in the member of `type`.
void storeInteger(VARIANT* result, VARTYPE type, std::int64_t bits) {
    result->vt = type;
    switch (type) {
        case VT_I1:
            result->cVal = static_cast<CHAR>(bits);
            break;
        case VT_UI1:
            result->bVal = static_cast<BYTE>(bits);
            break;
        case VT_I2:
            result->iVal = static_cast<SHORT>(bits);
            break;
        case VT_UI2:
            result->uiVal = static_cast<USHORT>(bits);
            break;
        case VT_I4:
            result->lVal = static_cast<LONG>(bits);
            break;
        case VT_INT:
            result->intVal = static_cast<INT>(bits);
            break;
        case VT_UI4:
            result->ulVal = static_cast<ULONG>(bits);
            break;
        case VT_UINT:
            result->uintVal = static_cast<UINT>(bits);
            break;
        case VT_I8:
            result->llVal = bits;
            break;
        default:  // VT_UI8
            result->ullVal = static_cast<ULONGLONG>(bits);
            break;
    }
}

// Whether `value` lies in the range of an integer type.
bool fitsInteger(const Number& number, IntegerType shape) {
    const std::uint64_t unsignedMax = shape.bits == 64 ? std::numeric_limits<std::uint64_t>::max()
                                                       : (std::uint64_t{1} << shape.bits) - 1;
    const std::int64_t signedMax = static_cast<std::int64_t>(unsignedMax >> 1);
    const std::int64_t signedMin = -signedMax - 1;
    if (number.kind == Number::unsignedInteger) {
        const std::uint64_t value = static_cast<std::uint64_t>(number.integer);
        return value <= (shape.isSigned ? static_cast<std::uint64_t>(signedMax) : unsignedMax);
    }
    const std::int64_t value = number.integer;
    if (shape.isSigned) return value >= signedMin && value <= signedMax;
    return value >= 0 && static_cast<std::uint64_t>(value) <= unsignedMax;
}

HRESULT numberToInteger(const Number& number, VARTYPE type, VARIANT* result) {
    IntegerType shape;
    integerType(type, &shape);
    // A boolean fills every bit (-1 becomes 255 as VT_UI1), and so does an
    // integer of the same width whatever its sign (VT_UI4 0xFFFFFFFF is -1
    // as VT_I4): Wine converts both without an overflow.
    if (number.boolean || (number.kind != Number::real && number.bits == shape.bits)) {
        storeInteger(result, type, number.integer);
        return S_OK;
    }
    if (number.kind != Number::real) {
        if (!fitsInteger(number, shape)) return DISP_E_OVERFLOW;
        storeInteger(result, type, number.integer);
        return S_OK;
    }
    // nearbyint rounds half to even in the default rounding mode.
    const double rounded = std::nearbyint(number.value);
    if (std::isnan(rounded)) return DISP_E_OVERFLOW;
    const double limit = std::ldexp(1.0, shape.bits - (shape.isSigned ? 1 : 0));
    const double lowest = shape.isSigned ? -limit : 0.0;
    if (!(rounded >= lowest && rounded < limit)) return DISP_E_OVERFLOW;
    if (shape.isSigned || rounded < 9223372036854775808.0) {
        storeInteger(result, type, static_cast<std::int64_t>(rounded));
    } else {
        storeInteger(result, type, static_cast<std::int64_t>(static_cast<std::uint64_t>(rounded)));
    }
    return S_OK;
}

HRESULT doubleToReal(double value, VARTYPE type, VARIANT* result) {
    result->vt = type;
    if (type == VT_R4) {
        const float narrowed = static_cast<float>(value);
        if (std::isinf(narrowed) || std::isnan(value)) return DISP_E_OVERFLOW;
        result->fltVal = narrowed;
    } else if (type == VT_DATE) {
        if (!(value > -657435.0 && value < 2958466.0)) return DISP_E_OVERFLOW;
        result->date = value;
    } else {
        result->dblVal = value;
    }
    return S_OK;
}

HRESULT numberToNumber(const Number& number, VARTYPE type, VARIANT* result) {
    if (type == VT_BOOL) {
        result->vt = VT_BOOL;
        result->boolVal = number.isZero() ? VARIANT_FALSE : VARIANT_TRUE;
        return S_OK;
    }
    if (type == VT_R4 || type == VT_R8 || type == VT_DATE) {
        return doubleToReal(number.asDouble(), type, result);
    }
    return numberToInteger(number, type, result);
}

HRESULT textToNumber(const OLECHAR* text, USHORT flags, VARTYPE type, VARIANT* result) {
    if (type == VT_DATE) {
        DATE date;
        const HRESULT parsed = parseDate(text, &date);
        if (FAILED(parsed)) return parsed;
        result->vt = VT_DATE;
        result->date = date;
        return S_OK;
    }
    if (type == VT_BOOL) {
        bool word;
        if (parseBooleanWord(text, (flags & VARIANT_LOCALBOOL) != 0, &word)) {
            result->vt = VT_BOOL;
            result->boolVal = word ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
    }
    ParsedNumber parsed;
    if (!parseNumber(text, &parsed)) return DISP_E_TYPEMISMATCH;
    IntegerType shape;
    if (integerType(type, &shape)) {
        std::int64_t value;
        const HRESULT converted = parsedNumberToInteger(parsed, shape.bits, shape.isSigned, &value);
        if (FAILED(converted)) return converted;
        storeInteger(result, type, value);
        return S_OK;
    }
    double value;
    const HRESULT converted = parsedNumberToDouble(parsed, &value);
    if (FAILED(converted)) return converted;
    if (type == VT_BOOL) {
        result->vt = VT_BOOL;
        result->boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    // Text too small for a float is an overflow, unlike a double that is
    // (Wine: "1e-50" fails as VT_R4 where the double 1e-50 gives 0).
    if (type == VT_R4 && value != 0 && static_cast<float>(value) == 0) return DISP_E_OVERFLOW;
    return doubleToReal(value, type, result);
}

HRESULT booleanToText(VARIANT_BOOL value, USHORT flags, std::u16string* text) {
    // Without a flag a boolean prints as the number it holds ("-1", "0").
    if ((flags & VARIANT_LOCALBOOL) != 0) {
        *text = value != 0 ? u"\u771F" : u"\u5047";  // 真, 假
    } else if ((flags & VARIANT_ALPHABOOL) != 0) {
        *text = value != 0 ? u"True" : u"False";
    } else {
        *text = widen(std::to_string(value));
    }
    return S_OK;
}

HRESULT valueToText(const VARIANT& source, USHORT flags, std::u16string* text) {
    switch (source.vt) {
        case VT_EMPTY:
            text->clear();
            return S_OK;
        case VT_BOOL:
            return booleanToText(source.boolVal, flags, text);
        case VT_R4:
            *text = widen(formatDouble(source.fltVal, 7));
            return S_OK;
        case VT_R8:
            *text = widen(formatDouble(source.dblVal, 15));
            return S_OK;
        case VT_DATE:
            return formatDate(source.date, text);
        default:
            break;
    }
    Number number;
    if (!numberOf(source, &number)) return DISP_E_TYPEMISMATCH;
    *text = widen(number.kind == Number::unsignedInteger
                      ? std::to_string(static_cast<std::uint64_t>(number.integer))
                      : std::to_string(number.integer));
    return S_OK;
}

HRESULT objectToInterface(IUnknown* object, VARTYPE type, VARIANT* result) {
    result->vt = type;
    result->punkVal = nullptr;
    if (object == nullptr) return S_OK;  // a null object stays null
    void* interface = nullptr;
    const HRESULT queried =
        object->QueryInterface(type == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &interface);
    if (FAILED(queried)) {
        result->vt = VT_EMPTY;
        return queried;
    }
    result->punkVal = static_cast<IUnknown*>(interface);
    return S_OK;
}

HRESULT convert(const VARIANT& source, USHORT flags, VARTYPE type, int depth, VARIANT* result);

// An object converts through its default value: the DISPID_VALUE property.
HRESULT defaultValueTo(IDispatch* object, USHORT flags, VARTYPE type, int depth, VARIANT* result) {
    if ((flags & VARIANT_NOVALUEPROP) != 0 || depth >= kMaxDefaultValueDepth) {
        return DISP_E_TYPEMISMATCH;
    }
    DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
    VARIANT value;
    VariantInit(&value);
    const HRESULT invoked =
        object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                       &noArguments, &value, nullptr, nullptr);
    if (FAILED(invoked)) {
        VariantClear(&value);
        return DISP_E_TYPEMISMATCH;
    }
    const HRESULT converted = convert(value, flags, type, depth + 1, result);
    VariantClear(&value);
    return converted;
}

// `source` holds a plain value (no reference); `result` is empty.
HRESULT convert(const VARIANT& source, USHORT flags, VARTYPE type, int depth, VARIANT* result) {
    if (source.vt == type) return copyPlainValue(result, source);
    if (type == VT_NULL) {
        result->vt = VT_NULL;
        return S_OK;
    }
    if (source.vt == VT_NULL || source.vt == VT_ERROR || type == VT_ERROR) {
        return DISP_E_TYPEMISMATCH;
    }
    if (type == VT_EMPTY) {
        result->vt = VT_EMPTY;
        return S_OK;
    }
    if (type == VT_DISPATCH || type == VT_UNKNOWN) {
        if (source.vt != VT_DISPATCH && source.vt != VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
        return objectToInterface(source.punkVal, type, result);
    }
    if (source.vt == VT_DISPATCH) {
        // A null object has no value at all: Wine calls that a bad type.
        if (source.pdispVal == nullptr) return DISP_E_BADVARTYPE;
        return defaultValueTo(source.pdispVal, flags, type, depth, result);
    }
    if (source.vt == VT_BSTR) {
        if (type == VT_BSTR) return copyPlainValue(result, source);
        if (!isNumericTarget(type)) return DISP_E_TYPEMISMATCH;
        return textToNumber(source.bstrVal, flags, type, result);
    }
    if (type == VT_BSTR) {
        std::u16string text;
        const HRESULT formatted = valueToText(source, flags, &text);
        if (FAILED(formatted)) return formatted;
        result->bstrVal = allocateBstr(text);
        if (result->bstrVal == nullptr) return E_OUTOFMEMORY;
        result->vt = VT_BSTR;
        return S_OK;
    }
    Number number;
    if (!isNumericTarget(type) || !numberOf(source, &number)) return DISP_E_TYPEMISMATCH;
    return numberToNumber(number, type, result);
}

// Types VariantChangeType can be asked for: DISP_E_BADVARTYPE for what is no
// variant type at all, DISP_E_TYPEMISMATCH for variant types no value
// converts to (references, arrays, VT_VARIANT, records, and VT_CY and
// VT_DECIMAL, which the emulation does not carry).
HRESULT checkTargetType(VARTYPE type) {
    if ((type & (VT_BYREF | VT_ARRAY)) != 0) {
        return isPlainVariantType(type & VT_TYPEMASK) || (type & VT_TYPEMASK) == VT_VARIANT
                   ? DISP_E_TYPEMISMATCH
                   : DISP_E_BADVARTYPE;
    }
    if (type == VT_VARIANT || type == VT_RECORD || type == VT_CY || type == VT_DECIMAL) {
        return DISP_E_TYPEMISMATCH;
    }
    return isPlainVariantType(type) ? S_OK : DISP_E_BADVARTYPE;
}

}  // namespace

}  // namespace emulation

HRESULT VariantChangeType(VARIANTARG* destination, VARIANTARG* source, USHORT flags, VARTYPE type) {
    using namespace emulation;
    if (FAILED(checkVariantType(source->vt))) return DISP_E_BADVARTYPE;
    const HRESULT target = checkTargetType(type);
    if (FAILED(target)) return target;

    // Read through a reference (one level of VT_BYREF | VT_VARIANT, whose
    // variant may itself refer to a value).
    VARIANT value;
    const VARIANT* plain = source;
    if ((source->vt & VT_BYREF) != 0) {
        const VARIANT* reference = source;
        if (source->vt == (VT_BYREF | VT_VARIANT)) {
            reference = source->pvarVal;
            if (reference == nullptr || reference->vt == (VT_BYREF | VT_VARIANT)) {
                return E_INVALIDARG;
            }
            if (FAILED(checkVariantType(reference->vt))) return DISP_E_BADVARTYPE;
        }
        if ((reference->vt & VT_BYREF) != 0) {
            if (!dereference(*reference, &value)) return E_INVALIDARG;
            plain = &value;
        } else {
            plain = reference;
        }
    }
    if (!isPlainVariantType(plain->vt)) return DISP_E_TYPEMISMATCH;

    VARIANT result;
    std::memset(static_cast<void*>(&result), 0, sizeof result);
    const HRESULT converted = convert(*plain, flags, type, 0, &result);
    if (FAILED(converted)) {
        VariantClear(&result);
        return converted;
    }
    const HRESULT cleared = VariantClear(destination);
    if (FAILED(cleared)) {
        VariantClear(&result);
        return cleared;
    }
    std::memcpy(static_cast<void*>(destination), &result, sizeof result);
    return S_OK;
}
