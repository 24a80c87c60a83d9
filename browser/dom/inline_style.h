// The few properties of an element's style attribute that the component
// honours: display, position, left, top, width, height. Lengths are whole
// pixels, written "12px" or "12"; any other unit, a percentage or a length
// beyond kMaxPixels either way is ignored (as if the property were absent). Property names ignore
// letter case; a later declaration of the same property wins.
#pragma once

#include <optional>
#include <string_view>

#include "browser/dom/element.h"

namespace dom {

// The largest length honoured, in style and in width and height attributes:
// it keeps every sum of positions well inside an int.
inline constexpr int kMaxPixels = 1000000;

enum class Display { normal, none, block, inlineLevel, inlineBlock, tableCell };
enum class Position { normal, relative, absolute };

struct InlineStyle {
    Display display = Display::normal;  // normal: as the element's kind gives
    Position position = Position::normal;
    std::optional<int> left;
    std::optional<int> top;
    std::optional<int> width;
    std::optional<int> height;
};

InlineStyle parseInlineStyle(std::string_view cp936Style);
InlineStyle inlineStyleOf(const Element& element);

// The display an element gets: its inline style's, else none for a
// never-shown element and for <input type="hidden">, block for a block
// element, a table cell for td and th, inline-block for a replaced element,
// else inline.
Display effectiveDisplay(const Element& element);

}  // namespace dom
