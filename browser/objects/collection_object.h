// Element collections: document.all, getElementsByTagName and
// getElementsByName, children, tags(), options, rows, cells, forms... Each
// is live: it asks its source again whenever the tree has changed since it
// last looked (the document's version), so it always lists what is there.
//
// item(i) counts from 0; item(name) and namedItem(name) look at id and name
// attributes (exact): one element when one matches, a collection of them
// when several do (item's second argument then picks one), null when none.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "browser/objects/browser_object.h"

namespace dom {
class Element;
class Node;
}  // namespace dom

namespace browser {

class Page;

class CollectionObject : public TableObject<CollectionObject> {
public:
    using Source = std::function<std::vector<dom::Element*>()>;

    // A new collection (one reference, the caller's) over what `source` lists.
    static IDispatch* create(std::shared_ptr<Page> page, Source source);

    // The elements now, in order.
    const std::vector<dom::Element*>& elements();

    HRESULT item(const VARIANT* nameOrIndex, const VARIANT* index, VARIANT* result);
    HRESULT namedItem(std::string_view name, VARIANT* result);
    IDispatch* tags(std::string_view tagName);

    // `all.x` and `all[0]` in script.
    HRESULT namedProperty(std::string_view name, VARIANT* result) override;

private:
    CollectionObject(std::shared_ptr<Page> page, Source source);

    std::vector<dom::Element*> matching(std::string_view name);

    std::shared_ptr<Page> page_;
    Source source_;
    std::vector<dom::Element*> elements_;
    std::uint64_t version_ = 0;
};

// The elements below a node, in document order (all), and its child elements.
CollectionObject::Source allBelow(std::shared_ptr<Page> page, dom::Node* root);
CollectionObject::Source childrenOf(std::shared_ptr<Page> page, dom::Node* parent);
// The elements below a node with a tag name (any letter case; "*": all).
CollectionObject::Source tagged(std::shared_ptr<Page> page, dom::Node* root, std::string tagName);

// True when the text is a whole non-negative decimal number; its value.
bool isIndexText(std::string_view text, long* index);

}  // namespace browser
