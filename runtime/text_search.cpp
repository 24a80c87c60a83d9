// findText and findTextReverse: searches that test only character starts, so
// a needle never matches at the second byte of a two-byte character.
#include "runtime/text.h"
#include "runtime/text_scan.h"

namespace {

// Calls `visit(offset)` for each character start of `text` from `from`
// onwards while `visit` returns true. A lead byte that is the text's last
// byte ends the walk untested, since it starts no whole character.
template <class Visit>
void forEachCharacterStart(std::string_view text, std::size_t from, Visit visit) {
    for (std::size_t p = from; p < text.size();) {
        bool lead = text_scan::isLeadByte(text[p]);
        if (lead && p + 1 == text.size()) return;
        if (!visit(p)) return;
        p += lead ? 2 : 1;
    }
}

}  // namespace

int findText(const Text& haystack, const Text& needle, std::optional<int> start, int ignoreCase) {
    std::string_view text = haystack.view();
    std::string_view target = needle.view();
    std::size_t from = (start && *start >= 1) ? static_cast<std::size_t>(*start - 1) : 0;
    if (from >= text.size()) return -1;
    if (target.empty()) return 1;

    int found = -1;
    forEachCharacterStart(text, from, [&](std::size_t p) {
        if (text.size() - p < target.size()) return false;
        if (text_scan::matchesAt(text, p, target, ignoreCase == 1)) {
            found = static_cast<int>(p) + 1;
            return false;
        }
        return true;
    });
    return found;
}

int findTextReverse(const Text& haystack, const Text& needle, std::optional<int> start,
                    int ignoreCase) {
    std::string_view text = haystack.view();
    std::string_view target = needle.view();
    std::size_t region = text.size();
    if (start) {
        if (*start - 1 < 0) {
            region = 0;
        } else if (static_cast<std::size_t>(*start - 1) < text.size()) {
            region = static_cast<std::size_t>(*start - 1);
        }
    }
    if (region == 0) return -1;
    if (target.empty()) return 1;

    int found = -1;
    forEachCharacterStart(text, 0, [&](std::size_t p) {
        if (region < target.size() || p > region - target.size()) return false;
        if (text_scan::matchesAt(text, p, target, ignoreCase == 1)) found = static_cast<int>(p) + 1;
        return true;
    });
    return found;
}
