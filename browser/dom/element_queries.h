// Finding elements. Every list is in document order and holds only elements
// below the given root (for a document: all of its elements).
#pragma once

#include <string_view>
#include <vector>

#include "browser/dom/element.h"

namespace dom {

// The first element whose id is exactly id (letter case counts), or nullptr.
Element* getElementById(Node& root, std::string_view id);

// The elements whose name attribute is exactly name.
std::vector<Element*> getElementsByName(Node& root, std::string_view name);

// The elements with this tag name, in any letter case; "*" gives all.
std::vector<Element*> getElementsByTagName(Node& root, std::string_view tagName);

// Every element below the root: the all collection.
std::vector<Element*> allElements(Node& root);

// The elements among the node's children.
std::vector<Element*> childElements(Node& node);

// The elements whose id or name attribute is exactly key: what a
// collection's item and namedItem look up by name.
std::vector<Element*> elementsWithIdOrName(Node& root, std::string_view key);

}  // namespace dom
