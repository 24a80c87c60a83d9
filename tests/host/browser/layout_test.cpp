// Boxes as the layout places them, read through offsetLeft, offsetTop,
// offsetWidth, offsetHeight and offsetParent. The numbers follow from the
// constants in layout.h: lines 20 px high, 8 px per byte, controls of fixed
// sizes, a viewport of 1024 x 768.
#include "browser/dom/layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host/browser/dom_test_support.h"

namespace {

using dom_test::byId;
using dom_test::pageWithBody;

struct BoxCase {
    const char* body;  // the element to measure has id "e"
    int left, top, width, height;
    const char* parent;  // the offsetParent's id: "body" for the body, "" for none
};

TEST(LayoutTest, ElementsGetTheirBoxes) {
    const std::vector<BoxCase> cases = {
        // blocks stack at full width; text lines are 20 px
        {"<div id=e>abc</div>", 0, 0, 1024, 20, "body"},
        {"<div>x</div><div id=e>y</div>", 0, 20, 1024, 20, "body"},
        {"<div id=e></div><div>x</div>", 0, 0, 1024, 0, "body"},
        {"<p id=e>a<br>b</p>", 0, 0, 1024, 40, "body"},
        {"<div id=e><div>a</div><p>b</p><div>c</div></div>", 0, 0, 1024, 60, "body"},
        {"<div id=e style='height:100px'>x</div>", 0, 0, 1024, 100, "body"},
        {"<div style='height:100px'>x</div><div id=e>y</div>", 0, 100, 1024, 20, "body"},
        {"<div id=e style='width:300px; height: 10'>x</div>", 0, 0, 300, 10, "body"},
        {"<div id=e style='width:50%'>x</div>", 0, 0, 1024, 20, "body"},  // % ignored
        {"<div id=e style='width:2000000px;height:99999999999px'>x</div>", 0, 0, 1024, 20, "body"},
        {"<img id=e width=2000000 height=-5>", 0, 0, 0, 0, "body"},
        // inline text: 8 px a byte, collapsed spaces 8 px
        {"<span id=e>abcd</span>", 0, 0, 32, 20, "body"},
        {"ab<span id=e>中文</span>", 16, 0, 32, 20, "body"},
        {"a  \n <span id=e>b</span>", 16, 0, 8, 20, "body"},
        {"ab<span id=e></span>", 16, 0, 0, 20, "body"},
        {"<div>x</div>  <b id=e>y</b>", 0, 20, 8, 20, "body"},
        // lines wrap at the character that does not fit
        {"<div id=e style='width:40px'>aaaa bbbb</div>", 0, 0, 40, 40, "body"},
        {"<div id=e style='width:20px'>abcde</div>", 0, 0, 20, 60, "body"},
        {"<div style='width:40px'>aaaa<span id=e>bbbbb</span></div>", 0, 0, 40, 40, "body"},
        {"<div style='width:40px'>aaaa<span id=e>b</span></div>", 32, 0, 8, 20, "body"},
        // controls
        {"<input id=e type=radio>", 0, 0, 20, 20, "body"},
        {"<input type=checkbox><input id=e type=checkbox>", 20, 0, 20, 20, "body"},
        {"a<input id=e>", 8, 0, 160, 20, "body"},
        {"<input id=e type=submit value='OK'>", 0, 0, 32, 20, "body"},
        {"<button id=e>下一题</button>", 0, 0, 64, 20, "body"},
        {"<select id=e><option>x</option></select>", 0, 0, 120, 20, "body"},
        {"<textarea id=e></textarea>", 0, 0, 200, 40, "body"},
        {"a<textarea></textarea>b<div id=e>c</div>", 0, 40, 1024, 20, "body"},
        {"<input id=e style='width:50px;height:30px'>", 0, 0, 50, 30, "body"},
        {"<input id=e type=hidden>", 0, 0, 0, 0, ""},
        {"<img id=e src=x.png width=40 height=30>", 0, 0, 40, 30, "body"},
        {"<label id=e><input type=radio>A.选项</label>", 0, 0, 68, 20, "body"},
        // frames: a box of their own size
        {"<iframe id=e src=x.html></iframe>", 0, 0, 300, 150, "body"},
        {"<iframe id=e width=100 height=50></iframe>", 0, 0, 100, 50, "body"},
        {"ab<iframe></iframe><span id=e>c</span>", 316, 0, 8, 20, "body"},
        // positioned elements and offset parents
        {"<div id=e style='position:absolute; left:100px; top:50px; width:200px; height:30px'>"
         "x</div>",
         100, 50, 200, 30, "body"},
        {"<div id=e style='position:absolute;left:24px;top:0'>x</div>", 24, 0, 1000, 20, "body"},
        {"<div>x</div><div id=e style='position:absolute;width:10px'>y</div><div>z</div>", 0, 20,
         10, 20, "body"},
        {"<div>x</div><div id=e style='position:absolute;top:5px;height:5px'></div>"
         "<div>z</div>",
         0, 5, 1024, 5, "body"},
        {"<div id=p style='position:absolute;left:10px;top:20px;width:300px;height:100px'>"
         "<div id=e style='position:absolute;left:5px;top:7px;width:10px;height:10px'></div></div>",
         5, 7, 10, 10, "p"},
        {"<div>x</div><div id=p style='position:relative'>ab<span id=e>cd</span></div>", 16, 0, 16,
         20, "p"},
        {"<div id=p style='position:relative'><div><div id=e>x</div></div></div>", 0, 0, 1024, 20,
         "p"},
        {"<div>x</div>ab<span id=p style='position:relative'>c<b id=e "
         "style='position:absolute;left:4px;top:3px;width:5px;height:6px'></b></span>",
         4, 3, 5, 6, "p"},
        {"<table id=t><tr><td>a</td><td id=e>b</td></tr></table>", 512, 0, 512, 20, "t"},
        {"<table><tr><td id=c><span id=e>x</span></td><td><div>1</div><div>2</div></td></tr>"
         "</table>",
         0, 0, 8, 20, "c"},
        {"<table id=t><tr><td id=e>x</td><td><div>1</div><div>2</div></td></tr></table>", 0, 0, 512,
         40, "t"},
        // no box
        {"<div id=e style='display:none'>x</div>", 0, 0, 0, 0, ""},
        {"<div style='display:none'><span id=e>x</span></div>", 0, 0, 0, 0, ""},
        {"<div id=e style='display:none'>x</div><div id=f>y</div>", 0, 0, 0, 0, ""},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(dom_test::utf8(c.body));
        auto document = pageWithBody(c.body);
        dom::Element* e = byId(*document, "e");
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(dom::offsetLeft(*e), c.left);
        EXPECT_EQ(dom::offsetTop(*e), c.top);
        EXPECT_EQ(dom::offsetWidth(*e), c.width);
        EXPECT_EQ(dom::offsetHeight(*e), c.height);
        dom::Element* parent = dom::offsetParent(*e);
        std::string expected = c.parent;
        if (expected.empty()) {
            EXPECT_EQ(parent, nullptr);
        } else if (expected == "body") {
            EXPECT_EQ(parent, document->body());
        } else {
            EXPECT_EQ(parent, byId(*document, c.parent));
        }
    }
}

TEST(LayoutTest, TheBodyFillsTheViewportAndHasNoOffsetParent) {
    auto document = pageWithBody("<div>x</div>");
    dom::Element* body = document->body();
    EXPECT_EQ(dom::offsetParent(*body), nullptr);
    EXPECT_EQ(dom::offsetWidth(*body), 1024);
    EXPECT_EQ(dom::offsetHeight(*body), 768);
    EXPECT_EQ(dom::clientWidth(*body), 1024);
    EXPECT_EQ(dom::clientHeight(*body), 768);
    EXPECT_FALSE(dom::isRendered(*document->head()));

    document->setViewportSize(400, 300);
    EXPECT_EQ(dom::offsetWidth(*body), 400);
    EXPECT_EQ(dom::clientHeight(*body), 300);
}

TEST(LayoutTest, ChangesToTheTreeAreLaidOutAgain) {
    auto document = pageWithBody("<div id=a>x</div><div id=b>y</div>");
    dom::Element* a = byId(*document, "a");
    dom::Element* b = byId(*document, "b");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(dom::offsetTop(*b), 20);
    a->setAttribute("style", "height:55px");
    EXPECT_EQ(dom::offsetTop(*b), 55);
    a->setAttribute("style", "display:none");
    EXPECT_EQ(dom::offsetTop(*b), 0);
    EXPECT_FALSE(dom::isRendered(*a));
    document->body()->removeChild(b);
    EXPECT_FALSE(dom::isRendered(*b));
    EXPECT_EQ(dom::offsetWidth(*b), 0);
}

// A frame's document is laid out in a viewport of the frame's size.
TEST(LayoutTest, AFramesDocumentGetsTheFramesSize) {
    auto document = pageWithBody("<iframe id=f width=200 height=100></iframe>");
    std::shared_ptr<dom::Document> inner = dom_test::pageWithBody("<div id=d>x</div>");
    dom::Element* frame = byId(*document, "f");
    ASSERT_NE(frame, nullptr);
    frame->setContentDocument(inner);
    EXPECT_EQ(frame->contentDocument(), inner.get());
    dom::updateLayout(*document);
    EXPECT_EQ(inner->viewportWidth(), 200);
    EXPECT_EQ(inner->viewportHeight(), 100);
    EXPECT_EQ(dom::offsetWidth(*byId(*inner, "d")), 200);
    EXPECT_EQ(dom::clientHeight(*inner->body()), 100);
}

}  // namespace
