// Scroll sizes and positions, and elementFromPoint in agreement with the
// offsets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/dom/element_queries.h"
#include "browser/dom/layout.h"
#include "tests/host/browser/dom_test_support.h"

namespace {

using dom_test::byId;
using dom_test::pageWithBody;

TEST(LayoutGeometryTest, ScrollSizesComeFromTheContent) {
    struct Case {
        const char* body;  // measures the element with id "e"
        int scrollWidth, scrollHeight, clientWidth, clientHeight;
    };
    const std::vector<Case> cases = {
        {"<div id=e>x</div>", 1024, 20, 1024, 20},
        {"<div id=e style='height:40px'><div style='height:100px'></div></div>", 1024, 100, 1024,
         40},
        {"<div id=e style='width:100px;height:20px'><div style='width:250px'>x</div></div>", 250,
         20, 100, 20},
        {"<div id=e style='width:20px'>abcdef</div>", 20, 60, 20, 60},
        {"<div id=e style='position:relative;width:100px;height:50px'>"
         "<div style='position:absolute;left:90px;top:80px;width:30px;height:30px'></div></div>",
         120, 110, 100, 50},
        {"<span id=e>abc</span>", 24, 20, 0, 0},  // an inline element shows no client area
        {"<input id=e>", 160, 20, 160, 20},
        {"<div id=e style='display:none'>x</div>", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        auto document = pageWithBody(c.body);
        dom::Element* e = byId(*document, "e");
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(dom::scrollWidth(*e), c.scrollWidth);
        EXPECT_EQ(dom::scrollHeight(*e), c.scrollHeight);
        EXPECT_EQ(dom::clientWidth(*e), c.clientWidth);
        EXPECT_EQ(dom::clientHeight(*e), c.clientHeight);
    }
}

TEST(LayoutGeometryTest, TheViewportScrollsThroughTheBodyAndTheHtmlElement) {
    auto document = pageWithBody(
        "<div id=a style='height:1000px'></div>"
        "<div id=b style='height:1000px;width:2000px'></div>");
    dom::Element* body = document->body();
    dom::Element* html = document->documentElement();
    dom::Element* a = byId(*document, "a");
    dom::Element* b = byId(*document, "b");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(dom::scrollHeight(*body), 2000);
    EXPECT_EQ(dom::scrollWidth(*body), 2000);
    EXPECT_EQ(dom::elementFromPoint(*document, 10, 10), a);

    struct Case {
        int set;
        int expected;
    };
    const std::vector<Case> tops = {{500, 500}, {5000, 2000 - 768}, {-5, 0}, {1000, 1000}};
    for (const Case& c : tops) {
        dom::setScrollTop(*body, c.set);
        EXPECT_EQ(dom::scrollTop(*body), c.expected) << c.set;
        EXPECT_EQ(dom::scrollTop(*html), c.expected) << c.set;
    }
    dom::setScrollLeft(*html, 5000);
    EXPECT_EQ(dom::scrollLeft(*body), 2000 - 1024);

    // Scrolled down 1000 px, the top of the viewport shows b; the offsets
    // do not move.
    EXPECT_EQ(dom::elementFromPoint(*document, 10, 10), b);
    EXPECT_EQ(dom::offsetTop(*b), 1000);

    // When the content shrinks, reading clamps again.
    body->removeChild(b);
    EXPECT_EQ(dom::scrollTop(*body), 1000 - 768);
    EXPECT_EQ(dom::scrollLeft(*body), 0);
}

TEST(LayoutGeometryTest, AnElementsScrollMovesWhatItHolds) {
    auto document = pageWithBody(
        "<div id=s style='height:40px'><div id=a style='height:50px'></div>"
        "<div id=b style='height:50px'></div></div><div id=after>x</div>");
    dom::Element* s = byId(*document, "s");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(dom::elementFromPoint(*document, 5, 5), byId(*document, "a"));
    dom::setScrollTop(*s, 1000);
    EXPECT_EQ(dom::scrollTop(*s), 60);
    EXPECT_EQ(dom::elementFromPoint(*document, 5, 5), byId(*document, "b"));
    dom::setScrollLeft(*s, 10);
    EXPECT_EQ(dom::scrollLeft(*s), 0);  // nothing to scroll sideways
    EXPECT_EQ(dom::scrollTop(*document->body()), 0);
}

TEST(LayoutGeometryTest, ElementFromPointFindsTheDeepestBox) {
    auto document = pageWithBody(
        "<div id=a>text <span id=s>span</span></div>"
        "<div id=h style='height:100px'></div>"
        "<div id=o style='position:absolute;left:10px;top:30px;width:20px;height:20px'></div>"
        "<iframe id=f></iframe><button id=btn><span id=inner>ok</span></button>");
    struct Case {
        int x, y;
        const char* id;  // "body", or "" for none
    };
    const std::vector<Case> cases = {
        {0, 5, "a"},       {39, 5, "a"},      {40, 0, "s"},       {71, 19, "s"},
        {72, 5, "a"},      {500, 5, "a"},     {5, 20, "h"},       {15, 35, "o"},
        {9, 35, "h"},      {30, 35, "h"},     {0, 120, "f"},      {299, 269, "f"},
        {300, 120, "btn"}, {310, 125, "btn"}, {500, 300, "body"}, {1023, 767, "body"},
        {1024, 0, ""},     {0, 768, ""},      {-1, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        dom::Element* hit = dom::elementFromPoint(*document, c.x, c.y);
        std::string expected = c.id;
        if (expected.empty()) {
            EXPECT_EQ(hit, nullptr);
        } else if (expected == "body") {
            EXPECT_EQ(hit, document->body());
        } else {
            EXPECT_EQ(hit, byId(*document, c.id));
        }
    }
}

// For every element with a box, the point at the middle of that box (from
// the offsets) hits the element or something inside it.
TEST(LayoutGeometryTest, ElementFromPointAgreesWithTheOffsets) {
    auto document = pageWithBody(
        "<h2>安全知识网上答题</h2><p>共20题</p><form>"
        "<div><p>1.题目</p><p><label><input type=radio name=ra_0 value=A>A.选项一</label></p>"
        "<p><label><input type=radio name=ra_0 value=B>B.选项二</label></p></div>"
        "<table><tr><td>a</td><td><b>b</b></td></tr></table>"
        "<div style='position:relative;left:0;height:60px'>"
        "<span style='position:absolute;left:100px;top:10px;width:50px;height:20px'>abs</span>"
        "</div><p><a href='#'>下一题</a></p></form>");
    int checked = 0;
    for (dom::Element* element : dom::allElements(*document)) {
        if (!dom::isRendered(*element) || dom::offsetWidth(*element) == 0 ||
            dom::offsetHeight(*element) == 0) {
            continue;
        }
        int x = dom::offsetLeft(*element), y = dom::offsetTop(*element);
        for (dom::Element* p = dom::offsetParent(*element); p; p = dom::offsetParent(*p)) {
            x += dom::offsetLeft(*p);
            y += dom::offsetTop(*p);
        }
        x += dom::offsetWidth(*element) / 2;
        y += dom::offsetHeight(*element) / 2;
        if (x >= 1024 || y >= 768) continue;
        dom::Element* hit = dom::elementFromPoint(*document, x, y);
        ASSERT_NE(hit, nullptr) << element->tagName();
        EXPECT_TRUE(element->contains(hit))
            << element->tagName() << " at " << x << "," << y << " hit " << hit->tagName();
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

}  // namespace
