#include "browser/objects/event_object.h"

#include "browser/objects/element_object.h"
#include "browser/page/page.h"

namespace browser {

namespace {

using EventRows = Rows<EventObject>;

Member<EventObject> zero(std::string name) {
    return EventRows::integer(std::move(name), [](EventObject&) { return 0L; });
}

Member<EventObject> unset(std::string name) {
    return EventRows::boolean(std::move(name), [](EventObject&) { return false; });
}

const MemberTable<EventObject>& eventMembers() {
    static const MemberTable<EventObject> table(
        "IHTMLEventObj",
        {{
            EventRows::text("type", [](EventObject& e) { return e.type(); }),
            EventRows::object(
                "srcElement",
                [](EventObject& e) { return ElementObject::get(e.pagePointer(), e.source()); }),
            EventRows::variant(
                "returnValue",
                [](EventObject& e, VARIANT* r) {
                    return VariantCopy(r, variantSource(e.returnValue().get()));
                },
                [](EventObject& e, const VARIANT& v) {
                    return VariantCopy(e.returnValue().put(), variantSource(v));
                }),
            EventRows::boolean(
                "cancelBubble", [](EventObject& e) { return e.cancelBubble; },
                [](EventObject& e, bool v) {
                    e.cancelBubble = v;
                    return true;
                }),
            EventRows::object("fromElement", [](EventObject&) -> IDispatch* { return nullptr; }),
            EventRows::object("toElement", [](EventObject&) -> IDispatch* { return nullptr; }),
            zero("keyCode"),
            zero("button"),
            zero("clientX"),
            zero("clientY"),
            zero("screenX"),
            zero("screenY"),
            zero("x"),
            zero("y"),
            unset("altKey"),
            unset("ctrlKey"),
            unset("shiftKey"),
        }});
    return table;
}

}  // namespace

EventObject::EventObject(std::shared_ptr<Page> page, dom::Element* source, std::string type)
    : TableObject(page->browserPointer(), eventMembers()),
      page_(std::move(page)),
      source_(source),
      type_(std::move(type)) {}

EventObject* EventObject::create(std::shared_ptr<Page> page, dom::Element* source,
                                 std::string type) {
    return new EventObject(std::move(page), source, std::move(type));
}

bool EventObject::cancelled() const {
    const VARIANT& value = returnValue_.get();
    return value.vt == VT_BOOL && value.boolVal == VARIANT_FALSE;
}

}  // namespace browser
