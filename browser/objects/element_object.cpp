#include "browser/objects/element_object.h"

#include "browser/dom/element.h"
#include "browser/dom/form_controls.h"
#include "browser/objects/collection_object.h"
#include "browser/objects/element_members.h"
#include "browser/page/page.h"

namespace browser {

ElementObject::ElementObject(std::shared_ptr<Page> page, dom::Element* element)
    : TableObject(page->browserPointer(), elementMembersFor(element->localName())),
      page_(std::move(page)),
      element_(element) {
    page_->elementObjects()[element_] = this;
}

ElementObject::~ElementObject() {
    auto& objects = page_->elementObjects();
    auto found = objects.find(element_);
    if (found != objects.end() && found->second == this) objects.erase(found);
}

IDispatch* ElementObject::get(const std::shared_ptr<Page>& page, dom::Element* element) {
    if (!page || element == nullptr) return nullptr;
    auto& objects = page->elementObjects();
    auto found = objects.find(element);
    if (found != objects.end()) {
        found->second->AddRef();
        return found->second;
    }
    return new ElementObject(page, element);
}

ElementObject* ElementObject::from(IUnknown* object) {
    return dynamic_cast<ElementObject*>(BrowserObject::from(object));
}

HRESULT ElementObject::namedProperty(std::string_view name, VARIANT* result) {
    long index = 0;
    if (element_->is("select") && isIndexText(name, &index)) {
        std::vector<dom::Element*> options = dom::options(*element_);
        if (static_cast<size_t>(index) >= options.size()) return DISP_E_MEMBERNOTFOUND;
        setObject(result, get(page_, options[static_cast<size_t>(index)]));
        return S_OK;
    }
    if (element_->is("form")) {
        IDispatch* elements = CollectionObject::create(page_, formControls(page_, element_));
        auto* collection = static_cast<CollectionObject*>(elements);
        HRESULT hr = collection->namedProperty(name, result);
        elements->Release();
        return hr;
    }
    return DISP_E_MEMBERNOTFOUND;
}

}  // namespace browser
