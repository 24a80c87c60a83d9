// click() and fireEvent on elements: the handlers, then (for click) what the
// browser does by default: a radio becomes checked and its group's others
// unchecked, a checkbox toggles (both before the handlers run, and back
// when a handler cancels), a link sends its window (or its target) to its
// address, a label clicks its control, a submit button submits its form.
#include <utility>
#include <vector>

#include "browser/dom/element_queries.h"
#include "browser/dom/form_controls.h"
#include "browser/objects/element_members.h"
#include "browser/objects/event_dispatch.h"
#include "browser/page/address.h"
#include "browser/page/page.h"
#include "browser/page/window.h"

namespace browser {

namespace {

bool isControl(const dom::Element& element) {
    return element.is("input") || element.is("button") || element.is("select") ||
           element.is("textarea");
}

dom::Element* formOf(dom::Element& control) {
    for (dom::Element* up = control.parentElement(); up != nullptr; up = up->parentElement()) {
        if (up->is("form")) return up;
    }
    return nullptr;
}

// "%20" and the other escapes of a javascript: address.
std::string unescaped(std::string_view text) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 &&
            hex(text[i + 2]) >= 0) {
            out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The window a link's target names, seen from the page's window.
std::shared_ptr<Window> targetWindow(Page& page, std::string_view target) {
    std::shared_ptr<Window> window = page.window();
    if (!window || target.empty() || dom::equalsIgnoringAsciiCase(target, "_self")) return window;
    if (dom::equalsIgnoringAsciiCase(target, "_top")) return window->top();
    if (dom::equalsIgnoringAsciiCase(target, "_parent")) {
        std::shared_ptr<Window> parent = window->parent();
        return parent ? parent : window;
    }
    if (target.front() == '_') return nullptr;  // _blank: a new window, which is not shown here
    std::shared_ptr<Window> named = window->top()->findNamed(target);
    return named ? named : window;
}

void followLink(const std::shared_ptr<Page>& page, dom::Element& link) {
    std::string href = link.attribute("href");
    if (isScriptAddress(href)) {
        page->runScript(unescaped(std::string_view(href).substr(11)), "javascript:");
        return;
    }
    if (href.empty() || href.front() == '#') return;
    std::shared_ptr<Window> window = targetWindow(*page, link.attribute("target"));
    if (window) window->navigate(resolveAddress(page->address(), href));
}

void submitForm(const std::shared_ptr<Page>& page, dom::Element& control) {
    dom::Element* form = formOf(control);
    if (form == nullptr || !fireElementEvent(page, *form, "submit")) return;
    std::string action = form->attribute("action");
    std::shared_ptr<Window> window = targetWindow(*page, form->attribute("target"));
    if (window && !action.empty()) window->navigate(resolveAddress(page->address(), action));
}

// The control a label stands for: its "for" element, else the first control inside it.
dom::Element* labelledControl(Page& page, dom::Element& label) {
    if (label.hasAttribute("for"))
        return dom::getElementById(page.document(), label.attribute("for"));
    for (dom::Element* element : dom::allElements(label)) {
        if (isControl(*element)) return element;
    }
    return nullptr;
}

void defaultAction(const std::shared_ptr<Page>& page, dom::Element& target) {
    if (isControl(target)) {
        std::string type = target.is("button") ? dom::asciiLower(target.attribute("type"))
                                               : dom::inputType(target);
        if (target.is("button") && type.empty()) type = "submit";
        if ((target.is("input") || target.is("button")) && (type == "submit" || type == "image")) {
            submitForm(page, target);
        } else if ((target.is("input") || target.is("button")) && type == "reset") {
            if (dom::Element* form = formOf(target)) {
                for (dom::Element* element : dom::allElements(*form)) {
                    element->controlState() = dom::ControlState{};
                }
            }
        }
        return;
    }
    for (dom::Element* element = &target; element != nullptr; element = element->parentElement()) {
        if ((element->is("a") || element->is("area")) && element->hasAttribute("href")) {
            followLink(page, *element);
            return;
        }
        if (element->is("label")) {
            dom::Element* control = labelledControl(*page, *element);
            if (control != nullptr) {
                IDispatch* object = ElementObject::get(page, control);
                clickElement(*static_cast<ElementObject*>(object));
                object->Release();
            }
            return;
        }
    }
}

}  // namespace

HRESULT clickElement(ElementObject& e) {
    std::shared_ptr<Page> page = e.pagePointer();
    dom::Element& element = e.element();
    if (isControl(element) && element.hasAttribute("disabled")) return S_OK;

    std::vector<std::pair<dom::Element*, bool>> before;
    if (dom::isCheckable(element)) {
        if (dom::inputType(element) == "radio") {
            for (dom::Element* radio : dom::radioGroup(element)) {
                before.emplace_back(radio, dom::checked(*radio));
            }
            dom::setChecked(element, true);
        } else {
            before.emplace_back(&element, dom::checked(element));
            dom::setChecked(element, !dom::checked(element));
        }
    }
    if (!fireElementEvent(page, element, "click")) {
        // Cancelled: the states go back, the unchecked ones first so that
        // checking a radio again does not uncheck the others.
        for (auto& [control, was] : before) {
            if (!was) dom::setChecked(*control, false);
        }
        for (auto& [control, was] : before) {
            if (was) dom::setChecked(*control, true);
        }
        return S_OK;
    }
    defaultAction(page, element);
    return S_OK;
}

HRESULT fireEventOn(ElementObject& e, const MethodArguments& arguments, VARIANT* result) {
    std::optional<std::string> name = arguments.text(0);
    if (!name || name->size() < 3 || dom::asciiLower(name->substr(0, 2)) != "on") {
        raiseException("Invalid argument.");
        return E_INVALIDARG;
    }
    bool proceed = fireElementEvent(e.pagePointer(), e.element(), dom::asciiLower(name->substr(2)));
    setBoolean(result, proceed);
    return S_OK;
}

}  // namespace browser
