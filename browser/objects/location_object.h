// location: a page's address, its parts, and navigation. The object
// converts to its address (href is the default member), so a late-bound
// read of `location` as text gives the address.
#pragma once

#include <memory>

#include "browser/objects/browser_object.h"

namespace browser {

class Page;

class LocationObject : public TableObject<LocationObject> {
public:
    static IDispatch* create(std::shared_ptr<Page> page);

    Page& page() const { return *page_; }
    // Sends the page's window to the address (resolved against the page's).
    HRESULT navigate(std::string_view address);

private:
    explicit LocationObject(std::shared_ptr<Page> page);

    std::shared_ptr<Page> page_;
};

}  // namespace browser
