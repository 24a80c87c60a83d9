// An element: its tag name, its attributes in source order, the state of a
// form control, the box layout gave it, and the document of a frame.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/dom/node.h"

namespace dom {

struct Attribute {
    std::string name;   // lower-case ASCII
    std::string value;  // code page 936
};

// What the user (or a script) changed on a form control. An empty optional
// means "as the attributes say"; form_controls.h reads and writes these.
struct ControlState {
    std::optional<std::string> value;  // input, textarea: the value once set
    std::optional<bool> checked;       // radio, checkbox: checkedness once set
    std::optional<int> selectedIndex;  // select: the chosen option once set
};

// The element's border box as layout placed it, in page coordinates (pixels
// from the top left corner of the document, not moved by any scrolling).
// layout.h fills it in. It is current only when stamp equals the document's
// layout version: an element with no box this time (display:none, inside
// one, or not in the tree) keeps an old stamp.
struct LayoutBox {
    std::uint64_t stamp = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int contentRight = 0;   // right and bottom edges of the box and of all
    int contentBottom = 0;  // the boxes inside it, in page coordinates
};

class Element : public Node {
public:
    // "div": lower-case ASCII, as parsed.
    const std::string& localName() const { return localName_; }
    // "DIV": the tag name in upper case, as the old browser gives it.
    std::string tagName() const;
    // True when the local name is name (which must be lower case).
    bool is(std::string_view name) const { return localName_ == name; }

    // Attributes, in source order. Lookups by name ignore ASCII letter case,
    // as HTML does; a name that is set is stored in lower case.
    const std::vector<Attribute>& attributes() const { return attributes_; }
    // nullptr when absent; else a view of the value, valid until it changes.
    const std::string* findAttribute(std::string_view name) const;
    bool hasAttribute(std::string_view name) const { return findAttribute(name) != nullptr; }
    // The value, or "" when absent.
    std::string attribute(std::string_view name) const;
    // Replaces the value in place (keeping its position), or appends.
    void setAttribute(std::string_view name, std::string_view cp936Value);
    bool removeAttribute(std::string_view name);

    // The reflected attributes: id, name, and className for "class".
    std::string id() const { return attribute("id"); }
    std::string name() const { return attribute("name"); }
    std::string className() const { return attribute("class"); }
    void setClassName(std::string_view cp936) { setAttribute("class", cp936); }

    ControlState& controlState() { return controlState_; }
    const ControlState& controlState() const { return controlState_; }

    const LayoutBox& layoutBox() const { return box_; }
    LayoutBox& layoutBoxToFill() { return box_; }

    // The element's own scroll offsets as last set (layout.h clamps them).
    int storedScrollLeft() const { return scrollLeft_; }
    int storedScrollTop() const { return scrollTop_; }
    void storeScroll(int left, int top) {
        scrollLeft_ = left;
        scrollTop_ = top;
    }

    // The hook for frames: the document a frame or iframe element shows, or
    // nullptr. The element keeps that document alive.
    Document* contentDocument() const { return contentDocument_.get(); }
    void setContentDocument(std::shared_ptr<Document> document) {
        contentDocument_ = std::move(document);
    }

private:
    friend class Document;
    Element(Document* owner, std::string localName)
        : Node(NodeKind::element, owner), localName_(std::move(localName)) {}

    std::string localName_;
    std::vector<Attribute> attributes_;
    ControlState controlState_;
    LayoutBox box_;
    int scrollLeft_ = 0;
    int scrollTop_ = 0;
    std::shared_ptr<Document> contentDocument_;
};

// ASCII-only helpers the tree uses for names: HTML names ignore the letter
// case of A to Z only, and code page 936 text has no other letters to fold.
std::string asciiLower(std::string_view text);
std::string asciiUpper(std::string_view text);
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace dom
