// A window's frames: length, and item(index or name) giving the frame's
// window, seen from the domain given (see window_object.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "browser/objects/browser_object.h"

namespace browser {

class Page;

class FramesCollectionObject : public TableObject<FramesCollectionObject> {
public:
    // The frames of the page (none when it is null).
    static IDispatch* create(std::shared_ptr<BrowserState> browser, std::shared_ptr<Page> page,
                             std::string viewer);

    HRESULT item(const VARIANT& nameOrIndex, VARIANT* result);
    long length();
    HRESULT namedProperty(std::string_view name, VARIANT* result) override;

private:
    FramesCollectionObject(std::shared_ptr<BrowserState> browser, std::shared_ptr<Page> page,
                           std::string viewer);

    std::shared_ptr<Page> page_;
    std::string viewer_;
};

}  // namespace browser
