// The members every element has, and the row makers the kinds share.
#include "browser/objects/element_members.h"

#include <cstdlib>

#include "browser/dom/element_queries.h"
#include "browser/dom/html_editing.h"
#include "browser/dom/html_serializer.h"
#include "browser/dom/inner_text.h"
#include "browser/dom/layout.h"
#include "browser/objects/document_object.h"
#include "browser/objects/style_object.h"
#include "browser/objects/text_range_object.h"
#include "browser/page/address.h"
#include "browser/page/page.h"

namespace browser {

namespace {

// The element behind an object argument, when it is one of the same page.
dom::Element* elementArgument(ElementObject& e, const MethodArguments& a, UINT i) {
    ElementObject* other = ElementObject::from(a.object(i));
    if (other == nullptr || &other->page() != &e.page()) return nullptr;
    return &other->element();
}

ElementRow handlerRow(std::string name) {
    return ElementRows::variant(
        name,
        [name](ElementObject& e, VARIANT* r) {
            e.page().elementHandler(e.element(), name, r);
            return S_OK;
        },
        [name](ElementObject& e, const VARIANT& v) {
            e.page().setElementHandler(e.element(), name, v);
            return S_OK;
        });
}

HRESULT insertAdjacent(ElementObject& e, const MethodArguments& a, bool asHtml) {
    std::optional<std::string> where = a.text(0);
    std::optional<std::string> content = a.text(1);
    if (!where || !content) return E_INVALIDARG;
    std::optional<dom::AdjacentPosition> position = dom::adjacentPositionNamed(*where);
    if (!position) {
        raiseException("Invalid argument.");
        return E_INVALIDARG;
    }
    std::string html = content.value();
    if (!asHtml) {
        // The text goes in as text: escaped, so that nothing in it is markup.
        html.clear();
        for (char c : *content) {
            if (c == '&') {
                html += "&amp;";
            } else if (c == '<') {
                html += "&lt;";
            } else if (c == '>') {
                html += "&gt;";
            } else {
                html += c;
            }
        }
    }
    if (!dom::insertAdjacentHtml(e.element(), *position, html)) {
        return raiseException("Invalid target element for this operation.");
    }
    return S_OK;
}

std::vector<ElementRow> commonRows() {
    std::vector<ElementRow> rows = {
        ElementRows::text("tagName", [](ElementObject& e) { return e.element().tagName(); }),
        reflectedText("id", "id"),
        reflectedText("name", "name"),
        reflectedText("className", "class"),
        reflectedText("title", "title"),
        reflectedText("lang", "lang"),
        reflectedText("dir", "dir"),
        ElementRows::text(
            "innerText", [](ElementObject& e) { return dom::innerText(e.element()); },
            [](ElementObject& e, std::string_view v) { return dom::setInnerText(e.element(), v); }),
        ElementRows::text(
            "outerText", [](ElementObject& e) { return dom::innerText(e.element()); },
            [](ElementObject& e, std::string_view v) { return dom::setOuterText(e.element(), v); }),
        ElementRows::text(
            "innerHTML", [](ElementObject& e) { return dom::innerHtml(e.element()); },
            [](ElementObject& e, std::string_view v) { return dom::setInnerHtml(e.element(), v); }),
        ElementRows::text(
            "outerHTML", [](ElementObject& e) { return dom::outerHtml(e.element()); },
            [](ElementObject& e, std::string_view v) { return dom::setOuterHtml(e.element(), v); }),
        ElementRows::object("document",
                            [](ElementObject& e) { return DocumentObject::get(e.pagePointer()); }),
        ElementRows::object("parentElement",
                            [](ElementObject& e) {
                                return ElementObject::get(e.pagePointer(), e.element().parentElement());
                            }),
        ElementRows::object("children",
                            [](ElementObject& e) {
                                return CollectionObject::create(
                                    e.pagePointer(), childrenOf(e.pagePointer(), &e.element()));
                            }),
        ElementRows::object("all",
                            [](ElementObject& e) {
                                return CollectionObject::create(
                                    e.pagePointer(), allBelow(e.pagePointer(), &e.element()));
                            }),
        ElementRows::object("style",
                            [](ElementObject& e) {
                                return StyleObject::create(e.pagePointer(), &e.element());
                            }),
        ElementRows::integer("offsetLeft", [](ElementObject& e) { return dom::offsetLeft(e.element()); }),
        ElementRows::integer("offsetTop", [](ElementObject& e) { return dom::offsetTop(e.element()); }),
        ElementRows::integer("offsetWidth",
                             [](ElementObject& e) { return dom::offsetWidth(e.element()); }),
        ElementRows::integer("offsetHeight",
                             [](ElementObject& e) { return dom::offsetHeight(e.element()); }),
        ElementRows::object("offsetParent",
                            [](ElementObject& e) {
                                return ElementObject::get(e.pagePointer(),
                                                          dom::offsetParent(e.element()));
                            }),
        ElementRows::integer("clientWidth",
                             [](ElementObject& e) { return dom::clientWidth(e.element()); }),
        ElementRows::integer("clientHeight",
                             [](ElementObject& e) { return dom::clientHeight(e.element()); }),
        ElementRows::integer(
            "scrollTop", [](ElementObject& e) { return dom::scrollTop(e.element()); },
            [](ElementObject& e, long v) {
                dom::setScrollTop(e.element(), static_cast<int>(v));
                return true;
            }),
        ElementRows::integer(
            "scrollLeft", [](ElementObject& e) { return dom::scrollLeft(e.element()); },
            [](ElementObject& e, long v) {
                dom::setScrollLeft(e.element(), static_cast<int>(v));
                return true;
            }),
        ElementRows::integer("scrollHeight",
                             [](ElementObject& e) { return dom::scrollHeight(e.element()); }),
        ElementRows::integer("scrollWidth",
                             [](ElementObject& e) { return dom::scrollWidth(e.element()); }),
        ElementRows::integer("sourceIndex",
                             [](ElementObject& e) {
                                 long index = 0;
                                 for (dom::Element* element : dom::allElements(e.page().document())) {
                                     if (element == &e.element()) return index;
                                     ++index;
                                 }
                                 return -1L;
                             }),
        ElementRows::method("insertAdjacentHTML",
                            {required("where", VT_BSTR), required("html", VT_BSTR)}, VT_VOID,
                            [](ElementObject& e, const MethodArguments& a, VARIANT*) {
                                return insertAdjacent(e, a, true);
                            }),
        ElementRows::method("insertAdjacentText",
                            {required("where", VT_BSTR), required("text", VT_BSTR)}, VT_VOID,
                            [](ElementObject& e, const MethodArguments& a, VARIANT*) {
                                return insertAdjacent(e, a, false);
                            }),
        ElementRows::method(
            "getAttribute", {required("name", VT_BSTR), optional("flags", VT_I4)}, VT_VARIANT,
            [](ElementObject& e, const MethodArguments& a, VARIANT* r) {
                std::optional<std::string> name = a.text(0);
                if (!name) return E_INVALIDARG;
                const std::string* value = e.element().findAttribute(*name);
                if (value == nullptr) {
                    setNull(r);
                } else {
                    setText(r, *value);
                }
                return S_OK;
            },
            1),
        ElementRows::method(
            "setAttribute",
            {required("name", VT_BSTR), required("value", VT_VARIANT), optional("flags", VT_I4)},
            VT_VOID,
            [](ElementObject& e, const MethodArguments& a, VARIANT*) {
                std::optional<std::string> name = a.text(0);
                std::optional<std::string> value = a.text(1);
                if (!name || name->empty() || !value) return E_INVALIDARG;
                e.element().setAttribute(*name, *value);
                if (dom::asciiLower(name->substr(0, 2)) == "on") {
                    e.page().forgetAttributeHandler(e.element(), *name);
                }
                return S_OK;
            },
            1),
        ElementRows::method(
            "removeAttribute", {required("name", VT_BSTR), optional("flags", VT_I4)}, VT_BOOL,
            [](ElementObject& e, const MethodArguments& a, VARIANT* r) {
                std::optional<std::string> name = a.text(0);
                if (!name) return E_INVALIDARG;
                setBoolean(r, e.element().removeAttribute(*name));
                return S_OK;
            },
            1),
        // The event object goes by reference, as the browser declares it.
        ElementRows::method(
            "fireEvent",
            {required("eventName", VT_BSTR),
             ParameterDescription("eventObject", DeclaredType::pointerTo(VT_VARIANT),
                                  PARAMFLAG_FIN | PARAMFLAG_FOPT)},
            VT_BOOL, [](ElementObject& e, const MethodArguments& a, VARIANT* r) {
                return fireEventOn(e, a, r);
            },
            1),
        ElementRows::method("click", {}, VT_VOID,
                            [](ElementObject& e, const MethodArguments&, VARIANT*) {
                                return clickElement(e);
                            }),
        ElementRows::method("focus", {}, VT_VOID,
                            [](ElementObject&, const MethodArguments&, VARIANT*) { return S_OK; }),
        ElementRows::method("blur", {}, VT_VOID,
                            [](ElementObject&, const MethodArguments&, VARIANT*) { return S_OK; }),
        ElementRows::method(
            "scrollIntoView", {optional("alignToTop")}, VT_VOID,
            [](ElementObject&, const MethodArguments&, VARIANT*) { return S_OK; }, 1),
        ElementRows::method("contains", {required("element", VT_DISPATCH)}, VT_BOOL,
                            [](ElementObject& e, const MethodArguments& a, VARIANT* r) {
                                dom::Element* other = elementArgument(e, a, 0);
                                setBoolean(r, other != nullptr && e.element().contains(other));
                                return S_OK;
                            }),
        ElementRows::method("getElementsByTagName", {required("tagName", VT_BSTR)}, VT_DISPATCH,
                            [](ElementObject& e, const MethodArguments& a, VARIANT* r) {
                                std::optional<std::string> tag = a.text(0);
                                if (!tag) return E_INVALIDARG;
                                setObject(r, CollectionObject::create(
                                                 e.pagePointer(),
                                                 tagged(e.pagePointer(), &e.element(), *tag)));
                                return S_OK;
                            }),
        ElementRows::method("appendChild", {required("newChild", VT_DISPATCH)}, VT_DISPATCH,
                            [](ElementObject& e, const MethodArguments& a, VARIANT* r) {
                                dom::Element* child = elementArgument(e, a, 0);
                                if (child == nullptr || !e.element().appendChild(child)) {
                                    return raiseException("Invalid argument.");
                                }
                                setObject(r, ElementObject::get(e.pagePointer(), child));
                                return S_OK;
                            }),
        ElementRows::method("removeChild", {required("oldChild", VT_DISPATCH)}, VT_DISPATCH,
                            [](ElementObject& e, const MethodArguments& a, VARIANT* r) {
                                dom::Element* child = elementArgument(e, a, 0);
                                if (child == nullptr || !e.element().removeChild(child)) {
                                    return raiseException("Invalid argument.");
                                }
                                setObject(r, ElementObject::get(e.pagePointer(), child));
                                return S_OK;
                            }),
        ElementRows::method(
            "insertBefore", {required("newChild", VT_DISPATCH), optional("refChild")}, VT_DISPATCH,
            [](ElementObject& e, const MethodArguments& a, VARIANT* r) {
                dom::Element* child = elementArgument(e, a, 0);
                dom::Element* reference = elementArgument(e, a, 1);
                if (child == nullptr || !e.element().insertBefore(child, reference)) {
                    return raiseException("Invalid argument.");
                }
                setObject(r, ElementObject::get(e.pagePointer(), child));
                return S_OK;
            },
            1),
    };
    for (const char* name :
         {"onclick", "ondblclick", "onmousedown", "onmouseup", "onmousemove", "onmouseover",
          "onmouseout", "onkeydown", "onkeyup", "onkeypress", "onfocus", "onblur", "onchange",
          "onselect", "onsubmit", "onreset", "onload", "onerror"}) {
        rows.push_back(handlerRow(name));
    }
    return rows;
}

}  // namespace

std::vector<ElementRow> commonElementMembers() { return commonRows(); }

ElementRow reflectedText(std::string name, std::string attribute) {
    return ElementRows::text(
        std::move(name), [attribute](ElementObject& e) { return e.element().attribute(attribute); },
        [attribute](ElementObject& e, std::string_view v) {
            e.element().setAttribute(attribute, v);
            return true;
        });
}

ElementRow reflectedAddress(std::string name, std::string attribute) {
    return ElementRows::text(
        std::move(name),
        [attribute](ElementObject& e) {
            const std::string* value = e.element().findAttribute(attribute);
            if (value == nullptr) return std::string();
            return resolveAddress(e.page().address(), *value);
        },
        [attribute](ElementObject& e, std::string_view v) {
            e.element().setAttribute(attribute, v);
            return true;
        });
}

ElementRow reflectedInteger(std::string name, std::string attribute, long fallback) {
    return ElementRows::integer(
        std::move(name),
        [attribute, fallback](ElementObject& e) {
            const std::string* value = e.element().findAttribute(attribute);
            if (value == nullptr || value->empty()) return fallback;
            char* end = nullptr;
            long number = std::strtol(value->c_str(), &end, 10);
            return end == value->c_str() ? fallback : number;
        },
        [attribute](ElementObject& e, long v) {
            e.element().setAttribute(attribute, std::to_string(v));
            return true;
        });
}

ElementRow reflectedFlag(std::string name, std::string attribute) {
    return ElementRows::boolean(
        std::move(name),
        [attribute](ElementObject& e) { return e.element().hasAttribute(attribute); },
        [attribute](ElementObject& e, bool v) {
            if (v) {
                e.element().setAttribute(attribute, "");
            } else {
                e.element().removeAttribute(attribute);
            }
            return true;
        });
}

ElementRow formOfControl() {
    return ElementRows::object("form", [](ElementObject& e) -> IDispatch* {
        for (dom::Element* up = e.element().parentElement(); up != nullptr;
             up = up->parentElement()) {
            if (up->is("form")) return ElementObject::get(e.pagePointer(), up);
        }
        return nullptr;
    });
}

ElementRow createTextRangeRow() {
    return ElementRows::method("createTextRange", {}, VT_DISPATCH,
                               [](ElementObject& e, const MethodArguments&, VARIANT* r) {
                                   setObject(
                                       r, TextRangeObject::create(e.pagePointer(), &e.element()));
                                   return S_OK;
                               });
}

CollectionObject::Source formControls(std::shared_ptr<Page> page, dom::Element* form) {
    return [page, form] {
        std::vector<dom::Element*> controls;
        for (dom::Element* element : dom::allElements(*form)) {
            if (element->is("input") || element->is("select") || element->is("textarea") ||
                element->is("button") || element->is("fieldset") || element->is("object")) {
                controls.push_back(element);
            }
        }
        return controls;
    };
}

}  // namespace browser
