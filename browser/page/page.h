// A page: one document loaded in a window, with what belongs to it and not
// to the tree itself: its address and domain, its load state, its script
// engine, the event handlers script assigned, the windows of its frames,
// the style sheets script made, and the component's objects for it.
//
// Every object the component hands out for a page (the document, its
// elements, collections, ranges...) holds the page, so a page lives as long
// as anything refers to it. Its script engine and frame windows live only
// while it is shown: navigating the window away, or closing it, closes the
// page, which ends its script (giving back every reference the script held)
// and closes its frames. A closed page's objects keep working on its tree.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "browser/dom/document.h"
#include "platform/win32.h"
#include "runtime/automation_variant.h"

namespace browser {

class BrowserState;
class DocumentObject;
class ElementObject;
class ScriptEngine;
class Window;

struct StyleRule {
    std::string selector;      // code page 936, as given
    std::string declarations;  // "overflow:hidden;", as given
};

class Page : public std::enable_shared_from_this<Page> {
public:
    // A page at `address` showing `document`, in `window`. `domain` is the
    // page's domain (the address's host, or the parent's for about:blank).
    Page(std::shared_ptr<BrowserState> browser, const std::shared_ptr<Window>& window,
         std::string address, std::string domain, std::shared_ptr<dom::Document> document);
    ~Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    BrowserState& browser() const { return *browser_; }
    const std::shared_ptr<BrowserState>& browserPointer() const { return browser_; }
    // The window the page was loaded in; null once that window is gone.
    std::shared_ptr<Window> window() const { return window_.lock(); }
    dom::Document& document() const { return *document_; }
    const std::shared_ptr<dom::Document>& documentPointer() const { return document_; }

    const std::string& address() const { return address_; }
    const std::string& domain() const { return domain_; }
    // document.domain may be set to the domain itself or to a suffix of it
    // that starts after a ".", as browsers allow; false otherwise.
    bool setDomain(std::string_view domain);
    // The character set: what a <meta> says, else "gb2312", as the old
    // browser on a Chinese system gives it; or what was set.
    std::string charset() const;
    void setCharset(std::string charset) { charset_ = std::move(charset); }

    // ---- Loading ----------------------------------------------------------

    // Runs the page's <script> blocks in document order (text a block
    // writes with document.write goes in right after it), loads its frames
    // and, when the load is due at once, completes it.
    void load();
    // "loading" until the load is due on the browser's clock, then
    // "complete"; the first time it is seen complete, the window's onload
    // handler runs (frames' before their parent's).
    std::string readyState();
    // Completes the load when it is due (here and in every frame page).
    void completeIfDue();

    // document.write: during a script block the text goes in after that
    // block; otherwise the first write replaces the whole document
    // (document.open) and the later ones, until document.close, add to what
    // the document was written from.
    void write(std::string_view cp936Html);
    void closeWriting() { writingOpen_ = false; }

    // ---- Script -----------------------------------------------------------

    // The page's script engine, made on first use; null once closed.
    ScriptEngine* script();
    // Runs code (code page 936) in the page's global scope. S_OK, or
    // DISP_E_EXCEPTION when it fails (the error is recorded with the page's
    // address) or the page is closed.
    HRESULT runScript(std::string_view code, std::string_view sourceName);

    // Event handlers of an element, the document or the window, by their
    // property name ("onclick"): what script assigned, else the element's
    // attribute of that name compiled into a function (for the window: the
    // body's attribute, as <body onload> sets window.onload). `result` gets
    // a copy: a function object, or VT_NULL when there is none.
    void elementHandler(dom::Element& element, std::string_view name, VARIANT* result);
    void documentHandler(std::string_view name, VARIANT* result);
    void windowHandler(std::string_view name, VARIANT* result);
    // Assigns one (a function object; null or empty removes it).
    void setElementHandler(dom::Element& element, std::string_view name, const VARIANT& value);
    void setDocumentHandler(std::string_view name, const VARIANT& value);
    void setWindowHandler(std::string_view name, const VARIANT& value);
    // An on... attribute changed: its compiled handler is dropped.
    void forgetAttributeHandler(dom::Element& element, std::string_view name);

    // ---- Timers -----------------------------------------------------------

    // setTimeout and setInterval: `code` (a function object, or script text)
    // runs once the browser's clock has moved `milliseconds` on, when
    // Browser::runDueTimers is next called; an interval then runs again
    // every `milliseconds` (at least 1). The result is the timer's number.
    long addTimer(const VARIANT& code, std::int64_t milliseconds, bool repeat);
    void clearTimer(long id);
    // Runs the timers that are due, each at most once, then those of the frames.
    void runDueTimers();

    // ---- Frames and style sheets -----------------------------------------

    // The frame and iframe elements in the tree, in document order, with
    // their windows; a frame element seen for the first time gets its
    // window, which loads the element's src. Empty once closed.
    std::vector<std::pair<dom::Element*, std::shared_ptr<Window>>> frames();
    // The window of one frame element of this page; null for another element.
    std::shared_ptr<Window> frameWindow(dom::Element& frame);

    std::vector<std::vector<StyleRule>>& styleSheets() { return styleSheets_; }

    // ---- The component's objects for this page ----------------------------

    // The document object while one exists (it clears the slot as it goes),
    // and the element objects by element, so that the same element is the
    // same object for as long as anything holds it.
    DocumentObject*& documentObjectSlot() { return documentObject_; }
    std::unordered_map<const dom::Element*, ElementObject*>& elementObjects() {
        return elementObjects_;
    }

    // Closes the page: its frame windows close, its script engine ends and
    // the handlers it made are dropped.
    void close();
    bool isClosed() const { return closed_; }

private:
    void handler(const void* key, dom::Element* attributeSource, std::string_view name,
                 VARIANT* result);
    void setHandler(const void* key, std::string_view name, const VARIANT& value);
    void runScriptBlocks();
    void replaceContent(std::string_view cp936Html);
    bool loadIsDue() const;

    std::shared_ptr<BrowserState> browser_;
    std::weak_ptr<Window> window_;
    std::string address_;
    std::string domain_;
    std::string charset_;
    std::shared_ptr<dom::Document> document_;

    std::int64_t loadDue_ = 0;
    bool complete_ = false;
    bool completing_ = false;
    dom::Element* runningScript_ = nullptr;
    std::string scriptWrites_;
    bool writingOpen_ = false;
    std::string writtenContent_;

    struct Timer {
        long id;
        AutomationVariant code;
        std::int64_t due;
        std::int64_t interval;  // 0 for a timeout
    };
    std::vector<Timer> timers_;
    long nextTimerId_ = 1;

    std::shared_ptr<ScriptEngine> script_;
    std::map<std::pair<const void*, std::string>, AutomationVariant> handlers_;
    std::vector<std::pair<dom::Element*, std::shared_ptr<Window>>> frameWindows_;
    std::vector<std::vector<StyleRule>> styleSheets_;

    DocumentObject* documentObject_ = nullptr;
    std::unordered_map<const dom::Element*, ElementObject*> elementObjects_;
    bool closed_ = false;
};

}  // namespace browser
