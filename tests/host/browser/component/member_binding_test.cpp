// Names bind as on Windows: through type information, without regard to
// letter case; and only what an object's member table describes binds. A
// page's expandos, its script's functions and a collection's named items
// are not members (code -3) although script sees them.
#include "tests/host/browser/component/sample_page.h"

namespace component_test {
namespace {

class MemberBindingTest : public ComponentTest {
protected:
    void SetUp() override {
        ComponentTest::SetUp();
        open(samplePages());
    }
};

TEST_F(MemberBindingTest, NamesBindWithoutRegardToLetterCase) {
    struct Case {
        const char* path;
        const char* canonical;
        std::vector<const char*> spellings;
        const char* then;  // read from the object the member gives, or nullptr
    };
    const std::vector<Case> cases = {
        {"document", "parentWindow", {"ParentWindow", "PARENTWINDOW"}, "name"},
        {"document", "title", {"Title", "TITLE"}, nullptr},
        {"document", "readyState", {"readystate", "ReadyState"}, nullptr},
        {"#tab", "rows", {"Rows", "ROWS"}, "length"},
        {"#row0", "cells", {"Cells", "CELLS"}, "length"},
        {"#frm", "contentWindow", {"contentwindow", "ContentWindow"}, "name"},
        {"#frm", "contentDocument", {"contentdocument"}, "URL"},
        {"#box", "innerText", {"innertext", "INNERTEXT"}, nullptr},
        {"#box", "className", {"classname", "CLASSNAME"}, nullptr},
        {"#link", "href", {"HREF", "Href"}, nullptr},
        {"window", "navigator", {"Navigator"}, "userAgent"},
        {"window.navigator", "userAgent", {"useragent", "UserAgent"}, nullptr},
        {"document.all", "length", {"Length"}, nullptr},
    };
    for (const Case& c : cases) {
        AutomationObject object = reach(c.path);
        auto read = [&](const char* name) {
            if (c.then == nullptr) return readTextProperty(object, name);
            return readTextProperty(readObjectProperty(object, name), c.then);
        };
        Text expected = read(c.canonical);
        ASSERT_EQ(lastCallError(), 0) << c.path << " " << c.canonical;
        for (const char* spelling : c.spellings) {
            EXPECT_EQ(read(spelling), expected) << c.path << " " << spelling;
            EXPECT_EQ(lastCallError(), 0) << c.path << " " << spelling;
        }
    }
    // Methods too, with their arguments.
    EXPECT_EQ(utf8(readTextProperty(callObjectMethod(document(), "GETELEMENTBYID", {"word"}),
                                    "innerText")),
              utf8("词"));
    EXPECT_TRUE(callBoolMethod(byId("text1"), "fireevent", {"onclick"}));
    AutomationObject w = window();
    callMethod(w, "EXECSCRIPT", {"document.title = 'X'"});
    EXPECT_EQ(readTextProperty(document(), "title").bytes(), "X");
}

TEST_F(MemberBindingTest, WhatTheTablesDoNotDescribeIsNotReachable) {
    ASSERT_TRUE(
        run("var box = document.getElementById('box');"
            "box.myExpando = '扩展';"
            "box.myMethod = function () { return 1; };"
            "function pageFunction() { return 2; }"));
    struct Case {
        const char* path;
        const char* member;
    };
    const std::vector<Case> cases = {
        {"#box", "myExpando"},       // set by script on an element
        {"#box", "myMethod"},        // a function script put on an element
        {"window", "pageFunction"},  // a function the page's script defined
        {"window", "pageValue"},     // a variable of the page's script
        {"document.all", "box"},     // a named item of a collection
        {"document", "quiz"},        // a form by name
        {"#box", "checked"},         // an input's member, on a div
        {"#box", "rows"},            // a table's member, on a div
        {"#box", "style.display"},   // a path, not a name
        {"document", "getElementByID "},
    };
    for (const Case& c : cases) {
        AutomationObject object = reach(c.path);
        AutomationVariant value = readVariantProperty(object, c.member);
        EXPECT_EQ(lastCallError(), -3) << c.path << " " << c.member;
        EXPECT_EQ(value.type(), VT_EMPTY) << c.path << " " << c.member;
        callMethod(object, c.member);
        EXPECT_EQ(lastCallError(), -3) << c.path << " " << c.member;
    }
    // Script sees them all.
    ASSERT_TRUE(
        run("document.title = [box.myExpando, box.myMethod(), pageFunction(), pageValue,"
            " document.all.box.id, document.quiz.id].join(',');"));
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), utf8("扩展,1,2,42,box,f"));
}

TEST_F(MemberBindingTest, ScriptNamesAreLetterCaseSensitiveAsInJScript) {
    ASSERT_TRUE(
        run("document.title = typeof document.getElementById + ',' +"
            " typeof document.GetElementById + ',' + document.getElementById('box').ID;"));
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), "function,undefined,undefined");
}

TEST_F(MemberBindingTest, TooManyArgumentsAreRefusedBeforeTheCall) {
    callMethod(byId("box"), "click", {1});
    EXPECT_EQ(lastCallError(), -5);
    // write takes any number.
    callMethod(document(), "write", {"a", "b", "c"});
    EXPECT_EQ(lastCallError(), 0);
}

}  // namespace
}  // namespace component_test
