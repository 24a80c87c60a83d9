// VARIANT values in and out of the component's objects. The tree's texts are
// code page 936 bytes; across COM they are UTF-16 BSTRs, converted in the
// ANSI code page (936) as the rest of the system converts them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win32.h"

namespace browser {

// The value behind a by-reference VARIANT (VT_BYREF | type, or a VARIANT
// passed by reference), else the value itself. Borrowed: no copy is made.
const VARIANT& dereferenced(const VARIANT& value);

// True for VT_EMPTY and for the mark of an omitted optional argument
// (VT_ERROR with DISP_E_PARAMNOTFOUND).
bool isMissing(const VARIANT& value);

// The value as code page 936 text; VT_EMPTY and VT_NULL give "", a boolean
// "true" or "false" (as script writes it), and a value that does not
// convert gives std::nullopt.
std::optional<std::string> variantText(const VARIANT& value);
// The value as a number, an integer (truncated toward zero) or a boolean;
// std::nullopt when it does not convert.
std::optional<double> variantNumber(const VARIANT& value);
std::optional<long> variantInteger(const VARIANT& value);
std::optional<bool> variantBoolean(const VARIANT& value);
// The object a VT_DISPATCH or VT_UNKNOWN value holds (borrowed), or nullptr.
IDispatch* variantDispatch(const VARIANT& value);

// Results. Each expects an empty (VT_EMPTY) result and fills it; the result
// then owns what it holds.
void setText(VARIANT* result, std::string_view cp936);
void setWideText(VARIANT* result, std::u16string_view text);
void setInteger(VARIANT* result, long value);
void setNumber(VARIANT* result, double value);
void setBoolean(VARIANT* result, bool value);
// Takes over the caller's reference; a null object gives VT_DISPATCH with
// a null pointer, as the browser's members declared as objects give "no
// object".
void setObject(VARIANT* result, IDispatch* adopted);
// VT_NULL: what an unset handler property or an absent attribute reads as.
void setNull(VARIANT* result);

// Code page 936 and UTF-16.
std::u16string toUtf16(std::string_view cp936);
std::string fromUtf16(std::u16string_view text);

// A const OLECHAR* for a u"..." literal (OLECHAR is 16 bits on both builds).
inline const OLECHAR* ole(const char16_t* text) { return reinterpret_cast<const OLECHAR*>(text); }

}  // namespace browser
