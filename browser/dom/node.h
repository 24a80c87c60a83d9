// The tree of a page: a Document, its Elements, and CharacterData nodes
// (text and comments).
//
// Rules that hold for the whole tree, stated once:
// - Every text in the tree is code page 936 bytes, the program's ANSI code
//   page: text and comment data, attribute values, ids, names. Tag names and
//   attribute names are lower-case ASCII as the parser normalises them
//   (Element::localName); the upper-case form the old browser shows is
//   Element::tagName. UTF-8 appears only inside the parser, at gumbo's
//   boundary.
// - A Document owns every node it ever made, for its whole life (an arena):
//   a node taken out of the tree, or dropped by setting innerHTML, stays
//   valid, detached, until its Document is destroyed. So a Node* is stable
//   for as long as its Document lives; whoever holds a node holds its
//   Document (the COM layer keeps a shared_ptr to it).
// - A reference returned by a const accessor (data(), attribute values,
//   childNodes()) points into the node and stays valid until that node
//   changes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace dom {

class CharacterData;
class Document;
class Element;

enum class NodeKind { document, element, text, comment };

class Node {
public:
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    virtual ~Node() = default;

    NodeKind kind() const { return kind_; }
    Document& ownerDocument() const { return *owner_; }

    // nullptr for the document itself and for a detached node.
    Node* parentNode() const { return parent_; }
    Element* parentElement() const;
    const std::vector<Node*>& childNodes() const { return children_; }
    Node* firstChild() const { return children_.empty() ? nullptr : children_.front(); }
    Node* lastChild() const { return children_.empty() ? nullptr : children_.back(); }
    Node* previousSibling() const;
    Node* nextSibling() const;
    // The position among the parent's children, or -1 when detached.
    int indexInParent() const;
    // True for this node itself and for every node below it.
    bool contains(const Node* other) const;

    // Tree changes. Each refuses (returns false, changes nothing) a child of
    // another document, a document node as child, a change that would put a
    // node inside itself, and a reference node that is not a child of this
    // one. A child that is in the tree elsewhere is moved.
    bool appendChild(Node* child);
    bool insertBefore(Node* child, Node* reference);  // reference nullptr: append
    bool removeChild(Node* child);
    void removeAllChildren();

    Element* asElement();
    const Element* asElement() const;
    CharacterData* asCharacterData();
    const CharacterData* asCharacterData() const;

protected:
    Node(NodeKind kind, Document* owner) : kind_(kind), owner_(owner) {}
    void noteChange();

private:
    void detach();

    NodeKind kind_;
    Document* owner_;
    Node* parent_ = nullptr;
    std::vector<Node*> children_;  // not owned: the Document owns every node
};

// A text or comment node.
class CharacterData : public Node {
public:
    // Code page 936 bytes. For text, the characters as they show (entities
    // already decoded); for a comment, what stands between "<!--" and "-->".
    const std::string& data() const { return data_; }
    void setData(std::string cp936);

private:
    friend class Document;
    CharacterData(NodeKind kind, Document* owner, std::string data)
        : Node(kind, owner), data_(std::move(data)) {}

    std::string data_;
};

}  // namespace dom
