#include "browser/dom/html_parser.h"

#include <gumbo.h>

#include "browser/dom/code_page_936.h"

namespace dom {
namespace {

// Owns one gumbo parse and is the one place its output is destroyed.
class GumboParse {
public:
    GumboParse(const GumboOptions& options, const std::string& utf8)
        : options_(options),
          output_(gumbo_parse_with_options(&options_, utf8.data(), utf8.size())) {}
    ~GumboParse() {
        if (output_) gumbo_destroy_output(&options_, output_);
    }
    GumboParse(const GumboParse&) = delete;
    GumboParse& operator=(const GumboParse&) = delete;

    const GumboNode* document() const { return output_ ? output_->document : nullptr; }
    // With a fragment context, gumbo puts the fragment's nodes under one
    // html element.
    const GumboNode* root() const { return output_ ? output_->root : nullptr; }

private:
    GumboOptions options_;
    GumboOutput* output_;
};

std::string localNameOf(const GumboElement& element) {
    if (element.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(element.tag);
    // An unknown tag keeps the name it was written with, in lower case.
    GumboStringPiece piece = element.original_tag;
    gumbo_tag_from_original_text(&piece);
    if (piece.length == 0) return "unknown";
    return asciiLower(std::string_view(piece.data, piece.length));
}

// One node, without its children; nullptr for what the tree does not keep.
Node* copyNode(Document& document, const GumboNode& from) {
    switch (from.type) {
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE: {
            const GumboElement& source = from.v.element;
            Element* element = document.createElement(localNameOf(source));
            for (unsigned i = 0; i < source.attributes.length; ++i) {
                const auto* attribute =
                    static_cast<const GumboAttribute*>(source.attributes.data[i]);
                element->setAttribute(attribute->name, utf8ToCp936(attribute->value));
            }
            return element;
        }
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_CDATA:
        case GUMBO_NODE_WHITESPACE:
            return document.createTextNode(utf8ToCp936(from.v.text.text));
        case GUMBO_NODE_COMMENT:
            return document.createComment(utf8ToCp936(from.v.text.text));
        case GUMBO_NODE_DOCUMENT:
            return nullptr;
    }
    return nullptr;
}

const GumboVector* childrenOf(const GumboNode& node) {
    if (node.type == GUMBO_NODE_ELEMENT || node.type == GUMBO_NODE_TEMPLATE) {
        return &node.v.element.children;
    }
    return node.type == GUMBO_NODE_DOCUMENT ? &node.v.document.children : nullptr;
}

// Copies the children of a gumbo node (and everything below them) under to,
// or, when to is nullptr, into topLevel. Without recursion, so that a page
// nested deeper than the stack allows still parses; an element
// kMaxTreeDepth levels down gets no children of its own: what gumbo has
// inside it follows it as its siblings.
void copyChildren(Document& document, const GumboNode& from, Node* to,
                  std::vector<Node*>& topLevel) {
    struct Pending {
        const GumboNode* node;
        Node* parent;
        int parentDepth;
    };
    std::vector<Pending> stack;
    auto pushChildren = [&stack](const GumboNode& node, Node* parent, int parentDepth) {
        const GumboVector* children = childrenOf(node);
        if (!children) return;
        for (unsigned i = children->length; i > 0; --i) {
            stack.push_back(
                {static_cast<const GumboNode*>(children->data[i - 1]), parent, parentDepth});
        }
    };
    pushChildren(from, to, 0);
    while (!stack.empty()) {
        Pending next = stack.back();
        stack.pop_back();
        Node* node = copyNode(document, *next.node);
        if (!node) continue;
        if (next.parent) {
            next.parent->appendChild(node);
        } else {
            topLevel.push_back(node);
        }
        if (node->kind() != NodeKind::element) continue;
        int depth = next.parentDepth + 1;
        if (depth < kMaxTreeDepth) {
            pushChildren(*next.node, node, depth);
        } else {
            pushChildren(*next.node, next.parent, next.parentDepth);
        }
    }
}

std::unique_ptr<Document> parseUtf8(const std::string& utf8) {
    auto document = std::make_unique<Document>();
    GumboParse parse(kGumboDefaultOptions, utf8);
    std::vector<Node*> unused;
    if (const GumboNode* root = parse.document()) {
        copyChildren(*document, *root, document.get(), unused);
    }
    return document;
}

}  // namespace

std::unique_ptr<Document> parseDocument(std::string_view cp936Html) {
    return parseUtf8(cp936ToUtf8(cp936Html));
}

std::unique_ptr<Document> parseDocumentUtf8(std::string_view utf8Html) {
    return parseUtf8(std::string(utf8Html));
}

std::vector<Node*> parseFragment(Document& document, std::string_view contextLocalName,
                                 std::string_view cp936Html) {
    GumboOptions options = kGumboDefaultOptions;
    std::string context = asciiLower(contextLocalName);
    GumboTag tag = gumbo_tag_enum(context.c_str());
    // An unknown context element parses its content as a div would.
    options.fragment_context = tag == GUMBO_TAG_UNKNOWN ? GUMBO_TAG_DIV : tag;
    options.fragment_namespace = GUMBO_NAMESPACE_HTML;

    GumboParse parse(options, cp936ToUtf8(cp936Html));
    std::vector<Node*> nodes;
    const GumboNode* root = parse.root();
    if (!root || root->type != GUMBO_NODE_ELEMENT) return nodes;
    copyChildren(document, *root, nullptr, nodes);
    return nodes;
}

}  // namespace dom
