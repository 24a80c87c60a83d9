// HTML in: whole documents and fragments, parsed by gumbo (which reads
// UTF-8) and copied into our own tree (code page 936). gumbo's output lives
// only inside these functions.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "browser/dom/document.h"

namespace dom {

// How deep the parser nests elements, as browsers limit it: an element this
// many levels below the document (or below a fragment's context) holds no
// children; what the HTML puts inside it follows it as its siblings. It
// keeps every walk over the tree well inside the stack.
inline constexpr int kMaxTreeDepth = 512;

// A whole page from code page 936 bytes. The tree always has html, head and
// body (or frameset), as HTML's parsing rules supply missing ones.
std::unique_ptr<Document> parseDocument(std::string_view cp936Html);

// The same from UTF-8 bytes (a page file saved as UTF-8): the tree's texts
// are still code page 936.
std::unique_ptr<Document> parseDocumentUtf8(std::string_view utf8Html);

// A fragment (code page 936) parsed as the content of an element named
// contextLocalName, as innerHTML and its relatives do: "<td>" parses as a
// cell in the context "tr", and as nothing but its text in the context
// "div". The nodes are made in document and returned detached, in order.
std::vector<Node*> parseFragment(Document& document, std::string_view contextLocalName,
                                 std::string_view cp936Html);

}  // namespace dom
