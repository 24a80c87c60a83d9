// VariantChangeType between the value types, under the zh-CN user locale
// (LCID 0x0804) the Windows build runs with under Wine. Every expected result
// is what Wine gives; where that surprises, the row says so.
#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "tests/conformance/platform/ole_test_support.h"

namespace {

using ole_test::describe;
using ole_test::describeResult;
using ole_test::ole;
using ole_test::textOf;

// A value a row starts from or expects. Text may hold embedded zeros.
struct Value {
    VARTYPE vt = VT_EMPTY;
    long long integer = 0;  // the integer types, VT_BOOL, VT_ERROR
    double real = 0;        // VT_R4, VT_R8, VT_DATE
    std::u16string text;    // VT_BSTR
};

Value typed(VARTYPE vt, long long integer) { return {vt, integer, 0, {}}; }
Value I1(long long v) { return typed(VT_I1, v); }
Value UI1(long long v) { return typed(VT_UI1, v); }
Value I2(long long v) { return typed(VT_I2, v); }
Value UI2(long long v) { return typed(VT_UI2, v); }
Value I4(long long v) { return typed(VT_I4, v); }
Value UI4(long long v) { return typed(VT_UI4, v); }
Value Int(long long v) { return typed(VT_INT, v); }
Value UInt(long long v) { return typed(VT_UINT, v); }
Value I8(long long v) { return typed(VT_I8, v); }
Value UI8(unsigned long long v) { return typed(VT_UI8, static_cast<long long>(v)); }
Value Bool(long long v) { return typed(VT_BOOL, v); }
Value Error(long long v) { return typed(VT_ERROR, v); }
Value R4(double v) { return {VT_R4, 0, v, {}}; }
Value R8(double v) { return {VT_R8, 0, v, {}}; }
Value Date(double v) { return {VT_DATE, 0, v, {}}; }
Value Str(std::u16string text) { return {VT_BSTR, 0, 0, std::move(text)}; }
Value Empty() { return {}; }
Value Null() { return typed(VT_NULL, 0); }
// A result that is not looked at: the row expects a failure.
Value None() { return typed(VT_ILLEGAL, 0); }

VARIANT make(const Value& value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = value.vt;
    v.llVal = 0;
    switch (value.vt) {
        case VT_I1:
            v.cVal = static_cast<CHAR>(value.integer);
            break;
        case VT_UI1:
            v.bVal = static_cast<BYTE>(value.integer);
            break;
        case VT_I2:
        case VT_BOOL:
            v.iVal = static_cast<SHORT>(value.integer);
            break;
        case VT_UI2:
            v.uiVal = static_cast<USHORT>(value.integer);
            break;
        case VT_I4:
        case VT_INT:
        case VT_ERROR:
            v.lVal = static_cast<LONG>(value.integer);
            break;
        case VT_UI4:
        case VT_UINT:
            v.ulVal = static_cast<ULONG>(value.integer);
            break;
        case VT_I8:
        case VT_UI8:
            v.llVal = value.integer;
            break;
        case VT_R4:
            v.fltVal = static_cast<FLOAT>(value.real);
            break;
        case VT_R8:
            v.dblVal = value.real;
            break;
        case VT_DATE:
            v.date = value.real;
            break;
        case VT_BSTR:
            v.bstrVal =
                SysAllocStringLen(ole(value.text.c_str()), static_cast<UINT>(value.text.size()));
            break;
        default:
            break;
    }
    return v;
}

// Whether `actual` holds `expected`. Dates read from text may differ from
// Wine's in the last bits of the fraction: a millionth of a second is close
// enough. Everything else must match exactly.
bool holds(const VARIANT& actual, const Value& expected) {
    if (actual.vt != expected.vt) return false;
    switch (expected.vt) {
        case VT_EMPTY:
        case VT_NULL:
            return true;
        case VT_R4:
            return actual.fltVal == static_cast<FLOAT>(expected.real);
        case VT_R8:
            return actual.dblVal == expected.real &&
                   std::signbit(actual.dblVal) == std::signbit(expected.real);
        case VT_DATE:
            return std::fabs(actual.date - expected.real) < 1e-11;
        case VT_BSTR:
            return actual.bstrVal != nullptr && textOf(actual.bstrVal) == expected.text;
        case VT_I1:
            return actual.cVal == static_cast<CHAR>(expected.integer);
        case VT_UI1:
            return actual.bVal == static_cast<BYTE>(expected.integer);
        case VT_I2:
        case VT_BOOL:
            return actual.iVal == static_cast<SHORT>(expected.integer);
        case VT_UI2:
            return actual.uiVal == static_cast<USHORT>(expected.integer);
        case VT_I4:
        case VT_INT:
        case VT_ERROR:
            return actual.lVal == static_cast<LONG>(expected.integer);
        case VT_UI4:
        case VT_UINT:
            return actual.ulVal == static_cast<ULONG>(expected.integer);
        default:  // VT_I8, VT_UI8
            return actual.llVal == expected.integer;
    }
}

struct Case {
    Value source;
    VARTYPE target;
    HRESULT result;
    Value expected;
    USHORT flags = 0;
};

void runCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        VARIANT source = make(c.source);
        VARIANT converted;
        VariantInit(&converted);
        const HRESULT hr = VariantChangeType(&converted, &source, c.flags, c.target);
        const std::string what = describe(source) + " to vt " + std::to_string(c.target) +
                                 " flags " + std::to_string(c.flags);
        EXPECT_EQ(describeResult(hr), describeResult(c.result)) << what;
        if (SUCCEEDED(hr) && SUCCEEDED(c.result)) {
            VARIANT wanted = make(c.expected);
            EXPECT_TRUE(holds(converted, c.expected))
                << what << ": gave " << describe(converted) << ", expected " << describe(wanted);
            VariantClear(&wanted);
        }
        EXPECT_EQ(VariantClear(&converted), S_OK) << what;
        VariantClear(&source);  // refused for the rows whose source type is bad
    }
}

const HRESULT kOk = S_OK;
const HRESULT kOverflow = DISP_E_OVERFLOW;
const HRESULT kMismatch = DISP_E_TYPEMISMATCH;
const HRESULT kBadType = DISP_E_BADVARTYPE;

TEST(VariantChangeTypeTest, RealsRoundHalfToEvenIntoIntegers) {
    runCases({
        {R8(0.5), VT_I4, kOk, I4(0)},
        {R8(1.5), VT_I4, kOk, I4(2)},
        {R8(2.5), VT_I4, kOk, I4(2)},
        {R8(3.5), VT_I4, kOk, I4(4)},
        {R8(-0.5), VT_I4, kOk, I4(0)},
        {R8(-1.5), VT_I4, kOk, I4(-2)},
        {R8(-2.5), VT_I4, kOk, I4(-2)},
        {R8(-0.6), VT_I4, kOk, I4(-1)},
        {R8(2.4999999), VT_I4, kOk, I4(2)},
        {R8(2.5000001), VT_I4, kOk, I4(3)},
        {R8(0.49999999999999994), VT_I4, kOk, I4(0)},
        {R8(2.5), VT_I1, kOk, I1(2)},
        {R8(2.5), VT_UI1, kOk, UI1(2)},
        {R8(3.5), VT_I2, kOk, I2(4)},
        {R8(2.5), VT_UI2, kOk, UI2(2)},
        {R8(3.5), VT_UI4, kOk, UI4(4)},
        {R8(2.5), VT_INT, kOk, Int(2)},
        {R8(3.5), VT_UINT, kOk, UInt(4)},
        {R8(-2.5), VT_I8, kOk, I8(-2)},
        {R8(3.5), VT_UI8, kOk, UI8(4)},
        {R8(9007199254740992.0), VT_I8, kOk, I8(9007199254740992LL)},
        {R4(2.5), VT_I4, kOk, I4(2)},
        {R4(3.5), VT_I2, kOk, I2(4)},
        {Date(2.5), VT_I4, kOk, I4(2)},
        {Date(3.5), VT_I4, kOk, I4(4)},
        {Date(-2.5), VT_I2, kOk, I2(-2)},
        {Date(2.5), VT_UI1, kOk, UI1(2)},
        {Date(2.5), VT_I8, kOk, I8(2)},
        // Negative halves round to zero first, so they fit unsigned types.
        {R8(-0.5), VT_UI1, kOk, UI1(0)},
        {R8(-0.4), VT_UI4, kOk, UI4(0)},
        {R8(-0.6), VT_UI1, kOverflow, None()},
        {R8(-1.5), VT_UI4, kOverflow, None()},
        {R4(-2.5), VT_UI1, kOverflow, None()},
    });
}

TEST(VariantChangeTypeTest, ValuesOutOfRangeOverflow) {
    runCases({
        {R8(32767.5), VT_I2, kOverflow, None()},  // rounds to 32768
        {R8(32767.4), VT_I2, kOk, I2(32767)},
        {R8(-32768.5), VT_I2, kOk, I2(-32768)},
        {R8(-32768.6), VT_I2, kOverflow, None()},
        {R8(255.5), VT_UI1, kOverflow, None()},
        {R8(254.5), VT_UI1, kOk, UI1(254)},
        {R8(255.4), VT_UI1, kOk, UI1(255)},
        {R8(2147483647.5), VT_I4, kOverflow, None()},
        {R8(2147483647.4), VT_I4, kOk, I4(2147483647)},
        {R8(-2147483648.5), VT_I4, kOk, I4(-2147483647LL - 1)},
        {R8(4294967295.5), VT_UI4, kOverflow, None()},
        {R8(4294967294.5), VT_UI4, kOk, UI4(4294967294LL)},
        {R8(9.2233720368547758e18), VT_I8, kOverflow, None()},
        {R8(1e300), VT_I8, kOverflow, None()},
        {R4(1e30), VT_I8, kOverflow, None()},
        {Date(1e10), VT_I4, kOverflow, None()},
        {R8(1e300), VT_R4, kOverflow, None()},
        {R8(-1e300), VT_R4, kOverflow, None()},
        {R8(3.5e38), VT_R4, kOverflow, None()},
        {R8(3.4028235e38), VT_R4, kOk, R4(FLT_MAX)},  // rounds to the largest float
        {R8(1e-300), VT_R4, kOk, R4(0)},              // too small for a float is zero
        {R8(0.1), VT_R4, kOk, R4(0.1f)},
        {I4(70000), VT_I2, kOverflow, None()},
        {I4(256), VT_UI1, kOverflow, None()},
        {I4(128), VT_I1, kOverflow, None()},
        {I4(-1), VT_UI1, kOverflow, None()},
        {I4(-1), VT_UI2, kOverflow, None()},
        {I4(-1), VT_UI8, kOverflow, None()},
        {I2(-1), VT_UI1, kOverflow, None()},
        {I8(0x100000000LL), VT_I4, kOverflow, None()},
        {I8(0x100000000LL), VT_UI4, kOverflow, None()},
        {UI4(0x80000000LL), VT_I2, kOverflow, None()},
        {UI8(0xFFFFFFFFFFFFFFFFULL), VT_I4, kOverflow, None()},
        {I8(0x100000000LL), VT_R4, kOk, R4(4294967296.0)},
        {UI4(0xFFFFFFFFLL), VT_R8, kOk, R8(4294967295.0)},
        {I2(-5), VT_R8, kOk, R8(-5)},
        {I2(-5), VT_R4, kOk, R4(-5)},
        {R4(2.5), VT_R8, kOk, R8(2.5)},
        {UI1(255), VT_I2, kOk, I2(255)},
        {UI2(32768), VT_I4, kOk, I4(32768)},
        {I4(-1), VT_I8, kOk, I8(-1)},
    });
}

// Wine converts between integer types of one width by their bits, without
// an overflow: -1 as VT_I4 is 4294967295 as VT_UI4 and back.
TEST(VariantChangeTypeTest, IntegersOfOneWidthKeepTheirBits) {
    runCases({
        {I1(-1), VT_UI1, kOk, UI1(255)},
        {UI1(255), VT_I1, kOk, I1(-1)},
        {UI1(128), VT_I1, kOk, I1(-128)},
        {I2(-1), VT_UI2, kOk, UI2(65535)},
        {UI2(65535), VT_I2, kOk, I2(-1)},
        {I4(-1), VT_UI4, kOk, UI4(4294967295LL)},
        {I4(-1), VT_UINT, kOk, UInt(4294967295LL)},
        {UI4(4294967295LL), VT_I4, kOk, I4(-1)},
        {UInt(3000000000LL), VT_INT, kOk, Int(-1294967296LL)},
        {UInt(3000000000LL), VT_I4, kOk, I4(-1294967296LL)},
        {Int(-3), VT_UINT, kOk, UInt(4294967293LL)},
        {I8(-1), VT_UI8, kOk, UI8(0xFFFFFFFFFFFFFFFFULL)},
        {UI8(0xFFFFFFFFFFFFFFFFULL), VT_I8, kOk, I8(-1)},
        {I1(-1), VT_UI2, kOverflow, None()},  // a wider type is range-checked
        {UI4(0xFFFFFFFFLL), VT_I8, kOk, I8(4294967295LL)},
    });
}

TEST(VariantChangeTypeTest, BooleansAreMinusOneAndZero) {
    runCases({
        {Bool(-1), VT_I2, kOk, I2(-1)},
        {Bool(-1), VT_I4, kOk, I4(-1)},
        {Bool(-1), VT_I1, kOk, I1(-1)},
        // A boolean fills the bits of an unsigned type.
        {Bool(-1), VT_UI1, kOk, UI1(255)},
        {Bool(-1), VT_UI2, kOk, UI2(65535)},
        {Bool(-1), VT_UI4, kOk, UI4(4294967295LL)},
        {Bool(-1), VT_UI8, kOk, UI8(0xFFFFFFFFFFFFFFFFULL)},
        {Bool(-1), VT_R8, kOk, R8(-1)},
        {Bool(-1), VT_R4, kOk, R4(-1)},
        {Bool(-1), VT_DATE, kOk, Date(-1)},
        {Bool(0), VT_I4, kOk, I4(0)},
        {Bool(1), VT_I4, kOk, I4(1)},
        {Bool(1), VT_BOOL, kOk, Bool(1)},  // the same type is copied as it is
        {I4(5), VT_BOOL, kOk, Bool(-1)},
        {I4(0), VT_BOOL, kOk, Bool(0)},
        {I2(-1), VT_BOOL, kOk, Bool(-1)},
        {UI1(200), VT_BOOL, kOk, Bool(-1)},
        {I1(127), VT_BOOL, kOk, Bool(-1)},
        {R8(0.1), VT_BOOL, kOk, Bool(-1)},
        {R8(-0.0), VT_BOOL, kOk, Bool(0)},
        {Date(0.5), VT_BOOL, kOk, Bool(-1)},
        {Date(0), VT_BOOL, kOk, Bool(0)},
    });
}

// With flags 0 a boolean prints as its number; "True" needs
// VARIANT_ALPHABOOL, and VARIANT_LOCALBOOL gives the zh-CN words.
TEST(VariantChangeTypeTest, BooleansToText) {
    runCases({
        {Bool(-1), VT_BSTR, kOk, Str(u"-1")},
        {Bool(0), VT_BSTR, kOk, Str(u"0")},
        {Bool(5), VT_BSTR, kOk, Str(u"5")},
        {Bool(-1), VT_BSTR, kOk, Str(u"-1"), VARIANT_NOVALUEPROP},
        {Bool(-1), VT_BSTR, kOk, Str(u"True"), VARIANT_ALPHABOOL},
        {Bool(0), VT_BSTR, kOk, Str(u"False"), VARIANT_ALPHABOOL},
        {Bool(5), VT_BSTR, kOk, Str(u"True"), VARIANT_ALPHABOOL},
        {Bool(-1), VT_BSTR, kOk, Str(u"\u771F"), VARIANT_LOCALBOOL},  // 真
        {Bool(0), VT_BSTR, kOk, Str(u"\u5047"), VARIANT_LOCALBOOL},   // 假
        {Bool(-1), VT_BSTR, kOk, Str(u"\u771F"), VARIANT_LOCALBOOL | VARIANT_ALPHABOOL},
    });
}

TEST(VariantChangeTypeTest, TextToBooleans) {
    runCases({
        {Str(u"True"), VT_BOOL, kOk, Bool(-1)},
        {Str(u"False"), VT_BOOL, kOk, Bool(0)},
        {Str(u"true"), VT_BOOL, kOk, Bool(-1)},
        {Str(u"FALSE"), VT_BOOL, kOk, Bool(0)},
        {Str(u"#TRUE#"), VT_BOOL, kOk, Bool(-1)},
        {Str(u"#FALSE#"), VT_BOOL, kOk, Bool(0)},
        {Str(u"#true#"), VT_BOOL, kMismatch, None()},  // only in capitals
        {Str(u"#TRUE"), VT_BOOL, kMismatch, None()},
        {Str(u" True"), VT_BOOL, kMismatch, None()},  // no blanks around the words
        {Str(u"True "), VT_BOOL, kMismatch, None()},
        {Str(u"yes"), VT_BOOL, kMismatch, None()},
        {Str(u""), VT_BOOL, kMismatch, None()},
        {Str(u"abc"), VT_BOOL, kMismatch, None()},
        {Str(u"1"), VT_BOOL, kOk, Bool(-1)},
        {Str(u"0"), VT_BOOL, kOk, Bool(0)},
        {Str(u"2"), VT_BOOL, kOk, Bool(-1)},
        {Str(u"-1"), VT_BOOL, kOk, Bool(-1)},
        {Str(u"0.0"), VT_BOOL, kOk, Bool(0)},
        {Str(u"1.5"), VT_BOOL, kOk, Bool(-1)},
        {Str(u"  1  "), VT_BOOL, kOk, Bool(-1)},  // numbers may have blanks
        {Str(u"&H0"), VT_BOOL, kOk, Bool(0)},
        {Str(u"1E+309"), VT_BOOL, kOverflow, None()},
        {Str(u"&HFFFFFFFE"), VT_BOOL, kOverflow, None()},
        {Str(u"\u771F"), VT_BOOL, kMismatch, None()},
        {Str(u"\u771F"), VT_BOOL, kOk, Bool(-1), VARIANT_LOCALBOOL},
        {Str(u"\u5047"), VT_BOOL, kOk, Bool(0), VARIANT_LOCALBOOL},
        {Str(u"True"), VT_BOOL, kOk, Bool(-1), VARIANT_LOCALBOOL},
        {Str(u"True"), VT_BOOL, kOk, Bool(-1), VARIANT_ALPHABOOL},
        // The words are booleans only: not numbers, not dates.
        {Str(u"True"), VT_I4, kMismatch, None()},
        {Str(u"True"), VT_R8, kMismatch, None()},
        {Str(u"True"), VT_I2, kMismatch, None(), VARIANT_ALPHABOOL},
        {Str(u"True"), VT_DATE, kMismatch, None()},
        {Str(u"True"), VT_BSTR, kOk, Str(u"True")},
    });
}

TEST(VariantChangeTypeTest, TextToNumbers) {
    runCases({
        {Str(u"12"), VT_I4, kOk, I4(12)},
        {Str(u"12"), VT_R8, kOk, R8(12)},
        {Str(u" 12 "), VT_I4, kOk, I4(12)},
        {Str(u"\t12"), VT_I4, kOk, I4(12)},
        {Str(u"12\n"), VT_I4, kOk, I4(12)},
        {Str(u"\u00A012"), VT_I4, kOk, I4(12)},  // a no-break space is a blank too
        {Str(u"-5"), VT_I4, kOk, I4(-5)},
        {Str(u"+5"), VT_I4, kOk, I4(5)},
        {Str(u"- 1"), VT_I4, kOk, I4(-1)},
        {Str(u"3.14"), VT_R8, kOk, R8(3.14)},
        {Str(u"3.14"), VT_I4, kOk, I4(3)},
        {Str(u".5"), VT_R8, kOk, R8(0.5)},
        {Str(u"5."), VT_R8, kOk, R8(5)},
        {Str(u"-0"), VT_R8, kOk, R8(-0.0)},
        {Str(u"1e3"), VT_I4, kOk, I4(1000)},
        {Str(u"1E3"), VT_R8, kOk, R8(1000)},
        {Str(u"1e+3"), VT_I4, kOk, I4(1000)},
        {Str(u"1.5e3"), VT_I4, kOk, I4(1500)},
        {Str(u"1.e3"), VT_I4, kOk, I4(1000)},
        {Str(u"1e-3"), VT_R8, kOk, R8(0.001)},
        {Str(u"1e-3"), VT_I4, kOk, I4(0)},
        {Str(u"1e0010"), VT_R8, kOk, R8(1e10)},
        {Str(u"1234567890123456789012"), VT_R8, kOk, R8(1.2345678901234568e21)},
        {Str(u"0.00000000001"), VT_R8, kOk, R8(1e-11)},
        {Str(u"0.0000000000000000000000000000001e31"), VT_I4, kOk, I4(1)},
        {Str(u"0.1"), VT_R4, kOk, R4(0.1f)},
        {Str(u"3.4028235e38"), VT_R4, kOk, R4(FLT_MAX)},
        // "," may follow any digit, even after the point.
        {Str(u"1,234"), VT_I4, kOk, I4(1234)},
        {Str(u"1,,2"), VT_I4, kOk, I4(12)},
        {Str(u"12,"), VT_I4, kOk, I4(12)},
        {Str(u"1,234.5"), VT_R8, kOk, R8(1234.5)},
        {Str(u"1.234,5"), VT_R8, kOk, R8(1.2345)},
        {Str(u",12"), VT_I4, kMismatch, None()},
        // Signs: one "+" and one "-" before or after, parentheses negate.
        {Str(u"3-"), VT_I4, kOk, I4(-3)},
        {Str(u"12+"), VT_I4, kOk, I4(12)},
        {Str(u"+12-"), VT_I4, kOk, I4(-12)},
        {Str(u"+-3"), VT_I4, kOk, I4(-3)},
        {Str(u"-+3"), VT_I4, kOk, I4(-3)},
        {Str(u"(3)"), VT_I4, kOk, I4(-3)},
        {Str(u"( 3 )"), VT_R8, kOk, R8(-3)},
        {Str(u"  (3)  "), VT_I4, kOk, I4(-3)},
        {Str(u"(-3)"), VT_I4, kOk, I4(-3)},
        {Str(u"-(3)"), VT_I4, kOk, I4(-3)},
        {Str(u"(+3)"), VT_I4, kOk, I4(-3)},
        {Str(u"(3)"), VT_UI1, kOverflow, None()},
        {Str(u"--1"), VT_I4, kMismatch, None()},
        {Str(u"++3"), VT_I4, kMismatch, None()},
        {Str(u"-3-"), VT_I4, kMismatch, None()},
        {Str(u"-1-"), VT_R8, kMismatch, None()},
        {Str(u"(3"), VT_I4, kMismatch, None()},
        {Str(u"3)"), VT_I4, kMismatch, None()},
        // Text that is no number.
        {Str(u""), VT_I4, kMismatch, None()},
        {Str(u"  "), VT_R8, kMismatch, None()},
        {Str(u"abc"), VT_I4, kMismatch, None()},
        {Str(u"12abc"), VT_I4, kMismatch, None()},
        {Str(u"1 2"), VT_I4, kMismatch, None()},
        {Str(u"1.2.3"), VT_R8, kMismatch, None()},
        {Str(u"1d2"), VT_R8, kMismatch, None()},
        {Str(u"12%"), VT_I4, kMismatch, None()},
        {Str(u"$3"), VT_I4, kMismatch, None()},
        {Str(u"0x10"), VT_I4, kMismatch, None()},
        {Str(u"\uFF11\uFF12"), VT_I4, kMismatch, None()},  // full-width digits
        {Str(u"."), VT_R8, kMismatch, None()},
        {Str(u"-"), VT_I4, kMismatch, None()},
        {Str(u"1e"), VT_R8, kMismatch, None()},
        {Str(u"e3"), VT_R8, kMismatch, None()},
        {Str(u".e3"), VT_R8, kMismatch, None()},
        {Str(u"1e3.5"), VT_R8, kMismatch, None()},
        {Str(u"1_0"), VT_I4, kMismatch, None()},
        // The text ends at an embedded zero.
        {Str(std::u16string(u"12\0"
                            u"3",
                            4)),
         VT_I4, kOk, I4(12)},
        {Str(std::u16string(u"12\0"
                            u"3",
                            4)),
         VT_BSTR, kOk,
         Str(std::u16string(u"12\0"
                            u"3",
                            4))},
    });
}

TEST(VariantChangeTypeTest, TextToIntegersRoundsEveryDigit) {
    runCases({
        {Str(u"1.5"), VT_I4, kOk, I4(2)},
        {Str(u"2.5"), VT_I4, kOk, I4(2)},
        {Str(u"3.5"), VT_I4, kOk, I4(4)},
        {Str(u"-2.5"), VT_I4, kOk, I4(-2)},
        {Str(u"0.5"), VT_I2, kOk, I2(0)},
        {Str(u"2.5e0"), VT_I4, kOk, I4(2)},
        // A double would read this as 2.5 and round it down.
        {Str(u"2.50000000000000000001"), VT_I4, kOk, I4(3)},
        {Str(u"-0.5"), VT_UI1, kOk, UI1(0)},
        {Str(u"-0.6"), VT_UI1, kOverflow, None()},
        {Str(u"-5"), VT_UI1, kOverflow, None()},
        {Str(u"254.5"), VT_UI1, kOk, UI1(254)},
        {Str(u"255.5"), VT_UI1, kOverflow, None()},
        {Str(u"256"), VT_UI1, kOverflow, None()},
        {Str(u"32767.5"), VT_I2, kOverflow, None()},
        {Str(u"70000"), VT_I2, kOverflow, None()},
        {Str(u"70000"), VT_I4, kOk, I4(70000)},
        {Str(u"2147483648"), VT_I4, kOverflow, None()},
        {Str(u"-2147483648"), VT_I4, kOk, I4(-2147483647LL - 1)},
        {Str(u"-2147483649"), VT_I4, kOverflow, None()},
        {Str(u"4294967295"), VT_UI4, kOk, UI4(4294967295LL)},
        {Str(u"4294967296"), VT_UI4, kOverflow, None()},
        {Str(u"9223372036854775807"), VT_I8, kOk, I8(9223372036854775807LL)},
        {Str(u"9223372036854775808"), VT_I8, kOverflow, None()},
        {Str(u"-9223372036854775808"), VT_I8, kOk, I8(-9223372036854775807LL - 1)},
        {Str(u"18446744073709551615"), VT_UI8, kOk, UI8(18446744073709551615ULL)},
        {Str(u"1e19"), VT_UI8, kOk, UI8(10000000000000000000ULL)},
        {Str(u"1234567890123456789012"), VT_I4, kOverflow, None()},
        {Str(u"1e400"), VT_I4, kOverflow, None()},
        {Str(u"1e400"), VT_R8, kOverflow, None()},
        {Str(u"3.4e39"), VT_R4, kOverflow, None()},
        // Text too small for a float overflows, where a double gives zero.
        {Str(u"1e-50"), VT_R4, kOverflow, None()},
        {Str(u"12"), VT_I1, kOk, I1(12)},
        {Str(u"12"), VT_UI2, kOk, UI2(12)},
        {Str(u"12"), VT_INT, kOk, Int(12)},
        {Str(u"12"), VT_UINT, kOk, UInt(12)},
    });
}

// "&H" and "&O" numbers fill the bits of a signed integer type, are
// range-checked for unsigned ones, and as reals are read as a four-byte
// integer, of which Wine takes only &H80000000 from the upper half.
TEST(VariantChangeTypeTest, HexAndOctalText) {
    runCases({
        {Str(u"&H10"), VT_I4, kOk, I4(16)},
        {Str(u"&h10"), VT_I4, kOk, I4(16)},
        {Str(u"&hff"), VT_I4, kOk, I4(255)},
        {Str(u" &H10 "), VT_R8, kOk, R8(16)},
        {Str(u"&O17"), VT_I4, kOk, I4(15)},
        {Str(u"&o17"), VT_R8, kOk, R8(15)},
        {Str(u"&O777"), VT_I4, kOk, I4(511)},
        {Str(u"&HFFFF"), VT_I2, kOk, I2(-1)},
        {Str(u"&H8000"), VT_I2, kOk, I2(-32768)},
        {Str(u"&HFFFF"), VT_I4, kOk, I4(65535)},
        {Str(u"&HFFFF"), VT_UI2, kOk, UI2(65535)},
        {Str(u"&HFFFF"), VT_UI1, kOverflow, None()},
        {Str(u"&HFFFF"), VT_I1, kOverflow, None()},
        {Str(u"&H00000000FF"), VT_I1, kOk, I1(-1)},
        {Str(u"&HFF"), VT_UI1, kOk, UI1(255)},
        {Str(u"&HFFFFFFFF"), VT_I4, kOk, I4(-1)},
        {Str(u"&H80000000"), VT_I4, kOk, I4(-2147483647LL - 1)},
        {Str(u"&HFFFFFFFF"), VT_UI4, kOk, UI4(4294967295LL)},
        {Str(u"&HFFFFFFFE"), VT_I8, kOk, I8(4294967294LL)},
        {Str(u"&O37777777777"), VT_I4, kOk, I4(-1)},
        {Str(u"&O40000000000"), VT_I8, kOk, I8(4294967296LL)},
        {Str(u"&O40000000000"), VT_I4, kOverflow, None()},
        {Str(u"&H100000000"), VT_I4, kOverflow, None()},
        {Str(u"&H100000000"), VT_R8, kOverflow, None()},
        {Str(u"&H80000000"), VT_R8, kOk, R8(-2147483648.0)},
        {Str(u"&H7FFFFFFF"), VT_R8, kOk, R8(2147483647.0)},
        {Str(u"&HFFFF"), VT_R4, kOk, R4(65535)},
        {Str(u"&HFFFFFFFF"), VT_R8, kOverflow, None()},
        {Str(u"&H80000001"), VT_R8, kOverflow, None()},
        {Str(u"&H"), VT_I4, kMismatch, None()},
        {Str(u"&O"), VT_I4, kMismatch, None()},
        {Str(u"&HG"), VT_I4, kMismatch, None()},
        {Str(u"&H-1"), VT_I4, kMismatch, None()},
        {Str(u"& H10"), VT_I4, kMismatch, None()},
        {Str(u"&H 10"), VT_I4, kMismatch, None()},
        {Str(u"&B101"), VT_I4, kMismatch, None()},
    });
}

TEST(VariantChangeTypeTest, NumbersToText) {
    runCases({
        {I4(-12), VT_BSTR, kOk, Str(u"-12")},
        {I2(-32768), VT_BSTR, kOk, Str(u"-32768")},
        {UI1(200), VT_BSTR, kOk, Str(u"200")},
        {I1(-5), VT_BSTR, kOk, Str(u"-5")},
        {UI4(4000000000LL), VT_BSTR, kOk, Str(u"4000000000")},
        {Int(-3), VT_BSTR, kOk, Str(u"-3")},
        {UInt(3000000000LL), VT_BSTR, kOk, Str(u"3000000000")},
        {I8(-9000000000000000000LL), VT_BSTR, kOk, Str(u"-9000000000000000000")},
        {UI8(18446744073709551615ULL), VT_BSTR, kOk, Str(u"18446744073709551615")},
        // Doubles with 15 significant digits; the exponent form takes over
        // from 1E+15 and below 0.0001.
        {R8(3.14), VT_BSTR, kOk, Str(u"3.14")},
        {R8(-12), VT_BSTR, kOk, Str(u"-12")},
        {R8(2.5), VT_BSTR, kOk, Str(u"2.5")},
        {R8(1.0 / 3), VT_BSTR, kOk, Str(u"0.333333333333333")},
        {R8(2.0 / 3), VT_BSTR, kOk, Str(u"0.666666666666667")},
        {R8(0.1 + 0.2), VT_BSTR, kOk, Str(u"0.3")},
        {R8(-0.0), VT_BSTR, kOk, Str(u"0")},
        {R8(12345.678), VT_BSTR, kOk, Str(u"12345.678")},
        {R8(123456.7890123456789), VT_BSTR, kOk, Str(u"123456.789012346")},
        {R8(100), VT_BSTR, kOk, Str(u"100")},
        {R8(1e14), VT_BSTR, kOk, Str(u"100000000000000")},
        {R8(999999999999999.0), VT_BSTR, kOk, Str(u"999999999999999")},
        {R8(123456789012345.0), VT_BSTR, kOk, Str(u"123456789012345")},
        {R8(1e15), VT_BSTR, kOk, Str(u"1E+15")},
        {R8(1234567890123456.0), VT_BSTR, kOk, Str(u"1.23456789012346E+15")},
        {R8(1e20), VT_BSTR, kOk, Str(u"1E+20")},
        {R8(-1.5e300), VT_BSTR, kOk, Str(u"-1.5E+300")},
        {R8(DBL_MAX), VT_BSTR, kOk, Str(u"1.79769313486232E+308")},
        {R8(0.0001), VT_BSTR, kOk, Str(u"0.0001")},
        {R8(0.0001234), VT_BSTR, kOk, Str(u"0.0001234")},
        {R8(0.000123456789012345678), VT_BSTR, kOk, Str(u"0.000123456789012346")},
        {R8(1e-5), VT_BSTR, kOk, Str(u"1E-05")},
        {R8(1.5e-7), VT_BSTR, kOk, Str(u"1.5E-07")},
        {R8(1e-10), VT_BSTR, kOk, Str(u"1E-10")},
        // Floats with 7.
        {R4(3.14f), VT_BSTR, kOk, Str(u"3.14")},
        {R4(0.1f), VT_BSTR, kOk, Str(u"0.1")},
        {R4(1.0f / 3), VT_BSTR, kOk, Str(u"0.3333333")},
        {R4(123456.7f), VT_BSTR, kOk, Str(u"123456.7")},
        {R4(16777216.0f), VT_BSTR, kOk, Str(u"1.677722E+07")},
        {R4(1e10f), VT_BSTR, kOk, Str(u"1E+10")},
        {R4(1e-5f), VT_BSTR, kOk, Str(u"1E-05")},
    });
}

TEST(VariantChangeTypeTest, EmptyNullAndErrorValues) {
    runCases({
        {Empty(), VT_I2, kOk, I2(0)},
        {Empty(), VT_I4, kOk, I4(0)},
        {Empty(), VT_UI1, kOk, UI1(0)},
        {Empty(), VT_I8, kOk, I8(0)},
        {Empty(), VT_R4, kOk, R4(0)},
        {Empty(), VT_R8, kOk, R8(0)},
        {Empty(), VT_DATE, kOk, Date(0)},
        {Empty(), VT_BOOL, kOk, Bool(0)},
        {Empty(), VT_BSTR, kOk, Str(u"")},
        {Empty(), VT_EMPTY, kOk, Empty()},
        {Empty(), VT_NULL, kOk, Null()},
        {Empty(), VT_DISPATCH, kMismatch, None()},
        {Empty(), VT_UNKNOWN, kMismatch, None()},
        {Empty(), VT_ERROR, kMismatch, None()},
        {Null(), VT_NULL, kOk, Null()},
        {Null(), VT_I4, kMismatch, None()},
        {Null(), VT_R8, kMismatch, None()},
        {Null(), VT_BOOL, kMismatch, None()},
        {Null(), VT_DATE, kMismatch, None()},
        {Null(), VT_BSTR, kMismatch, None()},
        {Null(), VT_EMPTY, kMismatch, None()},
        {Null(), VT_DISPATCH, kMismatch, None()},
        {Null(), VT_ERROR, kMismatch, None()},
        // Any value may be emptied or nulled.
        {I4(7), VT_EMPTY, kOk, Empty()},
        {Str(u"7"), VT_EMPTY, kOk, Empty()},
        {I4(7), VT_NULL, kOk, Null()},
        {Str(u"7"), VT_NULL, kOk, Null()},
        {I4(7), VT_DISPATCH, kMismatch, None()},
        {I4(7), VT_UNKNOWN, kMismatch, None()},
        {Str(u"7"), VT_UNKNOWN, kMismatch, None()},
        // An error value converts to nothing but itself, not even to empty.
        {Error(DISP_E_PARAMNOTFOUND), VT_ERROR, kOk, Error(DISP_E_PARAMNOTFOUND)},
        {Error(DISP_E_PARAMNOTFOUND), VT_I4, kMismatch, None()},
        {Error(DISP_E_PARAMNOTFOUND), VT_BSTR, kMismatch, None()},
        {Error(DISP_E_PARAMNOTFOUND), VT_BOOL, kMismatch, None()},
        {Error(DISP_E_PARAMNOTFOUND), VT_EMPTY, kMismatch, None()},
        {I4(5), VT_ERROR, kMismatch, None()},
        {Str(u"5"), VT_ERROR, kMismatch, None()},
    });
}

TEST(VariantChangeTypeTest, TypesThatTakeNoValue) {
    runCases({
        {I4(7), VT_VARIANT, kMismatch, None()},
        {I4(7), VT_RECORD, kMismatch, None()},
        {I4(7), VT_BYREF | VT_I4, kMismatch, None()},
        {I4(7), VT_ARRAY | VT_I4, kMismatch, None()},
        {I4(7), VT_VOID, kBadType, None()},
        {I4(7), 15, kBadType, None()},
        {Null(), VT_VOID, kBadType, None()},
        {Empty(), 15, kBadType, None()},
        {typed(15, 0), VT_I4, kBadType, None()},
        {typed(VT_VARIANT, 0), VT_I4, kMismatch, None()},
        {typed(VT_BYREF | VT_EMPTY, 0), VT_I4, kBadType, None()},
    });
}

// zh-CN writes dates as year/month/day and times on a 24-hour clock with two
// digits each. Day 0 shows as a time alone, a whole day without a time.
TEST(VariantChangeTypeTest, DatesToText) {
    runCases({
        {Date(0), VT_BSTR, kOk, Str(u"00:00:00")},
        {Date(1), VT_BSTR, kOk, Str(u"1899/12/31")},
        {Date(2.5), VT_BSTR, kOk, Str(u"1900/1/1 12:00:00")},
        {Date(36526), VT_BSTR, kOk, Str(u"2000/1/1")},
        {Date(45000), VT_BSTR, kOk, Str(u"2023/3/15")},
        {Date(45000.25), VT_BSTR, kOk, Str(u"2023/3/15 06:00:00")},
        {Date(0.25), VT_BSTR, kOk, Str(u"06:00:00")},
        {Date(0.75), VT_BSTR, kOk, Str(u"18:00:00")},
        {Date(1.0 / 3), VT_BSTR, kOk, Str(u"08:00:00")},
        {Date(1.0 / 86400), VT_BSTR, kOk, Str(u"00:00:01")},
        {Date(45000.5 + 1.0 / 86400 / 2), VT_BSTR, kOk, Str(u"2023/3/15 12:00:01")},
        // Before day 0 the fraction still counts forward from midnight.
        {Date(-1), VT_BSTR, kOk, Str(u"1899/12/29")},
        {Date(-1.5), VT_BSTR, kOk, Str(u"1899/12/29 12:00:00")},
        {Date(-1.25), VT_BSTR, kOk, Str(u"1899/12/29 06:00:00")},
        {Date(-0.25), VT_BSTR, kOk, Str(u"06:00:00")},
        // Seconds are rounded half up on the whole value in seconds (the
        // fraction alone would give 0.4999998 seconds here); a time that
        // rounds to midnight moves the day.
        {Date(45000.000005787035), VT_BSTR, kOk, Str(u"2023/3/15 00:00:01")},
        {Date(45000.500005786998), VT_BSTR, kOk, Str(u"2023/3/15 12:00:00")},
        {Date(0.041660879629629631), VT_BSTR, kOk, Str(u"01:00:00")},
        {Date(-45000.000005787035), VT_BSTR, kOk, Str(u"1776/10/15 00:00:01")},
        {Date(45000.999999), VT_BSTR, kOk, Str(u"2023/3/16 00:00:00")},
        {Date(1.0000001), VT_BSTR, kOk, Str(u"1899/12/31 00:00:00")},
        {Date(-1.9999999), VT_BSTR, kOk, Str(u"1899/12/30 00:00:00")},
        {Date(1e-7), VT_BSTR, kOk, Str(u"00:00:00")},
        {Date(-657434), VT_BSTR, kOk, Str(u"100/1/1")},
        {Date(2958465), VT_BSTR, kOk, Str(u"9999/12/31")},
        {Date(2958465.99999), VT_BSTR, kOk, Str(u"9999/12/31 23:59:59")},
        {Date(2958466), VT_BSTR, E_INVALIDARG, None()},
        {Date(-657435), VT_BSTR, E_INVALIDARG, None()},
        {Date(1e10), VT_BSTR, E_INVALIDARG, None()},
    });
}

TEST(VariantChangeTypeTest, TextToDates) {
    runCases({
        {Str(u"2023/3/15"), VT_DATE, kOk, Date(45000)},
        {Str(u"2023-03-15"), VT_DATE, kOk, Date(45000)},
        {Str(u"2023/03/15"), VT_DATE, kOk, Date(45000)},
        {Str(u"2023-3/4"), VT_DATE, kOk, Date(44989)},
        {Str(u"2023 / 3 / 4"), VT_DATE, kOk, Date(44989)},
        {Str(u"  2023/3/4  "), VT_DATE, kOk, Date(44989)},
        {Str(u"1899/12/30"), VT_DATE, kOk, Date(0)},
        {Str(u"1899/12/29"), VT_DATE, kOk, Date(-1)},
        {Str(u"1753/1/1"), VT_DATE, kOk, Date(-53688)},
        {Str(u"100/1/1"), VT_DATE, kOk, Date(-657434)},
        {Str(u"9999/12/31"), VT_DATE, kOk, Date(2958465)},
        {Str(u"2024/02/29"), VT_DATE, kOk, Date(45351)},
        {Str(u"2000/2/29"), VT_DATE, kOk, Date(36585)},
        // The locale's order first, then month/day/year, day/month/year and
        // year/day/month, whichever makes a real day.
        {Str(u"3/15/2023"), VT_DATE, kOk, Date(45000)},
        {Str(u"15/3/2023"), VT_DATE, kOk, Date(45000)},
        {Str(u"3/4/2023"), VT_DATE, kOk, Date(44989)},
        {Str(u"4/3/2023"), VT_DATE, kOk, Date(45019)},
        {Str(u"2/29/2000"), VT_DATE, kOk, Date(36585)},
        {Str(u"29/2/2000"), VT_DATE, kOk, Date(36585)},
        {Str(u"2023/13/1"), VT_DATE, kOk, Date(44939)},
        {Str(u"12/25/23"), VT_DATE, kOk, Date(45285)},
        // Two-digit years are 1950 to 2049.
        {Str(u"5/6/7"), VT_DATE, kOk, Date(38510)},
        {Str(u"1/1/1"), VT_DATE, kOk, Date(36892)},
        {Str(u"3/4/23"), VT_DATE, kOk, Date(37734)},
        {Str(u"25/12/23"), VT_DATE, kOk, Date(46014)},
        {Str(u"23/3/4"), VT_DATE, kOk, Date(44989)},
        {Str(u"30/3/4"), VT_DATE, kOk, Date(47546)},
        {Str(u"49/1/1"), VT_DATE, kOk, Date(54424)},
        {Str(u"50/1/1"), VT_DATE, kOk, Date(18264)},
        {Str(u"99/1/1"), VT_DATE, kOk, Date(36161)},
        // A year and a month mean the month's first day.
        {Str(u"2023/3"), VT_DATE, kOk, Date(44986)},
        {Str(u"3/2023"), VT_DATE, kOk, Date(44986)},
        // Times, alone or with a date on either side.
        {Str(u"12:00:00"), VT_DATE, kOk, Date(0.5)},
        {Str(u"6:00:00"), VT_DATE, kOk, Date(0.25)},
        {Str(u"06:00:00"), VT_DATE, kOk, Date(0.25)},
        {Str(u"6:0:0"), VT_DATE, kOk, Date(0.25)},
        {Str(u"0:00"), VT_DATE, kOk, Date(0)},
        {Str(u"18:30"), VT_DATE, kOk, Date(18.5 / 24)},
        {Str(u"18:30:15"), VT_DATE, kOk, Date((18 * 3600 + 30 * 60 + 15) / 86400.0)},
        {Str(u"23:59:59"), VT_DATE, kOk, Date(86399 / 86400.0)},
        {Str(u"3.30"), VT_DATE, kOk, Date(3.5 / 24)},
        {Str(u"12.30.15"), VT_DATE, kOk, Date((12 * 3600 + 30 * 60 + 15) / 86400.0)},
        // "2.5" is a time (2:05) as Wine reads it, not a number of days.
        {Str(u"2.5"), VT_DATE, kOk, Date(125 / 1440.0)},
        {Str(u"2023/3/15 6:00:00"), VT_DATE, kOk, Date(45000.25)},
        {Str(u"2023/3/15 06:00"), VT_DATE, kOk, Date(45000.25)},
        {Str(u"2023/3/4,6:00"), VT_DATE, kOk, Date(44989.25)},
        {Str(u"6:00 2023/3/4"), VT_DATE, kOk, Date(44989.25)},
        {Str(u"3/4/2023 6:00"), VT_DATE, kOk, Date(44989.25)},
        {Str(u"2023/3/4 1.30"), VT_DATE, kOk, Date(44989 + 1.5 / 24)},
        {Str(u"1900/1/1 12:00:00"), VT_DATE, kOk, Date(2.5)},
        {Str(u"1899/12/29 06:00"), VT_DATE, kOk, Date(-1.25)},
        {Str(u"1899/12/29 18:00"), VT_DATE, kOk, Date(-1.75)},
        {Str(u"100/1/1 12:00"), VT_DATE, kOk, Date(-657434.5)},
        // Morning and afternoon markers after the time.
        {Str(u"6:30 PM"), VT_DATE, kOk, Date(18.5 / 24)},
        {Str(u"6:00PM"), VT_DATE, kOk, Date(0.75)},
        {Str(u"6:00 P"), VT_DATE, kOk, Date(0.75)},
        {Str(u"6:00:00 am"), VT_DATE, kOk, Date(0.25)},
        {Str(u"12:00:00 AM"), VT_DATE, kOk, Date(0)},
        {Str(u"0:30 PM"), VT_DATE, kOk, Date(12.5 / 24)},
        {Str(u"13:00 PM"), VT_DATE, kOk, Date(13.0 / 24)},
        {Str(u"6:00:00 \u4E0A\u5348"), VT_DATE, kOk, Date(0.25)},  // 上午
        {Str(u"6:00\u4E0B\u5348"), VT_DATE, kOk, Date(0.75)},      // 下午
        {Str(u"2023/3/4 6:30:15 PM"), VT_DATE, kOk,
         Date(44989 + (18 * 3600 + 30 * 60 + 15) / 86400.0)},
        {Str(u"2023/3/4 12:00 AM"), VT_DATE, kOk, Date(44989)},
        {Str(u"2023/3/4 12:00 PM"), VT_DATE, kOk, Date(44989.5)},
        {Str(u"2023/3/4 12:30 AM"), VT_DATE, kOk, Date(44989 + 0.5 / 24)},
        // Not dates.
        {Str(u""), VT_DATE, kMismatch, None()},
        {Str(u"abc"), VT_DATE, kMismatch, None()},
        {Str(u"7"), VT_DATE, kMismatch, None()},
        {Str(u"45000"), VT_DATE, kMismatch, None()},
        {Str(u"2023.3.4"), VT_DATE, kMismatch, None()},
        {Str(u"2023/2/30"), VT_DATE, kMismatch, None()},
        {Str(u"2023/02/29"), VT_DATE, kMismatch, None()},
        {Str(u"1900/2/29"), VT_DATE, kMismatch, None()},
        {Str(u"2023/0/1"), VT_DATE, kMismatch, None()},
        {Str(u"2023/1/0"), VT_DATE, kMismatch, None()},
        {Str(u"2023/13/13"), VT_DATE, kMismatch, None()},
        {Str(u"10000/1/1"), VT_DATE, kMismatch, None()},
        {Str(u"24:00:00"), VT_DATE, kMismatch, None()},
        {Str(u"12:60"), VT_DATE, kMismatch, None()},
        {Str(u"6:00:00.5"), VT_DATE, kMismatch, None()},
        {Str(u"2023/3/15 25:00:00"), VT_DATE, kMismatch, None()},
        {Str(u"2023/3/4 6"), VT_DATE, kMismatch, None()},
        {Str(u"2023/3/4T06:00:00"), VT_DATE, kMismatch, None()},
        {Str(u"2023/3/4 6:00 2023/3/4"), VT_DATE, kMismatch, None()},
        {Str(u"2023/3/4 \u4E0A\u5348 6:00"), VT_DATE, kMismatch, None()},  // marker first
        {Str(u"2023\u5E743\u670815\u65E5"), VT_DATE, kMismatch, None()},   // 2023年3月15日
    });
}

TEST(VariantChangeTypeTest, DatesAndNumbers) {
    runCases({
        {Date(2.5), VT_R8, kOk, R8(2.5)},
        {Date(2.5), VT_R4, kOk, R4(2.5)},
        {Date(2.5), VT_DATE, kOk, Date(2.5)},
        {R8(1.5), VT_DATE, kOk, Date(1.5)},
        {R4(2.5), VT_DATE, kOk, Date(2.5)},
        {I4(123), VT_DATE, kOk, Date(123)},
        {UI1(200), VT_DATE, kOk, Date(200)},
        {I8(5), VT_DATE, kOk, Date(5)},
        {R8(2958465.5), VT_DATE, kOk, Date(2958465.5)},
        {R8(2958466), VT_DATE, kOverflow, None()},
        {R8(-657434.5), VT_DATE, kOk, Date(-657434.5)},
        {R8(-657435), VT_DATE, kOverflow, None()},
        {R8(1e300), VT_DATE, kOverflow, None()},
        {I8(3000000), VT_DATE, kOverflow, None()},
        {UI4(3000000), VT_DATE, kOverflow, None()},
        {I4(-700000), VT_DATE, kOverflow, None()},
    });
}

// A null BSTR is the empty text: no number, no date, and copied as an
// empty string.
TEST(VariantChangeTypeTest, NullText) {
    struct Case {
        VARTYPE target;
        HRESULT result;
    };
    const std::vector<Case> cases = {
        {VT_BSTR, kOk},       {VT_EMPTY, kOk},      {VT_I4, kMismatch},
        {VT_BOOL, kMismatch}, {VT_DATE, kMismatch},
    };
    for (const Case& c : cases) {
        VARIANT source;
        VariantInit(&source);
        source.vt = VT_BSTR;
        source.bstrVal = nullptr;
        VARIANT converted;
        VariantInit(&converted);
        EXPECT_EQ(describeResult(VariantChangeType(&converted, &source, 0, c.target)),
                  describeResult(c.result))
            << "to vt " << c.target;
        if (c.target == VT_BSTR) {
            ASSERT_EQ(converted.vt, VT_BSTR);
            EXPECT_EQ(SysStringLen(converted.bstrVal), 0u);
        }
        VariantClear(&converted);
    }
}

}  // namespace
