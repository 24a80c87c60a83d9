// AutomationVariant: a holder of one OLE VARIANT, which it owns. Move-only;
// the value is cleared (strings freed, references released) when the holder
// is cleared, reassigned or destroyed.
#pragma once

#include "platform/win32.h"
#include "runtime/text.h"

// A variant handed to VariantCopy, VariantCopyInd or VariantChangeType as
// their source. They do not change it, but the system headers declare the
// source as a non-const pointer.
inline VARIANTARG* variantSource(const VARIANTARG& value) {
    return const_cast<VARIANTARG*>(&value);
}

class AutomationVariant {
public:
    AutomationVariant() { VariantInit(&value_); }
    ~AutomationVariant() { VariantClear(&value_); }
    AutomationVariant(AutomationVariant&& other) noexcept;
    AutomationVariant& operator=(AutomationVariant&& other) noexcept;
    AutomationVariant(const AutomationVariant&) = delete;
    AutomationVariant& operator=(const AutomationVariant&) = delete;

    const VARIANT& get() const { return value_; }
    VARTYPE type() const { return value_.vt; }
    // Clears the held value and hands out the slot to be filled; the holder
    // owns whatever is put there.
    VARIANT* put();

private:
    VARIANT value_;
};

// VariantClear on the held value, then every byte of it set to zero.
void clearVariant(AutomationVariant& variant);

// A copy of the variant converted to text or to a boolean (true when not
// zero); the empty text or false when it does not convert.
Text variantToText(const AutomationVariant& variant);
bool variantToBool(const AutomationVariant& variant);

// The same conversions on a raw VARIANT, which is left unchanged. The bool
// form reports through `converted` whether the conversion succeeded.
Text variantValueToText(const VARIANT& value, bool* converted = nullptr);
bool variantValueToBool(const VARIANT& value, bool* converted = nullptr);
