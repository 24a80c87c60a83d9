// A browser's windows on the desktop: a top-level frame window of class
// "IEFrame" holding a small tree of child windows (tool bar, address box,
// tab, document view, status bar), with the page window of class
// "Internet Explorer_Server" deep inside, so that a depth-first window
// search has work to do. The page window answers the registered message
// "WM_HTML_GETOBJECT" as the real browser does: with the current document,
// handed over through LresultFromObject for the interface the message asks
// (IHTMLDocument).
//
// A left click posted to the page window (button down, then up) clicks the
// element under it, as a person's click on the page would. Each message the
// page window handles also lets the browser complete the page loads and run
// the script timers whose time has come on its clock.
//
// The thread must have COM initialised while the page window answers.
#pragma once

#include "platform/win32.h"

namespace browser {

class Browser;

// The page window's client area is the viewport: 1024 x 768.
inline constexpr int kPageWindowWidth = 1024;
inline constexpr int kPageWindowHeight = 768;

class BrowserWindow {
public:
    // Shows `browser`, which must outlive the window. Its current document is
    // asked for on every message, so a navigation that replaces the document
    // is seen at once.
    BrowserWindow(const char* title, Browser& browser);
    ~BrowserWindow();
    BrowserWindow(const BrowserWindow&) = delete;
    BrowserWindow& operator=(const BrowserWindow&) = delete;

    HWND frameWindow() const { return frame_; }
    HWND pageWindow() const { return page_; }

private:
    static LRESULT CALLBACK pageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handOutDocument(WPARAM wParam);
    void clickAt(int x, int y);

    Browser& browser_;
    bool buttonDown_ = false;
    HWND frame_ = nullptr;
    HWND page_ = nullptr;
};

}  // namespace browser
