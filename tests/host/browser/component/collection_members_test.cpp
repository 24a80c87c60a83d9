// Collections as the finder and the enumeration use them: length, item by
// number (from 0) and by name, tags, and namedItem giving one element or a
// collection of all that share the name.
#include "tests/host/browser/component/component_test_support.h"

namespace component_test {
namespace {

constexpr const char* kQuestions =
    "<div id=\"q\">"
    "<input type=\"radio\" name=\"ra_0\" value=\"A\" id=\"a0\">"
    "<input type=\"radio\" name=\"ra_0\" value=\"B\">"
    "<input type=\"radio\" name=\"ra_0\" value=\"C\">"
    "<input type=\"radio\" name=\"ra_0\" value=\"D\">"
    "<input type=\"checkbox\" name=\"ra_1\" value=\"A\" id=\"only\">"
    "<span id=\"next\">下一题</span><span>其他</span></div>"
    "<select id=\"s\"><option>一</option><option>二</option><option>三</option></select>";

class CollectionMembersTest : public ComponentTest {
protected:
    void SetUp() override {
        ComponentTest::SetUp();
        openBody(kQuestions);
        all_ = readObjectProperty(document(), "all");
    }
    void TearDown() override {
        clearObject(all_);
        ComponentTest::TearDown();
    }

    AutomationObject all_;
};

TEST_F(CollectionMembersTest, ItemsByNumberCountFromZero) {
    AutomationObject inputs = readObjectProperty(all_, "tags", {"INPUT"});
    ASSERT_EQ(readNumberProperty(inputs, "length"), 5.0);
    struct Case {
        AutomationArgument index;
        const char* value;  // nullptr: no element
    };
    const std::vector<Case> cases = {
        {0, "A"}, {1, "B"}, {3.0, "D"}, {std::int16_t{4}, "A"}, {5, nullptr}, {-1, nullptr},
    };
    for (const Case& c : cases) {
        AutomationObject item = readObjectProperty(inputs, "item", {c.index});
        EXPECT_EQ(lastCallError(), 0);
        if (c.value == nullptr) {
            EXPECT_TRUE(isEmptyObject(item));
        } else {
            EXPECT_EQ(utf8(readTextProperty(item, "value")), c.value);
        }
    }
}

TEST_F(CollectionMembersTest, NamesFindOneElementOrACollectionOfThem) {
    struct Case {
        const char* method;
        const char* name;
        const char* tagName;  // of the one element; nullptr: a collection, or nothing
        int count;            // the collection's length; 0: no object at all
    };
    const std::vector<Case> cases = {
        {"namedItem", "only", "INPUT", 1},    {"namedItem", "ra_1", "INPUT", 1},
        {"namedItem", "ra_0", nullptr, 4},    {"namedItem", "next", "SPAN", 1},
        {"namedItem", "missing", nullptr, 0}, {"item", "ra_0", nullptr, 4},
        {"item", "only", "INPUT", 1},         {"item", "missing", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.method) + " " + c.name);
        AutomationObject found = callObjectMethod(all_, c.method, {c.name});
        EXPECT_EQ(lastCallError(), 0);
        if (c.count == 0) {
            EXPECT_TRUE(isEmptyObject(found));
        } else if (c.tagName != nullptr) {
            EXPECT_EQ(utf8(readTextProperty(found, "tagName")), c.tagName);
        } else {
            EXPECT_EQ(readNumberProperty(found, "length"), c.count);
            EXPECT_EQ(utf8(readTextProperty(callObjectMethod(found, "item", {1}), "value")), "B");
        }
    }
}

TEST_F(CollectionMembersTest, ItemWithANameAndAnIndexPicksOneOfTheNamed) {
    // As the finder's fast path calls it: namedItem, then item(index).
    AutomationObject named = callObjectMethod(all_, "namedItem", {"ra_0"});
    std::int32_t index = 2;
    AutomationObject third =
        callObjectMethod(named, "item", {AutomationArgument::reference(index)});
    EXPECT_EQ(utf8(readTextProperty(third, "value")), "C");
    AutomationObject second = callObjectMethod(all_, "item", {"ra_0", 1});
    EXPECT_EQ(utf8(readTextProperty(second, "value")), "B");
    EXPECT_TRUE(isEmptyObject(callObjectMethod(all_, "item", {"ra_0", 9})));
    // item on a single element is not a member of it: the finder's fallback.
    AutomationObject only = callObjectMethod(all_, "namedItem", {"only"});
    EXPECT_TRUE(isEmptyObject(callObjectMethod(only, "item", {0})));
    EXPECT_EQ(lastCallError(), -3);
}

TEST_F(CollectionMembersTest, TagsNarrowsAndIsLive) {
    struct Case {
        const char* tag;
        double count;
    };
    const std::vector<Case> cases = {{"span", 2}, {"SPAN", 2}, {"*", 16}, {"option", 3}, {"p", 0}};
    for (const Case& c : cases) {
        AutomationObject tagged = readObjectProperty(all_, "tags", {c.tag});
        EXPECT_EQ(readNumberProperty(tagged, "length"), c.count) << c.tag;
    }
    AutomationObject spans = readObjectProperty(all_, "tags", {"span"});
    AutomationObject box = callObjectMethod(document(), "getElementById", {"q"});
    callMethod(box, "insertAdjacentHTML", {"beforeEnd", "<span>新</span>"});
    EXPECT_EQ(readNumberProperty(spans, "length"), 3.0);
    EXPECT_EQ(readNumberProperty(all_, "length"), 17.0);
}

TEST_F(CollectionMembersTest, OptionsRowsAndCells) {
    AutomationObject select = callObjectMethod(document(), "getElementById", {"s"});
    AutomationObject options = readObjectProperty(select, "options");
    EXPECT_EQ(readNumberProperty(options, "length"), 3.0);
    EXPECT_EQ(utf8(readTextProperty(callObjectMethod(options, "item", {2}), "text")), utf8("三"));

    AutomationObject body = readObjectProperty(document(), "body");
    writeProperty(body, "innerHTML",
                  "<table id=t><tr><td>1</td><td>2</td></tr><tr><th>3</th></tr></table>");
    AutomationObject table = callObjectMethod(document(), "getElementById", {"t"});
    AutomationObject rows = readObjectProperty(table, "Rows");
    EXPECT_EQ(readNumberProperty(rows, "length"), 2.0);
    AutomationObject row = readObjectProperty(rows, "item", {1.0});
    AutomationObject cells = readObjectProperty(row, "Cells");
    EXPECT_EQ(readNumberProperty(cells, "length"), 1.0);
    EXPECT_EQ(utf8(readTextProperty(readObjectProperty(cells, "item", {0.0}), "outerText")), "3");
}

TEST_F(CollectionMembersTest, ListsFromTheDocumentsLookups) {
    AutomationObject byName = callObjectMethod(document(), "getElementsByName", {"ra_0"});
    EXPECT_EQ(readNumberProperty(byName, "length"), 4.0);
    AutomationObject byTag = callObjectMethod(document(), "getElementsByTagName", {"option"});
    EXPECT_EQ(readNumberProperty(byTag, "length"), 3.0);
    AutomationObject children =
        readObjectProperty(callObjectMethod(document(), "getElementById", {"q"}), "children");
    EXPECT_EQ(readNumberProperty(children, "length"), 7.0);
}

}  // namespace
}  // namespace component_test
