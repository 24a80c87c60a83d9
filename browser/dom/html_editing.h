// Changing the tree with HTML (code page 936): innerHTML, outerHTML,
// insertAdjacentHTML and the insertion a text range's pasteHTML makes. Each
// returns false and changes nothing where the old browser refuses: content
// for a void element (<input>), or a sibling for an element without a
// parent element (the html element, a detached element).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "browser/dom/element.h"

namespace dom {

enum class AdjacentPosition { beforeBegin, afterBegin, beforeEnd, afterEnd };

// "beforeBegin", "afterBegin", "beforeEnd" or "afterEnd", in any letter case;
// nullopt for anything else.
std::optional<AdjacentPosition> adjacentPositionNamed(std::string_view name);

// Replaces the element's children with the fragment parsed in its context.
bool setInnerHtml(Element& element, std::string_view cp936Html);

// Replaces the element itself with the fragment parsed in its parent's
// context. The element stays valid, detached.
bool setOuterHtml(Element& element, std::string_view cp936Html);

// Parses the fragment in the parent's context for beforeBegin and afterEnd,
// in the element's own for afterBegin and beforeEnd, and puts it there.
bool insertAdjacentHtml(Element& element, AdjacentPosition position, std::string_view cp936Html);

// Parses the fragment in parent's context and puts it before the child at
// index (index == number of children: at the end).
bool insertHtmlAt(Element& parent, std::size_t index, std::string_view cp936Html);

// For a range that starts inside a text node: splits the text at byteOffset
// (a character boundary, at most its length) and puts the fragment between
// the two halves, in the text's parent's context. An offset of 0 or the
// length inserts before or after the text without splitting it.
bool insertHtmlInText(CharacterData& text, std::size_t byteOffset, std::string_view cp936Html);

}  // namespace dom
