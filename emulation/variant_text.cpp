// Numbers and booleans as text, read and written as OLE Automation does
// under the zh-CN locale. Wine's behaviour is the reference for every rule
// here; the conformance tests hold the cases.
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "emulation/variant_internal.h"

namespace emulation {

namespace {

bool isBlank(OLECHAR c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' ||
           c == 0x00A0;
}

bool isDigit(OLECHAR c) { return c >= u'0' && c <= u'9'; }

int radixDigit(OLECHAR c, int radix) {
    int value = -1;
    if (c >= u'0' && c <= u'9') value = c - u'0';
    if (c >= u'a' && c <= u'f') value = c - u'a' + 10;
    if (c >= u'A' && c <= u'F') value = c - u'A' + 10;
    return value < radix ? value : -1;
}

// "&H1F", "&o17": the digits after the prefix up to trailing blanks.
bool parseRadixNumber(const OLECHAR* p, ParsedNumber* number) {
    const int radix = (p[1] == u'H' || p[1] == u'h') ? 16 : 8;
    p += 2;
    bool anyDigit = false;
    for (int digit; (digit = radixDigit(*p, radix)) >= 0; ++p) {
        anyDigit = true;
        if (number->radixValue > (std::numeric_limits<std::uint64_t>::max() >> 4)) {
            number->radixOverflow = true;
        }
        number->radixValue =
            number->radixValue * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
    }
    while (isBlank(*p)) ++p;
    number->radixForm = true;
    return anyDigit && *p == 0;
}

void appendDigit(ParsedNumber* number, OLECHAR c) {
    if (c == u'0' && number->digits.empty()) return;  // a leading zero
    number->digits.push_back(static_cast<char>(c));
}

}  // namespace

bool parseNumber(const OLECHAR* text, ParsedNumber* number) {
    *number = ParsedNumber{};
    if (text == nullptr) return false;
    const OLECHAR* p = text;
    while (isBlank(*p)) ++p;
    if (p[0] == u'&' && (p[1] == u'H' || p[1] == u'h' || p[1] == u'O' || p[1] == u'o')) {
        return parseRadixNumber(p, number);
    }

    // Before the digits: blanks, at most one "+", one "-" and one "(".
    bool plus = false, minus = false, parenthesis = false;
    for (;; ++p) {
        if (isBlank(*p)) continue;
        if (*p == u'+' && !plus) {
            plus = true;
        } else if (*p == u'-' && !minus) {
            minus = true;
        } else if (*p == u'(' && !parenthesis) {
            parenthesis = true;
        } else {
            break;
        }
    }

    // The digits: a thousands separator may follow any digit, in the
    // fraction too ("1.234,5" reads as 1.2345).
    bool anyDigit = false;
    int fractionDigits = 0;
    while (isDigit(*p) || (*p == u',' && anyDigit)) {
        if (*p != u',') {
            appendDigit(number, *p);
            anyDigit = true;
        }
        ++p;
    }
    if (*p == u'.') {
        ++p;
        while (isDigit(*p) || (*p == u',' && anyDigit)) {
            if (*p != u',') {
                appendDigit(number, *p);
                ++fractionDigits;
                anyDigit = true;
            }
            ++p;
        }
    }
    if (!anyDigit) return false;
    // Fraction digits before the first significant one only move the point.
    if (number->digits.empty()) fractionDigits = 0;

    long exponent = 0;
    if (*p == u'e' || *p == u'E') {
        ++p;
        bool negativeExponent = false;
        if (*p == u'+' || *p == u'-') negativeExponent = *p++ == u'-';
        if (!isDigit(*p)) return false;
        for (; isDigit(*p); ++p) {
            if (exponent < 100000) exponent = exponent * 10 + (*p - u'0');
        }
        if (negativeExponent) exponent = -exponent;
    }

    // After the digits: blanks, one trailing sign, the closing parenthesis.
    bool closed = false;
    for (;; ++p) {
        if (isBlank(*p)) continue;
        if (*p == u'+' && !plus) {
            plus = true;
        } else if (*p == u'-' && !minus) {
            minus = true;
        } else if (*p == u')' && parenthesis && !closed) {
            closed = true;
        } else {
            break;
        }
    }
    if (*p != 0 || parenthesis != closed) return false;

    number->negative = minus || parenthesis;
    number->exponent = static_cast<int>(exponent) - fractionDigits;
    return true;
}

HRESULT parsedNumberToInteger(const ParsedNumber& number, int bits, bool isSigned,
                              std::int64_t* result) {
    const std::uint64_t bitMask =
        bits == 64 ? std::numeric_limits<std::uint64_t>::max() : (std::uint64_t{1} << bits) - 1;
    if (number.radixForm) {
        // "&H" and "&O" numbers fill the bits of a signed type ("&HFFFF" is
        // -1 as a two-byte integer) but are range-checked for unsigned ones.
        if (number.radixOverflow || number.radixValue > bitMask) return DISP_E_OVERFLOW;
        if (isSigned && bits == 64 &&
            number.radixValue >
                static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            return DISP_E_OVERFLOW;
        }
        std::uint64_t value = number.radixValue;
        if (isSigned && bits < 64 && (value >> (bits - 1)) != 0) value |= ~bitMask;
        *result = static_cast<std::int64_t>(value);
        return S_OK;
    }

    // The integer part, then the fraction decides the rounding.
    std::uint64_t magnitude = 0;
    const long integerDigits = static_cast<long>(number.digits.size()) + number.exponent;
    if (!number.digits.empty() && integerDigits > 20) return DISP_E_OVERFLOW;
    for (long i = 0; !number.digits.empty() && i < integerDigits; ++i) {
        const unsigned digit =
            i < static_cast<long>(number.digits.size()) ? number.digits[i] - '0' : 0u;
        if (__builtin_mul_overflow(magnitude, 10u, &magnitude) ||
            __builtin_add_overflow(magnitude, digit, &magnitude)) {
            return DISP_E_OVERFLOW;
        }
    }
    // Rounding half to even looks at the first digit after the point and at
    // whether any non-zero digit follows it. A number whose digits all lie
    // two or more places after the point is below 0.1 and rounds to 0.
    if (!number.digits.empty() && integerDigits >= 0) {
        const std::size_t first = static_cast<std::size_t>(integerDigits);
        const char firstDigit = first < number.digits.size() ? number.digits[first] : '0';
        bool restNonZero = false;
        for (std::size_t i = first + 1; i < number.digits.size(); ++i) {
            if (number.digits[i] != '0') restNonZero = true;
        }
        const bool roundUp =
            firstDigit > '5' || (firstDigit == '5' && (restNonZero || (magnitude & 1) != 0));
        if (roundUp && __builtin_add_overflow(magnitude, 1u, &magnitude)) return DISP_E_OVERFLOW;
    }

    if (isSigned) {
        const std::uint64_t limit = std::uint64_t{1} << (bits - 1);
        if (number.negative ? magnitude > limit : magnitude >= limit) return DISP_E_OVERFLOW;
        *result = number.negative ? static_cast<std::int64_t>(0 - magnitude)
                                  : static_cast<std::int64_t>(magnitude);
    } else {
        if (number.negative && magnitude != 0) return DISP_E_OVERFLOW;
        if (magnitude > bitMask) return DISP_E_OVERFLOW;
        *result = static_cast<std::int64_t>(magnitude);
    }
    return S_OK;
}

HRESULT parsedNumberToDouble(const ParsedNumber& number, double* result) {
    if (number.radixForm) {
        // As a floating value an "&H" number is read as a four-byte integer;
        // Wine takes &H80000000 as its negative value and refuses the rest
        // of the upper half.
        if (number.radixOverflow || number.radixValue > 0x80000000u) return DISP_E_OVERFLOW;
        *result = number.radixValue == 0x80000000u ? -2147483648.0
                                                   : static_cast<double>(number.radixValue);
        return S_OK;
    }
    if (number.digits.empty()) {
        *result = number.negative ? -0.0 : 0.0;
        return S_OK;
    }
    const std::string scientific = number.digits + "e" + std::to_string(number.exponent);
    double value = 0;
    const auto [end, error] =
        std::from_chars(scientific.data(), scientific.data() + scientific.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        const long magnitude = static_cast<long>(number.digits.size()) + number.exponent;
        if (magnitude > 0) return DISP_E_OVERFLOW;
        value = 0;  // below the smallest double
    } else if (error != std::errc{} || std::isinf(value)) {
        return DISP_E_OVERFLOW;
    }
    *result = number.negative ? -value : value;
    return S_OK;
}

bool parseBooleanWord(const OLECHAR* text, bool localWords, bool* value) {
    if (text == nullptr) return false;
    auto equalsIgnoringCase = [text](const char* word) {
        std::size_t i = 0;
        for (; word[i] != 0; ++i) {
            OLECHAR c = text[i];
            if (c >= u'a' && c <= u'z') c = static_cast<OLECHAR>(c - u'a' + u'A');
            if (c != static_cast<unsigned char>(word[i])) return false;
        }
        return text[i] == 0;
    };
    auto equalsExactly = [text](const char16_t* word) {
        std::size_t i = 0;
        for (; word[i] != 0; ++i) {
            if (text[i] != word[i]) return false;
        }
        return text[i] == 0;
    };
    // The "#TRUE#" form is matched in capitals only, as Wine does.
    if (equalsIgnoringCase("TRUE") || equalsExactly(u"#TRUE#")) {
        *value = true;
        return true;
    }
    if (equalsIgnoringCase("FALSE") || equalsExactly(u"#FALSE#")) {
        *value = false;
        return true;
    }
    if (localWords && (equalsExactly(u"\u771F") || equalsExactly(u"\u5047"))) {  // 真, 假
        *value = text[0] == 0x771F;
        return true;
    }
    return false;
}

std::string formatDouble(double value, int significantDigits) {
    if (value == 0) return "0";  // no "-0"
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    char buffer[64];
    // to_chars in general form is printf's %.*G without the locale.
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                            std::chars_format::general, significantDigits);
    (void)error;
    std::string text(buffer, end);
    for (char& c : text) {
        if (c == 'e') c = 'E';
    }
    return text;
}

std::u16string widen(const std::string& ascii) {
    std::u16string wide;
    wide.reserve(ascii.size());
    for (char c : ascii) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return wide;
}

BSTR allocateBstr(const std::u16string& text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                             static_cast<UINT>(text.size()));
}

}  // namespace emulation
