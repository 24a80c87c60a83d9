// window.event: the event being handled (type, source element, returnValue,
// cancelBubble and the mouse and key fields, which are 0 and false for the
// events the component makes).
#pragma once

#include <memory>
#include <string>

#include "browser/objects/browser_object.h"
#include "runtime/automation_variant.h"

namespace dom {
class Element;
}

namespace browser {

class Page;

class EventObject : public TableObject<EventObject> {
public:
    // A new event (one reference, the caller's) of a type ("click") from an
    // element (or none, for the window's own events).
    static EventObject* create(std::shared_ptr<Page> page, dom::Element* source, std::string type);

    const std::string& type() const { return type_; }
    dom::Element* source() const { return source_; }
    Page& page() const { return *page_; }
    const std::shared_ptr<Page>& pagePointer() const { return page_; }
    AutomationVariant& returnValue() { return returnValue_; }
    bool cancelBubble = false;
    // True when returnValue was set to false.
    bool cancelled() const;

private:
    EventObject(std::shared_ptr<Page> page, dom::Element* source, std::string type);

    std::shared_ptr<Page> page_;
    dom::Element* source_;
    std::string type_;
    AutomationVariant returnValue_;
};

}  // namespace browser
