// A window: the top window of a browser, or the window a frame or iframe
// element shows. It holds its current page; navigation replaces that page
// (and with it the document object) by a new one.
//
// Ownership: the browser owns the top window, a page owns the windows of
// its frames, a window owns its current page. Upward links (a page's
// window, a frame window's parent) are weak.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/win32.h"

namespace dom {
class Element;
}

namespace browser {

class BrowserState;
class Page;

class Window : public std::enable_shared_from_this<Window> {
public:
    // Frames deeper than this show an empty page, so that a page framing
    // itself ends.
    static constexpr int kMaxFrameDepth = 16;

    // A top window (parent empty, frameElement null, depth 0) or the window
    // of a frame element of parentPage.
    Window(std::shared_ptr<BrowserState> browser, std::weak_ptr<Page> parentPage,
           dom::Element* frameElement, int depth);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    BrowserState& browser() const { return *browser_; }
    const std::shared_ptr<BrowserState>& browserPointer() const { return browser_; }

    // The page shown; null before the first load and after close.
    std::shared_ptr<Page> page() const { return page_; }
    // The window whose page holds this window's frame element; null for a
    // top window (and once that page is gone).
    std::shared_ptr<Window> parent() const;
    std::shared_ptr<Window> top();
    // The frame or iframe element that shows this window, in the parent's
    // page; null for a top window.
    dom::Element* frameElement() const;
    int depth() const { return depth_; }

    // The window's name: the frame element's name attribute, or what script set.
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    // A window of this window's tree (itself or a frame below it, depth
    // first) with the given name; null when none.
    std::shared_ptr<Window> findNamed(std::string_view name);

    // Loads the address (resolved against the current page's) into this
    // window. Inside a call into the component the load waits until the
    // outermost call returns (see BrowserState); the result says whether
    // the page set holds the address.
    bool navigate(std::string_view address);
    // Loads the (resolved) address now: the current page gets its
    // onbeforeunload and onunload and is closed, and a new page takes its
    // place. An address the set does not hold shows an empty page; the
    // result is false then.
    bool navigateNow(std::string_view address);

    // Closes the current page and leaves the window without one.
    void close();
    bool isClosed() const { return closed_; }

    // window.event: the event being handled in this window, or null. The
    // window holds one reference to it.
    IDispatch* currentEvent() const { return currentEvent_; }
    // Makes `event` (which the window takes one reference to) the current
    // event and returns the previous one, whose reference the caller then owns.
    IDispatch* exchangeEvent(IDispatch* event);

    std::string& status() { return status_; }

private:
    std::shared_ptr<BrowserState> browser_;
    std::weak_ptr<Page> parentPage_;
    dom::Element* frameElement_;
    int depth_;
    std::string name_;
    std::shared_ptr<Page> page_;
    bool closed_ = false;
    IDispatch* currentEvent_ = nullptr;
    std::string status_;
};

}  // namespace browser
