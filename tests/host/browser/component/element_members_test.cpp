// Every element member, on the element kinds that have it, reached by name
// through the late-bound layer.
#include "tests/host/browser/component/sample_page.h"

namespace component_test {
namespace {

class ElementMembersTest : public ComponentTest {
protected:
    void SetUp() override {
        ComponentTest::SetUp();
        open(samplePages());
    }

    bool readFlag(const char* path, const char* member) {
        AutomationObject object = reach(path);
        AutomationVariant value = readVariantProperty(object, member);
        EXPECT_EQ(lastCallError(), 0) << path << " " << member;
        return variantToBool(value);
    }
};

TEST_F(ElementMembersTest, MembersEveryElementHas) {
    expectReads({
        {"#box", "tagName", {}, nullptr, "DIV"},
        {"#box", "id", {}, nullptr, "box"},
        {"#text1", "name", {}, nullptr, "user"},
        {"#box", "className", {}, nullptr, "panel main"},
        {"#box", "title", {}, nullptr, "提示"},
        {"#box", "lang", {}, nullptr, "zh"},
        {"#box", "dir", {}, nullptr, "ltr"},
        {"#box", "innerText", {}, nullptr, "第一段\r\n\r\n词"},
        {"#box", "outerText", {}, nullptr, "第一段\r\n\r\n词"},
        {"#box", "innerHTML", {}, nullptr, "<P id=\"para\">第一段</P><SPAN id=\"word\">词</SPAN>"},
        {"#word", "outerHTML", {}, nullptr, "<SPAN id=\"word\">词</SPAN>"},
        {"#word", "document", {}, "title", "测试页"},
        {"#word", "parentElement", {}, "id", "box"},
        {"#box", "children", {}, "length", "2"},
        {"#f", "all", {}, "length", "8"},
        {"#box", "style", {}, "position", "absolute"},
        {"#box", "style", {}, "left", "10px"},
        {"#box", "offsetLeft", {}, nullptr, "10"},
        {"#box", "offsetTop", {}, nullptr, "700"},
        {"#box", "offsetWidth", {}, nullptr, "300"},
        {"#box", "offsetHeight", {}, nullptr, "100"},
        {"#para", "offsetParent", {}, "id", "box"},
        {"#word", "offsetTop", {}, nullptr, "20"},
        {"#box", "clientWidth", {}, nullptr, "300"},
        {"#box", "clientHeight", {}, nullptr, "100"},
        {"#box", "scrollTop", {}, nullptr, "0"},
        {"#box", "scrollLeft", {}, nullptr, "0"},
        {"#box", "scrollHeight", {}, nullptr, "100"},
        {"#box", "scrollWidth", {}, nullptr, "300"},
        {"#box", "sourceIndex", {}, nullptr, "6"},
        {"#box", "getAttribute", {"class"}, nullptr, "panel main"},
        {"#box",
         "getAttribute",
         {"STYLE"},
         nullptr,
         "position:absolute; left:10px; top:700px; width:300px; height:100px"},
        {"#box", "getElementsByTagName", {"span"}, "length", "1"},
    });
}

TEST_F(ElementMembersTest, MembersOfFormControls) {
    expectReads({
        {"#text1", "value", {}, nullptr, "张三"},
        {"#text1", "defaultValue", {}, nullptr, "张三"},
        {"#text1", "type", {}, nullptr, "text"},
        {"#radio1", "type", {}, nullptr, "radio"},
        {"#radio1", "value", {}, nullptr, "A"},
        {"#text1", "maxLength", {}, nullptr, "8"},
        {"#text1", "size", {}, nullptr, "10"},
        {"#text1", "form", {}, "id", "f"},
        {"#pic", "src", {}, nullptr, "http://quiz.example.com/img/a.png"},
        {"#area", "value", {}, nullptr, "多行"},
        {"#area", "type", {}, nullptr, "textarea"},
        {"#area", "rows", {}, nullptr, "3"},
        {"#area", "cols", {}, nullptr, "30"},
        {"#sel", "value", {}, nullptr, "2"},
        {"#sel", "selectedIndex", {}, nullptr, "1"},
        {"#sel", "options", {}, "length", "2"},
        {"#sel", "length", {}, nullptr, "2"},
        {"#sel", "type", {}, nullptr, "select-one"},
        {"#sel", "item", {0}, "text", "一"},
        {"#o1", "value", {}, nullptr, "1"},
        {"#o1", "text", {}, nullptr, "一"},
        {"#o2", "index", {}, nullptr, "1"},
        {"#o1", "label", {}, nullptr, "甲"},
        {"#btn", "value", {}, nullptr, "bv"},
        {"#btn", "type", {}, nullptr, "button"},
        {"#f", "action", {}, nullptr, "/submit.html"},
        {"#f", "method", {}, nullptr, "post"},
        {"#f", "target", {}, nullptr, "_self"},
        {"#f", "elements", {}, "length", "6"},
        {"#f", "length", {}, nullptr, "6"},
        {"#lab", "htmlFor", {}, nullptr, "check1"},
    });
    struct Flag {
        const char* path;
        const char* member;
        bool expected;
    };
    const std::vector<Flag> flags = {
        {"#radio1", "checked", true},     {"#radio1", "defaultChecked", true},
        {"#check1", "checked", false},    {"#check1", "disabled", true},
        {"#text1", "disabled", false},    {"#area", "readOnly", true},
        {"#o2", "selected", true},        {"#o1", "selected", false},
        {"#o2", "defaultSelected", true}, {"#sel", "multiple", false},
        {"#pic", "complete", true},       {"window.navigator", "cookieEnabled", true},
    };
    for (const Flag& flag : flags) {
        EXPECT_EQ(readFlag(flag.path, flag.member), flag.expected)
            << flag.path << " " << flag.member;
    }
}

TEST_F(ElementMembersTest, MembersOfLinksImagesTablesFramesAndTheRest) {
    expectReads({
        {"#link", "href", {}, nullptr, "http://quiz.example.com/next.html"},
        {"#link", "target", {}, nullptr, "_self"},
        {"#link", "rel", {}, nullptr, "next"},
        {"#pic", "alt", {}, nullptr, "图"},
        {"#pic", "width", {}, nullptr, "40"},
        {"#pic", "height", {}, nullptr, "30"},
        {"#pic", "border", {}, nullptr, "2"},
        {"#tab", "rows", {}, "length", "2"},
        {"#tab", "tBodies", {}, "length", "1"},
        {"#tab", "border", {}, nullptr, "1"},
        {"#tab", "cellPadding", {}, nullptr, "2"},
        {"#tab", "cellSpacing", {}, nullptr, "3"},
        {"#tab", "width", {}, nullptr, "400"},
        {"#tb", "rows", {}, "length", "2"},
        {"#row0", "cells", {}, "length", "2"},
        {"#row1", "rowIndex", {}, nullptr, "1"},
        {"#row1", "sectionRowIndex", {}, nullptr, "1"},
        {"#c01", "cellIndex", {}, nullptr, "1"},
        {"#c00", "colSpan", {}, nullptr, "2"},
        {"#c11", "rowSpan", {}, nullptr, "3"},
        {"#frm", "src", {}, nullptr, "frame.html"},
        {"#frm", "name", {}, nullptr, "inner"},
        {"#frm", "contentDocument", {}, "URL", kSampleFrameAddress},
        {"#frm", "contentWindow", {}, "name", "inner"},
        {"#frm", "frameBorder", {}, nullptr, "0"},
        {"#frm", "scrolling", {}, nullptr, "no"},
        {"#frm", "width", {}, nullptr, "200"},
        {"#frm", "height", {}, nullptr, "100"},
        {"#scr", "text", {}, nullptr, "var pageValue = 42;"},
        {"#scr", "type", {}, nullptr, "text/javascript"},
        {"#scr", "src", {}, nullptr, ""},
        {"#m", "content", {}, nullptr, "text/html; charset=gbk"},
        {"#m", "httpEquiv", {}, nullptr, "Content-Type"},
        {"#css", "href", {}, nullptr, "http://quiz.example.com/a.css"},
        {"#css", "rel", {}, nullptr, "stylesheet"},
        {"#css", "type", {}, nullptr, "text/css"},
        {"document.body", "createTextRange", {}, "text", "第一段词按钮下一页甲乙丙丁选我"},
        {"document.body", "createControlRange", {}, "length", "0"},
        {"#text1", "createTextRange", {}, "text", "张三"},
    });
}

TEST_F(ElementMembersTest, WritesReadBack) {
    struct Case {
        const char* path;
        const char* member;
        const char* written;
        const char* readPath;
        const char* readMember;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"#para", "innerText", "新的\r\n一行", "#para", "innerHTML", "新的<BR>一行"},
        {"#word", "innerHTML", "<b>粗</b>", "#word", "innerText", "粗"},
        {"#box", "className", "x y", "#box", "className", "x y"},
        {"#box", "title", "新提示", "#box", "title", "新提示"},
        {"#text1", "value", "李四", "#text1", "value", "李四"},
        {"#text1", "defaultValue", "默认", "#text1", "getAttribute", nullptr},
        {"#sel", "selectedIndex", "0", "#sel", "value", "1"},
        {"#sel", "value", "2", "#sel", "selectedIndex", "1"},
        {"#o2", "text", "贰", "#o2", "text", "贰"},
        {"#area", "value", "改了", "#area", "value", "改了"},
        {"#link", "href", "other.html", "#link", "href", "http://quiz.example.com/other.html"},
        {"#pic", "alt", "新图", "#pic", "alt", "新图"},
        {"#tab", "border", "5", "#tab", "border", "5"},
        {"#c00", "colSpan", "1", "#c00", "colSpan", "1"},
        {"#word", "outerText", "替换", "#box", "innerText", "新的\r\n一行\r\n\r\n替换"},
        {"#para", "outerHTML", "<p id=\"para2\">新段</p>", "#para2", "innerText", "新段"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + c.member);
        AutomationObject object = reach(c.path);
        EXPECT_TRUE(writeProperty(object, c.member, c.written)) << utf8(lastCallErrorText());
        if (c.expected == nullptr) continue;
        AutomationObject again = reach(c.readPath);
        EXPECT_EQ(utf8(readTextProperty(again, c.readMember)), utf8(c.expected));
    }
}

TEST_F(ElementMembersTest, CheckedAndScrollWritesKeepTheirRules) {
    AutomationObject radio = byId("radio1");
    EXPECT_TRUE(writeProperty(radio, "checked", 0.0));
    EXPECT_FALSE(readFlag("#radio1", "checked"));
    EXPECT_TRUE(readFlag("#radio1", "defaultChecked"));
    EXPECT_TRUE(writeProperty(radio, "checked", 1.0));
    EXPECT_TRUE(readFlag("#radio1", "checked"));

    AutomationObject root = readObjectProperty(document(), "documentElement");
    EXPECT_TRUE(writeProperty(root, "scrollTop", 20));
    EXPECT_EQ(readNumberProperty(root, "scrollTop"), 20.0);
    EXPECT_TRUE(writeProperty(root, "scrollTop", 100000));
    EXPECT_EQ(readNumberProperty(root, "scrollTop"),
              readNumberProperty(root, "scrollHeight") - readNumberProperty(root, "clientHeight"));
}

TEST_F(ElementMembersTest, RefusedWritesRaiseTheBrowsersException) {
    AutomationObject input = byId("text1");
    EXPECT_FALSE(writeProperty(input, "innerHTML", "<b>x</b>"));
    EXPECT_EQ(lastCallError(), -11);
    AutomationObject root = readObjectProperty(document(), "documentElement");
    EXPECT_FALSE(writeProperty(root, "outerHTML", ""));
    EXPECT_EQ(lastCallError(), -11);
}

TEST_F(ElementMembersTest, StyleWritesChangeTheStyleAttributeAndTheLayout) {
    AutomationObject box = byId("box");
    AutomationObject style = readObjectProperty(box, "style");
    EXPECT_TRUE(writeProperty(style, "top", "10px"));
    EXPECT_TRUE(writeProperty(style, "backgroundColor", "red"));
    EXPECT_EQ(readNumberProperty(box, "offsetTop"), 10.0);
    EXPECT_EQ(utf8(readTextProperty(style, "cssText")),
              "position: absolute; left: 10px; top: 10px; width: 300px; height: 100px; "
              "background-color: red");
    EXPECT_TRUE(writeProperty(style, "display", "none"));
    EXPECT_EQ(readNumberProperty(box, "offsetWidth"), 0.0);
    EXPECT_EQ(utf8(readTextProperty(style, "display")), "none");
}

TEST_F(ElementMembersTest, OtherAttributesByName) {
    AutomationObject box = byId("box");
    callMethod(box, "setAttribute", {"data-kind", "题目"});
    EXPECT_EQ(lastCallError(), 0);
    EXPECT_EQ(utf8(readTextProperty(box, "getAttribute", {"DATA-KIND"})), utf8("题目"));
    EXPECT_TRUE(callBoolMethod(box, "removeAttribute", {"data-kind"}));
    AutomationVariant absent = callVariantMethod(box, "getAttribute", {"data-kind"});
    EXPECT_EQ(absent.type(), VT_NULL);
    // An attribute the element's members do not describe is not a member.
    readTextProperty(box, "data-kind");
    EXPECT_EQ(lastCallError(), -3);
}

TEST_F(ElementMembersTest, InsertAdjacentHtmlAndText) {
    struct Case {
        const char* where;
        const char* expected;  // #box innerHTML afterwards
    };
    const std::vector<Case> cases = {
        {"beforeBegin", "<P id=\"para\">第一段</P><I>新</I><SPAN id=\"word\">词</SPAN>"},
        {"AfterBegin", "<P id=\"para\">第一段</P><I>新</I><SPAN id=\"word\"><I>新</I>词</SPAN>"},
        {"beforeend",
         "<P id=\"para\">第一段</P><I>新</I><SPAN id=\"word\"><I>新</I>词<I>新</I></SPAN>"},
        {"afterEnd",
         "<P id=\"para\">第一段</P><I>新</I><SPAN "
         "id=\"word\"><I>新</I>词<I>新</I></SPAN><I>新</I>"},
    };
    AutomationObject word = byId("word");
    AutomationObject box = byId("box");
    for (const Case& c : cases) {
        callMethod(word, "insertAdjacentHTML", {c.where, "<i>新</i>"});
        EXPECT_EQ(lastCallError(), 0) << c.where;
        EXPECT_EQ(utf8(readTextProperty(box, "innerHTML")), utf8(c.expected)) << c.where;
    }
    callMethod(word, "insertAdjacentText", {"afterBegin", "<b>"});
    EXPECT_EQ(utf8(readTextProperty(word, "innerHTML")), utf8("&lt;b&gt;<I>新</I>词<I>新</I>"));
    callMethod(word, "insertAdjacentHTML", {"nowhere", "x"});
    EXPECT_EQ(lastCallError(), -18);
}

TEST_F(ElementMembersTest, TreeMethods) {
    AutomationObject box = byId("box");
    AutomationObject made = callObjectMethod(document(), "createElement", {"em"});
    writeProperty(made, "innerText", "加的");
    AutomationObject added = callObjectMethod(box, "appendChild", {made});
    EXPECT_EQ(added.get(), made.get());
    EXPECT_EQ(utf8(readTextProperty(box, "innerText")), utf8("第一段\r\n\r\n词加的"));
    AutomationObject word = byId("word");
    EXPECT_TRUE(callBoolMethod(box, "contains", {word}));
    callObjectMethod(box, "removeChild", {word});
    EXPECT_FALSE(callBoolMethod(box, "contains", {word}));
    AutomationObject para = byId("para");
    callObjectMethod(box, "insertBefore", {word, para});
    EXPECT_EQ(utf8(readTextProperty(box, "innerText")), utf8("词\r\n第一段\r\n\r\n加的"));
}

TEST_F(ElementMembersTest, TheSameElementIsTheSameObject) {
    AutomationObject first = byId("word");
    AutomationObject second = callObjectMethod(document(), "getElementById", {"word"});
    AutomationObject all = readObjectProperty(document(), "all");
    AutomationObject third = callObjectMethod(all, "item", {"word"});
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(first.get(), third.get());
}

}  // namespace
}  // namespace component_test
