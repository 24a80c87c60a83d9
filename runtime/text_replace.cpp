// replaceText: left-to-right replacement at character starts; matches never
// overlap and a replacement is never searched again.
#include "runtime/text.h"
#include "runtime/text_scan.h"

Text replaceText(const Text& text, const Text& target, const Text& replacement,
                 std::optional<int> start, std::optional<int> count, bool caseSensitive) {
    std::string_view source = text.view();
    std::string_view find = target.view();
    std::size_t from = (start && *start > 1) ? static_cast<std::size_t>(*start - 1) : 0;
    if (source.empty() || find.empty() || from >= source.size() || (count && *count == 0)) {
        return text;
    }

    std::string result(source.substr(0, from));
    std::optional<int> left = count;
    std::size_t p = from;
    while (p < source.size()) {
        if (source.size() - p < find.size()) break;
        if (text_scan::matchesAt(source, p, find, !caseSensitive)) {
            result.append(replacement.view());
            p += find.size();
            if (left && --*left == 0) break;
            continue;
        }
        std::size_t width = text_scan::characterWidth(source, p);
        result.append(source.substr(p, width));
        p += width;
    }
    result.append(source.substr(p));
    return Text(std::move(result));
}
