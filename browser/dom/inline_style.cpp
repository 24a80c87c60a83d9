#include "browser/dom/inline_style.h"

#include <charconv>

#include "browser/dom/tag_kinds.h"

namespace dom {
namespace {

std::string_view trimmed(std::string_view text) {
    auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
    };
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<int> pixels(std::string_view value) {
    if (value.size() > 2 && equalsIgnoringAsciiCase(value.substr(value.size() - 2), "px")) {
        value = trimmed(value.substr(0, value.size() - 2));
    }
    int number = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size()) return std::nullopt;
    if (number > kMaxPixels || number < -kMaxPixels) return std::nullopt;
    return number;
}

void apply(InlineStyle& style, std::string_view name, std::string_view value) {
    if (equalsIgnoringAsciiCase(name, "display")) {
        if (equalsIgnoringAsciiCase(value, "none")) style.display = Display::none;
        if (equalsIgnoringAsciiCase(value, "block")) style.display = Display::block;
        if (equalsIgnoringAsciiCase(value, "inline")) style.display = Display::inlineLevel;
        if (equalsIgnoringAsciiCase(value, "inline-block")) style.display = Display::inlineBlock;
    } else if (equalsIgnoringAsciiCase(name, "position")) {
        if (equalsIgnoringAsciiCase(value, "absolute")) style.position = Position::absolute;
        if (equalsIgnoringAsciiCase(value, "relative")) style.position = Position::relative;
        if (equalsIgnoringAsciiCase(value, "static")) style.position = Position::normal;
    } else if (equalsIgnoringAsciiCase(name, "left")) {
        if (auto v = pixels(value)) style.left = v;
    } else if (equalsIgnoringAsciiCase(name, "top")) {
        if (auto v = pixels(value)) style.top = v;
    } else if (equalsIgnoringAsciiCase(name, "width")) {
        if (auto v = pixels(value); v && *v >= 0) style.width = v;
    } else if (equalsIgnoringAsciiCase(name, "height")) {
        if (auto v = pixels(value); v && *v >= 0) style.height = v;
    }
}

}  // namespace

InlineStyle parseInlineStyle(std::string_view cp936Style) {
    InlineStyle style;
    while (!cp936Style.empty()) {
        std::size_t end = cp936Style.find(';');
        std::string_view declaration = cp936Style.substr(0, end);
        cp936Style =
            end == std::string_view::npos ? std::string_view() : cp936Style.substr(end + 1);
        std::size_t colon = declaration.find(':');
        if (colon == std::string_view::npos) continue;
        apply(style, trimmed(declaration.substr(0, colon)), trimmed(declaration.substr(colon + 1)));
    }
    return style;
}

InlineStyle inlineStyleOf(const Element& element) {
    const std::string* style = element.findAttribute("style");
    return style ? parseInlineStyle(*style) : InlineStyle();
}

Display effectiveDisplay(const Element& element) {
    Display display = inlineStyleOf(element).display;
    if (display != Display::normal) return display;
    const std::string& name = element.localName();
    if (isNeverShownElement(name)) return Display::none;
    if (name == "input" && equalsIgnoringAsciiCase(element.attribute("type"), "hidden")) {
        return Display::none;
    }
    if (isBlockElement(name)) return Display::block;
    if (name == "td" || name == "th") return Display::tableCell;
    if (isReplacedElement(name)) return Display::inlineBlock;
    return Display::inlineLevel;
}

}  // namespace dom
