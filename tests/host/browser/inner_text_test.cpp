// innerText read and written: one row per rule of browser/README.md.
#include "browser/dom/inner_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/dom/html_serializer.h"
#include "tests/host/browser/dom_test_support.h"

namespace {

using dom_test::byId;
using dom_test::pageWithBody;
using dom_test::utf8;

TEST(InnerTextTest, BodyTextFollowsTheRules) {
    struct Case {
        const char* body;
        const char* expected;
    };
    const std::vector<Case> cases = {
        // inline elements and white space
        {"a<b>b</b>c", "abc"},
        {"  a   b \n\t c  ", "a b c"},
        {"a <span> </span> b", "a b"},
        {"<b>a </b> b", "a b"},
        {"中文 <b>字</b>", "中文 字"},
        {"x &amp; &lt;y&gt;", "x & <y>"},
        {"a&nbsp;&nbsp;b", "a b"},
        {"a<!-- c -->b", "ab"},
        // blocks, paragraphs and line breaks
        {"<div>a</div><div>b</div>", "a\r\nb"},
        {"a<div>b</div>c", "a\r\nb\r\nc"},
        {"<div>  a  </div>  \n  <div> b </div>", "a\r\nb"},
        {"<div><div><div>a</div></div></div><div>b</div>", "a\r\nb"},
        {"<p>a</p><p>b</p>", "a\r\n\r\nb"},
        {"<p>a</p>b", "a\r\n\r\nb"},
        {"a<p>b</p>", "a\r\nb"},
        {"<p>a</p><div><p>b</p></div><div>c</div>", "a\r\n\r\nb\r\n\r\nc"},
        {"<h1>T</h1>x<h2>U</h2>", "T\r\nx\r\nU"},
        {"<ul><li>a</li><li>b</li></ul><ol><li>c</li></ol>", "a\r\nb\r\nc"},
        {"<dl><dt>a</dt><dd>b</dd></dl>", "a\r\nb"},
        {"<center>a</center><blockquote>b</blockquote><form>c</form>", "a\r\nb\r\nc"},
        {"<section>a</section><article>b</article><address>c</address>", "a\r\nb\r\nc"},
        {"<hr>a<hr>b", "a\r\nb"},
        {"<span style='display:block'>a</span>b", "a\r\nb"},
        {"a<br>b", "a\r\nb"},
        {"a<br><br>b", "a\r\n\r\nb"},
        {"a <br> b", "a\r\nb"},
        {"<br>a", "\r\na"},
        {"a<br>", "a\r\n"},
        {"<div>a<br></div><div>b</div>", "a\r\nb"},
        {"<div>a</div><br>b", "a\r\n\r\nb"},
        {"<p>a<br></p>b", "a\r\n\r\nb"},
        {"<pre>a  b\n c\r\nd</pre>x", "a  b\r\n c\r\nd\r\nx"},
        // tables
        {"<table><tr><td>a</td><td>b</td></tr><tr><td>c</td><td> d </td></tr></table>",
         "a\tb\r\nc\td"},
        {"<table><tr><th>h</th><td></td><td>x</td></tr></table>", "h\t\tx"},
        {"<table><caption>cap</caption><tr><td>a</td></tr></table>", "cap\r\na"},
        // what gives no text
        {"<script>x=1</script>a<style>p{}</style>", "a"},
        {"a<input type=text value=v>b", "ab"},
        {"a <input type=button value=v> b", "a b"},
        {"<select><option selected>x</option></select>a", "a"},
        {"<textarea>t</textarea>a", "a"},
        {"<input type=hidden value=x>a", "a"},
        {"<iframe src=x.html>fallback</iframe>a", "a"},
        {"<span style='display:none'>x</span>a", "a"},
        {"<div style='color: red; DISPLAY : None'>x<p>y</p></div>a", "a"},
        {"<div style='display:none'>x</div><div>a</div>", "a"},
        // what does
        {"<button>下一题</button>", "下一题"},
        {"<a href='#'>下一题</a>", "下一题"},
        {"<label><input type=radio name=r value=A>A.选项</label>", "A.选项"},
        {"<img src=x.png alt=picture>a", "a"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.body));
        auto document = pageWithBody(c.body);
        EXPECT_EQ(utf8(dom::innerText(*document->body())), utf8(c.expected));
    }
}

// The element asked is not itself looked at: a hidden or never-shown
// element still gives the text inside it.
TEST(InnerTextTest, TheElementAskedGivesItsContent) {
    auto document = pageWithBody(
        "<div id=h style='display:none'>a<b>b</b></div><script id=s>var x;</script>"
        "<p id=p>para</p><pre id=pre>a  <b id=b> x  y </b></pre>");
    EXPECT_EQ(dom::innerText(*byId(*document, "h")), "ab");
    EXPECT_EQ(dom::innerText(*byId(*document, "s")), "var x;");
    EXPECT_EQ(dom::innerText(*byId(*document, "p")), "para");
    EXPECT_EQ(dom::innerText(*byId(*document, "b")), " x  y ");  // inside a pre
    EXPECT_EQ(dom::innerText(*document->documentElement()), "para\r\n\r\na   x  y ");
}

TEST(InnerTextTest, SettingInnerTextMakesTextAndLineBreaks) {
    struct Case {
        const char* text;
        const char* html;
        const char* readBack;
    };
    const std::vector<Case> cases = {
        {"plain", "plain", "plain"},
        {"a\r\nb", "a<BR>b", "a\r\nb"},
        {"a\nb\rc", "a<BR>b<BR>c", "a\r\nb\r\nc"},
        {"a\r\n\r\nb", "a<BR><BR>b", "a\r\n\r\nb"},
        {"x<y & z", "x&lt;y &amp; z", "x<y & z"},
        {"中文\r\n", "中文<BR>", "中文\r\n"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.text));
        auto document = pageWithBody("<div id=d><p>old</p><b>old</b></div>");
        dom::Element* d = byId(*document, "d");
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(dom::setInnerText(*d, c.text));
        EXPECT_EQ(utf8(dom::innerHtml(*d)), utf8(c.html));
        EXPECT_EQ(utf8(dom::innerText(*d)), utf8(c.readBack));
    }
    auto document = pageWithBody("<input id=i>");
    EXPECT_FALSE(dom::setInnerText(*byId(*document, "i"), "x"));
}

TEST(InnerTextTest, SettingOuterTextReplacesTheElement) {
    auto document = pageWithBody("<div id=d>a<span id=s>x</span>z</div>");
    dom::Element* s = byId(*document, "s");
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(dom::setOuterText(*s, "1\r\n2"));
    EXPECT_EQ(dom::innerHtml(*byId(*document, "d")), "a1<BR>2z");
    EXPECT_EQ(s->parentNode(), nullptr);
    EXPECT_EQ(dom::innerText(*s), "x");
    EXPECT_FALSE(dom::setOuterText(*s, "again"));  // detached now
    EXPECT_FALSE(dom::setOuterText(*document->documentElement(), "x"));
}

TEST(InnerTextTest, TextContentKeepsEverything) {
    auto document = pageWithBody("<div id=d> a <script>s</script><p>b</p></div>");
    EXPECT_EQ(dom::textContent(*byId(*document, "d")), " a sb");
}

}  // namespace
