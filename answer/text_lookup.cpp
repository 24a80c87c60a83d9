#include "answer/text_lookup.h"

namespace {
int ignoreCaseFlag(bool caseSensitive) { return caseSensitive ? 0 : 1; }
}  // namespace

int firstLineContaining(const Text& text, const Text& needle, bool caseSensitive) {
    TextArray lines = splitText(text, "\r\n");
    int ignoreCase = ignoreCaseFlag(caseSensitive);
    for (int n = 1; n <= arraySize(lines); ++n) {
        if (findText(arrayElement(lines, n), needle, omitted, ignoreCase) != -1) return n;
    }
    return 0;
}

Text textBetween(const Text& text, const Text& startMarker, const Text& endMarker, int start,
                 int ignoreCase) {
    Text from = replaceText(startMarker, "#引号", "\"", omitted, omitted, true);
    Text to = replaceText(endMarker, "#引号", "\"", omitted, omitted, true);
    int s = findText(text, from, start, ignoreCase);
    if (s != -1) s += textLength(from);
    // The end marker is searched even when the start marker is missing.
    int e = findText(text, to, s, ignoreCase);
    if (s == -1 || e == -1) return {};
    return textMid(text, s, e - s);
}

int countOccurrences(const Text& text, const Text& needle, bool caseSensitive) {
    if (text.empty() || needle.empty()) return 0;
    int count = 0;
    int ignoreCase = ignoreCaseFlag(caseSensitive);
    for (int p = findText(text, needle, omitted, ignoreCase); p != -1;
         p = findText(text, needle, p + textLength(needle), ignoreCase)) {
        ++count;
    }
    return count;
}
