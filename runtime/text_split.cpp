// splitText: pieces between exact occurrences of the delimiter at character
// starts. Consecutive delimiters give empty pieces; a trailing delimiter adds
// no empty last piece.
#include "runtime/text.h"
#include "runtime/text_scan.h"

TextArray splitText(const Text& text, const Text& delimiter, std::optional<int> maxCount) {
    TextArray pieces;
    std::optional<int> left = maxCount;
    if (left && *left < 0) left = 0;
    if (text.empty() || (left && *left == 0)) return pieces;
    if (delimiter.empty()) {
        pieces.append(text);
        return pieces;
    }

    std::string_view source = text.view();
    std::string_view separator = delimiter.view();
    std::size_t pieceStart = 0;
    std::size_t p = 0;
    while (p < source.size()) {
        if (source.size() - p >= separator.size() &&
            text_scan::matchesAt(source, p, separator, false)) {
            pieces.append(Text(source.substr(pieceStart, p - pieceStart)));
            p += separator.size();
            pieceStart = p;
            if (left && --*left == 0) return pieces;
            continue;
        }
        p += text_scan::characterWidth(source, p);
    }
    if (pieceStart < source.size()) pieces.append(Text(source.substr(pieceStart)));
    return pieces;
}
