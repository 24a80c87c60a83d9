// The browser's windows as the tool meets them: a depth-first window search
// from the frame finds the page window, whose document message hands out the
// current document through ObjectFromLresult.
#include "browser/desktop/browser_window.h"

#include <gtest/gtest.h>

#include "browser/page/browser.h"
#include "com/dispatch_object.h"
#include "emulation/desktop_testing.h"
#include "runtime/automation_call.h"
#include "runtime/system_services.h"

namespace {

// The page window at or below `window`, children before their next sibling.
HWND findPageWindow(HWND window) {
    char name[256] = {};
    if (window != nullptr && GetClassNameA(window, name, 255) > 0 &&
        std::string(name) == "Internet Explorer_Server") {
        return window;
    }
    for (HWND child = FindWindowExA(window, nullptr, nullptr, nullptr); child != nullptr;
         child = FindWindowExA(window, child, nullptr, nullptr)) {
        if (HWND found = findPageWindow(child)) return found;
    }
    return nullptr;
}

// The document as the tool fetches it: the registered message, sent with a
// time-out, and ObjectFromLresult for IHTMLDocument.
AutomationObject documentOf(HWND pageWindow) {
    DWORD_PTR result = 0;
    UINT message = RegisterWindowMessageA("WM_HTML_GETOBJECT");
    if (!SendMessageTimeoutA(pageWindow, message, 0, 0, SMTO_ABORTIFHUNG, 1000, &result)) return {};
    AutomationObject document;
    if (FAILED(ObjectFromLresult(static_cast<LRESULT>(result), browser::IID_IHTMLDocument, 0,
                                 reinterpret_cast<void**>(document.put())))) {
        return {};
    }
    return document;
}

class BrowserWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        objectsAtStart_ = DispatchObject::liveObjects();
        desktopAtStart_ = emulation::liveDesktopObjects();
    }
    void TearDown() override {
        CoUninitialize();
        EXPECT_EQ(DispatchObject::liveObjects(), objectsAtStart_);
        EXPECT_EQ(emulation::liveDesktopObjects(), desktopAtStart_);
    }

    static browser::PageSet pages() {
        browser::PageSet set;
        set.add("http://quiz.example/",
                "<html><head><title>第一页</title></head><body>甲</body></html>");
        set.add("http://quiz.example/2",
                "<html><head><title>第二页</title></head><body>乙</body></html>");
        return set;
    }

    long objectsAtStart_ = 0;
    emulation::DesktopObjects desktopAtStart_;
};

TEST_F(BrowserWindowTest, TheDocumentMessageHandsOutTheCurrentDocument) {
    browser::Browser browser(pages(), "http://quiz.example/");
    browser::BrowserWindow window("网上答题", browser);

    HWND page = findPageWindow(window.frameWindow());
    ASSERT_EQ(page, window.pageWindow());
    EXPECT_NE(findPageWindow(nullptr), nullptr);  // from the desktop's top-level windows too

    AutomationObject document = documentOf(page);
    ASSERT_FALSE(isEmptyObject(document));
    EXPECT_EQ(readTextProperty(document, "title").bytes(), "第一页");

    // A navigation replaces the document; the window hands out the new one.
    browser.navigate("http://quiz.example/2");
    AutomationObject next = documentOf(page);
    EXPECT_EQ(readTextProperty(next, "title").bytes(), "第二页");
    EXPECT_EQ(readTextProperty(document, "title").bytes(), "第一页");  // the old one lives on
}

TEST_F(BrowserWindowTest, AHungPageWindowGivesNoDocument) {
    browser::Browser browser(pages(), "http://quiz.example/");
    browser::BrowserWindow window("网上答题", browser);
    emulation::setTickCount(1000);
    emulation::setWindowHung(window.pageWindow(), true);
    EXPECT_TRUE(isEmptyObject(documentOf(window.pageWindow())));
    EXPECT_EQ(GetTickCount(), 2000u);  // the whole time-out, on the emulated clock
    emulation::setWindowHung(window.pageWindow(), false);
    emulation::useRealClock();
    EXPECT_FALSE(isEmptyObject(documentOf(window.pageWindow())));
}

TEST_F(BrowserWindowTest, AnUncollectedDocumentIsReleased) {
    browser::Browser browser(pages(), "http://quiz.example/");
    {
        browser::BrowserWindow window("网上答题", browser);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window.pageWindow(), RegisterWindowMessageA("WM_HTML_GETOBJECT"), 0, 0,
                            SMTO_ABORTIFHUNG, 1000, &result);
        EXPECT_NE(result, 0u);
    }
    // Never collected: released when the thread's COM use ends (TearDown).
}

TEST_F(BrowserWindowTest, APostedLeftClickClicksTheElementUnderIt) {
    browser::PageSet set;
    set.add("http://quiz.example/",
            "<html><body><p>第一题</p><p><input type=\"checkbox\" id=\"box\"></p></body></html>");
    browser::Browser browser(std::move(set), "http://quiz.example/");
    browser::BrowserWindow window("网上答题", browser);
    AutomationObject document = documentOf(window.pageWindow());
    AutomationObject box = callObjectMethod(document, "getElementById", {"box"});
    const auto x = static_cast<std::int32_t>(readNumberProperty(box, "offsetLeft")) + 5;
    const auto y = static_cast<std::int32_t>(readNumberProperty(box, "offsetTop")) + 5;
    const LPARAM point = x + y * 65536;
    PostMessageA(window.pageWindow(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(window.pageWindow(), WM_LBUTTONUP, 0, point);
    EXPECT_EQ(readNumberProperty(box, "checked"), 0.0);  // not yet: the clicks wait in the queue
    processEvents();
    EXPECT_EQ(readNumberProperty(box, "checked"), -1.0);

    PostMessageA(window.pageWindow(), WM_LBUTTONUP, 0, point);  // a release alone is no click
    processEvents();
    EXPECT_EQ(readNumberProperty(box, "checked"), -1.0);
}

}  // namespace
