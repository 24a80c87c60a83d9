// <form>: its controls, and submit and reset.
#include "browser/objects/element_members.h"
#include "browser/page/address.h"
#include "browser/page/page.h"
#include "browser/page/window.h"

namespace browser {

std::vector<ElementRow> formMembers() {
    return {
        reflectedText("action", "action"),
        reflectedText("method", "method"),
        reflectedText("target", "target"),
        reflectedText("encoding", "enctype"),
        ElementRows::object("elements",
                            [](ElementObject& e) {
                                return CollectionObject::create(
                                    e.pagePointer(), formControls(e.pagePointer(), &e.element()));
                            }),
        ElementRows::integer("length",
                             [](ElementObject& e) {
                                 return static_cast<long>(
                                     formControls(e.pagePointer(), &e.element())().size());
                             }),
        // Sends the window to the form's action; the controls' values are not
        // sent along (the page set answers by address alone).
        ElementRows::method("submit", {}, VT_VOID,
                            [](ElementObject& e, const MethodArguments&, VARIANT*) {
                                std::string action = e.element().attribute("action");
                                std::shared_ptr<Window> window = e.page().window();
                                if (window && !action.empty()) window->navigate(action);
                                return S_OK;
                            }),
        ElementRows::method("reset", {}, VT_VOID,
                            [](ElementObject& e, const MethodArguments&, VARIANT*) {
                                for (dom::Element* control :
                                     formControls(e.pagePointer(), &e.element())()) {
                                    control->controlState() = dom::ControlState{};
                                }
                                return S_OK;
                            }),
    };
}

}  // namespace browser
