// Documents and fragments as gumbo parses them, copied into our tree.
#include "browser/dom/html_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "browser/dom/element_queries.h"
#include "browser/dom/html_serializer.h"
#include "browser/dom/inner_text.h"
#include "tests/host/browser/dom_test_support.h"

namespace {

std::string serialised(const std::vector<dom::Node*>& nodes) {
    std::string out;
    for (const dom::Node* node : nodes) out += dom::outerHtml(*node);
    return out;
}

TEST(HtmlParserTest, FragmentsParseInTheirContext) {
    struct Case {
        const char* context;
        const char* html;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"div", "a<b>b</b>c", "a<B>b</B>c"},
        {"div", "<p>one<p>two", "<P>one</P><P>two</P>"},
        {"div", "<td>cell</td>", "cell"},  // a cell outside a row is only its text
        {"tr", "<td>1</td><td>2", "<TD>1</TD><TD>2</TD>"},
        {"tbody", "<tr><td>1</td></tr>", "<TR><TD>1</TD></TR>"},
        {"select", "<option>a<option>b", "<OPTION>a</OPTION><OPTION>b</OPTION>"},
        {"title", "a <b>x</b>", "a &lt;b&gt;x&lt;/b&gt;"},  // text only in a title
        {"my-widget", "<i>x</i>", "<I>x</I>"},              // unknown: as a div
        {"DIV", "<span>中文</span>", "<SPAN>中文</SPAN>"},
        {"div", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.context) + ": " + c.html);
        dom::Document document;
        std::vector<dom::Node*> nodes = dom::parseFragment(document, c.context, c.html);
        for (const dom::Node* node : nodes) {
            EXPECT_EQ(node->parentNode(), nullptr);
            EXPECT_EQ(&node->ownerDocument(), &document);
        }
        EXPECT_EQ(dom_test::utf8(serialised(nodes)), dom_test::utf8(c.expected));
    }
}

TEST(HtmlParserTest, Utf8PagesGiveTheSameTree) {
    auto fromCp936 = dom::parseDocument("<p title='题'>下一题</p>");
    auto fromUtf8 = dom::parseDocumentUtf8(dom::cp936ToUtf8("<p title='题'>下一题</p>"));
    EXPECT_EQ(dom::outerHtml(*fromUtf8), dom::outerHtml(*fromCp936));
    EXPECT_EQ(dom_test::utf8(dom::innerHtml(*fromCp936->body())),
              dom_test::utf8("<P title=\"题\">下一题</P>"));
}

TEST(HtmlParserTest, BrokenMarkupIsRepairedAsBrowsersDo) {
    struct Case {
        const char* body;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"<b><i>x</b>y</i>", "<B><I>x</I></B><I>y</I>"},
        {"<table><tr><td>a<td>b</table>",
         "<TABLE><TBODY><TR><TD>a</TD><TD>b</TD></TR></TBODY></TABLE>"},
        {"<ul><li>a<li>b</ul>", "<UL><LI>a</LI><LI>b</LI></UL>"},
        {"<p>a<div>b</div>", "<P>a</P><DIV>b</DIV>"},
        {"a</span>b", "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        auto document = dom_test::pageWithBody(c.body);
        EXPECT_EQ(dom::innerHtml(*document->body()), c.expected);
    }
}

int depthOf(const dom::Node& node) {
    int depth = 0;
    for (const dom::Node* n = &node; n->parentNode(); n = n->parentNode()) ++depth;
    return depth;
}

// A page nested far deeper than any real one keeps all its elements, in
// order, but no deeper than the limit: every walk over the tree stays well
// inside the stack.
TEST(HtmlParserTest, DeepNestingIsFlattenedAtTheLimit) {
    constexpr int kCount = 5000;
    std::string html;
    for (int i = 0; i < kCount; ++i) html += "<div id=d" + std::to_string(i) + ">";
    html += "x";

    auto document = dom::parseDocument(html);
    std::vector<dom::Element*> divs = dom::getElementsByTagName(*document, "div");
    ASSERT_EQ(divs.size(), static_cast<std::size_t>(kCount));
    int deepest = 0;
    for (std::size_t i = 0; i < divs.size(); ++i) {
        ASSERT_EQ(divs[i]->id(), "d" + std::to_string(i));  // document order kept
        deepest = std::max(deepest, depthOf(*divs[i]));
    }
    EXPECT_EQ(deepest, dom::kMaxTreeDepth);
    EXPECT_EQ(dom::innerText(*document->body()), "x");

    std::vector<dom::Node*> fragment = dom::parseFragment(*document, "div", html);
    ASSERT_FALSE(fragment.empty());
    int fragmentElements = 0;
    for (dom::Node* node : fragment) {
        fragmentElements += 1 + static_cast<int>(dom::allElements(*node).size());
    }
    EXPECT_EQ(fragmentElements, kCount);
}

}  // namespace
