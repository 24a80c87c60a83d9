#include "browser/dom/element_queries.h"

namespace dom {
namespace {

// Calls visit for every element below root in document order until it
// returns false.
template <class Visit>
bool forEachElementBelow(Node& root, Visit& visit) {
    for (Node* child : root.childNodes()) {
        if (Element* element = child->asElement()) {
            if (!visit(*element)) return false;
        }
        if (!forEachElementBelow(*child, visit)) return false;
    }
    return true;
}

template <class Keep>
std::vector<Element*> elementsBelow(Node& root, Keep keep) {
    std::vector<Element*> found;
    auto visit = [&](Element& element) {
        if (keep(element)) found.push_back(&element);
        return true;
    };
    forEachElementBelow(root, visit);
    return found;
}

bool attributeIs(const Element& element, std::string_view name, std::string_view value) {
    const std::string* actual = element.findAttribute(name);
    return actual && *actual == value;
}

}  // namespace

Element* getElementById(Node& root, std::string_view id) {
    Element* found = nullptr;
    auto visit = [&](Element& element) {
        if (attributeIs(element, "id", id)) found = &element;
        return found == nullptr;
    };
    forEachElementBelow(root, visit);
    return found;
}

std::vector<Element*> getElementsByName(Node& root, std::string_view name) {
    return elementsBelow(root, [&](const Element& e) { return attributeIs(e, "name", name); });
}

std::vector<Element*> getElementsByTagName(Node& root, std::string_view tagName) {
    if (tagName == "*") return allElements(root);
    return elementsBelow(
        root, [&](const Element& e) { return equalsIgnoringAsciiCase(e.localName(), tagName); });
}

std::vector<Element*> allElements(Node& root) {
    return elementsBelow(root, [](const Element&) { return true; });
}

std::vector<Element*> childElements(Node& node) {
    std::vector<Element*> found;
    for (Node* child : node.childNodes()) {
        if (Element* element = child->asElement()) found.push_back(element);
    }
    return found;
}

std::vector<Element*> elementsWithIdOrName(Node& root, std::string_view key) {
    return elementsBelow(root, [&](const Element& e) {
        return attributeIs(e, "id", key) || attributeIs(e, "name", key);
    });
}

}  // namespace dom
