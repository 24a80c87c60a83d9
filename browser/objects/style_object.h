// element.style: the declarations of the element's style attribute, read and
// written one property at a time (`style.display = "none"`) or whole
// (`cssText`). Writing changes the attribute, which layout reads.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "browser/objects/browser_object.h"

namespace dom {
class Element;
}

namespace browser {

class Page;

class StyleObject : public TableObject<StyleObject> {
public:
    // A new style object (one reference, the caller's) for the element.
    static IDispatch* create(std::shared_ptr<Page> page, dom::Element* element);

    // A property by its CSS name ("background-color"); "" when not set.
    std::string property(std::string_view cssName) const;
    // Sets it, or removes it when the value is empty.
    void setProperty(std::string_view cssName, std::string_view value);
    std::string cssText() const;
    void setCssText(std::string_view text);

private:
    StyleObject(std::shared_ptr<Page> page, dom::Element* element);

    std::shared_ptr<Page> page_;
    dom::Element* element_;
};

}  // namespace browser
