// A simple, exact box layout and the geometry read from it: offsets, client
// and scroll sizes, scroll positions and elementFromPoint. browser/README.md
// gives the rules; the numbers are these constants.
//
// Every function lays the document out first if it changed since the last
// time (Document::version), so they take non-const references. Boxes are in
// page coordinates (from the document's top left corner, unmoved by
// scrolling); elementFromPoint takes client coordinates (from the viewport's
// top left corner).
#pragma once

#include "browser/dom/document.h"
#include "browser/dom/element.h"

namespace dom {

inline constexpr int kLineHeight = 20;       // every line of text
inline constexpr int kByteWidth = 8;         // per byte: a two-byte character is 16
inline constexpr int kTextFieldWidth = 160;  // input text, password and others
inline constexpr int kCheckBoxSize = 20;     // input checkbox and radio, square
inline constexpr int kButtonPadding = 16;    // button: its text's width plus this
inline constexpr int kSelectWidth = 120;     // select
inline constexpr int kTextAreaWidth = 200;   // textarea
inline constexpr int kTextAreaHeight = 40;
inline constexpr int kFrameWidth = 300;  // iframe, frame, object, embed
inline constexpr int kFrameHeight = 150;

// Lays the document out now if it changed since the last time.
void updateLayout(Document& document);

// True when the element has a box: it is in the tree, and neither it nor an
// ancestor is display:none or never shown.
bool isRendered(Element& element);

// The nearest positioned ancestor (position absolute or relative), table
// cell or table, else the body; nullptr for the body, the html element and
// an element without a box.
Element* offsetParent(Element& element);

// The box relative to the offset parent's box; all 0 without a box.
int offsetLeft(Element& element);
int offsetTop(Element& element);
int offsetWidth(Element& element);
int offsetHeight(Element& element);

// What can be seen of the element's content: the viewport for the body and
// the html element, the box for another block or inline-block, 0 for an
// inline element and one without a box.
int clientWidth(Element& element);
int clientHeight(Element& element);

// The content's size: the box and everything inside it, measured from the
// box's top left corner; for the body and the html element at least the
// viewport.
int scrollWidth(Element& element);
int scrollHeight(Element& element);

// Scroll positions. Setting one clamps it to 0 .. scroll size - client size;
// for the body and the html element it scrolls the viewport (both read the
// same values). Reading clamps again, in case the content shrank.
int scrollLeft(Element& element);
int scrollTop(Element& element);
void setScrollLeft(Element& element, int value);
void setScrollTop(Element& element, int value);

// The deepest element whose box holds the point (client coordinates, the
// viewport's scroll and the scroll of every element above taken off);
// nullptr outside the viewport. Where boxes overlap, the later in document
// order wins. A form control, button or frame is hit as a whole: nothing
// inside it is returned (a frame's own document answers for its content).
Element* elementFromPoint(Document& document, int clientX, int clientY);

}  // namespace dom
