// Navigation over the in-memory page set: navigate replaces the document
// object, and readyState goes from "loading" to "complete" on the emulated
// desktop's clock, when the page's onload runs.
#include "emulation/desktop_testing.h"
#include "tests/host/browser/component/component_test_support.h"

namespace component_test {
namespace {

constexpr const char* kSecond = "http://quiz.example.com/second.html";
constexpr const char* kFramed = "http://quiz.example.com/framed.html";

browser::PageSet navigationPages() {
    browser::PageSet pages;
    pages.add(kAddress, pageWithBody("<p id=first>第一页</p>"));
    pages.add(kSecond,
              "<html><head><title>第二页</title></head>"
              "<body onload=\"document.title = '已加载'\"><p id=second>第二页</p></body></html>");
    pages.add(kFramed, pageWithBody("<iframe src=\"second.html\"></iframe>"));
    return pages;
}

using NavigationTest = ComponentTest;

TEST_F(NavigationTest, ReadyStateGoesFromLoadingToCompleteOnTheClock) {
    emulation::setTickCount(1000);
    browser::BrowserOptions options;
    options.clock = browser::desktopClock();
    options.loadMilliseconds = 500;
    open(navigationPages(), kSecond, options);

    struct Step {
        DWORD advance;
        const char* readyState;
        const char* title;
    };
    const std::vector<Step> steps = {
        {0, "loading", "第二页"},
        {499, "loading", "第二页"},
        {1, "complete", "已加载"},
        {1000, "complete", "已加载"},
    };
    for (const Step& step : steps) {
        emulation::advanceClock(step.advance);
        EXPECT_EQ(readTextProperty(document(), "readyState").bytes(), step.readyState);
        EXPECT_EQ(utf8(readTextProperty(document(), "title")), utf8(step.title));
    }

    // A navigation starts the next load on the clock, from the new page.
    AutomationObject w = window();
    callMethod(w, "navigate", {kAddress});
    takeCurrentDocument();
    EXPECT_EQ(readTextProperty(document(), "readyState").bytes(), "loading");
    emulation::advanceClock(500);
    EXPECT_EQ(readTextProperty(document(), "readyState").bytes(), "complete");
}

TEST_F(NavigationTest, FramesCompleteWithTheirPageAndRunTheirOnload) {
    emulation::setTickCount(0);
    browser::BrowserOptions options;
    options.clock = browser::desktopClock();
    options.loadMilliseconds = 100;
    open(navigationPages(), kFramed, options);
    AutomationObject frames = readObjectProperty(document(), "frames");
    AutomationObject inner = readObjectProperty(callObjectMethod(frames, "item", {0}), "document");
    EXPECT_EQ(readTextProperty(inner, "readyState").bytes(), "loading");
    emulation::advanceClock(100);
    browser().completeDueLoads();
    EXPECT_EQ(utf8(readTextProperty(inner, "title")), utf8("已加载"));
    EXPECT_EQ(readTextProperty(inner, "readyState").bytes(), "complete");
}

TEST_F(NavigationTest, WithoutAClockALoadCompletesAtOnce) {
    open(navigationPages(), kSecond);
    EXPECT_EQ(readTextProperty(document(), "readyState").bytes(), "complete");
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), utf8("已加载"));
}

TEST_F(NavigationTest, TimersRunWhenTheirTimeHasComeOnTheClock) {
    emulation::setTickCount(0);
    browser::BrowserOptions options;
    options.clock = browser::desktopClock();
    openBody("<p id=out>0</p>",
             "<script>var ticks = 0; var every = setInterval(function () { ticks++;"
             " document.getElementById('out').innerText = ticks; }, 100);"
             " setTimeout(\"document.title = '到时'\", 250);</script>",
             options);
    struct Step {
        DWORD advance;
        const char* ticks;
        const char* title;
    };
    const std::vector<Step> steps = {
        {0, "0", "测试页"}, {99, "0", "测试页"}, {1, "1", "测试页"},
        {150, "2", "到时"}, {0, "2", "到时"},    {100, "3", "到时"},
    };
    for (const Step& step : steps) {
        emulation::advanceClock(step.advance);
        browser().runDueTimers();
        EXPECT_EQ(readTextProperty(byId("out"), "innerText").bytes(), step.ticks);
        EXPECT_EQ(utf8(readTextProperty(document(), "title")), utf8(step.title));
    }
    ASSERT_TRUE(run("clearInterval(every);"));
    emulation::advanceClock(1000);
    browser().runDueTimers();
    EXPECT_EQ(readTextProperty(byId("out"), "innerText").bytes(), "3");
    // The window's members, through the layer too: a timer of text, cleared.
    AutomationObject w = window();
    double id = readNumberProperty(w, "setTimeout", {"document.title = 'x'", 10});
    EXPECT_GT(id, 0.0);
    callMethod(w, "clearTimeout", {id});
    emulation::advanceClock(10);
    browser().runDueTimers();
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), utf8("到时"));
}

TEST_F(NavigationTest, NavigateReplacesTheDocumentObject) {
    open(navigationPages(), kAddress);
    AutomationObject before = copyObject(document());
    struct Case {
        const char* how;
        const char* address;
        const char* expected;  // the URL the window shows afterwards
        bool known;
    };
    const std::vector<Case> cases = {
        {"window.navigate", "second.html", kSecond, true},
        {"location.href", kAddress, kAddress, true},
        {"window.location", "/second.html", kSecond, true},
        {"browser", "http://quiz.example.com/missing.html", "http://quiz.example.com/missing.html",
         false},
    };
    for (const Case& c : cases) {
        AutomationObject w = readObjectProperty(document(), "parentWindow");
        std::string how = c.how;
        if (how == "window.navigate") {
            callMethod(w, "navigate", {c.address});
        } else if (how == "location.href") {
            EXPECT_TRUE(writeProperty(readObjectProperty(w, "location"), "href", c.address));
        } else if (how == "window.location") {
            EXPECT_TRUE(writeProperty(w, "location", c.address));
        } else {
            EXPECT_EQ(browser().navigate(c.address), c.known);
        }
        AutomationObject now = AutomationObject::adopt(browser().document());
        EXPECT_NE(now.get(), document().get()) << c.how;
        EXPECT_EQ(readTextProperty(now, "URL").bytes(), c.expected) << c.how;
        takeCurrentDocument();
    }
    // An address the set does not hold shows an empty page.
    AutomationObject body = readObjectProperty(document(), "body");
    EXPECT_EQ(readTextProperty(body, "innerHTML").bytes(), "");
    EXPECT_EQ(readTextProperty(document(), "readyState").bytes(), "complete");
    // The first document still holds its own page, whose script has ended.
    EXPECT_FALSE(isEmptyObject(callObjectMethod(before, "getElementById", {"first"})));
}

}  // namespace
}  // namespace component_test
