// The tree itself: what parsing builds, attributes, tree changes and the
// stability of nodes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/dom/document.h"
#include "browser/dom/html_editing.h"
#include "browser/dom/html_parser.h"
#include "browser/dom/html_serializer.h"
#include "browser/dom/inner_text.h"
#include "tests/host/browser/dom_test_support.h"

namespace {

using dom_test::byId;
using dom_test::pageWithBody;

TEST(TreeTest, ParsingSuppliesTheDocumentSkeleton) {
    auto document = dom::parseDocument("hello");
    dom::Element* html = document->documentElement();
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(html->tagName(), "HTML");
    ASSERT_NE(document->head(), nullptr);
    ASSERT_NE(document->body(), nullptr);
    EXPECT_EQ(document->body()->parentNode(), html);
    EXPECT_EQ(dom::innerHtml(*document->body()), "hello");
    EXPECT_EQ(&html->ownerDocument(), document.get());
}

TEST(TreeTest, AFramesetIsTheBody) {
    auto document = dom::parseDocument(
        "<html><frameset cols='50%,50%'><frame src=a.html>"
        "<frame src=b.html></frameset></html>");
    ASSERT_NE(document->body(), nullptr);
    EXPECT_EQ(document->body()->tagName(), "FRAMESET");
}

TEST(TreeTest, AttributesKeepSourceOrderAndIgnoreLetterCase) {
    auto document = pageWithBody("<div ID=d Title='t' data-x=1 CLASS='a b'></div>");
    dom::Element* div = byId(*document, "d");
    ASSERT_NE(div, nullptr);
    std::vector<std::string> names;
    for (const dom::Attribute& a : div->attributes()) names.push_back(a.name);
    EXPECT_EQ(names, (std::vector<std::string>{"id", "title", "data-x", "class"}));
    EXPECT_EQ(div->attribute("TITLE"), "t");
    EXPECT_EQ(div->className(), "a b");
    EXPECT_FALSE(div->hasAttribute("missing"));
    EXPECT_EQ(div->attribute("missing"), "");

    div->setAttribute("Title", "new");  // replaced where it stands
    div->setClassName("c");
    div->setAttribute("Lang", "zh");  // appended, in lower case
    EXPECT_EQ(dom::outerHtml(*div),
              "<DIV id=\"d\" title=\"new\" data-x=\"1\" class=\"c\" lang=\"zh\"></DIV>");
    EXPECT_TRUE(div->removeAttribute("DATA-X"));
    EXPECT_FALSE(div->removeAttribute("data-x"));
    EXPECT_EQ(dom::outerHtml(*div), "<DIV id=\"d\" title=\"new\" class=\"c\" lang=\"zh\"></DIV>");
}

TEST(TreeTest, TextIsCodePage936WithEntitiesDecoded) {
    auto document = pageWithBody("<p id=p title='中&amp;文'>下一题 &lt;&#x4E2D;&gt;</p>");
    dom::Element* p = byId(*document, "p");
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(p->childNodes().size(), 1u);
    EXPECT_EQ(p->firstChild()->asCharacterData()->data(), "下一题 <中>");
    EXPECT_EQ(p->attribute("title"), "中&文");
}

TEST(TreeTest, UnknownTagsKeepTheirNames) {
    auto document = pageWithBody("<Foo-Bar id=f>x</Foo-Bar>");
    dom::Element* f = byId(*document, "f");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->localName(), "foo-bar");
    EXPECT_EQ(f->tagName(), "FOO-BAR");
}

TEST(TreeTest, ChangesRefuseCyclesAndNodesOfOtherDocuments) {
    auto document = pageWithBody("<div id=a><div id=b></div></div>");
    auto other = pageWithBody("<div id=x></div>");
    dom::Element* a = byId(*document, "a");
    dom::Element* b = byId(*document, "b");
    dom::Element* x = byId(*other, "x");
    ASSERT_TRUE(a && b && x);
    std::uint64_t before = document->version();
    EXPECT_FALSE(b->appendChild(a));  // a holds b
    EXPECT_FALSE(a->appendChild(a));
    EXPECT_FALSE(a->appendChild(x));
    EXPECT_FALSE(a->appendChild(document.get()));
    EXPECT_FALSE(a->insertBefore(document->createElement("i"), document->body()));
    EXPECT_EQ(document->version(), before);

    // A node in the tree elsewhere is moved, and the version tells.
    EXPECT_TRUE(document->body()->appendChild(b));
    EXPECT_EQ(b->parentNode(), document->body());
    EXPECT_TRUE(a->childNodes().empty());
    EXPECT_GT(document->version(), before);
    EXPECT_EQ(a->nextSibling(), b);
    EXPECT_EQ(b->previousSibling(), a);
    EXPECT_EQ(b->indexInParent(), 1);
}

// Nodes stay valid while their document lives, in the tree or not: code
// that holds an element sees it detached, never freed.
TEST(TreeTest, NodesOutliveTheirPlaceInTheTree) {
    auto document = pageWithBody("<div id=outer><span id=inner>old</span></div>");
    dom::Element* outer = byId(*document, "outer");
    dom::Element* inner = byId(*document, "inner");
    ASSERT_TRUE(outer && inner);
    std::size_t owned = document->ownedNodeCount();

    ASSERT_TRUE(dom::setInnerHtml(*outer, "<b>new</b>"));
    EXPECT_EQ(inner->parentNode(), nullptr);
    EXPECT_EQ(dom::innerText(*inner), "old");
    EXPECT_EQ(inner->id(), "inner");
    EXPECT_EQ(dom::getElementById(*document, "inner"), nullptr);
    EXPECT_EQ(byId(*document, "outer"), outer);  // untouched elements keep their identity
    EXPECT_GT(document->ownedNodeCount(), owned);

    // A detached element can be put back.
    EXPECT_TRUE(outer->appendChild(inner));
    EXPECT_EQ(dom::getElementById(*document, "inner"), inner);
}

}  // namespace
