// What the component's tests share: a browser over pages made for the test,
// the document it shows held as the tool holds it, the page's objects
// reached by member name through the late-bound layer, and the check every
// test ends with: once the browser is closed, every object the test and
// the pages' scripts made is gone and the document object has only the
// test's own reference left.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "browser/dom/code_page_936.h"
#include "browser/objects/document_object.h"
#include "browser/objects/web_browser_object.h"
#include "browser/page/browser.h"
#include "com/dispatch_object.h"
#include "emulation/desktop_testing.h"
#include "runtime/automation_call.h"

namespace component_test {

inline constexpr const char* kAddress = "http://quiz.example.com/index.html";

// A page with this body (and a title), code page 936 as the tests'
// literals are compiled.
inline std::string pageWithBody(std::string_view body, std::string_view head = {}) {
    return "<html><head><title>测试页</title>" + std::string(head) + "</head><body>" +
           std::string(body) + "</body></html>";
}

// Code page 936 as UTF-8, for readable failure messages: tests compare
// utf8(what the page gave) with utf8("the literal"), both code page 936.
inline std::string utf8(std::string_view cp936) { return dom::cp936ToUtf8(cp936); }
inline std::string utf8(const Text& text) { return dom::cp936ToUtf8(text.bytes()); }
inline std::string utf8(const char* cp936) { return dom::cp936ToUtf8(cp936); }

// A late-bound read, write or call with its arguments taken from a table
// row (the layer takes them as an initializer list).
inline Text readTextWith(const AutomationObject& object, const char* member,
                         const std::vector<AutomationArgument>& a) {
    switch (a.size()) {
        case 0:
            return readTextProperty(object, member);
        case 1:
            return readTextProperty(object, member, {a[0]});
        case 2:
            return readTextProperty(object, member, {a[0], a[1]});
        default:
            return readTextProperty(object, member, {a[0], a[1], a[2]});
    }
}

inline AutomationObject readObjectWith(const AutomationObject& object, const char* member,
                                       const std::vector<AutomationArgument>& a) {
    switch (a.size()) {
        case 0:
            return readObjectProperty(object, member);
        case 1:
            return readObjectProperty(object, member, {a[0]});
        case 2:
            return readObjectProperty(object, member, {a[0], a[1]});
        default:
            return readObjectProperty(object, member, {a[0], a[1], a[2]});
    }
}

// One read of a member: its value as text, or, with `then`, the object it
// gives and that object's member `then` as text.
struct MemberRead {
    const char* path;  // see ComponentTest::reach
    const char* member;
    std::vector<AutomationArgument> arguments;
    const char* then;      // nullptr: the value itself
    const char* expected;  // code page 936
};

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        liveAtStart_ = DispatchObject::liveObjects();
        webBrowsersAtStart_ = browser::WebBrowserObject::liveObjects();
        desktopAtStart_ = emulation::liveDesktopObjects();
    }

    void TearDown() override {
        // Closing the browser ends every page's script, which gives back
        // all it held; after that only the test's reference to the
        // document may be left.
        browser_.reset();
        if (!isEmptyObject(document_)) {
            auto* document = browser::DocumentObject::from(document_.get());
            ASSERT_NE(document, nullptr);
            EXPECT_EQ(document->referenceCount(), 1u);
        }
        clearObject(document_);
        EXPECT_EQ(DispatchObject::liveObjects(), liveAtStart_);
        EXPECT_EQ(browser::WebBrowserObject::liveObjects(), webBrowsersAtStart_);
        EXPECT_EQ(emulation::liveDesktopObjects(), desktopAtStart_);
        emulation::useRealClock();
    }

    // Opens a browser on the page at `address` of the set and holds its
    // document.
    void open(browser::PageSet pages, std::string_view address = kAddress,
              browser::BrowserOptions options = {}) {
        clearObject(document_);
        browser_ =
            std::make_unique<browser::Browser>(std::move(pages), address, std::move(options));
        document_ = AutomationObject::adopt(browser_->document());
    }

    // Opens a browser on one page with this body.
    void openBody(std::string_view body, std::string_view head = {},
                  browser::BrowserOptions options = {}) {
        browser::PageSet pages;
        pages.add(kAddress, pageWithBody(body, head));
        open(std::move(pages), kAddress, std::move(options));
    }

    // The document again, after a navigation replaced it.
    void takeCurrentDocument() { document_ = AutomationObject::adopt(browser_->document()); }

    AutomationObject& document() { return document_; }
    browser::Browser& browser() { return *browser_; }

    AutomationObject byId(const char* id) {
        return callObjectMethod(document_, "getElementById", {id});
    }
    AutomationObject window() { return readObjectProperty(document_, "parentWindow"); }
    // Runs script in the page as the tool does; a failure names the error.
    ::testing::AssertionResult run(const char* code) {
        AutomationObject w = window();
        callMethod(w, "execScript", {code, "JScript"});
        if (lastCallError() == 0) return ::testing::AssertionSuccess();
        const auto& errors = browser_->scriptErrors();
        return ::testing::AssertionFailure()
               << "code " << lastCallError() << ": "
               << (errors.empty() ? std::string() : utf8(errors.back().message));
    }

    // An object by a path: "document", "window", "#id" (getElementById),
    // each followed by ".member" reads of objects ("#sel.options").
    AutomationObject reach(std::string_view path) {
        size_t dot = path.find('.');
        std::string first(path.substr(0, dot));
        AutomationObject object;
        if (first == "document") {
            object = copyObject(document_);
        } else if (first == "window") {
            object = window();
        } else if (!first.empty() && first[0] == '#') {
            object = byId(first.c_str() + 1);
        }
        while (dot != std::string_view::npos && !isEmptyObject(object)) {
            path = path.substr(dot + 1);
            dot = path.find('.');
            object = readObjectProperty(object, Text(std::string(path.substr(0, dot))));
        }
        return object;
    }

    // Runs a table of member reads against the open page.
    void expectReads(const std::vector<MemberRead>& reads) {
        for (const MemberRead& read : reads) {
            SCOPED_TRACE(std::string(read.path) + " " + read.member +
                         (read.then ? std::string(" ") + read.then : std::string()));
            AutomationObject object = reach(read.path);
            ASSERT_FALSE(isEmptyObject(object));
            Text value;
            if (read.then == nullptr) {
                value = readTextWith(object, read.member, read.arguments);
                EXPECT_EQ(lastCallError(), 0) << utf8(lastCallErrorText());
            } else {
                AutomationObject result = readObjectWith(object, read.member, read.arguments);
                EXPECT_EQ(lastCallError(), 0) << utf8(lastCallErrorText());
                value = readTextProperty(result, read.then);
                EXPECT_EQ(lastCallError(), 0) << utf8(lastCallErrorText());
            }
            EXPECT_EQ(utf8(value), utf8(read.expected));
        }
    }

private:
    long liveAtStart_ = 0;
    long webBrowsersAtStart_ = 0;
    emulation::DesktopObjects desktopAtStart_;
    std::unique_ptr<browser::Browser> browser_;
    AutomationObject document_;
};

}  // namespace component_test
