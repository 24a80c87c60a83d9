#include "browser/objects/browser_object.h"

#include "browser/page/browser_state.h"

namespace browser {

BrowserObject::BrowserObject(std::shared_ptr<BrowserState> browser, const MemberCatalog& catalog)
    : DispatchObject(catalog.typeDescription()), browser_(std::move(browser)), catalog_(catalog) {}

HRESULT BrowserObject::namedProperty(std::string_view, VARIANT*) { return DISP_E_MEMBERNOTFOUND; }

BrowserObject* BrowserObject::from(IUnknown* object) {
    if (object == nullptr) return nullptr;
    // Every object of ours is a DispatchObject, whose IUnknown is its
    // IDispatch; anything else is not ours.
    auto* dispatch = dynamic_cast<IDispatch*>(object);
    return dispatch == nullptr ? nullptr : dynamic_cast<BrowserObject*>(dispatch);
}

HRESULT BrowserObject::invokeMember(DISPID id, WORD flags, const DispatchArguments& arguments,
                                    VARIANT* result) {
    // Hold the browser and this object: a navigation that runs when the
    // outermost call ends may drop the last other references to either.
    std::shared_ptr<BrowserState> browser = browser_;
    AddRef();
    HRESULT hr;
    {
        ComponentCall call(*browser);
        hr = invokeTableMember(id, flags, arguments, result);
    }
    Release();
    return hr;
}

HRESULT accessDenied() {
    raiseException("Access is denied.");
    return E_ACCESSDENIED;
}

}  // namespace browser
