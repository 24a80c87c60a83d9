#include "browser/objects/text_range_object.h"

#include <algorithm>

#include "browser/dom/document.h"
#include "browser/dom/element.h"
#include "browser/dom/form_controls.h"
#include "browser/dom/html_editing.h"
#include "browser/dom/tag_kinds.h"
#include "browser/objects/element_object.h"
#include "browser/page/page.h"

namespace browser {

namespace {

using RangeRows = Rows<TextRangeObject>;

// Bytes of the character that starts at text[i]: code page 936 lead bytes
// (0x81 to 0xFE) start two-byte characters.
size_t characterLength(std::string_view text, size_t i) {
    auto byte = static_cast<unsigned char>(text[i]);
    return byte >= 0x81 && byte <= 0xFE && i + 1 < text.size() ? 2 : 1;
}

// Every character boundary of the text, 0 and its length included.
std::vector<size_t> boundaries(std::string_view text) {
    std::vector<size_t> positions{0};
    for (size_t i = 0; i < text.size(); i += characterLength(text, i)) {
        positions.push_back(i + characterLength(text, i));
    }
    return positions;
}

char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// A value-holding control: its range covers its value.
bool holdsValue(const dom::Element& element) {
    return element.is("input") || element.is("textarea");
}

bool isWordSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

long moveRange(TextRangeObject& r, const MethodArguments& a, bool start, bool end) {
    std::string unit = dom::asciiLower(a.text(0).value_or("character"));
    long count = a.integer(1).value_or(1);
    if (unit == "textedit") {
        std::string text = r.text();
        if (start) r.start = count < 0 ? 0 : text.size();
        if (end) r.end = count < 0 ? 0 : text.size();
        if (r.start > r.end) {
            if (start) {
                r.end = r.start;
            } else {
                r.start = r.end;
            }
        }
        return count == 0 ? 0 : (count < 0 ? -1 : 1);
    }
    if (unit == "word") {
        std::string text = r.text();
        size_t position = start ? r.start : r.end;
        long moved = 0;
        for (; moved < std::labs(count); ++moved) {
            if (count > 0) {
                if (position >= text.size()) break;
                while (position < text.size() && !isWordSpace(text[position])) ++position;
                while (position < text.size() && isWordSpace(text[position])) ++position;
            } else {
                if (position == 0) break;
                while (position > 0 && isWordSpace(text[position - 1])) --position;
                while (position > 0 && !isWordSpace(text[position - 1])) --position;
            }
        }
        if (start) r.start = position;
        if (end) r.end = position;
        if (r.start > r.end) {
            r.start = position;
            r.end = position;
        }
        r.clamp();
        return count < 0 ? -moved : moved;
    }
    return r.move(start, end, count);
}

const MemberTable<TextRangeObject>& rangeMembers() {
    static const MemberTable<TextRangeObject> table(
        "IHTMLTxtRange",
        {{
            RangeRows::text(
                "text",
                [](TextRangeObject& r) {
                    r.clamp();
                    return r.coveredText();
                },
                [](TextRangeObject& r, std::string_view v) { return r.setCoveredText(v); }),
            RangeRows::text("htmlText",
                            [](TextRangeObject& r) {
                                r.clamp();
                                std::string html;
                                for (char c : r.coveredText()) {
                                    if (c == '&') {
                                        html += "&amp;";
                                    } else if (c == '<') {
                                        html += "&lt;";
                                    } else if (c == '>') {
                                        html += "&gt;";
                                    } else {
                                        html += c;
                                    }
                                }
                                return html;
                            }),
            RangeRows::method(
                "findText",
                {required("text", VT_BSTR), optional("count", VT_I4), optional("flags", VT_I4)},
                VT_BOOL,
                [](TextRangeObject& r, const MethodArguments& a, VARIANT* result) {
                    std::optional<std::string> wanted = a.text(0);
                    if (!wanted) return E_INVALIDARG;
                    setBoolean(result, r.findText(*wanted, a.integer(2).value_or(0)));
                    return S_OK;
                },
                2),
            RangeRows::method(
                "moveStart", {required("unit", VT_BSTR), optional("count", VT_I4)}, VT_I4,
                [](TextRangeObject& r, const MethodArguments& a, VARIANT* result) {
                    setInteger(result, moveRange(r, a, true, false));
                    return S_OK;
                },
                1),
            RangeRows::method(
                "moveEnd", {required("unit", VT_BSTR), optional("count", VT_I4)}, VT_I4,
                [](TextRangeObject& r, const MethodArguments& a, VARIANT* result) {
                    setInteger(result, moveRange(r, a, false, true));
                    return S_OK;
                },
                1),
            RangeRows::method(
                "move", {required("unit", VT_BSTR), optional("count", VT_I4)}, VT_I4,
                [](TextRangeObject& r, const MethodArguments& a, VARIANT* result) {
                    r.collapse(true);
                    setInteger(result, moveRange(r, a, true, true));
                    return S_OK;
                },
                1),
            RangeRows::method(
                "collapse", {optional("start", VT_BOOL)}, VT_VOID,
                [](TextRangeObject& r, const MethodArguments& a, VARIANT*) {
                    r.collapse(a.boolean(0).value_or(true));
                    return S_OK;
                },
                1),
            RangeRows::method("expand", {required("unit", VT_BSTR)}, VT_BOOL,
                              [](TextRangeObject& r, const MethodArguments& a, VARIANT* result) {
                                  std::string unit = dom::asciiLower(a.text(0).value_or(""));
                                  bool expanded = false;
                                  if (unit == "textedit") {
                                      size_t length = r.text().size();
                                      expanded = r.start != 0 || r.end != length;
                                      r.start = 0;
                                      r.end = length;
                                  }
                                  setBoolean(result, expanded);
                                  return S_OK;
                              }),
            RangeRows::method("pasteHTML", {required("html", VT_BSTR)}, VT_VOID,
                              [](TextRangeObject& r, const MethodArguments& a, VARIANT*) {
                                  std::optional<std::string> html = a.text(0);
                                  if (!html) return E_INVALIDARG;
                                  if (!r.pasteHtml(*html)) {
                                      return raiseException(
                                          "Invalid target element for this operation.");
                                  }
                                  return S_OK;
                              }),
            RangeRows::method(
                "select", {}, VT_VOID,
                [](TextRangeObject&, const MethodArguments&, VARIANT*) { return S_OK; }),
            RangeRows::method(
                "scrollIntoView", {optional("start")}, VT_VOID,
                [](TextRangeObject&, const MethodArguments&, VARIANT*) { return S_OK; }, 1),
            RangeRows::method("duplicate", {}, VT_DISPATCH,
                              [](TextRangeObject& r, const MethodArguments&, VARIANT* result) {
                                  IDispatch* copy = TextRangeObject::create(
                                      r.page().shared_from_this(), &r.root());
                                  auto* range = static_cast<TextRangeObject*>(copy);
                                  range->start = r.start;
                                  range->end = r.end;
                                  setObject(result, copy);
                                  return S_OK;
                              }),
            RangeRows::method("parentElement", {}, VT_DISPATCH,
                              [](TextRangeObject& r, const MethodArguments&, VARIANT* result) {
                                  std::vector<TextRangeObject::Piece> pieces;
                                  r.text(&pieces);
                                  dom::Element* parent = &r.root();
                                  for (const auto& piece : pieces) {
                                      if (piece.start <= r.start &&
                                          r.start < piece.start + piece.node->data().size()) {
                                          parent = piece.node->parentElement();
                                          break;
                                      }
                                  }
                                  setObject(result, ElementObject::get(r.page().shared_from_this(),
                                                                       parent));
                                  return S_OK;
                              }),
            RangeRows::method("moveToElementText", {required("element", VT_DISPATCH)}, VT_VOID,
                              [](TextRangeObject& r, const MethodArguments& a, VARIANT*) {
                                  ElementObject* element = ElementObject::from(a.object(0));
                                  if (element == nullptr || &element->page() != &r.page()) {
                                      return raiseException("Invalid argument.");
                                  }
                                  r.expandToElement(element->element());
                                  return S_OK;
                              }),
            RangeRows::method(
                "isEqual", {required("range", VT_DISPATCH)}, VT_BOOL,
                [](TextRangeObject& r, const MethodArguments& a, VARIANT* result) {
                    auto* other = dynamic_cast<TextRangeObject*>(BrowserObject::from(a.object(0)));
                    setBoolean(result, other != nullptr && &other->root() == &r.root() &&
                                           other->start == r.start && other->end == r.end);
                    return S_OK;
                }),
            RangeRows::method(
                "inRange", {required("range", VT_DISPATCH)}, VT_BOOL,
                [](TextRangeObject& r, const MethodArguments& a, VARIANT* result) {
                    auto* other = dynamic_cast<TextRangeObject*>(BrowserObject::from(a.object(0)));
                    setBoolean(result, other != nullptr && &other->root() == &r.root() &&
                                           r.start <= other->start && other->end <= r.end);
                    return S_OK;
                }),
        }});
    return table;
}

}  // namespace

TextRangeObject::TextRangeObject(std::shared_ptr<Page> page, dom::Element* root)
    : TableObject(page->browserPointer(), rangeMembers()), page_(std::move(page)), root_(root) {
    end = text().size();
}

IDispatch* TextRangeObject::create(std::shared_ptr<Page> page, dom::Element* root) {
    return new TextRangeObject(std::move(page), root);
}

std::string TextRangeObject::text(std::vector<Piece>* pieces) const {
    if (holdsValue(*root_)) return dom::value(*root_);
    std::string text;
    std::vector<const dom::Node*> stack{root_};
    while (!stack.empty()) {
        const dom::Node* node = stack.back();
        stack.pop_back();
        if (node->kind() == dom::NodeKind::text) {
            auto* data = const_cast<dom::CharacterData*>(node->asCharacterData());
            if (pieces != nullptr) pieces->push_back({data, text.size()});
            text += data->data();
            continue;
        }
        const dom::Element* element = node->asElement();
        if (element == nullptr) continue;
        if (element != root_ && (dom::isNeverShownElement(element->localName()) ||
                                 dom::isTextlessControl(element->localName()))) {
            continue;
        }
        const auto& children = node->childNodes();
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            stack.push_back(*child);
    }
    return text;
}

void TextRangeObject::clamp() {
    std::string all = text();
    std::vector<size_t> positions = boundaries(all);
    auto onBoundary = [&](size_t position) {
        if (position >= all.size()) return all.size();
        auto it = std::upper_bound(positions.begin(), positions.end(), position);
        return *(it - 1);
    };
    start = onBoundary(start);
    end = onBoundary(end);
    if (end < start) end = start;
}

std::string TextRangeObject::coveredText() const { return text().substr(start, end - start); }

bool TextRangeObject::findText(std::string_view wanted, long flags) {
    clamp();
    if (wanted.empty()) return false;
    std::string all = text();
    bool matchCase = (flags & 4) != 0;
    size_t limit = start == end ? all.size() : end;
    for (size_t i = start; i + wanted.size() <= limit; i += characterLength(all, i)) {
        bool same = true;
        for (size_t k = 0; k < wanted.size() && same; ++k) {
            same = matchCase ? all[i + k] == wanted[k] : folded(all[i + k]) == folded(wanted[k]);
        }
        if (same) {
            start = i;
            end = i + wanted.size();
            return true;
        }
    }
    return false;
}

void TextRangeObject::removeCovered() {
    if (holdsValue(*root_)) {
        std::string value = dom::value(*root_);
        dom::setValue(*root_, value.substr(0, start) + value.substr(end));
        end = start;
        return;
    }
    std::vector<Piece> pieces;
    text(&pieces);
    for (const Piece& piece : pieces) {
        size_t length = piece.node->data().size();
        size_t from = std::max(start, piece.start);
        size_t to = std::min(end, piece.start + length);
        if (from >= to) continue;
        std::string data = piece.node->data();
        data.erase(from - piece.start, to - from);
        piece.node->setData(std::move(data));
    }
    end = start;
}

bool TextRangeObject::pasteHtml(std::string_view html) {
    clamp();
    if (holdsValue(*root_)) return setCoveredText(html);
    removeCovered();
    size_t before = text().size();
    std::vector<Piece> pieces;
    text(&pieces);
    bool inserted = false;
    for (const Piece& piece : pieces) {
        size_t length = piece.node->data().size();
        if (start >= piece.start && start <= piece.start + length) {
            inserted = dom::insertHtmlInText(*piece.node, start - piece.start, html);
            break;
        }
    }
    if (!inserted) {
        inserted = dom::insertAdjacentHtml(*root_, dom::AdjacentPosition::beforeEnd, html);
    }
    if (!inserted) return false;
    size_t after = text().size();
    start += after - before;
    end = start;
    return true;
}

bool TextRangeObject::setCoveredText(std::string_view replacement) {
    clamp();
    if (holdsValue(*root_)) {
        std::string value = dom::value(*root_);
        dom::setValue(*root_,
                      value.substr(0, start) + std::string(replacement) + value.substr(end));
        end = start + replacement.size();
        return true;
    }
    removeCovered();
    std::vector<Piece> pieces;
    text(&pieces);
    for (const Piece& piece : pieces) {
        size_t length = piece.node->data().size();
        if (start >= piece.start && start <= piece.start + length) {
            std::string data = piece.node->data();
            data.insert(start - piece.start, replacement);
            piece.node->setData(std::move(data));
            end = start + replacement.size();
            return true;
        }
    }
    root_->appendChild(root_->ownerDocument().createTextNode(std::string(replacement)));
    end = start + replacement.size();
    return true;
}

long TextRangeObject::move(bool moveStart, bool moveEnd, long count) {
    clamp();
    std::vector<size_t> positions = boundaries(text());
    auto step = [&](size_t& position) {
        long index =
            static_cast<long>(std::upper_bound(positions.begin(), positions.end(), position) -
                              positions.begin()) -
            1;
        long target = std::clamp(index + count, 0L, static_cast<long>(positions.size()) - 1);
        position = positions[static_cast<size_t>(target)];
        return target - index;
    };
    if (moveStart && moveEnd) {
        long moved = step(start);
        end = start;
        return moved;
    }
    if (moveStart) {
        long moved = step(start);
        if (start > end) end = start;
        return moved;
    }
    long moved = step(end);
    if (end < start) start = end;
    return moved;
}

void TextRangeObject::collapse(bool toStart) {
    if (toStart) {
        end = start;
    } else {
        start = end;
    }
}

void TextRangeObject::expandToElement(dom::Element& element) {
    std::vector<Piece> pieces;
    text(&pieces);
    bool found = false;
    for (const Piece& piece : pieces) {
        if (!element.contains(piece.node)) continue;
        if (!found) start = piece.start;
        end = piece.start + piece.node->data().size();
        found = true;
    }
    if (!found) end = start;
}

}  // namespace browser
