#include "browser/objects/collection_object.h"

#include "browser/dom/element_queries.h"
#include "browser/objects/element_object.h"
#include "browser/page/page.h"

namespace browser {

namespace {

using CollectionRows = Rows<CollectionObject>;

const MemberTable<CollectionObject>& collectionMembers() {
    static const MemberTable<CollectionObject> table(
        "IHTMLElementCollection",
        {{
            CollectionRows::integer(
                "length",
                [](CollectionObject& c) { return static_cast<long>(c.elements().size()); }),
            CollectionRows::method(
                "item", {optional("name"), optional("index")}, VT_DISPATCH,
                [](CollectionObject& c, const MethodArguments& a, VARIANT* r) {
                    return c.item(a.given(0) ? a.at(0) : nullptr, a.given(1) ? a.at(1) : nullptr,
                                  r);
                },
                2)
                .asDefault(),
            CollectionRows::method("tags", {required("tagName", VT_VARIANT)}, VT_DISPATCH,
                                   [](CollectionObject& c, const MethodArguments& a, VARIANT* r) {
                                       std::optional<std::string> tag = a.text(0);
                                       if (!tag) return E_INVALIDARG;
                                       setObject(r, c.tags(*tag));
                                       return S_OK;
                                   }),
            CollectionRows::method("namedItem", {required("name", VT_BSTR)}, VT_DISPATCH,
                                   [](CollectionObject& c, const MethodArguments& a, VARIANT* r) {
                                       std::optional<std::string> name = a.text(0);
                                       if (!name) return E_INVALIDARG;
                                       return c.namedItem(*name, r);
                                   }),
        }});
    return table;
}

}  // namespace

CollectionObject::CollectionObject(std::shared_ptr<Page> page, Source source)
    : TableObject(page->browserPointer(), collectionMembers()),
      page_(std::move(page)),
      source_(std::move(source)) {}

IDispatch* CollectionObject::create(std::shared_ptr<Page> page, Source source) {
    return new CollectionObject(std::move(page), std::move(source));
}

const std::vector<dom::Element*>& CollectionObject::elements() {
    std::uint64_t version = page_->document().version();
    if (version != version_) {
        elements_ = source_();
        version_ = version;
    }
    return elements_;
}

std::vector<dom::Element*> CollectionObject::matching(std::string_view name) {
    std::vector<dom::Element*> found;
    for (dom::Element* element : elements()) {
        const std::string* id = element->findAttribute("id");
        const std::string* elementName = element->findAttribute("name");
        if ((id != nullptr && *id == name) || (elementName != nullptr && *elementName == name)) {
            found.push_back(element);
        }
    }
    return found;
}

HRESULT CollectionObject::item(const VARIANT* nameOrIndex, const VARIANT* index, VARIANT* result) {
    if (nameOrIndex == nullptr) {
        setObject(result, nullptr);
        return S_OK;
    }
    if (nameOrIndex->vt != VT_BSTR) {
        std::optional<long> position = variantInteger(*nameOrIndex);
        const auto& all = elements();
        if (!position || *position < 0 || static_cast<size_t>(*position) >= all.size()) {
            setObject(result, nullptr);
            return S_OK;
        }
        setObject(result, ElementObject::get(page_, all[static_cast<size_t>(*position)]));
        return S_OK;
    }
    std::optional<std::string> name = variantText(*nameOrIndex);
    std::vector<dom::Element*> found = name ? matching(*name) : std::vector<dom::Element*>();
    if (index != nullptr) {
        std::optional<long> position = variantInteger(*index);
        if (!position || *position < 0 || static_cast<size_t>(*position) >= found.size()) {
            setObject(result, nullptr);
        } else {
            setObject(result, ElementObject::get(page_, found[static_cast<size_t>(*position)]));
        }
        return S_OK;
    }
    return namedItem(name.value_or(std::string()), result);
}

HRESULT CollectionObject::namedItem(std::string_view name, VARIANT* result) {
    std::vector<dom::Element*> found = matching(name);
    if (found.empty()) {
        setObject(result, nullptr);
    } else if (found.size() == 1) {
        setObject(result, ElementObject::get(page_, found.front()));
    } else {
        // The elements of this collection under the name, live like it.
        auto* self = this;
        AddRef();
        std::string key(name);
        std::shared_ptr<IDispatch> keep(self, [](IDispatch* c) { c->Release(); });
        setObject(result, create(page_, [keep, self, key] { return self->matching(key); }));
    }
    return S_OK;
}

IDispatch* CollectionObject::tags(std::string_view tagName) {
    auto* self = this;
    AddRef();
    std::shared_ptr<IDispatch> keep(self, [](IDispatch* c) { c->Release(); });
    std::string tag(tagName);
    return create(page_, [keep, self, tag] {
        std::vector<dom::Element*> found;
        for (dom::Element* element : self->elements()) {
            if (tag == "*" || dom::equalsIgnoringAsciiCase(element->localName(), tag)) {
                found.push_back(element);
            }
        }
        return found;
    });
}

HRESULT CollectionObject::namedProperty(std::string_view name, VARIANT* result) {
    long index = 0;
    if (isIndexText(name, &index)) {
        const auto& all = elements();
        if (static_cast<size_t>(index) >= all.size()) return DISP_E_MEMBERNOTFOUND;
        setObject(result, ElementObject::get(page_, all[static_cast<size_t>(index)]));
        return S_OK;
    }
    if (matching(name).empty()) return DISP_E_MEMBERNOTFOUND;
    return namedItem(name, result);
}

CollectionObject::Source allBelow(std::shared_ptr<Page> page, dom::Node* root) {
    return [page, root] { return dom::allElements(*root); };
}

CollectionObject::Source childrenOf(std::shared_ptr<Page> page, dom::Node* parent) {
    return [page, parent] { return dom::childElements(*parent); };
}

CollectionObject::Source tagged(std::shared_ptr<Page> page, dom::Node* root, std::string tagName) {
    return [page, root, tagName] { return dom::getElementsByTagName(*root, tagName); };
}

bool isIndexText(std::string_view text, long* index) {
    if (text.empty() || text.size() > 9) return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (text.size() > 1 && text[0] == '0') return false;
    *index = value;
    return true;
}

}  // namespace browser
