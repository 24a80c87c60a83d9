// Conversions between texts, byte blocks and numbers.
#pragma once

#include <cstdint>

#include "runtime/bytes.h"
#include "runtime/text.h"

Text toText(std::int32_t value);  // as "%d"
Text toText(double value);        // as "%.13g": whole values print without a fraction
Text toText(const Bytes& block);  // the bytes before the first zero byte

// Full-width digits, signs and letters count as their ASCII forms; then as
// the C library's atoi (a value beyond 32 bits is clamped to the nearest end).
std::int32_t toInteger(const Text& text);
// Full-width forms as for toInteger; then as the C library's atof.
double toNumber(const Text& text);
double toNumber(bool value);

// Rounds toward zero. NaN gives 0; values beyond 64 bits are clamped.
std::int64_t truncateToInteger(double value);
// The low 32 bits of truncateToInteger, for where a 32-bit integer is wanted.
std::int32_t truncateToInteger32(double value);

Bytes toBytes(std::int32_t value);  // four bytes, least significant first
Bytes toBytes(const Text& text);    // the text's bytes, without a terminating zero

// The text with full-width space, "～", "＊" forms and the 0xA3 row (full-width
// ASCII) replaced by their one-byte forms; every other character kept.
Text normalizeFullWidth(const Text& text);
