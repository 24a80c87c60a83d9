#include "browser/desktop/browser_window.h"

#include <utility>

#include "browser/page/browser.h"
#include "runtime/automation_call.h"

namespace browser {

namespace {

constexpr char kPageClass[] = "Internet Explorer_Server";
// The classes of the windows around the page window, as the real browser
// names them; they only hold their children.
constexpr const char* kHolderClasses[] = {
    "IEFrame",   "WorkerW",        "ReBarWindow32",        "Address Band Root",
    "Frame Tab", "TabWindowClass", "Shell DocObject View", "msctls_statusbar32"};

constexpr int kToolBarHeight = 60;
constexpr int kStatusBarHeight = 20;

// A class registered by an earlier browser window stays; registering it
// again fails harmlessly.
void registerClass(const char* name, WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = name;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    RegisterClassA(&windowClass);
}

HWND child(const char* className, const char* text, HWND parent, int x, int y, int width,
           int height) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           nullptr, nullptr, nullptr);
}

}  // namespace

BrowserWindow::BrowserWindow(const char* title, Browser& browser) : browser_(browser) {
    for (const char* name : kHolderClasses) registerClass(name, DefWindowProcA);
    registerClass(kPageClass, pageProcedure);

    RECT frame{0, 0, kPageWindowWidth, kToolBarHeight + kPageWindowHeight + kStatusBarHeight};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    frame_ = CreateWindowExA(0, "IEFrame", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                             nullptr, nullptr);

    HWND tools = child("WorkerW", "", frame_, 0, 0, kPageWindowWidth, kToolBarHeight);
    HWND rebar = child("ReBarWindow32", "", tools, 0, 0, kPageWindowWidth, kToolBarHeight);
    HWND addressBand = child("Address Band Root", "", rebar, 0, 0, kPageWindowWidth, 30);
    child("Edit", "", addressBand, 0, 0, kPageWindowWidth, 30);

    HWND tab =
        child("Frame Tab", "", frame_, 0, kToolBarHeight, kPageWindowWidth, kPageWindowHeight);
    HWND tabWindow = child("TabWindowClass", title, tab, 0, 0, kPageWindowWidth, kPageWindowHeight);
    HWND view =
        child("Shell DocObject View", "", tabWindow, 0, 0, kPageWindowWidth, kPageWindowHeight);
    page_ = child(kPageClass, "", view, 0, 0, kPageWindowWidth, kPageWindowHeight);
    SetWindowLongPtrA(page_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    child("msctls_statusbar32", "", frame_, 0, kToolBarHeight + kPageWindowHeight, kPageWindowWidth,
          kStatusBarHeight);
}

BrowserWindow::~BrowserWindow() {
    if (page_ != nullptr) SetWindowLongPtrA(page_, GWLP_USERDATA, 0);
    if (frame_ != nullptr) DestroyWindow(frame_);  // its children go with it
}

LRESULT CALLBACK BrowserWindow::pageProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    static const UINT documentMessage = RegisterWindowMessageA("WM_HTML_GETOBJECT");
    auto* self = reinterpret_cast<BrowserWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    self->browser_.completeDueLoads();
    self->browser_.runDueTimers();
    if (message == documentMessage) return self->handOutDocument(wParam);
    if (message == WM_LBUTTONDOWN) {
        self->buttonDown_ = true;
        return 0;
    }
    if (message == WM_LBUTTONUP) {
        // Client coordinates, signed, in the low and high words.
        if (std::exchange(self->buttonDown_, false)) {
            self->clickAt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT BrowserWindow::handOutDocument(WPARAM wParam) {
    IDispatch* document = browser_.document();
    if (document == nullptr) return 0;
    // LresultFromObject takes a reference of its own for the receiver.
    LRESULT result = LresultFromObject(IID_IHTMLDocument, wParam, document);
    document->Release();
    return result;
}

// The page window's client area is the document's viewport.
void BrowserWindow::clickAt(int x, int y) {
    AutomationObject document = AutomationObject::adopt(browser_.document());
    AutomationObject element = callObjectMethod(document, "elementFromPoint", {x, y});
    if (!isEmptyObject(element)) callMethod(element, "click");
}

}  // namespace browser
