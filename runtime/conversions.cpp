// Number and text conversions. Parsing is written out here rather than left
// to the C library so that both builds read numbers the same way.
#include "runtime/conversions.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "runtime/text_scan.h"

namespace {

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::size_t skipSpace(std::string_view s, std::size_t p) {
    while (p < s.size() && isSpace(s[p])) ++p;
    return p;
}

bool startsWithWord(std::string_view s, std::size_t p, std::string_view word) {
    if (s.size() - p < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (text_scan::asciiLower(s[p + i]) != word[i]) return false;
    }
    return true;
}

// Length of the digits (of the given base) at p with an optional fraction
// after a point; zero when no digit stands on either side of the point.
template <class DigitTest>
std::size_t mantissaLength(std::string_view s, std::size_t p, DigitTest isDigitOfBase) {
    std::size_t q = p;
    while (q < s.size() && isDigitOfBase(s[q])) ++q;
    bool whole = q > p;
    if (q < s.size() && s[q] == '.') {
        std::size_t fraction = q + 1;
        while (fraction < s.size() && isDigitOfBase(s[fraction])) ++fraction;
        if (whole || fraction > q + 1) q = fraction;
    }
    return q - p;
}

// Length of an exponent marker with its digits at p, or 0 when there is none.
std::size_t exponentLength(std::string_view s, std::size_t p, char marker) {
    if (p >= s.size() || text_scan::asciiLower(s[p]) != marker) return 0;
    std::size_t q = p + 1;
    if (q < s.size() && (s[q] == '+' || s[q] == '-')) ++q;
    if (q >= s.size() || !isDigit(s[q])) return 0;
    while (q < s.size() && isDigit(s[q])) ++q;
    return q - p;
}

double parseUnsigned(std::string_view s, std::size_t p) {
    if (startsWithWord(s, p, "inf")) return std::numeric_limits<double>::infinity();
    if (startsWithWord(s, p, "nan")) return std::numeric_limits<double>::quiet_NaN();

    std::chars_format format = std::chars_format::general;
    std::size_t begin = p;
    std::size_t length = 0;
    if (startsWithWord(s, p, "0x") && mantissaLength(s, p + 2, isHexDigit) > 0) {
        format = std::chars_format::hex;
        begin = p + 2;
        length = mantissaLength(s, begin, isHexDigit);
        length += exponentLength(s, begin + length, 'p');
    } else {
        length = mantissaLength(s, p, isDigit);
        if (length == 0) return 0.0;
        length += exponentLength(s, p + length, 'e');
    }

    double value = 0.0;
    auto [end, error] = std::from_chars(s.data() + begin, s.data() + begin + length, value, format);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too large gives infinity and too small gives zero, as strtod does.
        std::string digits(s.substr(p, begin - p + length));
        value = std::strtod(digits.c_str(), nullptr);
    }
    return value;
}

}  // namespace

Text toText(std::int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(value));
    return Text(buffer);
}

Text toText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    return Text(buffer);
}

Text toText(const Bytes& block) { return Text(block.view()); }

Text normalizeFullWidth(const Text& text) {
    std::string_view source = text.view();
    std::string result;
    result.reserve(source.size());
    for (std::size_t p = 0; p < source.size();) {
        std::size_t width = text_scan::characterWidth(source, p);
        if (width == 2) {
            auto lead = static_cast<unsigned char>(source[p]);
            auto trail = static_cast<unsigned char>(source[p + 1]);
            if (lead == 0xA1 && trail == 0xA1) {
                result.push_back(' ');
            } else if (lead == 0xA1 && trail == 0xAB) {
                result.push_back('~');
            } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
                result.push_back('*');
            } else if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
                result.push_back(static_cast<char>(trail - 0x80));
            } else {
                result.append(source.substr(p, 2));
            }
        } else {
            result.push_back(source[p]);
        }
        p += width;
    }
    return Text(std::move(result));
}

std::int32_t toInteger(const Text& text) {
    Text normal = normalizeFullWidth(text);
    std::string_view s = normal.view();
    std::size_t p = skipSpace(s, 0);
    bool negative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; p < s.size() && isDigit(s[p]); ++p) {
        magnitude = std::min(magnitude * 10 + (s[p] - '0'), kLimit);
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

double toNumber(const Text& text) {
    Text normal = normalizeFullWidth(text);
    std::string_view s = normal.view();
    std::size_t p = skipSpace(s, 0);
    bool negative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
    double value = parseUnsigned(s, p);
    return negative ? -value : value;
}

double toNumber(bool value) { return value ? 1.0 : 0.0; }

std::int64_t truncateToInteger(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kTop = 9223372036854775808.0;  // 2^63
    if (value >= kTop) return std::numeric_limits<std::int64_t>::max();
    if (value < -kTop) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);  // the conversion rounds toward zero
}

std::int32_t truncateToInteger32(double value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(truncateToInteger(value)));
}

Bytes toBytes(std::int32_t value) {
    char bytes[4];
    writeToMemory(value, bytes);
    return Bytes(bytes, 4);
}

Bytes toBytes(const Text& text) { return Bytes(text.bytes()); }
