// <select>: its options, the selected one and its value.
#include "browser/dom/form_controls.h"
#include "browser/objects/element_members.h"

namespace browser {

std::vector<ElementRow> selectMembers() {
    return {
        ElementRows::text(
            "value", [](ElementObject& e) { return dom::value(e.element()); },
            [](ElementObject& e, std::string_view v) { return dom::setValue(e.element(), v); }),
        ElementRows::integer(
            "selectedIndex", [](ElementObject& e) { return dom::selectedIndex(e.element()); },
            [](ElementObject& e, long v) {
                return dom::setSelectedIndex(e.element(), static_cast<int>(v));
            }),
        ElementRows::object("options",
                            [](ElementObject& e) {
                                dom::Element* select = &e.element();
                                return CollectionObject::create(
                                    e.pagePointer(), [select] { return dom::options(*select); });
                            }),
        ElementRows::integer(
            "length",
            [](ElementObject& e) { return static_cast<long>(dom::options(e.element()).size()); }),
        ElementRows::text("type",
                          [](ElementObject& e) {
                              return std::string(e.element().hasAttribute("multiple")
                                                     ? "select-multiple"
                                                     : "select-one");
                          }),
        reflectedFlag("disabled", "disabled"),
        reflectedFlag("multiple", "multiple"),
        reflectedInteger("size", "size", 0),
        formOfControl(),
        ElementRows::method(
            "item", {required("index", VT_VARIANT)}, VT_DISPATCH,
            [](ElementObject& e, const MethodArguments& a, VARIANT* r) {
                std::optional<long> index = a.integer(0);
                std::vector<dom::Element*> options = dom::options(e.element());
                if (!index || *index < 0 || static_cast<size_t>(*index) >= options.size()) {
                    setObject(r, nullptr);
                } else {
                    setObject(r, ElementObject::get(e.pagePointer(),
                                                    options[static_cast<size_t>(*index)]));
                }
                return S_OK;
            }),
    };
}

}  // namespace browser
