#include "browser/objects/style_object.h"

#include <utility>
#include <vector>

#include "browser/dom/element.h"
#include "browser/page/page.h"

namespace browser {

namespace {

using StyleRows = Rows<StyleObject>;
using Declarations = std::vector<std::pair<std::string, std::string>>;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' ||
                             text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' ||
                             text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// "a: b; C: d" as (name in lower case, value) pairs, in order.
Declarations parsed(std::string_view text) {
    Declarations declarations;
    while (!text.empty()) {
        size_t end = text.find(';');
        std::string_view declaration = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        size_t colon = declaration.find(':');
        if (colon == std::string_view::npos) continue;
        std::string name = dom::asciiLower(trimmed(declaration.substr(0, colon)));
        if (name.empty()) continue;
        declarations.emplace_back(std::move(name),
                                  std::string(trimmed(declaration.substr(colon + 1))));
    }
    return declarations;
}

std::string joined(const Declarations& declarations) {
    std::string text;
    for (const auto& [name, value] : declarations) {
        if (!text.empty()) text += "; ";
        text += name + ": " + value;
    }
    return text;
}

// The style properties script and callers reach by their script names.
struct StyleProperty {
    const char* scriptName;
    const char* cssName;
};

constexpr StyleProperty kStyleProperties[] = {
    {"background", "background"},
    {"backgroundColor", "background-color"},
    {"border", "border"},
    {"color", "color"},
    {"cursor", "cursor"},
    {"display", "display"},
    {"font", "font"},
    {"fontFamily", "font-family"},
    {"fontSize", "font-size"},
    {"fontWeight", "font-weight"},
    {"height", "height"},
    {"left", "left"},
    {"margin", "margin"},
    {"overflow", "overflow"},
    {"padding", "padding"},
    {"position", "position"},
    {"textAlign", "text-align"},
    {"textDecoration", "text-decoration"},
    {"top", "top"},
    {"visibility", "visibility"},
    {"width", "width"},
    {"zIndex", "z-index"},
};

std::vector<Member<StyleObject>> styleRows() {
    std::vector<Member<StyleObject>> rows;
    rows.push_back(StyleRows::text(
        "cssText", [](StyleObject& s) { return s.cssText(); },
        [](StyleObject& s, std::string_view v) {
            s.setCssText(v);
            return true;
        }));
    for (const StyleProperty& property : kStyleProperties) {
        std::string css = property.cssName;
        rows.push_back(StyleRows::text(
            property.scriptName, [css](StyleObject& s) { return s.property(css); },
            [css](StyleObject& s, std::string_view v) {
                s.setProperty(css, v);
                return true;
            }));
    }
    rows.push_back(StyleRows::method(
        "getAttribute", {required("name", VT_BSTR), optional("flags")}, VT_VARIANT,
        [](StyleObject& s, const MethodArguments& a, VARIANT* r) {
            std::optional<std::string> name = a.text(0);
            if (!name) return E_INVALIDARG;
            for (const StyleProperty& property : kStyleProperties) {
                if (dom::equalsIgnoringAsciiCase(property.scriptName, *name)) {
                    setText(r, s.property(property.cssName));
                    return S_OK;
                }
            }
            setText(r, s.property(dom::asciiLower(*name)));
            return S_OK;
        },
        1));
    rows.push_back(StyleRows::method(
        "setAttribute",
        {required("name", VT_BSTR), required("value", VT_VARIANT), optional("flags")}, VT_VOID,
        [](StyleObject& s, const MethodArguments& a, VARIANT*) {
            std::optional<std::string> name = a.text(0);
            std::optional<std::string> value = a.text(1);
            if (!name || !value) return E_INVALIDARG;
            for (const StyleProperty& property : kStyleProperties) {
                if (dom::equalsIgnoringAsciiCase(property.scriptName, *name)) {
                    s.setProperty(property.cssName, *value);
                    return S_OK;
                }
            }
            s.setProperty(dom::asciiLower(*name), *value);
            return S_OK;
        },
        1));
    return rows;
}

const MemberTable<StyleObject>& styleMembers() {
    static const MemberTable<StyleObject> table("IHTMLStyle", {styleRows()});
    return table;
}

}  // namespace

StyleObject::StyleObject(std::shared_ptr<Page> page, dom::Element* element)
    : TableObject(page->browserPointer(), styleMembers()),
      page_(std::move(page)),
      element_(element) {}

IDispatch* StyleObject::create(std::shared_ptr<Page> page, dom::Element* element) {
    return new StyleObject(std::move(page), element);
}

std::string StyleObject::property(std::string_view cssName) const {
    std::string value;
    for (const auto& [name, declared] : parsed(element_->attribute("style"))) {
        if (name == cssName) value = declared;  // a later declaration wins
    }
    return value;
}

void StyleObject::setProperty(std::string_view cssName, std::string_view value) {
    Declarations declarations = parsed(element_->attribute("style"));
    Declarations kept;
    bool placed = false;
    for (auto& declaration : declarations) {
        if (declaration.first != cssName) {
            kept.push_back(std::move(declaration));
        } else if (!placed && !trimmed(value).empty()) {
            kept.emplace_back(std::string(cssName), std::string(trimmed(value)));
            placed = true;
        }
    }
    if (!placed && !trimmed(value).empty()) {
        kept.emplace_back(std::string(cssName), std::string(trimmed(value)));
    }
    setCssText(joined(kept));
}

std::string StyleObject::cssText() const { return joined(parsed(element_->attribute("style"))); }

void StyleObject::setCssText(std::string_view text) {
    std::string normalised = joined(parsed(text));
    if (normalised.empty()) {
        element_->removeAttribute("style");
    } else {
        element_->setAttribute("style", normalised);
    }
}

}  // namespace browser
