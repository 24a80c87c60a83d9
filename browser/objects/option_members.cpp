// <option>: its value, text and whether it is the selected one.
#include "browser/dom/document.h"
#include "browser/dom/form_controls.h"
#include "browser/dom/inner_text.h"
#include "browser/objects/element_members.h"

namespace browser {

namespace {

long indexInSelect(dom::Element& option) {
    dom::Element* select = dom::selectOf(option);
    if (select == nullptr) return 0;
    std::vector<dom::Element*> options = dom::options(*select);
    for (size_t i = 0; i < options.size(); ++i) {
        if (options[i] == &option) return static_cast<long>(i);
    }
    return 0;
}

}  // namespace

std::vector<ElementRow> optionMembers() {
    return {
        ElementRows::text(
            "value", [](ElementObject& e) { return dom::value(e.element()); },
            [](ElementObject& e, std::string_view v) { return dom::setValue(e.element(), v); }),
        ElementRows::text(
            "text", [](ElementObject& e) { return dom::optionText(e.element()); },
            [](ElementObject& e, std::string_view v) {
                dom::Element& option = e.element();
                option.removeAllChildren();
                option.appendChild(option.ownerDocument().createTextNode(std::string(v)));
                return true;
            }),
        ElementRows::boolean(
            "selected",
            [](ElementObject& e) {
                dom::Element* select = dom::selectOf(e.element());
                return select != nullptr &&
                       dom::selectedIndex(*select) == indexInSelect(e.element());
            },
            [](ElementObject& e, bool v) {
                dom::Element* select = dom::selectOf(e.element());
                if (select == nullptr) return true;
                if (v) {
                    dom::setSelectedIndex(*select, static_cast<int>(indexInSelect(e.element())));
                } else if (dom::selectedIndex(*select) == indexInSelect(e.element())) {
                    dom::setSelectedIndex(*select, -1);
                }
                return true;
            }),
        reflectedFlag("defaultSelected", "selected"),
        ElementRows::integer("index", [](ElementObject& e) { return indexInSelect(e.element()); }),
        reflectedText("label", "label"),
        formOfControl(),
    };
}

}  // namespace browser
