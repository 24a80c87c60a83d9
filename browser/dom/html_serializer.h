// HTML out: innerHTML and outerHTML as code page 936 bytes.
//
// Tag names are written in upper case, as the old browser gives them
// ("<DIV>"); attribute names as stored (lower case), in source order, each
// value in double quotes. Void elements (BR, INPUT, IMG, ...) have no end
// tag. In text, & < > become &amp; &lt; &gt;; in attribute values " becomes
// &quot; as well. The text of script, style and the other raw text elements
// is written as it is. Comments are kept: <!--data-->.
#pragma once

#include <string>

#include "browser/dom/node.h"

namespace dom {

// The node's children, serialised. For a document: its whole tree.
std::string innerHtml(const Node& node);

// The node itself and its children. For a text node: its escaped text; for
// a document: its whole tree.
std::string outerHtml(const Node& node);

}  // namespace dom
