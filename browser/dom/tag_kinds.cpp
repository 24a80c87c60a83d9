#include "browser/dom/tag_kinds.h"

#include <algorithm>
#include <array>

namespace dom {
namespace {

template <std::size_t N>
bool among(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

constexpr auto kVoid = std::to_array<std::string_view>(
    {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "img", "input",
     "keygen", "link", "meta", "param", "source", "track", "wbr", "image"});

constexpr auto kRawText = std::to_array<std::string_view>(
    {"script", "style", "xmp", "iframe", "noembed", "noframes", "plaintext"});

constexpr auto kBlock = std::to_array<std::string_view>(
    {"address", "article", "aside",  "blockquote", "body",  "caption", "center",    "dd",
     "details", "dialog",  "dir",    "div",        "dl",    "dt",      "fieldset",  "figcaption",
     "figure",  "footer",  "form",   "frameset",   "h1",    "h2",      "h3",        "h4",
     "h5",      "h6",      "header", "hgroup",     "hr",    "html",    "legend",    "li",
     "listing", "main",    "menu",   "nav",        "ol",    "p",       "plaintext", "pre",
     "section", "summary", "table",  "tbody",      "tfoot", "thead",   "tr"});

constexpr auto kNeverShown =
    std::to_array<std::string_view>({"head", "title", "script", "style", "meta", "link", "base",
                                     "noscript", "noframes", "template", "datalist"});

constexpr auto kReplaced = std::to_array<std::string_view>(
    {"input", "select", "textarea", "button", "img", "iframe", "frame", "object", "embed"});

constexpr auto kTextless = std::to_array<std::string_view>(
    {"select", "textarea", "iframe", "frame", "object", "embed", "applet"});

}  // namespace

bool isVoidElement(std::string_view localName) { return among(kVoid, localName); }

bool isRawTextElement(std::string_view localName) { return among(kRawText, localName); }

bool isBlockElement(std::string_view localName) { return among(kBlock, localName); }

bool isNeverShownElement(std::string_view localName) { return among(kNeverShown, localName); }

bool isReplacedElement(std::string_view localName) { return among(kReplaced, localName); }

bool isTextlessControl(std::string_view localName) { return among(kTextless, localName); }

}  // namespace dom
