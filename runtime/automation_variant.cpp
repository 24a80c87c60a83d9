#include "runtime/automation_variant.h"

#include <cstring>

#include "runtime/wide_text.h"

AutomationVariant::AutomationVariant(AutomationVariant&& other) noexcept : value_(other.value_) {
    VariantInit(&other.value_);
}

AutomationVariant& AutomationVariant::operator=(AutomationVariant&& other) noexcept {
    if (this != &other) {
        VariantClear(&value_);
        value_ = other.value_;
        VariantInit(&other.value_);
    }
    return *this;
}

VARIANT* AutomationVariant::put() {
    VariantClear(&value_);
    return &value_;
}

void clearVariant(AutomationVariant& variant) {
    VARIANT* value = variant.put();
    std::memset(static_cast<void*>(value), 0, sizeof *value);
}

Text variantValueToText(const VARIANT& value, bool* converted) {
    VARIANT text;
    VariantInit(&text);
    HRESULT hr = VariantChangeType(&text, variantSource(value), 0, VT_BSTR);
    if (converted != nullptr) *converted = SUCCEEDED(hr);
    Text result = SUCCEEDED(hr) ? textOfBstr(text.bstrVal) : Text();
    VariantClear(&text);
    return result;
}

bool variantValueToBool(const VARIANT& value, bool* converted) {
    VARIANT flag;
    VariantInit(&flag);
    HRESULT hr = VariantChangeType(&flag, variantSource(value), 0, VT_BOOL);
    if (converted != nullptr) *converted = SUCCEEDED(hr);
    bool result = SUCCEEDED(hr) && flag.boolVal != 0;
    VariantClear(&flag);
    return result;
}

Text variantToText(const AutomationVariant& variant) { return variantValueToText(variant.get()); }

bool variantToBool(const AutomationVariant& variant) { return variantValueToBool(variant.get()); }
