// <input>: its value, checked state and the attributes a form control has.
#include "browser/dom/form_controls.h"
#include "browser/objects/element_members.h"

namespace browser {

std::vector<ElementRow> inputMembers() {
    return {
        ElementRows::text(
            "value", [](ElementObject& e) { return dom::value(e.element()); },
            [](ElementObject& e, std::string_view v) { return dom::setValue(e.element(), v); }),
        reflectedText("defaultValue", "value"),
        ElementRows::boolean(
            "checked", [](ElementObject& e) { return dom::checked(e.element()); },
            [](ElementObject& e, bool v) {
                // Only radios and checkboxes have the state; the others take
                // the write and keep nothing.
                if (dom::isCheckable(e.element())) dom::setChecked(e.element(), v);
                return true;
            }),
        ElementRows::boolean(
            "defaultChecked", [](ElementObject& e) { return dom::defaultChecked(e.element()); },
            [](ElementObject& e, bool v) {
                dom::setDefaultChecked(e.element(), v);
                return true;
            }),
        ElementRows::text(
            "type", [](ElementObject& e) { return dom::inputType(e.element()); },
            [](ElementObject& e, std::string_view v) {
                e.element().setAttribute("type", v);
                return true;
            }),
        reflectedFlag("disabled", "disabled"),
        reflectedFlag("readOnly", "readonly"),
        reflectedInteger("maxLength", "maxlength", 2147483647),
        reflectedInteger("size", "size", 20),
        formOfControl(),
        reflectedAddress("src", "src"),
        reflectedText("alt", "alt"),
        ElementRows::method("select", {}, VT_VOID,
                            [](ElementObject&, const MethodArguments&, VARIANT*) { return S_OK; }),
        createTextRangeRow(),
    };
}

}  // namespace browser
