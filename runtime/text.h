// Text: a byte string in code page 936 without zero bytes, and its primitives.
//
// Positions are 1-based and -1 means "not found". Lengths, positions and
// counts are in bytes. A byte of 0x80 or more starts a two-byte character:
// the primitives that search, split, replace or change case step over such
// characters whole; textLeft, textRight and textMid cut raw bytes and may
// split one.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/array.h"

class Text {
public:
    Text() = default;
    // Every constructor keeps the bytes before the first zero byte, so a Text
    // never holds one.
    Text(const char* bytes);       // NOLINT(google-explicit-constructor): literals are texts
    Text(std::string_view bytes);  // NOLINT(google-explicit-constructor)
    explicit Text(std::string bytes);

    // A Text owns its bytes. bytes(), view() and c_str() point into them and
    // stay valid only while this Text lives unchanged.
    const std::string& bytes() const { return bytes_; }
    std::string_view view() const { return bytes_; }
    const char* c_str() const { return bytes_.c_str(); }
    bool empty() const { return bytes_.empty(); }

    friend bool operator==(const Text&, const Text&) = default;

private:
    std::string bytes_;
};

using TextArray = Array<Text>;

// An omitted optional position or count.
inline constexpr std::nullopt_t omitted = std::nullopt;

int textLength(const Text& text);
Text textLeft(const Text& text, int n);
Text textRight(const Text& text, int n);
Text textMid(const Text& text, int start, int n);

// ignoreCase takes "A" to "Z" as equal to "a" to "z" only when it is exactly 1.
int findText(const Text& haystack, const Text& needle, std::optional<int> start, int ignoreCase);
int findTextReverse(const Text& haystack, const Text& needle, std::optional<int> start,
                    int ignoreCase);

Text replaceText(const Text& text, const Text& target, const Text& replacement,
                 std::optional<int> start, std::optional<int> count, bool caseSensitive);
TextArray splitText(const Text& text, const Text& delimiter = ",",
                    std::optional<int> maxCount = omitted);

Text toLowerCase(const Text& text);
int compareText(const Text& a, const Text& b);
Text blankText(int n);

namespace detail {
Text concatViews(std::initializer_list<std::string_view> parts);
inline std::string_view textView(const Text& text) { return text.view(); }
}  // namespace detail

// Joins two or more texts (or literals) in order, in one allocation.
template <class... Parts>
requires(sizeof...(Parts) >= 2) Text concatText(const Parts&... parts) {
    return detail::concatViews({detail::textView(parts)...});
}
