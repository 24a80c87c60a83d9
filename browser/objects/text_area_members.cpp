// <textarea>: its value and size.
#include "browser/dom/form_controls.h"
#include "browser/objects/element_members.h"

namespace browser {

std::vector<ElementRow> textAreaMembers() {
    return {
        ElementRows::text(
            "value", [](ElementObject& e) { return dom::value(e.element()); },
            [](ElementObject& e, std::string_view v) { return dom::setValue(e.element(), v); }),
        ElementRows::text("type", [](ElementObject&) { return std::string("textarea"); }),
        reflectedFlag("disabled", "disabled"),
        reflectedFlag("readOnly", "readonly"),
        reflectedInteger("rows", "rows", 2),
        reflectedInteger("cols", "cols", 20),
        formOfControl(),
        ElementRows::method("select", {}, VT_VOID,
                            [](ElementObject&, const MethodArguments&, VARIANT*) { return S_OK; }),
        createTextRangeRow(),
    };
}

}  // namespace browser
