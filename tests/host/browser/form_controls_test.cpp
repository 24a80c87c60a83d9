// Form state: value, checked with radio groups, selectedIndex and options.
#include "browser/dom/form_controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host/browser/dom_test_support.h"

namespace {

using dom_test::byId;
using dom_test::pageWithBody;

TEST(FormControlsTest, ValuesComeFromAttributesUntilSet) {
    struct Case {
        const char* body;  // the control has id "c"
        const char* before;
        const char* set;
        bool accepted;
        const char* after;
    };
    const std::vector<Case> cases = {
        {"<input id=c value=v>", "v", "typed", true, "typed"},
        {"<input id=c>", "", "中文", true, "中文"},
        {"<input id=c type=radio>", "on", "A", true, "A"},
        {"<input id=c type=checkbox value=B>", "B", "C", true, "C"},
        {"<input id=c type=file>", "", "x", false, ""},
        {"<textarea id=c>default\ntext</textarea>", "default\ntext", "new", true, "new"},
        {"<select id=c><option value=1>one<option selected>two</select>", "two", "1", true, "1"},
        {"<select id=c><option value=1>one<option>two</select>", "1", "none", true, ""},
        {"<select id=c></select>", "", "", true, ""},
        {"<select id=c><option id=o value=1>one</select>", "1", "two", true, ""},
        {"<button id=c value=b>x</button>", "b", "c", true, "c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        auto document = pageWithBody(c.body);
        dom::Element* control = byId(*document, "c");
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(dom_test::utf8(dom::value(*control)), dom_test::utf8(c.before));
        EXPECT_EQ(dom::setValue(*control, c.set), c.accepted);
        EXPECT_EQ(dom_test::utf8(dom::value(*control)), dom_test::utf8(c.after));
    }
}

TEST(FormControlsTest, ARadioGroupHasOneCheckedMember) {
    auto document = pageWithBody(
        "<form><input type=radio name=ra_0 id=a checked><input type=radio name=ra_0 id=b>"
        "<input type=radio name=ra_0 id=c checked><input type=checkbox name=ra_0 id=k checked>"
        "</form><input type=radio name=ra_0 id=outside checked>"
        "<input type=radio name=ra_1 id=other>");
    auto states = [&] {
        std::string out;
        for (const char* id : {"a", "b", "c", "k", "outside", "other"}) {
            out += dom::checked(*byId(*document, id)) ? '1' : '0';
        }
        return out;
    };
    // The last of a group that the attribute checks is the checked one; a
    // radio outside the form is in another group.
    EXPECT_EQ(states(), "001110");
    EXPECT_TRUE(dom::setChecked(*byId(*document, "b"), true));
    EXPECT_EQ(states(), "010110");
    EXPECT_TRUE(dom::setChecked(*byId(*document, "other"), true));
    EXPECT_EQ(states(), "010111");
    EXPECT_TRUE(dom::setChecked(*byId(*document, "k"), false));
    EXPECT_EQ(states(), "010011");
    EXPECT_TRUE(dom::setChecked(*byId(*document, "b"), false));
    EXPECT_EQ(states(), "000011");

    // The attributes stay as written.
    EXPECT_TRUE(dom::defaultChecked(*byId(*document, "a")));
    EXPECT_FALSE(dom::defaultChecked(*byId(*document, "b")));
    dom::setDefaultChecked(*byId(*document, "b"), true);
    EXPECT_TRUE(byId(*document, "b")->hasAttribute("checked"));
    dom::setDefaultChecked(*byId(*document, "a"), false);
    EXPECT_FALSE(byId(*document, "a")->hasAttribute("checked"));

    auto p = pageWithBody("<p id=p>x</p>");
    EXPECT_FALSE(dom::setChecked(*byId(*p, "p"), true));
    EXPECT_FALSE(dom::checked(*byId(*p, "p")));
}

TEST(FormControlsTest, SelectedIndexAndOptions) {
    struct Case {
        const char* select;
        int before;
        int set;
        int after;
    };
    const std::vector<Case> cases = {
        {"<option>a<option>b<option>c", 0, 2, 2},
        {"<option>a<option selected>b<option>c", 1, 0, 0},
        {"<option selected>a<option selected>b", 1, -1, -1},
        {"<optgroup><option>a</optgroup><optgroup><option selected>b</optgroup>", 1, 0, 0},
        {"<option>a<option>b", 0, 5, -1},
        {"", -1, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.select);
        auto document = pageWithBody(std::string("<select id=s>") + c.select + "</select>");
        dom::Element* select = byId(*document, "s");
        ASSERT_NE(select, nullptr);
        EXPECT_EQ(dom::selectedIndex(*select), c.before);
        EXPECT_TRUE(dom::setSelectedIndex(*select, c.set));
        EXPECT_EQ(dom::selectedIndex(*select), c.after);
        for (dom::Element* option : dom::options(*select))
            EXPECT_EQ(dom::selectOf(*option), select);
    }
    auto document = pageWithBody(
        "<select id=s><option> first  one </option>"
        "<option value=v>二</option></select><div id=d></div>");
    dom::Element* select = byId(*document, "s");
    ASSERT_NE(select, nullptr);
    std::vector<dom::Element*> options = dom::options(*select);
    ASSERT_EQ(options.size(), 2u);
    EXPECT_EQ(dom::optionText(*options[0]), "first one");
    EXPECT_EQ(dom::value(*options[0]), "first one");
    EXPECT_EQ(dom::optionText(*options[1]), "二");
    EXPECT_EQ(dom::value(*options[1]), "v");
    EXPECT_FALSE(dom::setSelectedIndex(*byId(*document, "d"), 0));
    EXPECT_EQ(dom::selectedIndex(*byId(*document, "d")), -1);
    EXPECT_EQ(dom::selectOf(*byId(*document, "d")), nullptr);
}

TEST(FormControlsTest, InputTypes) {
    struct Case {
        const char* input;
        const char* type;
        bool checkable;
    };
    const std::vector<Case> cases = {
        {"<input id=i>", "text", false},
        {"<input id=i type=RADIO>", "radio", true},
        {"<input id=i type=CheckBox>", "checkbox", true},
        {"<input id=i type=password>", "password", false},
        {"<input id=i type=color>", "text", false},  // unknown to the old browser
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        auto document = pageWithBody(c.input);
        dom::Element* input = byId(*document, "i");
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(dom::inputType(*input), c.type);
        EXPECT_EQ(dom::isCheckable(*input), c.checkable);
    }
}

}  // namespace
