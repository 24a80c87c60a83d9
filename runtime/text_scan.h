// Helpers shared by the primitives that walk a text character by character.
#pragma once

#include <cstddef>
#include <string_view>

namespace text_scan {

inline bool isLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

inline char asciiLower(char byte) {
    return (byte >= 'A' && byte <= 'Z') ? byte + ('a' - 'A') : byte;
}

// Number of bytes to move on from the character that starts at `offset`: two
// for a lead byte, one otherwise, never past the end.
inline std::size_t characterWidth(std::string_view text, std::size_t offset) {
    return (isLeadByte(text[offset]) && offset + 1 < text.size()) ? 2 : 1;
}

// Whether `needle` stands at `offset` of `text`, which must have room for it.
// With ignoreCase, "A" to "Z" equal "a" to "z"; every other byte must be equal.
inline bool matchesAt(std::string_view text, std::size_t offset, std::string_view needle,
                      bool ignoreCase) {
    if (!ignoreCase) return text.compare(offset, needle.size(), needle) == 0;
    for (std::size_t i = 0; i < needle.size(); ++i) {
        if (asciiLower(text[offset + i]) != asciiLower(needle[i])) return false;
    }
    return true;
}

}  // namespace text_scan
