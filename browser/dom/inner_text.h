// Visible text as the old browser gives it through innerText and outerText,
// in code page 936 with "\r\n" line breaks. browser/README.md states the
// rules with examples; in short:
// - a block element (div, p, h1-h6, lists, table rows, form, ...) stands on
//   lines of its own; after a p comes an empty line; <br> ends a line;
// - runs of ASCII white space become one space, and none is left at the
//   start or end of a line; inside pre the text is kept as it is;
// - script, style, head, title, form fields (input, select, textarea),
//   frames and anything with display:none give nothing;
// - table cells of a row are joined by a tab.
#pragma once

#include <string>
#include <string_view>

#include "browser/dom/element.h"

namespace dom {

// The visible text of what the element holds. The element's own kind and
// display are not looked at, only those of what is inside it.
std::string innerText(const Element& element);

// Replaces the element's children with the text: one text node per line,
// the line breaks ("\r\n", "\n" or "\r") as <br> elements. Refused (false)
// for a void element.
bool setInnerText(Element& element, std::string_view cp936Text);

// Replaces the element itself with the same nodes. Refused (false) for an
// element without a parent element. The element stays valid, detached.
bool setOuterText(Element& element, std::string_view cp936Text);

// Every text node's data below the node, joined, with nothing left out.
std::string textContent(const Node& node);

}  // namespace dom
