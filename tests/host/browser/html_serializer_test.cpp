// innerHTML and outerHTML: upper-case tags, quoted attributes in source
// order, no end tag for void elements, escaped text.
#include "browser/dom/html_serializer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host/browser/dom_test_support.h"

namespace {

TEST(HtmlSerializerTest, WritesTheBodyAsTheOldBrowserShowsIt) {
    struct Case {
        const char* body;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"<div id=a class='x y'>t</div>", "<DIV id=\"a\" class=\"x y\">t</DIV>"},
        {"<input type=radio name=ra_0 value=A checked>",
         "<INPUT type=\"radio\" name=\"ra_0\" value=\"A\" checked=\"\">"},
        {"<p>a &amp; b &lt; c &gt; d \"q\"</p>", "<P>a &amp; b &lt; c &gt; d \"q\"</P>"},
        {"<a title='say \"hi\" <now>' href='?a=1&amp;b=2'>x</a>",
         "<A title=\"say &quot;hi&quot; &lt;now&gt;\" href=\"?a=1&amp;b=2\">x</A>"},
        {"<script>if (a < b && c) f();</script>", "<SCRIPT>if (a < b && c) f();</SCRIPT>"},
        {"<style>p > b { }</style>", "<STYLE>p > b { }</STYLE>"},
        {"<br><hr><img src=x.png><wbr>", "<BR><HR><IMG src=\"x.png\"><WBR>"},
        {"a<!-- note -->b", "a<!-- note -->b"},
        {"<foo-bar x=1>q</foo-bar>", "<FOO-BAR x=\"1\">q</FOO-BAR>"},
        {"<table><tr><td>1</td></tr></table>", "<TABLE><TBODY><TR><TD>1</TD></TR></TBODY></TABLE>"},
        {"<span title='题'>中文</span>", "<SPAN title=\"题\">中文</SPAN>"},
        {"<textarea>a<b</textarea>", "<TEXTAREA>a&lt;b</TEXTAREA>"},
        {"a&nbsp;b", "a b"},  // no-break space is a plain space in code page 936
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        auto document = dom_test::pageWithBody(c.body);
        EXPECT_EQ(dom_test::utf8(dom::innerHtml(*document->body())), dom_test::utf8(c.expected));
    }
}

TEST(HtmlSerializerTest, OuterHtmlHoldsTheElementItself) {
    auto document = dom_test::pageWithBody("<div id=d><b>x</b> y</div>");
    dom::Element* d = dom_test::byId(*document, "d");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(dom::outerHtml(*d), "<DIV id=\"d\"><B>x</B> y</DIV>");
    EXPECT_EQ(dom::innerHtml(*d), "<B>x</B> y");
    EXPECT_EQ(dom::outerHtml(*d->lastChild()), " y");
    EXPECT_EQ(dom::outerHtml(*document),
              "<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY><DIV id=\"d\"><B>x</B> y</DIV></BODY>"
              "</HTML>");
}

// What is written parses back to the same tree.
TEST(HtmlSerializerTest, OutputParsesBackToItself) {
    const std::vector<const char*> bodies = {
        "<p class=q>1.题目 &amp; <b>粗</b></p><p><label><input type=radio name=ra_0 value=A>"
        "A.选项</label></p>",
        "<a title='\"&<>' href=x>t</a><!--c--><script>a<b</script>",
        "<table><tr><td>1<td>2</table><select><option selected>a<option>b</select>",
    };
    for (const char* body : bodies) {
        SCOPED_TRACE(body);
        auto first = dom_test::pageWithBody(body);
        std::string written = dom::outerHtml(*first);
        auto second = dom::parseDocument(written);
        EXPECT_EQ(dom_test::utf8(dom::outerHtml(*second)), dom_test::utf8(written));
    }
}

}  // namespace
