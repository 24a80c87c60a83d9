// Helpers the emulated VARIANT functions share. Not part of the API.
#pragma once

#include <cstdint>
#include <string>

#include "emulation/oleauto.h"

namespace emulation {

// A type a variant holds by value and the emulation knows (no arrays,
// records or references).
bool isPlainVariantType(VARTYPE type);

// S_OK for a type a variant may hold, DISP_E_BADVARTYPE otherwise.
HRESULT checkVariantType(VARTYPE type);

// Copies `source`, which holds a plain value, into `destination` without
// looking at what the destination held: a new BSTR, one more reference on
// an interface.
HRESULT copyPlainValue(VARIANT* destination, const VARIANT& source);

// The value a by-reference variant points at, as a plain variant that does
// not own it (no copy of the BSTR, no reference taken). False when the
// reference is null or of a type that cannot be read.
bool dereference(const VARIANT& reference, VARIANT* value);

// ---- Text forms of values (variant_text.cpp, variant_date.cpp) -------------
// The emulated user locale is zh-CN (LCID 0x0804): "." before decimals, ","
// between thousands, dates as year/month/day and times on a 24-hour clock.

// A number read from text as OLE Automation reads it: surrounding blanks,
// one leading "+" and one "-", a trailing sign, parentheses for a negative
// number, "," anywhere after the first digit, an exponent, or the "&H" (hex)
// and "&O" (octal) forms. The value is digits × 10^exponent, kept exact so
// that rounding to an integer sees every digit.
struct ParsedNumber {
    bool negative = false;
    bool radixForm = false;      // "&H" or "&O": the value is radixValue
    bool radixOverflow = false;  // more than 64 bits of "&H" or "&O" digits
    std::uint64_t radixValue = 0;
    std::string digits;  // significant decimal digits, no leading zeros
    int exponent = 0;
};

// False when the text is no number.
bool parseNumber(const OLECHAR* text, ParsedNumber* number);

// The number rounded to an integer (half to even) of `bits` bits, signed or
// not. DISP_E_OVERFLOW when it does not fit.
HRESULT parsedNumberToInteger(const ParsedNumber& number, int bits, bool isSigned,
                              std::int64_t* result);
// The number as a double; DISP_E_OVERFLOW past the double range.
HRESULT parsedNumberToDouble(const ParsedNumber& number, double* result);

// "True", "False" (any case), "#TRUE#", "#FALSE#", and with `localWords`
// the zh-CN words too. False when the text is none of them.
bool parseBooleanWord(const OLECHAR* text, bool localWords, bool* value);

// Numbers as Automation prints them: 15 significant digits for doubles, 7
// for floats, an exponent written "E+20" where the plain form would not fit.
std::string formatDouble(double value, int significantDigits);

// A DATE as text ("2023/3/15", "06:00:00", "2023/3/15 06:00:00").
// E_INVALIDARG outside years 100 to 9999.
HRESULT formatDate(DATE value, std::u16string* text);
// Text to a DATE. Covers dates of three numbers (year/month/day, and
// month/day/year or day/month/year where the numbers say so) or of a year
// and a month, joined by "/" or "-", and times of hours and minutes with
// optional seconds, joined by ":" or ".", with an optional AM/PM marker
// (also 上午/下午); a date, a time, or both. DISP_E_TYPEMISMATCH otherwise.
HRESULT parseDate(const OLECHAR* text, DATE* value);

// The days from 1899-12-30 (DATE 0) to a day of the proleptic Gregorian
// calendar, and back.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day);
void civilFromDays(std::int64_t days, std::int64_t* year, unsigned* month, unsigned* day);

// UTF-16 text from ASCII (or already UTF-16) text, and a BSTR of it.
std::u16string widen(const std::string& ascii);
BSTR allocateBstr(const std::u16string& text);

}  // namespace emulation
