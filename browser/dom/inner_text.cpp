#include "browser/dom/inner_text.h"

#include <algorithm>
#include <vector>

#include "browser/dom/document.h"
#include "browser/dom/inline_style.h"
#include "browser/dom/tag_kinds.h"

namespace dom {
namespace {

bool isAsciiSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Builds the text line by line. Block boundaries ask for a number of line
// breaks since the last text ("required breaks"); requests that meet merge
// into the largest, and those before the first text or after the last are
// dropped. A <br> is a line break of its own that also counts toward a
// request that follows it.
class VisibleText {
public:
    void requireBreaks(int count) {
        pendingBreaks_ = std::max(pendingBreaks_, count);
        spacePending_ = false;
    }

    void lineBreak() {
        flushBreaks();
        newline();
    }

    void cellSeparator() {
        flushBreaks();
        out_ += '\t';
        contentWritten();
        afterWord_ = false;
    }

    void text(const std::string& data) {
        for (std::size_t i = 0; i < data.size(); ++i) {
            if (isAsciiSpace(data[i])) {
                spacePending_ = true;
                continue;
            }
            flushBreaks();
            if (spacePending_ && afterWord_) out_ += ' ';
            spacePending_ = false;
            out_ += data[i];
            // The second byte of a two-byte character goes with its first.
            if (static_cast<unsigned char>(data[i]) >= 0x81 && i + 1 < data.size()) {
                out_ += data[++i];
            }
            contentWritten();
        }
    }

    // Preformatted text: every character kept, line breaks made "\r\n".
    void preformattedText(const std::string& data) {
        for (std::size_t i = 0; i < data.size(); ++i) {
            char c = data[i];
            if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
                lineBreak();
                continue;
            }
            flushBreaks();
            out_ += c;
            contentWritten();
        }
        spacePending_ = false;
    }

    std::string take() { return std::move(out_); }

private:
    void contentWritten() {
        newlinesSinceContent_ = 0;
        afterWord_ = true;
    }

    void flushBreaks() {
        if (pendingBreaks_ > 0 && !out_.empty()) {
            while (newlinesSinceContent_ < pendingBreaks_) newline();
        }
        pendingBreaks_ = 0;
    }

    void newline() {
        out_ += "\r\n";
        ++newlinesSinceContent_;
        afterWord_ = false;
        spacePending_ = false;
    }

    std::string out_;
    int pendingBreaks_ = 0;
    int newlinesSinceContent_ = 0;
    bool spacePending_ = false;  // white space seen since the last character
    bool afterWord_ = false;     // the line so far ends in a character
};

bool isPreformatted(std::string_view name) {
    return name == "pre" || name == "xmp" || name == "listing" || name == "plaintext";
}

bool isTableCell(const Node* node) {
    const Element* element = node ? node->asElement() : nullptr;
    return element && (element->is("td") || element->is("th"));
}

bool hasCellBefore(const Element& cell) {
    const Node* parent = cell.parentNode();
    for (const Node* sibling : parent->childNodes()) {
        if (sibling == &cell) return false;
        if (isTableCell(sibling)) return true;
    }
    return false;
}

void collect(const Node& node, bool preformatted, VisibleText& text);

void collectChildren(const Node& node, bool preformatted, VisibleText& text) {
    for (const Node* child : node.childNodes()) collect(*child, preformatted, text);
}

void collect(const Node& node, bool preformatted, VisibleText& text) {
    if (node.kind() == NodeKind::text) {
        const std::string& data = node.asCharacterData()->data();
        if (preformatted) {
            text.preformattedText(data);
        } else {
            text.text(data);
        }
        return;
    }
    const Element* element = node.asElement();
    if (!element) return;
    const std::string& name = element->localName();
    Display display = effectiveDisplay(*element);
    if (display == Display::none || isTextlessControl(name)) return;
    if (name == "br") {
        text.lineBreak();
        return;
    }
    bool pre = preformatted || isPreformatted(name);
    if (display == Display::tableCell && hasCellBefore(*element)) text.cellSeparator();
    bool block = display == Display::block;
    if (block) text.requireBreaks(1);
    collectChildren(*element, pre, text);
    if (block) text.requireBreaks(name == "p" ? 2 : 1);
}

bool insidePreformatted(const Element& element) {
    for (const Element* e = &element; e; e = e->parentElement()) {
        if (isPreformatted(e->localName())) return true;
    }
    return false;
}

// The nodes that stand for text set through innerText or outerText.
std::vector<Node*> textNodesFor(Document& document, std::string_view text) {
    std::vector<Node*> nodes;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        std::string_view line = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty()) nodes.push_back(document.createTextNode(std::string(line)));
        if (end == std::string_view::npos) break;
        nodes.push_back(document.createElement("br"));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return nodes;
}

void appendText(const Node& node, std::string& out) {
    for (const Node* child : node.childNodes()) {
        if (child->kind() == NodeKind::text) out += child->asCharacterData()->data();
        appendText(*child, out);
    }
}

}  // namespace

std::string innerText(const Element& element) {
    VisibleText text;
    collectChildren(element, insidePreformatted(element), text);
    return text.take();
}

bool setInnerText(Element& element, std::string_view cp936Text) {
    if (isVoidElement(element.localName())) return false;
    std::vector<Node*> nodes = textNodesFor(element.ownerDocument(), cp936Text);
    element.removeAllChildren();
    for (Node* node : nodes) element.appendChild(node);
    return true;
}

bool setOuterText(Element& element, std::string_view cp936Text) {
    Element* parent = element.parentElement();
    if (!parent) return false;
    for (Node* node : textNodesFor(element.ownerDocument(), cp936Text)) {
        parent->insertBefore(node, &element);
    }
    parent->removeChild(&element);
    return true;
}

std::string textContent(const Node& node) {
    std::string out;
    appendText(node, out);
    return out;
}

}  // namespace dom
