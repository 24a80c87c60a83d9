// navigator: what the browser says about itself (userAgent and the rest).
#pragma once

#include <memory>

#include "browser/objects/browser_object.h"

namespace browser {

class NavigatorObject : public TableObject<NavigatorObject> {
public:
    static IDispatch* create(std::shared_ptr<BrowserState> browser);

private:
    explicit NavigatorObject(std::shared_ptr<BrowserState> browser);
};

}  // namespace browser
