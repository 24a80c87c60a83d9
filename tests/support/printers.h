// How tests print texts and blocks in failure messages: as quoted bytes.
#pragma once

#include <ostream>

#include "runtime/bytes.h"
#include "runtime/text.h"

inline void PrintTo(const Text& text, std::ostream* out) { *out << '"' << text.bytes() << '"'; }

inline void PrintTo(const Bytes& block, std::ostream* out) {
    *out << bytesLength(block) << " bytes";
}
