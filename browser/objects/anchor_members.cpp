// <a>: its address (the default member, so a link converts to its href, as
// the browser's does) and target.
#include "browser/objects/element_members.h"

namespace browser {

std::vector<ElementRow> anchorMembers() {
    return {
        reflectedAddress("href", "href").asDefault(),
        reflectedText("target", "target"),
        reflectedText("rel", "rel"),
    };
}

}  // namespace browser
