// Text ranges (createTextRange on the body, an input, a textarea or a
// button): a stretch of the element's text, found, read and replaced.
//
// Positions count bytes of the text the range's element holds: the data of
// its text nodes in document order, as the page has them (white space
// included, script and style left out); a position never falls inside a
// two-byte character. findText searches without regard to letter case
// inside the range, or, when the range is collapsed, from its start to the
// end of the element's text; found, the range covers the match. pasteHTML
// replaces what the range covers and leaves the range collapsed just after
// what it put in. moveStart/moveEnd("character", n) step n characters.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "browser/objects/browser_object.h"

namespace dom {
class CharacterData;
class Element;
}  // namespace dom

namespace browser {

class Page;

class TextRangeObject : public TableObject<TextRangeObject> {
public:
    static IDispatch* create(std::shared_ptr<Page> page, dom::Element* root);

    // A text node of the range's element and where its data starts.
    struct Piece {
        dom::CharacterData* node;
        size_t start;
    };
    // The element's text now, and its pieces.
    std::string text(std::vector<Piece>* pieces = nullptr) const;

    size_t start = 0;
    size_t end = 0;
    // start and end brought inside the text and onto character boundaries.
    void clamp();
    std::string coveredText() const;
    bool findText(std::string_view wanted, long count);
    bool pasteHtml(std::string_view html);
    bool setCoveredText(std::string_view text);
    long move(bool moveStart, bool moveEnd, long count);
    void collapse(bool toStart);
    void expandToElement(dom::Element& element);

    Page& page() const { return *page_; }
    dom::Element& root() const { return *root_; }

private:
    TextRangeObject(std::shared_ptr<Page> page, dom::Element* root);

    // Deletes the text between start and end; start and end become equal.
    void removeCovered();

    std::shared_ptr<Page> page_;
    dom::Element* root_;
};

}  // namespace browser
