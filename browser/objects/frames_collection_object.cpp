#include "browser/objects/frames_collection_object.h"

#include "browser/objects/collection_object.h"
#include "browser/objects/window_object.h"
#include "browser/page/page.h"
#include "browser/page/window.h"

namespace browser {

namespace {

using FramesRows = Rows<FramesCollectionObject>;

const MemberTable<FramesCollectionObject>& framesMembers() {
    static const MemberTable<FramesCollectionObject> table(
        "IHTMLFramesCollection2",
        {{
            FramesRows::integer("length", [](FramesCollectionObject& f) { return f.length(); }),
            FramesRows::method("item", {required("index", VT_VARIANT)}, VT_VARIANT,
                               [](FramesCollectionObject& f, const MethodArguments& a, VARIANT* r) {
                                   const VARIANT* index = a.at(0);
                                   if (index == nullptr) return DISP_E_PARAMNOTOPTIONAL;
                                   return f.item(*index, r);
                               })
                .asDefault(),
        }});
    return table;
}

}  // namespace

FramesCollectionObject::FramesCollectionObject(std::shared_ptr<BrowserState> browser,
                                               std::shared_ptr<Page> page, std::string viewer)
    : TableObject(std::move(browser), framesMembers()),
      page_(std::move(page)),
      viewer_(std::move(viewer)) {}

IDispatch* FramesCollectionObject::create(std::shared_ptr<BrowserState> browser,
                                          std::shared_ptr<Page> page, std::string viewer) {
    return new FramesCollectionObject(std::move(browser), std::move(page), std::move(viewer));
}

long FramesCollectionObject::length() {
    return page_ ? static_cast<long>(page_->frames().size()) : 0;
}

HRESULT FramesCollectionObject::item(const VARIANT& nameOrIndex, VARIANT* result) {
    if (!page_) {
        setObject(result, nullptr);
        return S_OK;
    }
    auto frames = page_->frames();
    if (nameOrIndex.vt == VT_BSTR) {
        std::string name = variantText(nameOrIndex).value_or("");
        for (auto& [element, window] : frames) {
            if (window->name() == name) {
                setObject(result, WindowObject::create(window, viewer_));
                return S_OK;
            }
        }
        setObject(result, nullptr);
        return S_OK;
    }
    std::optional<long> index = variantInteger(nameOrIndex);
    if (!index || *index < 0 || static_cast<size_t>(*index) >= frames.size()) {
        setObject(result, nullptr);
        return S_OK;
    }
    setObject(result, WindowObject::create(frames[static_cast<size_t>(*index)].second, viewer_));
    return S_OK;
}

HRESULT FramesCollectionObject::namedProperty(std::string_view name, VARIANT* result) {
    if (!page_) return DISP_E_MEMBERNOTFOUND;
    long index = 0;
    auto frames = page_->frames();
    if (isIndexText(name, &index)) {
        if (static_cast<size_t>(index) >= frames.size()) return DISP_E_MEMBERNOTFOUND;
        setObject(result, WindowObject::create(frames[static_cast<size_t>(index)].second, viewer_));
        return S_OK;
    }
    for (auto& [element, window] : frames) {
        if (window->name() == name) {
            setObject(result, WindowObject::create(window, viewer_));
            return S_OK;
        }
    }
    return DISP_E_MEMBERNOTFOUND;
}

}  // namespace browser
