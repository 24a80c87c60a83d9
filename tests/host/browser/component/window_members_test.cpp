// Every window member, reached by name through the late-bound layer: the
// document and frames, navigation, the navigator, and the dialogs a page
// asks for, which are recorded and never wait.
#include "tests/host/browser/component/sample_page.h"

namespace component_test {
namespace {

using Kind = browser::ShownDialog::Kind;

class WindowMembersTest : public ComponentTest {
protected:
    void SetUp() override {
        ComponentTest::SetUp();
        open(samplePages());
    }
};

TEST_F(WindowMembersTest, Properties) {
    browser::BrowserOptions defaults;
    expectReads({
        {"window", "document", {}, "title", "测试页"},
        {"window", "frames", {}, "length", "1"},
        {"window", "navigator", {}, "userAgent", defaults.userAgent.c_str()},
        {"window.navigator", "appName", {}, nullptr, "Microsoft Internet Explorer"},
        {"window.navigator", "appCodeName", {}, nullptr, "Mozilla"},
        {"window.navigator",
         "appVersion",
         {},
         nullptr,
         "4.0 (compatible; MSIE 8.0; Windows NT 6.1; Trident/4.0)"},
        {"window.navigator", "platform", {}, nullptr, "Win32"},
        {"window.navigator", "userLanguage", {}, nullptr, "zh-cn"},
        {"window.navigator", "systemLanguage", {}, nullptr, "zh-cn"},
        {"window", "name", {}, nullptr, ""},
        {"window", "length", {}, nullptr, "1"},
        {"window", "location", {}, nullptr, kAddress},
        {"window", "location", {}, "host", "quiz.example.com"},
        {"window", "location", {}, "protocol", "http:"},
        {"window", "parent", {}, "location", kAddress},
        {"window", "top", {}, "location", kAddress},
        {"window", "self", {}, "location", kAddress},
        {"window", "window", {}, "location", kAddress},
        {"window", "status", {}, nullptr, ""},
        {"window.frames", "item", {0}, "name", "inner"},
        {"window.frames", "item", {"inner"}, "location", kSampleFrameAddress},
    });
    AutomationObject w = window();
    EXPECT_TRUE(isEmptyObject(readObjectProperty(w, "event")));  // no event is being handled
    EXPECT_TRUE(isEmptyObject(readObjectProperty(w, "opener")));
    EXPECT_FALSE(callBoolMethod(w, "closed"));
    EXPECT_FALSE(callBoolMethod(readObjectProperty(w, "navigator"), "javaEnabled"));
    EXPECT_TRUE(writeProperty(w, "status", "状态"));
    EXPECT_EQ(utf8(readTextProperty(w, "status")), utf8("状态"));
    EXPECT_TRUE(writeProperty(w, "name", "main"));
    EXPECT_EQ(utf8(readTextProperty(w, "name")), "main");
}

TEST_F(WindowMembersTest, DialogsAreRecordedAndDoNotWait) {
    AutomationObject w = window();
    callMethod(w, "alert", {"提示一下"});
    EXPECT_TRUE(callBoolMethod(w, "confirm", {"确定吗？"}));
    EXPECT_EQ(utf8(readTextProperty(w, "prompt", {"请输入", "默认"})), utf8("默认"));
    AutomationVariant none = callVariantMethod(w, "showModalDialog", {"dialog.html"});
    EXPECT_EQ(none.type(), VT_EMPTY);
    callMethod(w, "alert");

    struct Expected {
        Kind kind;
        const char* text;
        const char* defaultText;
    };
    const std::vector<Expected> expected = {
        {Kind::alert, "提示一下", ""},
        {Kind::confirm, "确定吗？", ""},
        {Kind::prompt, "请输入", "默认"},
        {Kind::modalDialog, "dialog.html", ""},
        {Kind::alert, "", ""},
    };
    const auto& shown = browser().shownDialogs();
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(shown[i].kind, expected[i].kind) << i;
        EXPECT_EQ(utf8(shown[i].text), utf8(expected[i].text)) << i;
        EXPECT_EQ(utf8(shown[i].defaultText), utf8(expected[i].defaultText)) << i;
        EXPECT_EQ(shown[i].address, kAddress) << i;
    }
}

TEST_F(WindowMembersTest, ConfirmGivesTheAnswerTheBrowserWasToldToGive) {
    browser::BrowserOptions options;
    options.confirmAnswer = false;
    open(samplePages(), kAddress, options);
    EXPECT_FALSE(callBoolMethod(window(), "confirm", {"删除？"}));
    EXPECT_EQ(lastCallError(), 0);
}

TEST_F(WindowMembersTest, ExecScriptRunsJScriptAndRefusesVBScript) {
    struct Case {
        AutomationArgument language;
        std::int32_t code;
    };
    const std::vector<Case> cases = {
        {"JScript", 0},    {"JavaScript", 0}, {"javascript", 0}, {omittedArgument, 0},
        {"VBScript", -11}, {"vbscript", -11}, {"Perl", -18},
    };
    AutomationObject w = window();
    for (const Case& c : cases) {
        callMethod(w, "execScript", {"document.title = '脚本';", c.language});
        EXPECT_EQ(lastCallError(), c.code);
    }
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), utf8("脚本"));
}

TEST_F(WindowMembersTest, NavigateReplacesTheDocument) {
    AutomationObject w = window();
    callMethod(w, "navigate", {"next.html"});
    EXPECT_EQ(lastCallError(), 0);
    AutomationObject now = readObjectProperty(w, "document");
    EXPECT_NE(now.get(), document().get());
    EXPECT_EQ(utf8(readTextProperty(now, "URL")), "http://quiz.example.com/next.html");
    EXPECT_FALSE(isEmptyObject(callObjectMethod(now, "getElementById", {"next"})));
    // The old document keeps its own tree.
    EXPECT_FALSE(isEmptyObject(byId("box")));
}

TEST_F(WindowMembersTest, LeavingAPageAsksWhatItsBeforeUnloadHandlerSays) {
    ASSERT_TRUE(run("window.onbeforeunload = function () { return '确定离开？'; };"));
    AutomationVariant handler = readVariantProperty(window(), "onbeforeunload");
    EXPECT_EQ(handler.type(), VT_DISPATCH);
    callMethod(window(), "navigate", {"next.html"});
    const auto& shown = browser().shownDialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, Kind::beforeUnload);
    EXPECT_EQ(utf8(shown[0].text), utf8("确定离开？"));
}

TEST_F(WindowMembersTest, ABeforeUnloadHandlerSetToNullAsksNothing) {
    ASSERT_TRUE(run("window.onbeforeunload = function () { return 'x'; };"));
    ASSERT_TRUE(run("window.onbeforeunload=null;"));
    AutomationVariant handler = readVariantProperty(window(), "onbeforeunload");
    EXPECT_EQ(handler.type(), VT_NULL);
    callMethod(window(), "navigate", {"next.html"});
    EXPECT_TRUE(browser().shownDialogs().empty());
}

TEST_F(WindowMembersTest, ScrollingTheWindowScrollsTheDocument) {
    AutomationObject w = window();
    callMethod(w, "scrollTo", {0, 20});
    AutomationObject root = readObjectProperty(document(), "documentElement");
    EXPECT_EQ(readNumberProperty(root, "scrollTop"), 20.0);
    callMethod(w, "scrollBy", {0, 5});
    EXPECT_EQ(readNumberProperty(root, "scrollTop"), 25.0);
    callMethod(w, "focus");
    callMethod(w, "blur");
    EXPECT_EQ(lastCallError(), 0);
}

}  // namespace
}  // namespace component_test
