#include "browser/objects/style_sheet_object.h"

#include "browser/page/page.h"

namespace browser {

namespace {

using SheetRows = Rows<StyleSheetObject>;

std::vector<StyleRule>& rulesOf(StyleSheetObject& s) { return s.page().styleSheets()[s.index()]; }

const MemberTable<StyleSheetObject>& styleSheetMembers() {
    static const MemberTable<StyleSheetObject> table(
        "IHTMLStyleSheet",
        {{
            SheetRows::method(
                "addRule",
                {required("selector", VT_BSTR), required("style", VT_BSTR),
                 optional("index", VT_I4)},
                VT_I4,
                [](StyleSheetObject& s, const MethodArguments& a, VARIANT* r) {
                    std::optional<std::string> selector = a.text(0);
                    std::optional<std::string> style = a.text(1);
                    if (!selector || !style) return E_INVALIDARG;
                    std::vector<StyleRule>& rules = rulesOf(s);
                    long index = a.integer(2).value_or(-1);
                    if (index < 0 || static_cast<size_t>(index) > rules.size()) {
                        index = static_cast<long>(rules.size());
                    }
                    rules.insert(rules.begin() + index, StyleRule{*selector, *style});
                    setInteger(r, index);
                    return S_OK;
                },
                1),
            SheetRows::method(
                "removeRule", {optional("index", VT_I4)}, VT_VOID,
                [](StyleSheetObject& s, const MethodArguments& a, VARIANT*) {
                    std::vector<StyleRule>& rules = rulesOf(s);
                    long index = a.integer(0).value_or(0);
                    if (index < 0 || static_cast<size_t>(index) >= rules.size()) {
                        return E_INVALIDARG;
                    }
                    rules.erase(rules.begin() + index);
                    return S_OK;
                },
                1),
            SheetRows::text("cssText",
                            [](StyleSheetObject& s) {
                                std::string text;
                                for (const StyleRule& rule : rulesOf(s)) {
                                    if (!text.empty()) text += "\r\n";
                                    text += rule.selector + " { " + rule.declarations + " }";
                                }
                                return text;
                            }),
        }});
    return table;
}

}  // namespace

StyleSheetObject::StyleSheetObject(std::shared_ptr<Page> page, size_t index)
    : TableObject(page->browserPointer(), styleSheetMembers()),
      page_(std::move(page)),
      index_(index) {}

IDispatch* StyleSheetObject::create(std::shared_ptr<Page> page) {
    page->styleSheets().emplace_back();
    size_t index = page->styleSheets().size() - 1;
    return new StyleSheetObject(std::move(page), index);
}

}  // namespace browser
