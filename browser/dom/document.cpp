#include "browser/dom/document.h"

namespace dom {

Document::Document() : Node(NodeKind::document, this) {}

Document::~Document() = default;

Element* Document::createElement(std::string_view localName) {
    std::unique_ptr<Element> element(new Element(this, asciiLower(localName)));
    Element* made = element.get();
    nodes_.push_back(std::move(element));
    return made;
}

CharacterData* Document::createTextNode(std::string cp936) {
    std::unique_ptr<CharacterData> node(new CharacterData(NodeKind::text, this, std::move(cp936)));
    CharacterData* made = node.get();
    nodes_.push_back(std::move(node));
    return made;
}

CharacterData* Document::createComment(std::string cp936) {
    std::unique_ptr<CharacterData> node(
        new CharacterData(NodeKind::comment, this, std::move(cp936)));
    CharacterData* made = node.get();
    nodes_.push_back(std::move(node));
    return made;
}

Element* Document::documentElement() const {
    for (Node* child : childNodes()) {
        if (Element* element = child->asElement()) return element;
    }
    return nullptr;
}

namespace {

Element* childNamed(const Element* parent, std::string_view a, std::string_view b) {
    if (!parent) return nullptr;
    for (Node* child : parent->childNodes()) {
        Element* element = child->asElement();
        if (element && (element->is(a) || element->is(b))) return element;
    }
    return nullptr;
}

}  // namespace

Element* Document::head() const { return childNamed(documentElement(), "head", "head"); }

Element* Document::body() const { return childNamed(documentElement(), "body", "frameset"); }

void Document::setViewportSize(int width, int height) {
    viewportWidth_ = width < 0 ? 0 : width;
    viewportHeight_ = height < 0 ? 0 : height;
    markChanged();
}

}  // namespace dom
