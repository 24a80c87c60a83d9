// Documents and fragments as gumbo parses them, copied into our tree.
#include "browser/dom/html_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/dom/html_serializer.h"
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

}  // namespace
