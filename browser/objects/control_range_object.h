// Control ranges (body.createControlRange): a list of elements, for
// execCommand. "Copy" renders the first element's box as a 24-bit bitmap
// (white, framed in black, the boxes of what it shows outlined in grey) and
// puts it on the clipboard as CF_BITMAP.
#pragma once

#include <memory>
#include <vector>

#include "browser/objects/browser_object.h"

namespace dom {
class Element;
}

namespace browser {

class Page;

class ControlRangeObject : public TableObject<ControlRangeObject> {
public:
    static IDispatch* create(std::shared_ptr<Page> page);

    std::vector<dom::Element*>& elements() { return elements_; }
    Page& page() const { return *page_; }
    const std::shared_ptr<Page>& pagePointer() const { return page_; }

private:
    explicit ControlRangeObject(std::shared_ptr<Page> page);

    std::shared_ptr<Page> page_;
    std::vector<dom::Element*> elements_;
};

}  // namespace browser
