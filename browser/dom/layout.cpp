// Computes every element's box. One pass over the tree in document order:
// block containers stack their block children and flow inline content into
// lines; absolutely positioned elements are placed against their containing
// block where they are met, taking no room in the flow.
#include "browser/dom/layout.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

#include "browser/dom/inline_style.h"
#include "browser/dom/inner_text.h"
#include "browser/dom/tag_kinds.h"

namespace dom {
namespace {

bool isAsciiSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool isPreformatted(std::string_view name) {
    return name == "pre" || name == "xmp" || name == "listing" || name == "plaintext";
}

// A width or height attribute in whole pixels ("300" or "300px").
int attributePixels(const Element& element, std::string_view name, int fallback) {
    std::string value = element.attribute(name);
    std::string_view digits = value;
    if (digits.size() > 2 && equalsIgnoringAsciiCase(digits.substr(digits.size() - 2), "px")) {
        digits.remove_suffix(2);
    }
    int number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 0 ||
        number > kMaxPixels) {
        return fallback;
    }
    return number;
}

struct Size {
    int width = 0;
    int height = 0;
};

// The fixed size of a replaced element (form control, image, frame), before
// its style's width and height.
Size replacedSize(const Element& element) {
    const std::string& name = element.localName();
    if (name == "input") {
        std::string type = asciiLower(element.attribute("type"));
        if (type == "checkbox" || type == "radio") return {kCheckBoxSize, kCheckBoxSize};
        if (type == "button" || type == "submit" || type == "reset") {
            int bytes = static_cast<int>(element.attribute("value").size());
            return {bytes * kByteWidth + kButtonPadding, kLineHeight};
        }
        if (type == "image") {
            return {attributePixels(element, "width", 0), attributePixels(element, "height", 0)};
        }
        return {kTextFieldWidth, kLineHeight};
    }
    if (name == "button") {
        int bytes = static_cast<int>(innerText(element).size());
        return {bytes * kByteWidth + kButtonPadding, kLineHeight};
    }
    if (name == "select") return {kSelectWidth, kLineHeight};
    if (name == "textarea") return {kTextAreaWidth, kTextAreaHeight};
    if (name == "img") {
        return {attributePixels(element, "width", 0), attributePixels(element, "height", 0)};
    }
    return {attributePixels(element, "width", kFrameWidth),
            attributePixels(element, "height", kFrameHeight)};
}

// The rectangle around what an open inline element has had placed in it.
struct InlineExtent {
    Element* element;
    bool any = false;
    int left = 0, top = 0, right = 0, bottom = 0;
};

// A block container's content area and the line being filled in it.
struct Flow {
    int left = 0;
    int width = 0;
    int y = 0;           // top of the current line, or of the next block
    int x = 0;           // where the next item on the line goes
    int lineHeight = 0;  // the tallest item on the line so far
    bool lineUsed = false;
    bool spacePending = false;  // collapsible white space since the last character
    bool afterWord = false;     // the line so far ends in a character
    bool preformatted = false;
    int widest = 0;  // the right edge of the widest line or block so far
    std::vector<InlineExtent> openInlines;

    int right() const { return left + width; }
};

class Layout {
public:
    explicit Layout(Document& document) : document_(document), stamp_(document.version()) {}

    void run() {
        document_.setLayoutVersion(stamp_);
        Element* html = document_.documentElement();
        if (!html) return;
        int viewportHeight = document_.viewportHeight();
        int height = layoutBlock(*html, 0, 0, document_.viewportWidth(), false).height;
        html->layoutBoxToFill().height = std::max(height, viewportHeight);
        if (Element* body = document_.body(); body && isStamped(*body)) {
            LayoutBox& box = body->layoutBoxToFill();
            box.height = std::max(box.height, viewportHeight - box.top);
        }
        measureContent(*html);
    }

private:
    bool isStamped(const Element& element) const { return element.layoutBox().stamp == stamp_; }

    LayoutBox& place(Element& element, int left, int top, int width, int height) {
        LayoutBox& box = element.layoutBoxToFill();
        box.stamp = stamp_;
        box.left = left;
        box.top = top;
        box.width = width;
        box.height = height;
        return box;
    }

    // Lays out a block box and what it holds; returns its height and the
    // width of its widest line.
    Size layoutBlock(Element& element, int left, int top, int width, bool preformatted) {
        InlineStyle style = inlineStyleOf(element);
        place(element, left, top, width, 0);
        Flow flow;
        flow.left = flow.x = flow.widest = left;
        flow.width = width;
        flow.y = top;
        flow.preformatted = preformatted || isPreformatted(element.localName());
        if (element.is("tr")) {
            layoutRow(element, flow);
        } else {
            flowChildren(element, flow);
            finishLine(flow);
        }
        int height = style.height.value_or(flow.y - top);
        element.layoutBoxToFill().height = height;
        return {flow.widest - left, height};
    }

    // The cells of a row share its width equally and are as tall as the
    // tallest of them.
    void layoutRow(Element& row, Flow& flow) {
        std::vector<Element*> cells;
        for (Node* child : row.childNodes()) {
            Element* element = child->asElement();
            if (element && effectiveDisplay(*element) == Display::tableCell) {
                cells.push_back(element);
            }
        }
        if (cells.empty()) return;
        int count = static_cast<int>(cells.size());
        int cellWidth = flow.width / count;
        int rowHeight = 0;
        for (int i = 0; i < count; ++i) {
            int width = i + 1 < count ? cellWidth : flow.width - cellWidth * (count - 1);
            Size cell = layoutBlock(*cells[static_cast<std::size_t>(i)], flow.left + cellWidth * i,
                                    flow.y, width, flow.preformatted);
            rowHeight = std::max(rowHeight, cell.height);
        }
        for (Element* cell : cells) cell->layoutBoxToFill().height = rowHeight;
        flow.y += rowHeight;
        flow.widest = std::max(flow.widest, flow.right());
    }

    void flowChildren(Node& parent, Flow& flow) {
        for (Node* child : parent.childNodes()) {
            if (child->kind() == NodeKind::text) {
                flowText(child->asCharacterData()->data(), flow);
            } else if (Element* element = child->asElement()) {
                flowElement(*element, flow);
            }
        }
    }

    void flowElement(Element& element, Flow& flow) {
        Display display = effectiveDisplay(element);
        if (display == Display::none) return;
        InlineStyle style = inlineStyleOf(element);
        if (style.position == Position::absolute) {
            layoutAbsolute(element, style, flow);
            return;
        }
        if (element.is("br")) {
            place(element, flow.x, flow.y, 0, kLineHeight);
            flow.lineUsed = true;
            flow.lineHeight = std::max(flow.lineHeight, kLineHeight);
            extendOpenInlines(flow, flow.x, flow.y, 0, kLineHeight);
            finishLine(flow);
            return;
        }
        if (display == Display::block || display == Display::tableCell) {
            finishLine(flow);
            int width = style.width.value_or(flow.width);
            int height = layoutBlock(element, flow.left, flow.y, width, flow.preformatted).height;
            extendOpenInlines(flow, flow.left, flow.y, width, height);
            flow.y += height;
            flow.widest = std::max(flow.widest, flow.left + width);
            return;
        }
        if (display == Display::inlineBlock) {
            Size size = atomicSize(element, style, flow);
            takePendingSpace(flow, size.width);
            int left = 0, top = 0;
            placeOnLine(flow, size.width, size.height, left, top);
            flow.afterWord = true;
            if (isReplacedElement(element.localName())) {
                place(element, left, top, size.width, size.height);
                sizeFrameDocument(element, size);
            } else {
                layoutBlock(element, left, top, size.width, flow.preformatted);
                element.layoutBoxToFill().height = size.height;
            }
            return;
        }
        layoutInline(element, flow);
    }

    // An inline element's box is the rectangle around the pieces it holds;
    // an empty one is a line-high box of no width where it stands.
    // It is placed where it starts before its content is laid out, so that
    // an absolutely positioned element inside it finds its corner there.
    void layoutInline(Element& element, Flow& flow) {
        place(element, flow.x, flow.y, 0, kLineHeight);
        flow.openInlines.push_back({&element});
        std::size_t depth = flow.openInlines.size();
        flowChildren(element, flow);
        InlineExtent extent = flow.openInlines[depth - 1];
        flow.openInlines.resize(depth - 1);
        if (extent.any) {
            place(element, extent.left, extent.top, extent.right - extent.left,
                  extent.bottom - extent.top);
        }
    }

    // The size of an inline-block: a replaced element's own, else its
    // style's width (or the width of what it holds) and height (or its
    // content's). A non-replaced one is measured by laying it out once.
    Size atomicSize(Element& element, const InlineStyle& style, const Flow& flow) {
        if (isReplacedElement(element.localName())) {
            Size size = replacedSize(element);
            return {style.width.value_or(size.width), style.height.value_or(size.height)};
        }
        Size content =
            layoutBlock(element, 0, 0, style.width.value_or(flow.width), flow.preformatted);
        return {style.width.value_or(content.width), content.height};
    }

    // An absolutely positioned element: at left/top from its containing
    // block (the nearest positioned ancestor, else the document's top left
    // corner), or where it would have stood in the flow for a side not
    // given; as wide as its style says, else to the containing block's
    // right edge.
    void layoutAbsolute(Element& element, const InlineStyle& style, const Flow& flow) {
        int blockLeft = 0, blockTop = 0, blockWidth = document_.viewportWidth();
        for (Element* ancestor = element.parentElement(); ancestor;
             ancestor = ancestor->parentElement()) {
            if (inlineStyleOf(*ancestor).position != Position::normal) {
                const LayoutBox& box = ancestor->layoutBox();
                blockLeft = box.left;
                blockTop = box.top;
                blockWidth = box.width;
                break;
            }
        }
        int left = style.left ? blockLeft + *style.left : (flow.lineUsed ? flow.x : flow.left);
        int top = style.top ? blockTop + *style.top : flow.y;
        if (isReplacedElement(element.localName())) {
            Size size = replacedSize(element);
            size = {style.width.value_or(size.width), style.height.value_or(size.height)};
            place(element, left, top, size.width, size.height);
            sizeFrameDocument(element, size);
            return;
        }
        int width = style.width.value_or(std::max(0, blockLeft + blockWidth - left));
        layoutBlock(element, left, top, width, false);
    }

    void sizeFrameDocument(Element& element, Size size) {
        Document* content = element.contentDocument();
        if (!content) return;
        if (content->viewportWidth() != size.width || content->viewportHeight() != size.height) {
            content->setViewportSize(size.width, size.height);
        }
    }

    void flowText(const std::string& data, Flow& flow) {
        for (std::size_t i = 0; i < data.size(); ++i) {
            char c = data[i];
            if (flow.preformatted && (c == '\r' || c == '\n')) {
                if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
                flow.lineUsed = true;
                flow.lineHeight = std::max(flow.lineHeight, kLineHeight);
                finishLine(flow);
                continue;
            }
            if (!flow.preformatted && isAsciiSpace(c)) {
                flow.spacePending = true;
                continue;
            }
            int bytes = static_cast<unsigned char>(c) >= 0x81 && i + 1 < data.size() ? 2 : 1;
            i += static_cast<std::size_t>(bytes - 1);
            int width = bytes * kByteWidth;
            takePendingSpace(flow, width);
            int left = 0, top = 0;
            placeOnLine(flow, width, kLineHeight, left, top);
            flow.afterWord = true;
        }
    }

    // Collapsed white space before an item: one character wide between two
    // items on a line; nothing where the line wraps or starts.
    void takePendingSpace(Flow& flow, int nextWidth) {
        bool space = flow.spacePending && flow.afterWord;
        flow.spacePending = false;
        if (!space) return;
        if (flow.x + kByteWidth + nextWidth > flow.right()) {
            finishLine(flow);
        } else {
            flow.x += kByteWidth;
        }
    }

    // Puts an item of the given size on the current line, or on a new one
    // when it does not fit after what is there (preformatted text does not
    // wrap). Gives the item's top left corner.
    void placeOnLine(Flow& flow, int width, int height, int& left, int& top) {
        if (flow.lineUsed && !flow.preformatted && flow.x + width > flow.right()) finishLine(flow);
        left = flow.x;
        top = flow.y;
        flow.x += width;
        flow.widest = std::max(flow.widest, flow.x);
        flow.lineUsed = true;
        flow.afterWord = false;
        flow.lineHeight = std::max(flow.lineHeight, height);
        extendOpenInlines(flow, left, top, width, height);
    }

    void extendOpenInlines(Flow& flow, int left, int top, int width, int height) {
        for (InlineExtent& extent : flow.openInlines) {
            if (!extent.any) {
                extent = {extent.element, true, left, top, left + width, top + height};
                continue;
            }
            extent.left = std::min(extent.left, left);
            extent.top = std::min(extent.top, top);
            extent.right = std::max(extent.right, left + width);
            extent.bottom = std::max(extent.bottom, top + height);
        }
    }

    void finishLine(Flow& flow) {
        if (flow.lineUsed) flow.y += std::max(flow.lineHeight, kLineHeight);
        flow.x = flow.left;
        flow.lineHeight = 0;
        flow.lineUsed = false;
        flow.spacePending = false;
        flow.afterWord = false;
    }

    // Fills in contentRight and contentBottom, bottom up.
    void measureContent(Element& element) {
        LayoutBox& box = element.layoutBoxToFill();
        box.contentRight = box.left + box.width;
        box.contentBottom = box.top + box.height;
        for (Node* child : element.childNodes()) {
            Element* inner = child->asElement();
            if (!inner || !isStamped(*inner)) continue;
            measureContent(*inner);
            box.contentRight = std::max(box.contentRight, inner->layoutBox().contentRight);
            box.contentBottom = std::max(box.contentBottom, inner->layoutBox().contentBottom);
        }
    }

    Document& document_;
    std::uint64_t stamp_;
};

}  // namespace

void updateLayout(Document& document) {
    if (document.layoutVersion() == document.version()) return;
    Layout(document).run();
}

}  // namespace dom
