// Elements. One class serves every element; what differs between kinds is
// the member table, chosen by tag name when the object is made: the common
// members of every element (element_members.cpp) followed by the kind's
// own (input_members.cpp, table_members.cpp...). So an input answers
// `checked` and a div does not, as on Windows.
#pragma once

#include <memory>
#include <string_view>

#include "browser/objects/browser_object.h"

namespace dom {
class Element;
}

namespace browser {

class Page;

class ElementObject : public TableObject<ElementObject> {
public:
    // The page's object for the element, with one new reference for the
    // caller: the same object for as long as anything holds it. nullptr
    // for a null element.
    static IDispatch* get(const std::shared_ptr<Page>& page, dom::Element* element);
    // The element object behind an object a caller passed, or nullptr.
    static ElementObject* from(IUnknown* object);

    Page& page() const { return *page_; }
    const std::shared_ptr<Page>& pagePointer() const { return page_; }
    dom::Element& element() const { return *element_; }

    // A form's controls by name (`form.ra_0`), a select's options by index.
    HRESULT namedProperty(std::string_view name, VARIANT* result) override;

private:
    ElementObject(std::shared_ptr<Page> page, dom::Element* element);
    ~ElementObject() override;

    std::shared_ptr<Page> page_;
    dom::Element* element_;
};

}  // namespace browser
