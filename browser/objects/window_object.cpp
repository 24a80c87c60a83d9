#include "browser/objects/window_object.h"

#include "browser/dom/element.h"
#include "browser/dom/layout.h"
#include "browser/objects/document_object.h"
#include "browser/objects/frames_collection_object.h"
#include "browser/objects/location_object.h"
#include "browser/objects/navigator_object.h"
#include "browser/objects/web_browser_object.h"
#include "browser/page/browser_state.h"
#include "browser/page/page.h"
#include "browser/page/window.h"

namespace browser {

namespace {

using WindowRows = Rows<WindowObject>;
using WindowRow = Member<WindowObject>;

// A window seen by the same viewer as `from`.
IDispatch* sameView(WindowObject& from, const std::shared_ptr<Window>& window) {
    if (!window) return nullptr;
    return WindowObject::create(window, from.viewingDomain());
}

std::string pageAddress(WindowObject& w) {
    std::shared_ptr<Page> page = w.window().page();
    return page ? page->address() : std::string();
}

HRESULT recordDialog(WindowObject& w, ShownDialog::Kind kind, std::string text,
                     std::string defaultText = {}) {
    w.browser().dialogs().push_back(
        {kind, std::move(text), std::move(defaultText), pageAddress(w)});
    return S_OK;
}

// The language names execScript runs; VBScript is known and refused.
HRESULT checkLanguage(const MethodArguments& a) {
    if (!a.given(1)) return S_OK;
    std::string language = dom::asciiLower(a.text(1).value_or(""));
    if (language == "jscript" || language == "javascript" || language == "ecmascript" ||
        language == "jscript.encode") {
        return S_OK;
    }
    if (language == "vbscript" || language == "vbs") {
        return raiseException("VBScript is not supported by this browser component.");
    }
    raiseException("Invalid argument.");
    return E_INVALIDARG;
}

HRESULT addTimer(WindowObject& w, const MethodArguments& a, bool repeat, VARIANT* r) {
    const VARIANT* code = a.at(0);
    std::shared_ptr<Page> page = w.window().page();
    if (code == nullptr || !page) return E_INVALIDARG;
    setInteger(r, page->addTimer(*code, a.integer(1).value_or(0), repeat));
    return S_OK;
}

WindowRow handlerRow(std::string name) {
    return WindowRows::variant(
        name,
        [name](WindowObject& w, VARIANT* r) {
            std::shared_ptr<Page> page = w.window().page();
            if (page) {
                page->windowHandler(name, r);
            } else {
                setNull(r);
            }
            return S_OK;
        },
        [name](WindowObject& w, const VARIANT& v) {
            if (std::shared_ptr<Page> page = w.window().page()) page->setWindowHandler(name, v);
            return S_OK;
        });
}

void scrollViewport(WindowObject& w, long x, long y) {
    std::shared_ptr<Page> page = w.window().page();
    dom::Element* root = page ? page->document().documentElement() : nullptr;
    if (root == nullptr) return;
    dom::setScrollLeft(*root, static_cast<int>(x));
    dom::setScrollTop(*root, static_cast<int>(y));
}

std::vector<WindowRow> windowRows() {
    std::vector<WindowRow> rows = {
        WindowRows::variant("document",
                            [](WindowObject& w, VARIANT* r) -> HRESULT {
                                if (w.behindBoundary()) return accessDenied();
                                std::shared_ptr<Page> page = w.window().page();
                                setObject(r, DocumentObject::get(page));
                                return S_OK;
                            }),
        WindowRows::object("frames",
                           [](WindowObject& w) {
                               return FramesCollectionObject::create(w.window().browserPointer(),
                                                                     w.window().page(),
                                                                     w.viewingDomain());
                           }),
        WindowRows::object("parent",
                           [](WindowObject& w) {
                               std::shared_ptr<Window> parent = w.window().parent();
                               return sameView(w, parent ? parent : w.windowPointer());
                           }),
        WindowRows::object("top", [](WindowObject& w) { return sameView(w, w.window().top()); }),
        WindowRows::object("self",
                           [](WindowObject& w) {
                               w.AddRef();
                               return static_cast<IDispatch*>(&w);
                           }),
        WindowRows::object("window",
                           [](WindowObject& w) {
                               w.AddRef();
                               return static_cast<IDispatch*>(&w);
                           }),
        WindowRows::object("opener", [](WindowObject&) -> IDispatch* { return nullptr; }),
        WindowRows::text(
            "name", [](WindowObject& w) { return w.window().name(); },
            [](WindowObject& w, std::string_view v) {
                w.window().setName(std::string(v));
                return true;
            }),
        WindowRows::integer("length",
                            [](WindowObject& w) {
                                std::shared_ptr<Page> page = w.window().page();
                                return page ? static_cast<long>(page->frames().size()) : 0L;
                            }),
        WindowRows::boolean("closed", [](WindowObject& w) { return w.window().isClosed(); }),
        WindowRows::variant(
            "location",
            [](WindowObject& w, VARIANT* r) {
                std::shared_ptr<Page> page = w.window().page();
                if (page) {
                    setObject(r, LocationObject::create(page));
                } else {
                    setObject(r, nullptr);
                }
                return S_OK;
            },
            [](WindowObject& w, const VARIANT& v) {
                std::optional<std::string> address = variantText(v);
                if (!address) return DISP_E_TYPEMISMATCH;
                w.window().navigate(*address);
                return S_OK;
            }),
        WindowRows::object(
            "navigator",
            [](WindowObject& w) { return NavigatorObject::create(w.window().browserPointer()); }),
        WindowRows::object("event",
                           [](WindowObject& w) {
                               IDispatch* event = w.window().currentEvent();
                               if (event != nullptr) event->AddRef();
                               return event;
                           }),
        WindowRows::text(
            "status", [](WindowObject& w) { return w.window().status(); },
            [](WindowObject& w, std::string_view v) {
                w.window().status() = std::string(v);
                return true;
            }),
        // Runs code in the window's global scope: what it defines replaces
        // what the page defined under the same name.
        WindowRows::method(
            "execScript", {required("code", VT_BSTR), optional("language", VT_BSTR)}, VT_VARIANT,
            [](WindowObject& w, const MethodArguments& a, VARIANT*) -> HRESULT {
                if (w.behindBoundary()) return accessDenied();
                std::optional<std::string> code = a.text(0);
                if (!code) return E_INVALIDARG;
                HRESULT language = checkLanguage(a);
                if (FAILED(language)) return language;
                std::shared_ptr<Page> page = w.window().page();
                if (!page) return raiseException("The window has no page.");
                return page->runScript(*code, "execScript");
            },
            1),
        WindowRows::method("navigate", {required("url", VT_BSTR)}, VT_VOID,
                           [](WindowObject& w, const MethodArguments& a, VARIANT*) {
                               std::optional<std::string> address = a.text(0);
                               if (!address) return E_INVALIDARG;
                               w.window().navigate(*address);
                               return S_OK;
                           }),
        WindowRows::method(
            "alert", {optional("message")}, VT_VOID,
            [](WindowObject& w, const MethodArguments& a, VARIANT*) {
                return recordDialog(w, ShownDialog::Kind::alert, a.text(0).value_or(""));
            },
            1),
        WindowRows::method(
            "confirm", {optional("message")}, VT_BOOL,
            [](WindowObject& w, const MethodArguments& a, VARIANT* r) {
                recordDialog(w, ShownDialog::Kind::confirm, a.text(0).value_or(""));
                setBoolean(r, w.browser().options().confirmAnswer);
                return S_OK;
            },
            1),
        WindowRows::method(
            "prompt", {optional("message"), optional("defaultText")}, VT_VARIANT,
            [](WindowObject& w, const MethodArguments& a, VARIANT* r) {
                std::string answer = a.text(1).value_or("");
                recordDialog(w, ShownDialog::Kind::prompt, a.text(0).value_or(""), answer);
                setText(r, answer);
                return S_OK;
            },
            2),
        WindowRows::method(
            "showModalDialog",
            {required("url", VT_BSTR), optional("arguments"), optional("features")}, VT_VARIANT,
            [](WindowObject& w, const MethodArguments& a, VARIANT*) {
                return recordDialog(w, ShownDialog::Kind::modalDialog, a.text(0).value_or(""));
            },
            2),
        WindowRows::method(
            "setTimeout",
            {required("code", VT_VARIANT), optional("milliseconds", VT_I4),
             optional("language", VT_BSTR)},
            VT_I4,
            [](WindowObject& w, const MethodArguments& a, VARIANT* r) {
                return addTimer(w, a, false, r);
            },
            2),
        WindowRows::method(
            "setInterval",
            {required("code", VT_VARIANT), optional("milliseconds", VT_I4),
             optional("language", VT_BSTR)},
            VT_I4,
            [](WindowObject& w, const MethodArguments& a, VARIANT* r) {
                return addTimer(w, a, true, r);
            },
            2),
        WindowRows::method("clearTimeout", {required("id", VT_I4)}, VT_VOID,
                           [](WindowObject& w, const MethodArguments& a, VARIANT*) {
                               if (std::shared_ptr<Page> page = w.window().page()) {
                                   page->clearTimer(a.integer(0).value_or(0));
                               }
                               return S_OK;
                           }),
        WindowRows::method("clearInterval", {required("id", VT_I4)}, VT_VOID,
                           [](WindowObject& w, const MethodArguments& a, VARIANT*) {
                               if (std::shared_ptr<Page> page = w.window().page()) {
                                   page->clearTimer(a.integer(0).value_or(0));
                               }
                               return S_OK;
                           }),
        WindowRows::method("focus", {}, VT_VOID,
                           [](WindowObject&, const MethodArguments&, VARIANT*) { return S_OK; }),
        WindowRows::method("blur", {}, VT_VOID,
                           [](WindowObject&, const MethodArguments&, VARIANT*) { return S_OK; }),
        WindowRows::method("scrollTo", {required("x", VT_I4), required("y", VT_I4)}, VT_VOID,
                           [](WindowObject& w, const MethodArguments& a, VARIANT*) {
                               scrollViewport(w, a.integer(0).value_or(0),
                                              a.integer(1).value_or(0));
                               return S_OK;
                           }),
        WindowRows::method("scrollBy", {required("x", VT_I4), required("y", VT_I4)}, VT_VOID,
                           [](WindowObject& w, const MethodArguments& a, VARIANT*) {
                               std::shared_ptr<Page> page = w.window().page();
                               dom::Element* root =
                                   page ? page->document().documentElement() : nullptr;
                               if (root == nullptr) return S_OK;
                               scrollViewport(w, dom::scrollLeft(*root) + a.integer(0).value_or(0),
                                              dom::scrollTop(*root) + a.integer(1).value_or(0));
                               return S_OK;
                           }),
    };
    for (const char* name : {"onload", "onunload", "onbeforeunload", "onerror", "onresize",
                             "onscroll", "onfocus", "onblur"}) {
        rows.push_back(handlerRow(name));
    }
    return rows;
}

const MemberTable<WindowObject>& windowMembers() {
    static const MemberTable<WindowObject> table("IHTMLWindow2", {windowRows()});
    return table;
}

}  // namespace

WindowObject::WindowObject(std::shared_ptr<Window> window, std::optional<std::string> viewer)
    : TableObject(window->browserPointer(), windowMembers()),
      window_(std::move(window)),
      viewer_(std::move(viewer)) {}

IDispatch* WindowObject::create(std::shared_ptr<Window> window, std::optional<std::string> viewer) {
    if (!window) return nullptr;
    return static_cast<IDispatch*>(new WindowObject(std::move(window), std::move(viewer)));
}

WindowObject* WindowObject::from(IUnknown* object) {
    return dynamic_cast<WindowObject*>(BrowserObject::from(object));
}

bool WindowObject::behindBoundary() const {
    if (!viewer_) return false;
    std::shared_ptr<Page> page = window_->page();
    return page && page->domain() != *viewer_;
}

std::string WindowObject::viewingDomain() const {
    if (viewer_) return *viewer_;
    std::shared_ptr<Page> page = window_->page();
    return page ? page->domain() : std::string();
}

HRESULT WindowObject::namedProperty(std::string_view name, VARIANT* result) {
    IDispatch* frames =
        FramesCollectionObject::create(window_->browserPointer(), window_->page(), viewingDomain());
    HRESULT hr = static_cast<FramesCollectionObject*>(frames)->namedProperty(name, result);
    frames->Release();
    return hr;
}

HRESULT WindowObject::QueryInterface(REFIID riid, void** object) {
    return DispatchObject::QueryInterface(riid, object);
}

ULONG WindowObject::AddRef() { return DispatchObject::AddRef(); }

ULONG WindowObject::Release() { return DispatchObject::Release(); }

void* WindowObject::otherInterface(REFIID riid) {
    if (IsEqualIID(riid, IID_IServiceProvider)) return static_cast<IServiceProvider*>(this);
    return nullptr;
}

HRESULT WindowObject::QueryService(REFGUID service, REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualGUID(service, SID_SWebBrowserApp)) return E_NOINTERFACE;
    WebBrowserObject* browser = WebBrowserObject::create(window_);
    HRESULT hr = browser->QueryInterface(riid, object);
    browser->Release();
    return hr;
}

}  // namespace browser
