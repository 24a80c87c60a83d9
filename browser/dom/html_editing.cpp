#include "browser/dom/html_editing.h"

#include <vector>

#include "browser/dom/document.h"
#include "browser/dom/html_parser.h"
#include "browser/dom/tag_kinds.h"

namespace dom {
namespace {

void insertAll(Node& parent, const std::vector<Node*>& nodes, Node* before) {
    for (Node* node : nodes) parent.insertBefore(node, before);
}

std::vector<Node*> parseIn(const Element& context, std::string_view cp936Html) {
    return parseFragment(context.ownerDocument(), context.localName(), cp936Html);
}

}  // namespace

std::optional<AdjacentPosition> adjacentPositionNamed(std::string_view name) {
    if (equalsIgnoringAsciiCase(name, "beforeBegin")) return AdjacentPosition::beforeBegin;
    if (equalsIgnoringAsciiCase(name, "afterBegin")) return AdjacentPosition::afterBegin;
    if (equalsIgnoringAsciiCase(name, "beforeEnd")) return AdjacentPosition::beforeEnd;
    if (equalsIgnoringAsciiCase(name, "afterEnd")) return AdjacentPosition::afterEnd;
    return std::nullopt;
}

bool setInnerHtml(Element& element, std::string_view cp936Html) {
    if (isVoidElement(element.localName())) return false;
    std::vector<Node*> nodes = parseIn(element, cp936Html);
    element.removeAllChildren();
    insertAll(element, nodes, nullptr);
    return true;
}

bool setOuterHtml(Element& element, std::string_view cp936Html) {
    Element* parent = element.parentElement();
    if (!parent) return false;
    std::vector<Node*> nodes = parseIn(*parent, cp936Html);
    insertAll(*parent, nodes, &element);
    parent->removeChild(&element);
    return true;
}

bool insertAdjacentHtml(Element& element, AdjacentPosition position, std::string_view cp936Html) {
    switch (position) {
        case AdjacentPosition::beforeBegin:
        case AdjacentPosition::afterEnd: {
            Element* parent = element.parentElement();
            if (!parent) return false;
            std::vector<Node*> nodes = parseIn(*parent, cp936Html);
            Node* before =
                position == AdjacentPosition::beforeBegin ? &element : element.nextSibling();
            insertAll(*parent, nodes, before);
            return true;
        }
        case AdjacentPosition::afterBegin:
        case AdjacentPosition::beforeEnd: {
            if (isVoidElement(element.localName())) return false;
            std::vector<Node*> nodes = parseIn(element, cp936Html);
            Node* before =
                position == AdjacentPosition::afterBegin ? element.firstChild() : nullptr;
            insertAll(element, nodes, before);
            return true;
        }
    }
    return false;
}

bool insertHtmlAt(Element& parent, std::size_t index, std::string_view cp936Html) {
    if (isVoidElement(parent.localName())) return false;
    const auto& children = parent.childNodes();
    if (index > children.size()) return false;
    Node* before = index < children.size() ? children[index] : nullptr;
    insertAll(parent, parseIn(parent, cp936Html), before);
    return true;
}

bool insertHtmlInText(CharacterData& text, std::size_t byteOffset, std::string_view cp936Html) {
    Element* parent = text.parentElement();
    const std::string& data = text.data();
    if (!parent || text.kind() != NodeKind::text || byteOffset > data.size()) return false;
    auto index = static_cast<std::size_t>(text.indexInParent());
    if (byteOffset == 0) return insertHtmlAt(*parent, index, cp936Html);
    if (byteOffset == data.size()) return insertHtmlAt(*parent, index + 1, cp936Html);
    std::vector<Node*> nodes = parseIn(*parent, cp936Html);
    CharacterData* tail = text.ownerDocument().createTextNode(data.substr(byteOffset));
    text.setData(data.substr(0, byteOffset));
    parent->insertBefore(tail, text.nextSibling());
    insertAll(*parent, nodes, tail);
    return true;
}

}  // namespace dom
