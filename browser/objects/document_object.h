// The document: one object per page (the same one for as long as anything
// holds it), answering for IDispatch, IHTMLDocument and IHTMLDocument2.
#pragma once

#include <memory>
#include <string_view>

#include "browser/objects/browser_object.h"

namespace browser {

class Page;

class DocumentObject : public TableObject<DocumentObject> {
public:
    // The page's document object with one new reference for the caller;
    // nullptr for a null page.
    static IDispatch* get(const std::shared_ptr<Page>& page);
    static DocumentObject* from(IUnknown* object);

    Page& page() const { return *page_; }
    const std::shared_ptr<Page>& pagePointer() const { return page_; }

    // `document.quiz`: a form, image or frame by its name.
    HRESULT namedProperty(std::string_view name, VARIANT* result) override;

protected:
    void* otherInterface(REFIID riid) override;

private:
    explicit DocumentObject(std::shared_ptr<Page> page);
    ~DocumentObject() override;

    std::shared_ptr<Page> page_;
};

}  // namespace browser
