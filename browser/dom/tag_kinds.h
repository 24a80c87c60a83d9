// What kind of element a tag name makes, for serialisation, visible text and
// layout. Every function takes a lower-case local name.
#pragma once

#include <string_view>

namespace dom {

// Written without an end tag: br, img, input, hr, meta, ...
bool isVoidElement(std::string_view localName);

// Whose text children are written out as they are, not escaped: script,
// style, xmp, ...
bool isRawTextElement(std::string_view localName);

// Shown as a block: on lines of its own, stacked at full width (div, p,
// h1-h6, lists, table parts, form, ...).
bool isBlockElement(std::string_view localName);

// Never shown, with all it holds: head, title, script, style, ...
bool isNeverShownElement(std::string_view localName);

// A form control, image or frame that layout places as one box of a fixed
// size in a line of text (a button too: it is sized by its text).
bool isReplacedElement(std::string_view localName);

// A control or frame whose content is not page text: a select (its
// options), a textarea (its value), a frame or iframe (its fallback).
bool isTextlessControl(std::string_view localName);

}  // namespace dom
