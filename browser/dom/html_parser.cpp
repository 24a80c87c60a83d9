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

Node* copyNode(Document& document, const GumboNode& from);

void copyChildren(Document& document, const GumboVector& children, Node& to) {
    for (unsigned i = 0; i < children.length; ++i) {
        if (Node* child = copyNode(document, *static_cast<const GumboNode*>(children.data[i]))) {
            to.appendChild(child);
        }
    }
}

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
            copyChildren(document, source.children, *element);
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

std::unique_ptr<Document> parseUtf8(const std::string& utf8) {
    auto document = std::make_unique<Document>();
    GumboParse parse(kGumboDefaultOptions, utf8);
    if (const GumboNode* root = parse.document()) {
        copyChildren(*document, root->v.document.children, *document);
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
    const GumboVector& children = root->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        if (Node* node = copyNode(document, *static_cast<const GumboNode*>(children.data[i]))) {
            nodes.push_back(node);
        }
    }
    return nodes;
}

}  // namespace dom
