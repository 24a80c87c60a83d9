// innerHTML, outerHTML, insertAdjacentHTML and pasting HTML into a text.
#include "browser/dom/html_editing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/dom/html_serializer.h"
#include "tests/host/browser/dom_test_support.h"

namespace {

using dom_test::byId;
using dom_test::pageWithBody;

TEST(HtmlEditingTest, AdjacentPositionsByName) {
    EXPECT_EQ(dom::adjacentPositionNamed("beforeBegin"), dom::AdjacentPosition::beforeBegin);
    EXPECT_EQ(dom::adjacentPositionNamed("AFTERBEGIN"), dom::AdjacentPosition::afterBegin);
    EXPECT_EQ(dom::adjacentPositionNamed("beforeend"), dom::AdjacentPosition::beforeEnd);
    EXPECT_EQ(dom::adjacentPositionNamed("afterEnd"), dom::AdjacentPosition::afterEnd);
    EXPECT_EQ(dom::adjacentPositionNamed("after"), std::nullopt);
    EXPECT_EQ(dom::adjacentPositionNamed(""), std::nullopt);
}

TEST(HtmlEditingTest, InsertAdjacentHtmlPutsTheFragmentAtEachPosition) {
    struct Case {
        dom::AdjacentPosition position;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {dom::AdjacentPosition::beforeBegin, "<I>n</I><P id=\"t\"><B>x</B></P>"},
        {dom::AdjacentPosition::afterBegin, "<P id=\"t\"><I>n</I><B>x</B></P>"},
        {dom::AdjacentPosition::beforeEnd, "<P id=\"t\"><B>x</B><I>n</I></P>"},
        {dom::AdjacentPosition::afterEnd, "<P id=\"t\"><B>x</B></P><I>n</I>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        auto document = pageWithBody("<div id=p><p id=t><b>x</b></p></div>");
        dom::Element* t = byId(*document, "t");
        ASSERT_NE(t, nullptr);
        EXPECT_TRUE(dom::insertAdjacentHtml(*t, c.position, "<i>n</i>"));
        EXPECT_EQ(dom::innerHtml(*byId(*document, "p")), c.expected);
    }
}

TEST(HtmlEditingTest, RefusesWhereThereIsNoPlace) {
    auto document = pageWithBody("<input id=i><div id=d></div>");
    dom::Element* input = byId(*document, "i");
    dom::Element* detached = document->createElement("div");
    dom::Element* html = document->documentElement();
    ASSERT_NE(input, nullptr);
    std::string before = dom::outerHtml(*document);

    EXPECT_FALSE(dom::setInnerHtml(*input, "<b>x</b>"));
    EXPECT_FALSE(dom::insertAdjacentHtml(*input, dom::AdjacentPosition::afterBegin, "x"));
    EXPECT_FALSE(dom::insertAdjacentHtml(*input, dom::AdjacentPosition::beforeEnd, "x"));
    EXPECT_FALSE(dom::setOuterHtml(*html, "<p>x</p>"));
    EXPECT_FALSE(dom::setOuterHtml(*detached, "<p>x</p>"));
    EXPECT_FALSE(dom::insertAdjacentHtml(*detached, dom::AdjacentPosition::beforeBegin, "x"));
    EXPECT_FALSE(dom::insertAdjacentHtml(*html, dom::AdjacentPosition::afterEnd, "x"));
    EXPECT_EQ(dom::outerHtml(*document), before);

    // Around a void element there is room.
    EXPECT_TRUE(dom::insertAdjacentHtml(*input, dom::AdjacentPosition::afterEnd, "<b>x</b>"));
    EXPECT_EQ(dom::innerHtml(*document->body()), "<INPUT id=\"i\"><B>x</B><DIV id=\"d\"></DIV>");
}

TEST(HtmlEditingTest, InnerHtmlParsesInTheElementsContext) {
    auto document = pageWithBody(
        "<table><tbody><tr id=r><td>old</td></tr></tbody></table>"
        "<div id=d>old</div>");
    dom::Element* row = byId(*document, "r");
    dom::Element* div = byId(*document, "d");
    ASSERT_TRUE(row && div);
    EXPECT_TRUE(dom::setInnerHtml(*row, "<td>1</td><td>2</td>"));
    EXPECT_EQ(dom::innerHtml(*row), "<TD>1</TD><TD>2</TD>");
    EXPECT_TRUE(dom::setInnerHtml(*div, "<td>1</td>中文"));
    EXPECT_EQ(dom_test::utf8(dom::innerHtml(*div)), dom_test::utf8("1中文"));
    EXPECT_TRUE(dom::setInnerHtml(*div, ""));
    EXPECT_TRUE(div->childNodes().empty());
}

TEST(HtmlEditingTest, OuterHtmlReplacesTheElementAndLeavesItDetached) {
    auto document = pageWithBody("<div id=p>a<span id=s>x</span>b</div>");
    dom::Element* span = byId(*document, "s");
    ASSERT_NE(span, nullptr);
    EXPECT_TRUE(dom::setOuterHtml(*span, "<b>1</b><i>2</i>"));
    EXPECT_EQ(dom::innerHtml(*byId(*document, "p")), "a<B>1</B><I>2</I>b");
    EXPECT_EQ(span->parentNode(), nullptr);
    EXPECT_EQ(dom::outerHtml(*span), "<SPAN id=\"s\">x</SPAN>");
}

TEST(HtmlEditingTest, PastesIntoATextAtAnOffset) {
    struct Case {
        std::size_t offset;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {0, "<B>X</B>中文ab"},
        {2, "中<B>X</B>文ab"},
        {5, "中文a<B>X</B>b"},
        {6, "中文ab<B>X</B>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        auto document = pageWithBody("<p id=p>中文ab</p>");
        dom::Element* p = byId(*document, "p");
        ASSERT_NE(p, nullptr);
        EXPECT_TRUE(
            dom::insertHtmlInText(*p->firstChild()->asCharacterData(), c.offset, "<b>X</b>"));
        EXPECT_EQ(dom_test::utf8(dom::innerHtml(*p)), dom_test::utf8(c.expected));
    }
    auto document = pageWithBody("<p id=p>ab</p>");
    dom::Element* p = byId(*document, "p");
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(dom::insertHtmlInText(*p->firstChild()->asCharacterData(), 3, "x"));
    EXPECT_TRUE(dom::insertHtmlAt(*p, 1, "<i>y</i>"));
    EXPECT_FALSE(dom::insertHtmlAt(*p, 3, "z"));
    EXPECT_EQ(dom::innerHtml(*p), "ab<I>y</I>");
}

}  // namespace
