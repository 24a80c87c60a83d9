#include "browser/objects/web_browser_object.h"

#include "browser/objects/document_object.h"
#include "browser/objects/member_table.h"
#include "browser/page/browser_state.h"
#include "browser/page/page.h"
#include "browser/page/window.h"

namespace browser {

namespace {

std::atomic<long> liveWebBrowserObjects{0};

HRESULT giveText(BSTR* out, std::string_view cp936) {
    if (out == nullptr) return E_POINTER;
    std::u16string wide = toUtf16(cp936);
    *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()),
                             static_cast<UINT>(wide.size()));
    return S_OK;
}

}  // namespace

// The methods that load pages or read their state run as calls into the
// component (see BrowserState), as the dispatch objects' members do.

WebBrowserObject::WebBrowserObject(std::shared_ptr<Window> window) : window_(std::move(window)) {
    ++liveWebBrowserObjects;
}

WebBrowserObject::~WebBrowserObject() { --liveWebBrowserObjects; }

WebBrowserObject* WebBrowserObject::create(std::shared_ptr<Window> window) {
    return new WebBrowserObject(std::move(window));
}

long WebBrowserObject::liveObjects() { return liveWebBrowserObjects; }

HRESULT WebBrowserObject::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, IID_IWebBrowser) || IsEqualIID(riid, IID_IWebBrowserApp) ||
        IsEqualIID(riid, IID_IWebBrowser2)) {
        *object = static_cast<IWebBrowser2*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG WebBrowserObject::AddRef() { return ++references_; }

ULONG WebBrowserObject::Release() {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT WebBrowserObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

HRESULT WebBrowserObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT WebBrowserObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT WebBrowserObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                 UINT*) {
    return E_NOTIMPL;
}

HRESULT WebBrowserObject::GoBack() { return E_NOTIMPL; }
HRESULT WebBrowserObject::GoForward() { return E_NOTIMPL; }
HRESULT WebBrowserObject::GoHome() { return E_NOTIMPL; }
HRESULT WebBrowserObject::GoSearch() { return E_NOTIMPL; }

HRESULT WebBrowserObject::Navigate(BSTR URL, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
    ComponentCall call(window_->browser());
    if (URL == nullptr) return E_INVALIDARG;
    std::u16string wide(reinterpret_cast<const char16_t*>(URL), SysStringLen(URL));
    window_->navigate(fromUtf16(wide));
    return S_OK;
}

HRESULT WebBrowserObject::Refresh() {
    ComponentCall call(window_->browser());
    std::shared_ptr<Page> page = window_->page();
    if (page) window_->navigate(page->address());
    return S_OK;
}

HRESULT WebBrowserObject::Refresh2(VARIANT*) { return Refresh(); }
HRESULT WebBrowserObject::Stop() { return S_OK; }

HRESULT WebBrowserObject::get_Application(IDispatch** ppDisp) {
    if (ppDisp == nullptr) return E_POINTER;
    AddRef();
    *ppDisp = this;
    return S_OK;
}

HRESULT WebBrowserObject::get_Parent(IDispatch** ppDisp) { return get_Application(ppDisp); }
HRESULT WebBrowserObject::get_Container(IDispatch** ppDisp) {
    if (ppDisp != nullptr) *ppDisp = nullptr;
    return E_NOTIMPL;
}

HRESULT WebBrowserObject::get_Document(IDispatch** ppDisp) {
    ComponentCall call(window_->browser());
    if (ppDisp == nullptr) return E_POINTER;
    *ppDisp = DocumentObject::get(window_->page());
    return *ppDisp != nullptr ? S_OK : S_FALSE;
}

HRESULT WebBrowserObject::get_TopLevelContainer(VARIANT_BOOL* pBool) {
    if (pBool == nullptr) return E_POINTER;
    *pBool = window_->parent() ? VARIANT_FALSE : VARIANT_TRUE;
    return S_OK;
}

HRESULT WebBrowserObject::get_Type(BSTR* Type) { return giveText(Type, "HTML Document"); }
HRESULT WebBrowserObject::get_Left(long*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_Left(long) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_Top(long*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_Top(long) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_Width(long*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_Width(long) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_Height(long*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_Height(long) { return E_NOTIMPL; }

HRESULT WebBrowserObject::get_LocationName(BSTR* LocationName) {
    std::shared_ptr<Page> page = window_->page();
    return giveText(LocationName, page ? page->address() : std::string());
}

HRESULT WebBrowserObject::get_LocationURL(BSTR* LocationURL) {
    std::shared_ptr<Page> page = window_->page();
    return giveText(LocationURL, page ? page->address() : std::string());
}

HRESULT WebBrowserObject::get_Busy(VARIANT_BOOL* pBool) {
    ComponentCall call(window_->browser());
    if (pBool == nullptr) return E_POINTER;
    std::shared_ptr<Page> page = window_->page();
    *pBool = page && page->readyState() != "complete" ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT WebBrowserObject::Quit() { return E_NOTIMPL; }
HRESULT WebBrowserObject::ClientToWindow(int*, int*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::PutProperty(BSTR, VARIANT) { return E_NOTIMPL; }
HRESULT WebBrowserObject::GetProperty(BSTR, VARIANT*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_Name(BSTR* Name) {
    return giveText(Name, "Microsoft Web Browser Control");
}
HRESULT WebBrowserObject::get_HWND(SHANDLE_PTR*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_FullName(BSTR*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_Path(BSTR*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_Visible(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_Visible(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_StatusBar(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_StatusBar(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_StatusText(BSTR*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_StatusText(BSTR) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_ToolBar(int*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_ToolBar(int) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_MenuBar(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_MenuBar(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_FullScreen(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_FullScreen(VARIANT_BOOL) { return E_NOTIMPL; }

HRESULT WebBrowserObject::Navigate2(VARIANT* URL, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
    ComponentCall call(window_->browser());
    if (URL == nullptr) return E_INVALIDARG;
    std::optional<std::string> address = variantText(*URL);
    if (!address) return E_INVALIDARG;
    window_->navigate(*address);
    return S_OK;
}

HRESULT WebBrowserObject::QueryStatusWB(OLECMDID, OLECMDF*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::ExecWB(OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) { return E_NOTIMPL; }

HRESULT WebBrowserObject::get_ReadyState(READYSTATE* plReadyState) {
    ComponentCall call(window_->browser());
    if (plReadyState == nullptr) return E_POINTER;
    std::shared_ptr<Page> page = window_->page();
    if (!page) {
        *plReadyState = READYSTATE_UNINITIALIZED;
    } else {
        *plReadyState = page->readyState() == "complete" ? READYSTATE_COMPLETE : READYSTATE_LOADING;
    }
    return S_OK;
}

HRESULT WebBrowserObject::get_Offline(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_Offline(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_Silent(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_Silent(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_RegisterAsBrowser(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_RegisterAsBrowser(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_RegisterAsDropTarget(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_RegisterAsDropTarget(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_TheaterMode(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_TheaterMode(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_AddressBar(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_AddressBar(VARIANT_BOOL) { return E_NOTIMPL; }
HRESULT WebBrowserObject::get_Resizable(VARIANT_BOOL*) { return E_NOTIMPL; }
HRESULT WebBrowserObject::put_Resizable(VARIANT_BOOL) { return E_NOTIMPL; }

}  // namespace browser
