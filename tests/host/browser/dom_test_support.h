// What the browser core's tests share: pages made from a body's HTML,
// elements found by id, and code page 936 texts shown as UTF-8 in failure
// messages.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "browser/dom/code_page_936.h"
#include "browser/dom/document.h"
#include "browser/dom/element_queries.h"
#include "browser/dom/html_parser.h"

namespace dom_test {

// A page whose body holds the given HTML (code page 936, as the tests'
// literals are compiled).
inline std::unique_ptr<dom::Document> pageWithBody(std::string_view bodyHtml) {
    return dom::parseDocument("<html><head><title>t</title></head><body>" + std::string(bodyHtml) +
                              "</body></html>");
}

// The element with this id; a test failure (and a null pointer) when absent.
inline dom::Element* byId(dom::Document& document, std::string_view id) {
    dom::Element* element = dom::getElementById(document, id);
    if (!element) ADD_FAILURE() << "no element with id " << id;
    return element;
}

// Code page 936 bytes as UTF-8, so that failures print readable text.
inline std::string utf8(std::string_view cp936) { return dom::cp936ToUtf8(cp936); }

}  // namespace dom_test
