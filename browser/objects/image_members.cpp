// <img>: its source and size.
#include "browser/dom/layout.h"
#include "browser/objects/element_members.h"

namespace browser {

std::vector<ElementRow> imageMembers() {
    return {
        reflectedAddress("src", "src"),
        reflectedText("alt", "alt"),
        ElementRows::integer(
            "width", [](ElementObject& e) { return dom::offsetWidth(e.element()); },
            [](ElementObject& e, long v) {
                e.element().setAttribute("width", std::to_string(v));
                return true;
            }),
        ElementRows::integer(
            "height", [](ElementObject& e) { return dom::offsetHeight(e.element()); },
            [](ElementObject& e, long v) {
                e.element().setAttribute("height", std::to_string(v));
                return true;
            }),
        reflectedInteger("border", "border", 0),
        ElementRows::boolean("complete", [](ElementObject&) { return true; }),
    };
}

}  // namespace browser
