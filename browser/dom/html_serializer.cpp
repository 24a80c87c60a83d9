#include "browser/dom/html_serializer.h"

#include "browser/dom/element.h"
#include "browser/dom/tag_kinds.h"

namespace dom {
namespace {

// Two-byte code page 936 characters are copied whole: their second byte may
// fall in the ASCII range, but never on & < > or ".
void appendEscaped(std::string& out, const std::string& text, bool inAttribute) {
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                if (inAttribute) {
                    out += "&quot;";
                } else {
                    out += c;
                }
                break;
            default:
                out += c;
        }
    }
}

void appendNode(std::string& out, const Node& node, bool rawText);

void appendChildren(std::string& out, const Node& node) {
    const Element* element = node.asElement();
    bool rawText = element && isRawTextElement(element->localName());
    for (const Node* child : node.childNodes()) appendNode(out, *child, rawText);
}

void appendNode(std::string& out, const Node& node, bool rawText) {
    switch (node.kind()) {
        case NodeKind::document:
            appendChildren(out, node);
            return;
        case NodeKind::text:
            if (rawText) {
                out += node.asCharacterData()->data();
            } else {
                appendEscaped(out, node.asCharacterData()->data(), false);
            }
            return;
        case NodeKind::comment:
            out += "<!--";
            out += node.asCharacterData()->data();
            out += "-->";
            return;
        case NodeKind::element:
            break;
    }
    const Element& element = *node.asElement();
    std::string tag = element.tagName();
    out += '<';
    out += tag;
    for (const Attribute& attribute : element.attributes()) {
        out += ' ';
        out += attribute.name;
        out += "=\"";
        appendEscaped(out, attribute.value, true);
        out += '"';
    }
    out += '>';
    if (isVoidElement(element.localName())) return;
    appendChildren(out, element);
    out += "</";
    out += tag;
    out += '>';
}

}  // namespace

std::string innerHtml(const Node& node) {
    std::string out;
    appendChildren(out, node);
    return out;
}

std::string outerHtml(const Node& node) {
    std::string out;
    const Element* parent = node.parentElement();
    appendNode(out, node, parent && isRawTextElement(parent->localName()));
    return out;
}

}  // namespace dom
