// Frames: windows of their own nested to any depth, frames.item(i) giving
// a frame's window, and the browser service every window answers, whose
// get_Document reaches even the document of a frame from another domain,
// which the page's own members refuse (E_ACCESSDENIED, code -18).
#include "tests/host/browser/component/component_test_support.h"

namespace component_test {
namespace {

constexpr const char* kTop = "http://quiz.example.com/top.html";
constexpr const char* kA = "http://quiz.example.com/a.html";
constexpr const char* kA1 = "http://quiz.example.com/a1.html";
constexpr const char* kA1x = "http://quiz.example.com/deep.html";
constexpr const char* kA2 = "http://quiz.example.com/a2.html";
constexpr const char* kB = "http://ads.other.com/b.html";
constexpr const char* kB1 = "http://ads.other.com/b1.html";

constexpr const char* kServiceProvider = "{6D5140C1-7436-11CE-8034-00AA006009FA}";

// Top holds A and B; A holds A1 (which holds A1x) and A2; B is of another
// domain, a frameset page holding B1.
browser::PageSet framePages() {
    browser::PageSet pages;
    pages.add(kTop,
              pageWithBody("<iframe id=fa name=A src=\"a.html\"></iframe>"
                           "<iframe id=fb name=B src=\"http://ads.other.com/b.html\"></iframe>"));
    pages.add(kA, pageWithBody("<iframe name=A1 src=\"a1.html\"></iframe>"
                               "<iframe name=A2 src=\"/a2.html\"></iframe>"));
    pages.add(kA1, pageWithBody("<iframe name=A1x src=\"deep.html\"></iframe>"));
    pages.add(kA1x, pageWithBody("<p id=deep>最深</p>"));
    pages.add(kA2, pageWithBody("<p>二</p>"));
    pages.add(kB,
              "<html><head><title>广告</title></head><frameset cols=\"50%,50%\">"
              "<frame name=B1 src=\"b1.html\"></frameset></html>");
    pages.add(kB1, pageWithBody("<p>b1</p>"));
    return pages;
}

// IServiceProvider::QueryService for the window's web browser, then its
// get_Document, as the tool reaches a frame's document.
AutomationObject documentThroughService(const AutomationObject& window) {
    AutomationObject provider;
    if (!queryObjectInterface(provider, window, kServiceProvider)) return {};
    void* browserPointer = nullptr;
    HRESULT hr = provider.as<IServiceProvider>()->QueryService(SID_SWebBrowserApp, IID_IWebBrowser2,
                                                               &browserPointer);
    if (hr != S_OK) return {};
    AutomationObject browser = AutomationObject::adopt(static_cast<IWebBrowser2*>(browserPointer));
    IDispatch* document = nullptr;
    browser.as<IWebBrowser2>()->get_Document(&document);
    return AutomationObject::adopt(document);
}

// The tool's walk over a document's frames: each frame item's document by
// contentDocument or, failing that, through the browser service; the
// documents below a frame before the frame's own.
void collectFrameDocuments(const AutomationObject& document, std::vector<AutomationObject>& found) {
    AutomationObject frames = readObjectProperty(document, "frames");
    int count = static_cast<int>(readNumberProperty(frames, "length"));
    for (int i = 0; i < count; ++i) {
        AutomationObject item = callObjectMethod(frames, "item", {static_cast<double>(i)});
        AutomationObject current = readObjectProperty(item, "contentDocument");
        if (isEmptyObject(current)) current = documentThroughService(item);
        collectFrameDocuments(current, found);
        found.push_back(std::move(current));
    }
}

class FramesTest : public ComponentTest {
protected:
    void SetUp() override {
        ComponentTest::SetUp();
        open(framePages(), kTop);
    }
};

TEST_F(FramesTest, EveryDocumentOfThePageInTheToolsOrder) {
    std::vector<AutomationObject> documents;
    documents.push_back(copyObject(document()));
    collectFrameDocuments(document(), documents);
    std::vector<std::string> addresses;
    for (const AutomationObject& each : documents) {
        addresses.push_back(readTextProperty(each, "URL").bytes());
    }
    EXPECT_EQ(addresses, (std::vector<std::string>{kTop, kA1x, kA1, kA2, kA, kB1, kB}));
}

TEST_F(FramesTest, FramesItemGivesTheFramesWindow) {
    expectReads({
        {"document.frames", "item", {0}, "name", "A"},
        {"document.frames", "item", {1}, "name", "B"},
        {"document.frames", "item", {"A"}, "name", "A"},
        {"window.frames", "item", {0.0}, "location", kA},
        {"#fa", "contentWindow", {}, "name", "A"},
        {"#fa", "contentDocument", {}, "URL", kA},
        {"#fa.contentDocument.frames", "item", {0}, "name", "A1"},
    });
    // Three deep, each window reached from its parent's document.
    AutomationObject a = callObjectMethod(readObjectProperty(document(), "frames"), "item", {0});
    AutomationObject aDocument = readObjectProperty(a, "document");
    AutomationObject a1 = callObjectMethod(readObjectProperty(aDocument, "frames"), "item", {0});
    AutomationObject a1Document = readObjectProperty(a1, "document");
    AutomationObject a1x = callObjectMethod(readObjectProperty(a1Document, "frames"), "item", {0});
    AutomationObject deep = readObjectProperty(a1x, "document");
    EXPECT_EQ(
        utf8(readTextProperty(callObjectMethod(deep, "getElementById", {"deep"}), "innerText")),
        utf8("最深"));
    AutomationObject up = readObjectProperty(readObjectProperty(deep, "parentWindow"), "top");
    EXPECT_EQ(readTextProperty(up, "location").bytes(), kTop);
    EXPECT_TRUE(
        isEmptyObject(callObjectMethod(readObjectProperty(document(), "frames"), "item", {5})));
}

TEST_F(FramesTest, AFrameOfAnotherDomainRefusesItsDocumentButNotTheBrowserService) {
    AutomationObject b = callObjectMethod(readObjectProperty(document(), "frames"), "item", {1});
    EXPECT_TRUE(isEmptyObject(readObjectProperty(b, "document")));
    EXPECT_EQ(lastCallError(), -18);
    callMethod(b, "execScript", {"document.title = 'x'"});
    EXPECT_EQ(lastCallError(), -18);
    EXPECT_EQ(readTextProperty(b, "name").bytes(), "B");  // what is not the page's stays readable

    AutomationObject frameElement = byId("fb");
    EXPECT_TRUE(isEmptyObject(readObjectProperty(frameElement, "contentDocument")));
    EXPECT_EQ(lastCallError(), -18);
    AutomationObject contentWindow = readObjectProperty(frameElement, "contentWindow");
    EXPECT_TRUE(isEmptyObject(readObjectProperty(contentWindow, "document")));
    EXPECT_EQ(lastCallError(), -18);

    for (const AutomationObject* window : {&b, &contentWindow}) {
        AutomationObject reached = documentThroughService(*window);
        ASSERT_FALSE(isEmptyObject(reached));
        EXPECT_EQ(readTextProperty(reached, "URL").bytes(), kB);
        // From inside, the frame's page is its own: its parent is the boundary now.
        AutomationObject own = readObjectProperty(reached, "parentWindow");
        EXPECT_EQ(readTextProperty(readObjectProperty(own, "document"), "domain").bytes(),
                  "ads.other.com");
        AutomationObject parent = readObjectProperty(own, "parent");
        EXPECT_TRUE(isEmptyObject(readObjectProperty(parent, "document")));
        EXPECT_EQ(lastCallError(), -18);
    }
}

TEST_F(FramesTest, TheBrowserServiceAndItsWebBrowser) {
    AutomationObject w = window();
    AutomationObject provider;
    ASSERT_TRUE(queryObjectInterface(provider, w, kServiceProvider));
    void* pointer = nullptr;
    EXPECT_EQ(
        provider.as<IServiceProvider>()->QueryService(IID_IDispatch, IID_IWebBrowser2, &pointer),
        E_NOINTERFACE);
    EXPECT_EQ(pointer, nullptr);
    ASSERT_EQ(provider.as<IServiceProvider>()->QueryService(SID_SWebBrowserApp, IID_IWebBrowser2,
                                                            &pointer),
              S_OK);
    AutomationObject webBrowser = AutomationObject::adopt(static_cast<IWebBrowser2*>(pointer));
    auto* browser2 = webBrowser.as<IWebBrowser2>();
    BSTR url = nullptr;
    ASSERT_EQ(browser2->get_LocationURL(&url), S_OK);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(url)),
              u"http://quiz.example.com/top.html");
    SysFreeString(url);
    READYSTATE state = READYSTATE_UNINITIALIZED;
    EXPECT_EQ(browser2->get_ReadyState(&state), S_OK);
    EXPECT_EQ(state, READYSTATE_COMPLETE);
    VARIANT_BOOL topLevel = VARIANT_FALSE;
    EXPECT_EQ(browser2->get_TopLevelContainer(&topLevel), S_OK);
    EXPECT_EQ(topLevel, VARIANT_TRUE);
    IDispatch* document = nullptr;
    ASSERT_EQ(browser2->get_Document(&document), S_OK);
    AutomationObject held = AutomationObject::adopt(document);
    EXPECT_EQ(held.get(), this->document().get());  // the same document object
}

TEST_F(FramesTest, ScriptReachesFramesOfItsDomainOnly) {
    ASSERT_TRUE(
        run("document.title = frames['A'].document.frames[0].name + ',' + frames.length +"
            " ',' + frames[1].name;"));
    EXPECT_EQ(readTextProperty(document(), "title").bytes(), "A1,2,B");
    ASSERT_TRUE(
        run("try { frames['B'].document.title = 'x'; } catch (e) { document.title = e.message; }"));
    EXPECT_EQ(readTextProperty(document(), "title").bytes(), "Access is denied.");
}

TEST_F(FramesTest, FramesAreLaidOutInTheirParent) {
    AutomationObject frame = byId("fb");
    EXPECT_EQ(readNumberProperty(frame, "offsetLeft"), 300.0);
    EXPECT_EQ(readNumberProperty(frame, "offsetWidth"), 300.0);
    AutomationObject hit = callObjectMethod(document(), "elementFromPoint", {310, 10});
    EXPECT_EQ(readTextProperty(hit, "id").bytes(), "fb");
}

TEST_F(FramesTest, ChangingAFramesSourceLoadsItsWindow) {
    AutomationObject frame = byId("fa");
    EXPECT_TRUE(writeProperty(frame, "src", "a2.html"));
    AutomationObject now = readObjectProperty(frame, "contentDocument");
    EXPECT_EQ(readTextProperty(now, "URL").bytes(), kA2);
}

}  // namespace
}  // namespace component_test
