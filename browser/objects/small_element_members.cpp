// The kinds with a few members of their own: script, body, label, title,
// meta and link.
#include "browser/dom/document.h"
#include "browser/dom/inner_text.h"
#include "browser/objects/control_range_object.h"
#include "browser/objects/element_members.h"

namespace browser {

namespace {

// The element's text as one text node, as <script> and <title> hold it.
ElementRow textContentRow(std::string name) {
    return ElementRows::text(
        std::move(name), [](ElementObject& e) { return dom::textContent(e.element()); },
        [](ElementObject& e, std::string_view v) {
            dom::Element& element = e.element();
            element.removeAllChildren();
            element.appendChild(element.ownerDocument().createTextNode(std::string(v)));
            return true;
        });
}

}  // namespace

std::vector<ElementRow> scriptMembers() {
    return {
        reflectedAddress("src", "src"),
        textContentRow("text"),
        reflectedText("type", "type"),
        reflectedFlag("defer", "defer"),
    };
}

std::vector<ElementRow> bodyMembers() {
    return {
        createTextRangeRow(),
        ElementRows::method("createControlRange", {}, VT_DISPATCH,
                            [](ElementObject& e, const MethodArguments&, VARIANT* r) {
                                setObject(r, ControlRangeObject::create(e.pagePointer()));
                                return S_OK;
                            }),
        reflectedText("bgColor", "bgcolor"),
    };
}

std::vector<ElementRow> labelMembers() { return {reflectedText("htmlFor", "for")}; }

std::vector<ElementRow> titleMembers() { return {textContentRow("text")}; }

std::vector<ElementRow> metaMembers() {
    return {
        reflectedText("content", "content"),
        reflectedText("httpEquiv", "http-equiv"),
        reflectedText("charset", "charset"),
    };
}

std::vector<ElementRow> linkMembers() {
    return {
        reflectedAddress("href", "href"),
        reflectedText("rel", "rel"),
        reflectedText("type", "type"),
    };
}

}  // namespace browser
