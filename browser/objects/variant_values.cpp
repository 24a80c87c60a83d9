#include "browser/objects/variant_values.h"

#include <cmath>
#include <limits>

namespace browser {

namespace {

// A converted copy of the value, or VT_EMPTY when it does not convert.
VARIANT changed(const VARIANT& value, VARTYPE type) {
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, type))) {
        VariantInit(&converted);
    }
    return converted;
}

}  // namespace

const VARIANT& dereferenced(const VARIANT& value) {
    if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal != nullptr) {
        return dereferenced(*value.pvarVal);
    }
    return value;
}

bool isMissing(const VARIANT& value) {
    const VARIANT& v = dereferenced(value);
    return v.vt == VT_EMPTY || (v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND);
}

std::optional<std::string> variantText(const VARIANT& value) {
    const VARIANT& v = dereferenced(value);
    if (v.vt == VT_EMPTY || v.vt == VT_NULL) return std::string();
    if (v.vt == VT_BOOL) return std::string(v.boolVal != VARIANT_FALSE ? "true" : "false");
    VARIANT text = changed(v, VT_BSTR);
    if (text.vt != VT_BSTR) return std::nullopt;
    std::u16string wide(reinterpret_cast<const char16_t*>(text.bstrVal),
                        text.bstrVal == nullptr ? 0 : SysStringLen(text.bstrVal));
    VariantClear(&text);
    return fromUtf16(wide);
}

std::optional<double> variantNumber(const VARIANT& value) {
    VARIANT number = changed(dereferenced(value), VT_R8);
    if (number.vt != VT_R8) return std::nullopt;
    return number.dblVal;
}

std::optional<long> variantInteger(const VARIANT& value) {
    std::optional<double> number = variantNumber(value);
    if (!number || std::isnan(*number)) return std::nullopt;
    double truncated = std::trunc(*number);
    if (truncated < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        truncated > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<long>(truncated);
}

std::optional<bool> variantBoolean(const VARIANT& value) {
    const VARIANT& v = dereferenced(value);
    if (v.vt == VT_EMPTY || v.vt == VT_NULL) return false;
    if (v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN) return v.punkVal != nullptr;
    VARIANT flag = changed(v, VT_BOOL);
    if (flag.vt != VT_BOOL) return std::nullopt;
    return flag.boolVal != VARIANT_FALSE;
}

IDispatch* variantDispatch(const VARIANT& value) {
    const VARIANT& v = dereferenced(value);
    if (v.vt == VT_DISPATCH) return v.pdispVal;
    if (v.vt == (VT_BYREF | VT_DISPATCH) && v.ppdispVal != nullptr) return *v.ppdispVal;
    return nullptr;
}

void setText(VARIANT* result, std::string_view cp936) { setWideText(result, toUtf16(cp936)); }

void setWideText(VARIANT* result, std::u16string_view text) {
    if (result == nullptr) return;
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                        static_cast<UINT>(text.size()));
}

void setInteger(VARIANT* result, long value) {
    if (result == nullptr) return;
    result->vt = VT_I4;
    result->lVal = static_cast<LONG>(value);
}

void setNumber(VARIANT* result, double value) {
    if (result == nullptr) return;
    if (std::trunc(value) == value && std::fabs(value) <= 2147483647.0) {
        setInteger(result, static_cast<long>(value));
        return;
    }
    result->vt = VT_R8;
    result->dblVal = value;
}

void setBoolean(VARIANT* result, bool value) {
    if (result == nullptr) return;
    result->vt = VT_BOOL;
    result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void setObject(VARIANT* result, IDispatch* adopted) {
    if (result == nullptr) {
        if (adopted != nullptr) adopted->Release();
        return;
    }
    result->vt = VT_DISPATCH;
    result->pdispVal = adopted;
}

void setNull(VARIANT* result) {
    if (result != nullptr) result->vt = VT_NULL;
}

std::u16string toUtf16(std::string_view cp936) {
    if (cp936.empty()) return {};
    int length =
        MultiByteToWideChar(CP_ACP, 0, cp936.data(), static_cast<int>(cp936.size()), nullptr, 0);
    if (length <= 0) return {};
    std::u16string wide(static_cast<size_t>(length), u'\0');
    MultiByteToWideChar(CP_ACP, 0, cp936.data(), static_cast<int>(cp936.size()),
                        reinterpret_cast<LPWSTR>(wide.data()), length);
    return wide;
}

std::string fromUtf16(std::u16string_view text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<LPCWSTR>(text.data());
    int length = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0,
                                     nullptr, nullptr);
    if (length <= 0) return {};
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), bytes.data(), length,
                        nullptr, nullptr);
    return bytes;
}

}  // namespace browser
