#include "browser/dom/node.h"

#include <algorithm>

#include "browser/dom/document.h"
#include "browser/dom/element.h"

namespace dom {

Element* Node::parentElement() const { return parent_ ? parent_->asElement() : nullptr; }

int Node::indexInParent() const {
    if (!parent_) return -1;
    const auto& siblings = parent_->children_;
    auto at = std::find(siblings.begin(), siblings.end(), this);
    return static_cast<int>(at - siblings.begin());
}

Node* Node::previousSibling() const {
    int index = indexInParent();
    return index > 0 ? parent_->children_[static_cast<std::size_t>(index - 1)] : nullptr;
}

Node* Node::nextSibling() const {
    int index = indexInParent();
    if (index < 0) return nullptr;
    auto next = static_cast<std::size_t>(index + 1);
    return next < parent_->children_.size() ? parent_->children_[next] : nullptr;
}

bool Node::contains(const Node* other) const {
    for (const Node* node = other; node; node = node->parent_) {
        if (node == this) return true;
    }
    return false;
}

bool Node::appendChild(Node* child) { return insertBefore(child, nullptr); }

bool Node::insertBefore(Node* child, Node* reference) {
    if (!child || child->owner_ != owner_ || child->kind_ == NodeKind::document) return false;
    if (kind_ != NodeKind::document && kind_ != NodeKind::element) return false;
    if (child->contains(this)) return false;
    if (reference && reference->parent_ != this) return false;
    if (child == reference) return true;
    child->detach();
    auto at =
        reference ? std::find(children_.begin(), children_.end(), reference) : children_.end();
    children_.insert(at, child);
    child->parent_ = this;
    noteChange();
    return true;
}

bool Node::removeChild(Node* child) {
    if (!child || child->parent_ != this) return false;
    child->detach();
    noteChange();
    return true;
}

void Node::removeAllChildren() {
    if (children_.empty()) return;
    for (Node* child : children_) child->parent_ = nullptr;
    children_.clear();
    noteChange();
}

void Node::detach() {
    if (!parent_) return;
    auto& siblings = parent_->children_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
    parent_ = nullptr;
}

void Node::noteChange() { owner_->markChanged(); }

Element* Node::asElement() {
    return kind_ == NodeKind::element ? static_cast<Element*>(this) : nullptr;
}

const Element* Node::asElement() const {
    return kind_ == NodeKind::element ? static_cast<const Element*>(this) : nullptr;
}

CharacterData* Node::asCharacterData() {
    return kind_ == NodeKind::text || kind_ == NodeKind::comment ? static_cast<CharacterData*>(this)
                                                                 : nullptr;
}

const CharacterData* Node::asCharacterData() const {
    return kind_ == NodeKind::text || kind_ == NodeKind::comment
               ? static_cast<const CharacterData*>(this)
               : nullptr;
}

void CharacterData::setData(std::string cp936) {
    data_ = std::move(cp936);
    noteChange();
}

}  // namespace dom
