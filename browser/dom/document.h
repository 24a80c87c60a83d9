// A document: the root of a tree and the arena that owns all its nodes (see
// node.h for the ownership rules), with the viewport layout works in.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "browser/dom/element.h"
#include "browser/dom/node.h"

namespace dom {

inline constexpr int kDefaultViewportWidth = 1024;
inline constexpr int kDefaultViewportHeight = 768;

class Document : public Node {
public:
    Document();
    ~Document() override;

    // New nodes belong to this document and start detached. localName is
    // lower-cased.
    Element* createElement(std::string_view localName);
    CharacterData* createTextNode(std::string cp936);
    CharacterData* createComment(std::string cp936);

    // The html element, or nullptr.
    Element* documentElement() const;
    Element* head() const;
    // The body element, or the frameset of a frameset page, as the old
    // browser's body gives it; nullptr when there is neither.
    Element* body() const;

    // Every change to the tree, an attribute or a text bumps the version, so
    // that what is worked out from the tree (layout) knows when to redo it.
    std::uint64_t version() const { return version_; }
    void markChanged() { ++version_; }

    // The viewport: its size (for a frame's document, the frame's box) and
    // how far the page is scrolled in it.
    int viewportWidth() const { return viewportWidth_; }
    int viewportHeight() const { return viewportHeight_; }
    void setViewportSize(int width, int height);
    int storedViewportScrollLeft() const { return viewportScrollLeft_; }
    int storedViewportScrollTop() const { return viewportScrollTop_; }
    void storeViewportScroll(int left, int top) {
        viewportScrollLeft_ = left;
        viewportScrollTop_ = top;
    }

    // The version the boxes in the elements were computed for (layout.h).
    std::uint64_t layoutVersion() const { return layoutVersion_; }
    void setLayoutVersion(std::uint64_t version) { layoutVersion_ = version; }

    // How many nodes the arena holds, attached or not.
    std::size_t ownedNodeCount() const { return nodes_.size(); }

private:
    std::vector<std::unique_ptr<Node>> nodes_;
    std::uint64_t version_ = 1;
    std::uint64_t layoutVersion_ = 0;
    int viewportWidth_ = kDefaultViewportWidth;
    int viewportHeight_ = kDefaultViewportHeight;
    int viewportScrollLeft_ = 0;
    int viewportScrollTop_ = 0;
};

}  // namespace dom
