#include "browser/dom/element.h"

#include "browser/dom/document.h"

namespace dom {

std::string asciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string asciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string Element::tagName() const { return asciiUpper(localName_); }

const std::string* Element::findAttribute(std::string_view name) const {
    for (const Attribute& a : attributes_) {
        if (equalsIgnoringAsciiCase(a.name, name)) return &a.value;
    }
    return nullptr;
}

std::string Element::attribute(std::string_view name) const {
    const std::string* value = findAttribute(name);
    return value ? *value : std::string();
}

void Element::setAttribute(std::string_view name, std::string_view cp936Value) {
    if (name.empty()) return;
    for (Attribute& a : attributes_) {
        if (equalsIgnoringAsciiCase(a.name, name)) {
            a.value = cp936Value;
            noteChange();
            return;
        }
    }
    attributes_.push_back({asciiLower(name), std::string(cp936Value)});
    noteChange();
}

bool Element::removeAttribute(std::string_view name) {
    for (auto it = attributes_.begin(); it != attributes_.end(); ++it) {
        if (equalsIgnoringAsciiCase(it->name, name)) {
            attributes_.erase(it);
            noteChange();
            return true;
        }
    }
    return false;
}

}  // namespace dom
