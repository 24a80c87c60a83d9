// click() does what a person's click does: the handlers run, then the
// default action unless a handler cancelled it. A radio becomes checked and
// the others of its group unchecked; a checkbox toggles (both before the
// handlers, and back when one cancels); a link sends its window to its
// address; a label clicks its control; a submit button submits its form.
#include "tests/host/browser/component/component_test_support.h"

namespace component_test {
namespace {

constexpr const char* kControls =
    "<form action=\"sent.html\" onsubmit=\"return document.title != 'stop'\">"
    "<input type=radio name=g id=r1 value=1>"
    "<input type=radio name=g id=r2 value=2 checked>"
    "<input type=radio name=g id=r3 value=3 onclick=\"return document.title != 'cancel'\">"
    "<input type=radio name=other id=o1 checked>"
    "<input type=checkbox id=c1>"
    "<input type=checkbox id=c2 checked onclick=\"return document.title != 'cancel'\">"
    "<input type=checkbox id=c3 disabled>"
    "<label id=l1 for=c1>一</label><label id=l2><input type=checkbox id=c4>四</label>"
    "<input type=submit id=go value=提交></form>"
    "<a id=link href=\"next.html\">下一页</a>"
    "<a id=here href=\"#top\">本页</a>"
    "<a id=held href=\"next.html\" onclick=\"return false\">不走</a>"
    "<a id=script href=\"javascript:document.title='脚本%20链接'\">脚本</a>"
    "<a id=wrapped href=\"next.html\"><span id=inner>里面</span></a>";

browser::PageSet clickPages() {
    browser::PageSet pages;
    pages.add(kAddress, pageWithBody(kControls));
    pages.add("http://quiz.example.com/next.html", pageWithBody("<p id=next>下一页</p>"));
    pages.add("http://quiz.example.com/sent.html", pageWithBody("<p id=sent>已提交</p>"));
    return pages;
}

class ClickTest : public ComponentTest {
protected:
    void SetUp() override {
        ComponentTest::SetUp();
        open(clickPages());
    }

    std::string checkedStates() {
        std::string states;
        for (const char* id : {"r1", "r2", "r3", "o1", "c1", "c2", "c3", "c4"}) {
            states += variantToBool(readVariantProperty(byId(id), "checked")) ? '1' : '0';
        }
        return states;
    }

    std::string currentAddress() {
        AutomationObject now = AutomationObject::adopt(browser().document());
        return readTextProperty(now, "URL").bytes();
    }
};

TEST_F(ClickTest, RadiosAndCheckboxes) {
    struct Case {
        const char* title;  // "cancel" makes the handlers that look at it cancel
        const char* clicked;
        const char* states;  // r1 r2 r3 o1 c1 c2 c3 c4 afterwards
    };
    const std::vector<Case> cases = {
        {"", nullptr, "01010100"},    {"", "r1", "10010100"},       {"", "r1", "10010100"},
        {"cancel", "r3", "10010100"}, {"", "r3", "00110100"},       {"", "c1", "00111100"},
        {"", "c1", "00110100"},       {"cancel", "c2", "00110100"}, {"", "c2", "00110000"},
        {"", "c3", "00110000"},       {"", "l1", "00111000"},       {"", "l2", "00111001"},
        {"", "c4", "00111000"},
    };
    for (const Case& c : cases) {
        writeProperty(document(), "title", c.title);
        if (c.clicked != nullptr) {
            callMethod(byId(c.clicked), "click");
            EXPECT_EQ(lastCallError(), 0) << c.clicked;
        }
        EXPECT_EQ(checkedStates(), c.states) << (c.clicked ? c.clicked : "(start)");
    }
    EXPECT_EQ(currentAddress(), kAddress);
}

TEST_F(ClickTest, LinksAndForms) {
    struct Case {
        const char* clicked;
        const char* title;
        const char* address;  // where the window is afterwards
    };
    const std::vector<Case> cases = {
        {"here", "", kAddress},
        {"held", "", kAddress},
        {"script", "", kAddress},
        {"link", "", "http://quiz.example.com/next.html"},
        {"inner", "", "http://quiz.example.com/next.html"},
        {"go", "stop", kAddress},
        {"go", "", "http://quiz.example.com/sent.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicked);
        open(clickPages());
        writeProperty(document(), "title", c.title);
        callMethod(byId(c.clicked), "click");
        EXPECT_EQ(lastCallError(), 0);
        EXPECT_EQ(currentAddress(), c.address);
    }
}

TEST_F(ClickTest, AJavascriptLinkRunsItsCodeInThePage) {
    callMethod(byId("script"), "click");
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), utf8("脚本 链接"));
}

TEST_F(ClickTest, ANavigationAHandlerAsksForHappensWhenTheClickHasReturned) {
    ASSERT_TRUE(
        run("document.getElementById('r1').onclick = function () {"
            " location.href = 'next.html'; document.title = document.URL; };"));
    callMethod(byId("r1"), "click");
    // The handler still saw its own page; the window has moved on since.
    EXPECT_EQ(readTextProperty(document(), "title").bytes(), kAddress);
    EXPECT_EQ(currentAddress(), "http://quiz.example.com/next.html");
}

}  // namespace
}  // namespace component_test
