// A style sheet that document.createStyleSheet made: rules added with
// addRule and read back through cssText. The component's layout does not
// apply them (it honours only style attributes).
#pragma once

#include <memory>

#include "browser/objects/browser_object.h"

namespace browser {

class Page;

class StyleSheetObject : public TableObject<StyleSheetObject> {
public:
    // A new sheet of the page (one reference, the caller's).
    static IDispatch* create(std::shared_ptr<Page> page);

    Page& page() const { return *page_; }
    size_t index() const { return index_; }

private:
    StyleSheetObject(std::shared_ptr<Page> page, size_t index);

    std::shared_ptr<Page> page_;
    size_t index_;
};

}  // namespace browser
