// Finding elements by id, name and tag, and the all and children lists.
#include "browser/dom/element_queries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host/browser/dom_test_support.h"

namespace {

// The elements' ids, or tag names for those without one, joined by spaces.
std::string labels(const std::vector<dom::Element*>& elements) {
    std::string out;
    for (const dom::Element* e : elements) {
        if (!out.empty()) out += ' ';
        out += e->id().empty() ? e->tagName() : e->id();
    }
    return out;
}

const char* const kPage =
    "<div id=top name=n1><p id=p1 name=x>a</p><P id=p2>b<span id=s1 name=x>c</span></P></div>"
    "<form id=f><input id=i1 name=ra_0><input id=i2 name=ra_0><input id=X name=Other></form>"
    "<div id=dup>first</div><div id=dup>second</div><div id=Top></div>";

TEST(ElementQueriesTest, ListsInDocumentOrder) {
    auto document = dom_test::pageWithBody(kPage);
    dom::Element* top = dom_test::byId(*document, "top");
    ASSERT_NE(top, nullptr);
    struct Case {
        std::vector<dom::Element*> found;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {dom::getElementsByName(*document, "x"), "p1 s1"},
        {dom::getElementsByName(*document, "ra_0"), "i1 i2"},
        {dom::getElementsByName(*document, "other"), ""},  // names are exact
        {dom::getElementsByTagName(*document, "p"), "p1 p2"},
        {dom::getElementsByTagName(*document, "INPUT"), "i1 i2 X"},
        {dom::getElementsByTagName(*top, "*"), "p1 p2 s1"},  // below, not itself
        {dom::getElementsByTagName(*top, "div"), ""},
        {dom::allElements(*top), "p1 p2 s1"},
        {dom::allElements(*document), "HTML HEAD TITLE BODY top p1 p2 s1 f i1 i2 X dup dup Top"},
        {dom::childElements(*top), "p1 p2"},
        {dom::childElements(*document->body()), "top f dup dup Top"},
        {dom::elementsWithIdOrName(*document, "x"), "p1 s1"},
        {dom::elementsWithIdOrName(*document, "top"), "top"},
        {dom::elementsWithIdOrName(*document, "dup"), "dup dup"},
        {dom::elementsWithIdOrName(*document, "ra_0"), "i1 i2"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(labels(cases[i].found), cases[i].expected) << "row " << i;
    }
}

TEST(ElementQueriesTest, GetElementByIdTakesTheFirstExactMatch) {
    auto document = dom_test::pageWithBody(kPage);
    dom::Element* dup = dom::getElementById(*document, "dup");
    ASSERT_NE(dup, nullptr);
    EXPECT_EQ(dup->firstChild()->asCharacterData()->data(), "first");
    EXPECT_EQ(dom::getElementById(*document, "Top"), dom::childElements(*document->body())[4]);
    EXPECT_EQ(dom::getElementById(*document, "x"), nullptr);  // a name is not an id
    EXPECT_EQ(dom::getElementById(*document, ""), nullptr);
    dom::Element* top = dom::getElementById(*document, "top");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(dom::getElementById(*top, "s1"), dom::getElementById(*document, "s1"));
    EXPECT_EQ(dom::getElementById(*top, "top"), nullptr);
}

}  // namespace
