// The substitute browser: a top window showing pages from an in-memory set,
// and the way in for whoever hosts it (the page window, tests, the
// inspection command). Everything a page offers is then reached through the
// document's IDispatch, by member name, as on Windows.
//
//     browser::PageSet pages;
//     pages.add("http://quiz.example/", html);            // code page 936
//     browser::Browser browser(std::move(pages), "http://quiz.example/");
//     IDispatch* document = browser.document();            // one reference, the caller's
//
// The browser owns its windows and their pages' script engines. Destroying
// it closes them all: scripts stop, frames go, and every reference a script
// held is given back; objects handed out before stay usable (their pages
// live as long as they are referenced) but no script runs in them any more.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "browser/dom/document.h"
#include "browser/page/page_set.h"
#include "platform/win32.h"

namespace browser {

class BrowserState;
class Window;

// A dialog a page's script asked for. None blocks: alert returns at once,
// confirm gives BrowserOptions::confirmAnswer, prompt its default text and
// showModalDialog nothing. A "beforeUnload" entry is the question the
// browser asks when a page's onbeforeunload handler returns a text.
struct ShownDialog {
    enum class Kind { alert, confirm, prompt, modalDialog, beforeUnload };
    Kind kind;
    std::string text;         // the message (code page 936); the address for a modal dialog
    std::string defaultText;  // prompt's default answer
    std::string address;      // the address of the page that asked
};

// A script error: a syntax error or an exception nothing caught.
struct ScriptError {
    std::string message;  // as the engine words it (code page 936)
    std::string address;  // the page it happened in
};

struct BrowserOptions {
    // The clock page loads run on, in milliseconds. A page's readyState is
    // "loading" from its navigation until `loadMilliseconds` later on this
    // clock, then "complete" (and its onload runs when that is first seen).
    // Without a clock, or with no delay, a load completes at once. The page
    // window passes desktopClock(), the emulated desktop's.
    std::function<std::int64_t()> clock;
    std::int64_t loadMilliseconds = 0;

    std::string userAgent = "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 6.1; Trident/4.0)";
    bool confirmAnswer = true;
    int viewportWidth = dom::kDefaultViewportWidth;
    int viewportHeight = dom::kDefaultViewportHeight;
};

class Browser {
public:
    // Shows the page at `address` (about:blank when empty).
    explicit Browser(PageSet pages, std::string_view address = {}, BrowserOptions options = {});
    ~Browser();
    Browser(const Browser&) = delete;
    Browser& operator=(const Browser&) = delete;

    // Loads an address into the top window, replacing its document object.
    // An address the set does not hold shows an empty page; the result
    // tells which happened.
    bool navigate(std::string_view address);

    // The top window's current document and the window itself, each with
    // one new reference that the caller releases. The document also answers
    // QueryInterface for IHTMLDocument and IHTMLDocument2, as the page
    // window's document message hands it out.
    IDispatch* document() const;
    IDispatch* window() const;

    // The top window's current address.
    std::string address() const;

    // Completes the loads whose time has come on the clock (running their
    // onload handlers). Reading a document's readyState does the same.
    void completeDueLoads();

    // Runs the page timers (setTimeout, setInterval) whose time has come on
    // the clock, in every window. Without a clock the time stands at 0: a
    // timer set for 0 milliseconds runs at the next call, others never.
    void runDueTimers();

    const std::vector<ShownDialog>& shownDialogs() const;
    void forgetShownDialogs();
    const std::vector<ScriptError>& scriptErrors() const;
    void forgetScriptErrors();

private:
    std::shared_ptr<BrowserState> state_;
    std::shared_ptr<Window> top_;
};

// The emulated desktop's clock in milliseconds (the one GetTickCount
// reads, but 64 bits wide), for BrowserOptions::clock.
std::function<std::int64_t()> desktopClock();

// IHTMLDocument and IHTMLDocument2, which the document answers for.
extern const IID IID_IHTMLDocument;
extern const IID IID_IHTMLDocument2;

}  // namespace browser
