// Text construction and the byte-unit primitives: lengths, cuts, comparison,
// joining, blanks and case conversion.
#include "runtime/text.h"

#include <cstring>

#include "runtime/text_scan.h"

namespace {
std::string_view beforeFirstZero(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}
}  // namespace

Text::Text(const char* bytes) : bytes_(bytes != nullptr ? bytes : "") {}

Text::Text(std::string_view bytes) : bytes_(beforeFirstZero(bytes)) {}

Text::Text(std::string bytes) : bytes_(std::move(bytes)) {
    std::size_t zero = bytes_.find('\0');
    if (zero != std::string::npos) bytes_.resize(zero);
}

int textLength(const Text& text) { return static_cast<int>(text.bytes().size()); }

Text textLeft(const Text& text, int n) {
    if (n <= 0) return {};
    return Text(text.view().substr(0, static_cast<std::size_t>(n)));
}

Text textRight(const Text& text, int n) {
    if (n <= 0) return {};
    std::string_view bytes = text.view();
    std::size_t keep = std::min(bytes.size(), static_cast<std::size_t>(n));
    return Text(bytes.substr(bytes.size() - keep));
}

Text textMid(const Text& text, int start, int n) {
    if (start < 1 || start > textLength(text) || n <= 0) return {};
    return Text(
        text.view().substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(n)));
}

Text toLowerCase(const Text& text) {
    std::string result = text.bytes();
    for (std::size_t i = 0; i < result.size(); i += text_scan::characterWidth(result, i)) {
        result[i] = text_scan::asciiLower(result[i]);
    }
    return Text(std::move(result));
}

int compareText(const Text& a, const Text& b) {
    // strcmp order: unsigned bytes, and a text sorts before any longer text it begins.
    int order = std::strcmp(a.c_str(), b.c_str());
    return (order > 0) - (order < 0);
}

Text blankText(int n) {
    if (n < 1) return {};
    return Text(std::string(static_cast<std::size_t>(n), ' '));
}

Text detail::concatViews(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view part : parts) total += part.size();
    std::string result;
    result.reserve(total);
    for (std::string_view part : parts) result.append(part);
    return Text(std::move(result));
}
