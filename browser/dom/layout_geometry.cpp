// Geometry read from the boxes layout.cpp computes.
#include <algorithm>

#include "browser/dom/inline_style.h"
#include "browser/dom/layout.h"
#include "browser/dom/tag_kinds.h"

namespace dom {
namespace {

// The element's box if it has one in the current layout.
const LayoutBox* boxOf(Element& element) {
    Document& document = element.ownerDocument();
    updateLayout(document);
    const LayoutBox& box = element.layoutBox();
    return box.stamp == document.layoutVersion() ? &box : nullptr;
}

// The body and the html element stand for the viewport when scrolled.
bool isViewportElement(Element& element) {
    Document& document = element.ownerDocument();
    return &element == document.body() || &element == document.documentElement();
}

bool hasClientArea(Element& element) {
    Display display = effectiveDisplay(element);
    return display != Display::inlineLevel && display != Display::none;
}

int maxScrollLeft(Element& element) {
    return std::max(0, scrollWidth(element) - clientWidth(element));
}

int maxScrollTop(Element& element) {
    return std::max(0, scrollHeight(element) - clientHeight(element));
}

bool holds(const LayoutBox& box, int x, int y) {
    return x >= box.left && x < box.left + box.width && y >= box.top && y < box.top + box.height;
}

Element* hitTest(Element& element, int x, int y) {
    const LayoutBox* box = boxOf(element);
    if (!box) return nullptr;
    if (isReplacedElement(element.localName())) return holds(*box, x, y) ? &element : nullptr;
    // What is inside a scrolled element moves up and left by its scroll.
    int innerX = x, innerY = y;
    if (!isViewportElement(element)) {
        innerX += scrollLeft(element);
        innerY += scrollTop(element);
    }
    const auto& children = element.childNodes();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        Element* child = (*it)->asElement();
        if (!child) continue;
        if (Element* hit = hitTest(*child, innerX, innerY)) return hit;
    }
    return holds(*box, x, y) ? &element : nullptr;
}

}  // namespace

bool isRendered(Element& element) { return boxOf(element) != nullptr; }

Element* offsetParent(Element& element) {
    if (!boxOf(element) || isViewportElement(element)) return nullptr;
    Element* body = element.ownerDocument().body();
    for (Element* ancestor = element.parentElement(); ancestor;
         ancestor = ancestor->parentElement()) {
        if (ancestor == body) return body;
        if (inlineStyleOf(*ancestor).position != Position::normal || ancestor->is("td") ||
            ancestor->is("th") || ancestor->is("table")) {
            return ancestor;
        }
    }
    return body;
}

int offsetLeft(Element& element) {
    const LayoutBox* box = boxOf(element);
    if (!box) return 0;
    Element* parent = offsetParent(element);
    return parent ? box->left - parent->layoutBox().left : box->left;
}

int offsetTop(Element& element) {
    const LayoutBox* box = boxOf(element);
    if (!box) return 0;
    Element* parent = offsetParent(element);
    return parent ? box->top - parent->layoutBox().top : box->top;
}

int offsetWidth(Element& element) {
    const LayoutBox* box = boxOf(element);
    return box ? box->width : 0;
}

int offsetHeight(Element& element) {
    const LayoutBox* box = boxOf(element);
    return box ? box->height : 0;
}

int clientWidth(Element& element) {
    const LayoutBox* box = boxOf(element);
    if (!box) return 0;
    if (isViewportElement(element)) return element.ownerDocument().viewportWidth();
    return hasClientArea(element) ? box->width : 0;
}

int clientHeight(Element& element) {
    const LayoutBox* box = boxOf(element);
    if (!box) return 0;
    if (isViewportElement(element)) return element.ownerDocument().viewportHeight();
    return hasClientArea(element) ? box->height : 0;
}

int scrollWidth(Element& element) {
    const LayoutBox* box = boxOf(element);
    if (!box) return 0;
    int width = box->contentRight - box->left;
    if (isViewportElement(element))
        width = std::max(width, element.ownerDocument().viewportWidth());
    return width;
}

int scrollHeight(Element& element) {
    const LayoutBox* box = boxOf(element);
    if (!box) return 0;
    int height = box->contentBottom - box->top;
    if (isViewportElement(element)) {
        height = std::max(height, element.ownerDocument().viewportHeight());
    }
    return height;
}

int scrollLeft(Element& element) {
    int stored = isViewportElement(element) ? element.ownerDocument().storedViewportScrollLeft()
                                            : element.storedScrollLeft();
    return std::clamp(stored, 0, maxScrollLeft(element));
}

int scrollTop(Element& element) {
    int stored = isViewportElement(element) ? element.ownerDocument().storedViewportScrollTop()
                                            : element.storedScrollTop();
    return std::clamp(stored, 0, maxScrollTop(element));
}

void setScrollLeft(Element& element, int value) {
    int left = std::clamp(value, 0, maxScrollLeft(element));
    if (isViewportElement(element)) {
        Document& document = element.ownerDocument();
        document.storeViewportScroll(left, scrollTop(element));
    } else {
        element.storeScroll(left, scrollTop(element));
    }
}

void setScrollTop(Element& element, int value) {
    int top = std::clamp(value, 0, maxScrollTop(element));
    if (isViewportElement(element)) {
        Document& document = element.ownerDocument();
        document.storeViewportScroll(scrollLeft(element), top);
    } else {
        element.storeScroll(scrollLeft(element), top);
    }
}

Element* elementFromPoint(Document& document, int clientX, int clientY) {
    updateLayout(document);
    if (clientX < 0 || clientY < 0 || clientX >= document.viewportWidth() ||
        clientY >= document.viewportHeight()) {
        return nullptr;
    }
    Element* html = document.documentElement();
    if (!html) return nullptr;
    return hitTest(*html, clientX + scrollLeft(*html), clientY + scrollTop(*html));
}

}  // namespace dom
