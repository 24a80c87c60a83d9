#include "browser/dom/form_controls.h"

#include <algorithm>
#include <array>

#include "browser/dom/element_queries.h"
#include "browser/dom/inner_text.h"

namespace dom {
namespace {

constexpr auto kInputTypes =
    std::to_array<std::string_view>({"text", "password", "checkbox", "radio", "submit", "reset",
                                     "button", "hidden", "image", "file"});

Element* formOf(Element& element) {
    for (Element* ancestor = element.parentElement(); ancestor;
         ancestor = ancestor->parentElement()) {
        if (ancestor->is("form")) return ancestor;
    }
    return nullptr;
}

Node& treeRootOf(Node& node) {
    Node* root = &node;
    while (root->parentNode()) root = root->parentNode();
    return *root;
}

bool isRadio(const Element& element) {
    return element.is("input") && inputType(element) == "radio";
}

}  // namespace

std::string inputType(const Element& input) {
    std::string type = asciiLower(input.attribute("type"));
    bool known = std::find(kInputTypes.begin(), kInputTypes.end(), type) != kInputTypes.end();
    return known ? type : "text";
}

bool isCheckable(const Element& element) {
    if (!element.is("input")) return false;
    std::string type = inputType(element);
    return type == "radio" || type == "checkbox";
}

std::string value(const Element& element) {
    const ControlState& state = element.controlState();
    if (element.is("input")) {
        if (state.value) return *state.value;
        const std::string* attribute = element.findAttribute("value");
        if (attribute) return *attribute;
        return isCheckable(element) ? "on" : "";
    }
    if (element.is("textarea")) return state.value ? *state.value : textContent(element);
    if (element.is("select")) {
        auto& select = const_cast<Element&>(element);
        int index = selectedIndex(select);
        if (index < 0) return "";
        return value(*options(select)[static_cast<std::size_t>(index)]);
    }
    if (element.is("option")) {
        const std::string* attribute = element.findAttribute("value");
        return attribute ? *attribute : optionText(element);
    }
    return element.attribute("value");
}

bool setValue(Element& element, std::string_view cp936Value) {
    if (element.is("input")) {
        std::string type = inputType(element);
        if (type == "file") return false;
        if (isCheckable(element)) {
            element.setAttribute("value", cp936Value);
        } else {
            element.controlState().value = std::string(cp936Value);
        }
        return true;
    }
    if (element.is("textarea")) {
        element.controlState().value = std::string(cp936Value);
        return true;
    }
    if (element.is("select")) {
        std::vector<Element*> all = options(element);
        int found = -1;
        for (std::size_t i = 0; i < all.size() && found < 0; ++i) {
            if (value(*all[i]) == cp936Value) found = static_cast<int>(i);
        }
        return setSelectedIndex(element, found);
    }
    element.setAttribute("value", cp936Value);
    return true;
}

bool checked(const Element& element) {
    if (!isCheckable(element)) return false;
    if (element.controlState().checked) return *element.controlState().checked;
    if (!element.hasAttribute("checked")) return false;
    if (!isRadio(element)) return true;
    // Of the group's members that the attribute checks, the last wins.
    std::vector<Element*> group = radioGroup(const_cast<Element&>(element));
    auto self = std::find(group.begin(), group.end(), &element);
    return std::none_of(self + 1, group.end(), [](const Element* other) {
        return !other->controlState().checked && other->hasAttribute("checked");
    });
}

bool setChecked(Element& element, bool isChecked) {
    if (!isCheckable(element)) return false;
    if (isChecked && isRadio(element)) {
        for (Element* other : radioGroup(element)) {
            if (other != &element) other->controlState().checked = false;
        }
    }
    element.controlState().checked = isChecked;
    return true;
}

bool defaultChecked(const Element& element) { return element.hasAttribute("checked"); }

void setDefaultChecked(Element& element, bool isChecked) {
    if (isChecked) {
        element.setAttribute("checked", "");
    } else {
        element.removeAttribute("checked");
    }
}

std::vector<Element*> radioGroup(Element& radio) {
    std::string name = radio.name();
    if (!isRadio(radio) || name.empty()) return {&radio};
    Element* form = formOf(radio);
    std::vector<Element*> group;
    for (Element* candidate : getElementsByName(treeRootOf(radio), name)) {
        if (isRadio(*candidate) && formOf(*candidate) == form) group.push_back(candidate);
    }
    if (group.empty()) group.push_back(&radio);  // a radio outside any tree
    return group;
}

std::vector<Element*> options(Element& select) { return getElementsByTagName(select, "option"); }

int selectedIndex(Element& select) {
    if (!select.is("select")) return -1;
    std::vector<Element*> all = options(select);
    const std::optional<int>& set = select.controlState().selectedIndex;
    if (set) return *set < static_cast<int>(all.size()) ? *set : -1;
    for (std::size_t i = all.size(); i > 0; --i) {
        if (all[i - 1]->hasAttribute("selected")) return static_cast<int>(i - 1);
    }
    return all.empty() ? -1 : 0;
}

bool setSelectedIndex(Element& select, int index) {
    if (!select.is("select")) return false;
    int count = static_cast<int>(options(select).size());
    select.controlState().selectedIndex = index >= 0 && index < count ? index : -1;
    return true;
}

std::string optionText(const Element& option) {
    std::string text;
    bool space = false;
    for (char c : textContent(option)) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
            space = !text.empty();
            continue;
        }
        if (space) text += ' ';
        space = false;
        text += c;
    }
    return text;
}

Element* selectOf(Element& option) {
    for (Element* ancestor = option.parentElement(); ancestor;
         ancestor = ancestor->parentElement()) {
        if (ancestor->is("select")) return ancestor;
    }
    return nullptr;
}

}  // namespace dom
