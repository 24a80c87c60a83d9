#include "browser/objects/document_object.h"

#include "browser/dom/element_queries.h"
#include "browser/dom/inner_text.h"
#include "browser/dom/layout.h"
#include "browser/objects/collection_object.h"
#include "browser/objects/element_object.h"
#include "browser/objects/frames_collection_object.h"
#include "browser/objects/location_object.h"
#include "browser/objects/style_sheet_object.h"
#include "browser/objects/window_object.h"
#include "browser/page/browser.h"
#include "browser/page/browser_state.h"
#include "browser/page/page.h"
#include "browser/page/window.h"

namespace browser {

// {626FC520-A41E-11CF-A731-00A0C9082637} and {332C4425-26CB-11D0-B483-00C04FD90119}
const IID IID_IHTMLDocument = {
    0x626FC520, 0xA41E, 0x11CF, {0xA7, 0x31, 0x00, 0xA0, 0xC9, 0x08, 0x26, 0x37}};
const IID IID_IHTMLDocument2 = {
    0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};

namespace {

using DocumentRows = Rows<DocumentObject>;
using DocumentRow = Member<DocumentObject>;

dom::Element* titleElement(dom::Document& document) {
    std::vector<dom::Element*> titles = dom::getElementsByTagName(document, "title");
    return titles.empty() ? nullptr : titles.front();
}

// A collection of the page's elements that pass a test.
IDispatch* filtered(DocumentObject& d, bool (*keep)(const dom::Element&)) {
    std::shared_ptr<Page> page = d.pagePointer();
    return CollectionObject::create(page, [page, keep] {
        std::vector<dom::Element*> found;
        for (dom::Element* element : dom::allElements(page->document())) {
            if (keep(*element)) found.push_back(element);
        }
        return found;
    });
}

// A handler property of the document ("onclick").
DocumentRow handlerRow(std::string name) {
    return DocumentRows::variant(
        name,
        [name](DocumentObject& d, VARIANT* r) {
            d.page().documentHandler(name, r);
            return S_OK;
        },
        [name](DocumentObject& d, const VARIANT& v) {
            d.page().setDocumentHandler(name, v);
            return S_OK;
        });
}

HRESULT writeArguments(DocumentObject& d, const MethodArguments& a, const char* ending) {
    std::string text;
    for (UINT i = 0; i < a.count(); ++i) {
        std::optional<std::string> piece = a.text(i);
        if (piece) text += *piece;
    }
    text += ending;
    d.page().write(text);
    return S_OK;
}

std::vector<DocumentRow> documentRows() {
    std::vector<DocumentRow> rows = {
        DocumentRows::object("documentElement",
                             [](DocumentObject& d) {
                                 return ElementObject::get(d.pagePointer(),
                                                           d.page().document().documentElement());
                             }),
        DocumentRows::object("body",
                             [](DocumentObject& d) {
                                 return ElementObject::get(d.pagePointer(),
                                                           d.page().document().body());
                             }),
        DocumentRows::object("all",
                             [](DocumentObject& d) {
                                 return CollectionObject::create(
                                     d.pagePointer(),
                                     allBelow(d.pagePointer(), &d.page().document()));
                             }),
        DocumentRows::object("frames",
                             [](DocumentObject& d) {
                                 return FramesCollectionObject::create(
                                     d.page().browserPointer(), d.pagePointer(), d.page().domain());
                             }),
        DocumentRows::object("parentWindow",
                             [](DocumentObject& d) -> IDispatch* {
                                 std::shared_ptr<Window> window = d.page().window();
                                 return window ? WindowObject::create(window) : nullptr;
                             }),
        DocumentRows::text(
            "cookie",
            [](DocumentObject& d) {
                return d.page().browser().cookies().cookies(d.page().domain());
            },
            [](DocumentObject& d, std::string_view v) {
                d.page().browser().cookies().setCookie(d.page().domain(), v);
                return true;
            }),
        DocumentRows::text(
            "title",
            [](DocumentObject& d) {
                dom::Element* title = titleElement(d.page().document());
                return title ? dom::innerText(*title) : std::string();
            },
            [](DocumentObject& d, std::string_view v) {
                dom::Document& document = d.page().document();
                dom::Element* title = titleElement(document);
                if (title == nullptr) {
                    dom::Element* head = document.head();
                    if (head == nullptr) return false;
                    title = document.createElement("title");
                    head->appendChild(title);
                }
                title->removeAllChildren();
                title->appendChild(document.createTextNode(std::string(v)));
                return true;
            }),
        DocumentRows::text(
            "charset", [](DocumentObject& d) { return d.page().charset(); },
            [](DocumentObject& d, std::string_view v) {
                d.page().setCharset(dom::asciiLower(v));
                return true;
            }),
        DocumentRows::variant(
            "domain",
            [](DocumentObject& d, VARIANT* r) {
                setText(r, d.page().domain());
                return S_OK;
            },
            [](DocumentObject& d, const VARIANT& v) {
                std::optional<std::string> domain = variantText(v);
                if (!domain || !d.page().setDomain(*domain)) {
                    raiseException("Invalid argument.");
                    return E_INVALIDARG;
                }
                return S_OK;
            }),
        DocumentRows::variant(
            "location",
            [](DocumentObject& d, VARIANT* r) {
                setObject(r, LocationObject::create(d.pagePointer()));
                return S_OK;
            },
            [](DocumentObject& d, const VARIANT& v) {
                std::optional<std::string> address = variantText(v);
                if (!address) return DISP_E_TYPEMISMATCH;
                if (std::shared_ptr<Window> window = d.page().window()) window->navigate(*address);
                return S_OK;
            }),
        DocumentRows::text("URL", [](DocumentObject& d) { return d.page().address(); }),
        DocumentRows::text("referrer", [](DocumentObject&) { return std::string(); }),
        DocumentRows::text("readyState", [](DocumentObject& d) { return d.page().readyState(); }),
        DocumentRows::object("activeElement",
                             [](DocumentObject& d) {
                                 return ElementObject::get(d.pagePointer(),
                                                           d.page().document().body());
                             }),
        DocumentRows::method("getElementById", {required("id", VT_BSTR)}, VT_DISPATCH,
                             [](DocumentObject& d, const MethodArguments& a, VARIANT* r) {
                                 std::optional<std::string> id = a.text(0);
                                 if (!id) return E_INVALIDARG;
                                 setObject(r, ElementObject::get(
                                                  d.pagePointer(),
                                                  dom::getElementById(d.page().document(), *id)));
                                 return S_OK;
                             }),
        DocumentRows::method("getElementsByName", {required("name", VT_BSTR)}, VT_DISPATCH,
                             [](DocumentObject& d, const MethodArguments& a, VARIANT* r) {
                                 std::optional<std::string> name = a.text(0);
                                 if (!name) return E_INVALIDARG;
                                 std::shared_ptr<Page> page = d.pagePointer();
                                 std::string wanted = *name;
                                 setObject(r, CollectionObject::create(page, [page, wanted] {
                                               return dom::getElementsByName(page->document(),
                                                                             wanted);
                                           }));
                                 return S_OK;
                             }),
        DocumentRows::method("getElementsByTagName", {required("tagName", VT_BSTR)}, VT_DISPATCH,
                             [](DocumentObject& d, const MethodArguments& a, VARIANT* r) {
                                 std::optional<std::string> tag = a.text(0);
                                 if (!tag) return E_INVALIDARG;
                                 setObject(
                                     r, CollectionObject::create(
                                            d.pagePointer(),
                                            tagged(d.pagePointer(), &d.page().document(), *tag)));
                                 return S_OK;
                             }),
        DocumentRows::method(
            "elementFromPoint", {required("x", VT_I4), required("y", VT_I4)}, VT_DISPATCH,
            [](DocumentObject& d, const MethodArguments& a, VARIANT* r) {
                std::optional<long> x = a.integer(0);
                std::optional<long> y = a.integer(1);
                if (!x || !y) return E_INVALIDARG;
                dom::Element* hit = dom::elementFromPoint(d.page().document(), static_cast<int>(*x),
                                                          static_cast<int>(*y));
                setObject(r, ElementObject::get(d.pagePointer(), hit));
                return S_OK;
            }),
        // write and writeln take any number of arguments, each written as text.
        DocumentRows::method(
            "write", {required("text", DeclaredType::safeArrayOf(VT_VARIANT))}, VT_VOID,
            [](DocumentObject& d, const MethodArguments& a, VARIANT*) {
                return writeArguments(d, a, "");
            },
            -1),
        DocumentRows::method(
            "writeln", {required("text", DeclaredType::safeArrayOf(VT_VARIANT))}, VT_VOID,
            [](DocumentObject& d, const MethodArguments& a, VARIANT*) {
                return writeArguments(d, a, "\r\n");
            },
            -1),
        DocumentRows::method(
            "open", {optional("url"), optional("name"), optional("features"), optional("replace")},
            VT_DISPATCH,
            [](DocumentObject& d, const MethodArguments&, VARIANT* r) {
                d.page().closeWriting();
                d.page().write("");
                d.AddRef();
                setObject(r, &d);
                return S_OK;
            },
            4),
        DocumentRows::method("close", {}, VT_VOID,
                             [](DocumentObject& d, const MethodArguments&, VARIANT*) {
                                 d.page().closeWriting();
                                 return S_OK;
                             }),
        DocumentRows::method("createElement", {required("tagName", VT_BSTR)}, VT_DISPATCH,
                             [](DocumentObject& d, const MethodArguments& a, VARIANT* r) {
                                 std::optional<std::string> tag = a.text(0);
                                 if (!tag || tag->empty()) return E_INVALIDARG;
                                 setObject(r, ElementObject::get(
                                                  d.pagePointer(),
                                                  d.page().document().createElement(*tag)));
                                 return S_OK;
                             }),
        DocumentRows::method(
            "createStyleSheet", {optional("href"), optional("index")}, VT_DISPATCH,
            [](DocumentObject& d, const MethodArguments&, VARIANT* r) {
                setObject(r, StyleSheetObject::create(d.pagePointer()));
                return S_OK;
            },
            2),
        DocumentRows::object("forms",
                             [](DocumentObject& d) {
                                 return filtered(
                                     d, [](const dom::Element& e) { return e.is("form"); });
                             }),
        DocumentRows::object("images",
                             [](DocumentObject& d) {
                                 return filtered(d,
                                                 [](const dom::Element& e) { return e.is("img"); });
                             }),
        DocumentRows::object("links",
                             [](DocumentObject& d) {
                                 return filtered(d, [](const dom::Element& e) {
                                     return (e.is("a") || e.is("area")) && e.hasAttribute("href");
                                 });
                             }),
        DocumentRows::object("scripts",
                             [](DocumentObject& d) {
                                 return filtered(
                                     d, [](const dom::Element& e) { return e.is("script"); });
                             }),
    };
    for (const char* name : {"onclick", "ondblclick", "onmousedown", "onmouseup", "onmousemove",
                             "onmouseover", "onmouseout", "onkeydown", "onkeyup", "onkeypress"}) {
        rows.push_back(handlerRow(name));
    }
    return rows;
}

const MemberTable<DocumentObject>& documentMembers() {
    static const MemberTable<DocumentObject> table("IHTMLDocument2", {documentRows()});
    return table;
}

}  // namespace

DocumentObject::DocumentObject(std::shared_ptr<Page> page)
    : TableObject(page->browserPointer(), documentMembers()), page_(std::move(page)) {
    page_->documentObjectSlot() = this;
}

DocumentObject::~DocumentObject() {
    if (page_->documentObjectSlot() == this) page_->documentObjectSlot() = nullptr;
}

IDispatch* DocumentObject::get(const std::shared_ptr<Page>& page) {
    if (!page) return nullptr;
    if (DocumentObject* existing = page->documentObjectSlot()) {
        existing->AddRef();
        return existing;
    }
    return new DocumentObject(page);
}

DocumentObject* DocumentObject::from(IUnknown* object) {
    return dynamic_cast<DocumentObject*>(BrowserObject::from(object));
}

void* DocumentObject::otherInterface(REFIID riid) {
    // Both are dispatch interfaces: the one IDispatch serves for them.
    if (IsEqualIID(riid, IID_IHTMLDocument) || IsEqualIID(riid, IID_IHTMLDocument2)) {
        return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

HRESULT DocumentObject::namedProperty(std::string_view name, VARIANT* result) {
    for (dom::Element* element : dom::elementsWithIdOrName(page_->document(), name)) {
        if (element->is("form") || element->is("img") || element->is("iframe") ||
            element->is("frame") || element->is("embed") || element->is("object")) {
            if (element->name() != name) continue;
            setObject(result, ElementObject::get(page_, element));
            return S_OK;
        }
    }
    return DISP_E_MEMBERNOTFOUND;
}

}  // namespace browser
