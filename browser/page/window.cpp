#include "browser/page/window.h"

#include "browser/dom/element.h"
#include "browser/dom/html_parser.h"
#include "browser/objects/event_dispatch.h"
#include "browser/page/address.h"
#include "browser/page/browser_state.h"
#include "browser/page/page.h"

namespace browser {

Window::Window(std::shared_ptr<BrowserState> browser, std::weak_ptr<Page> parentPage,
               dom::Element* frameElement, int depth)
    : browser_(std::move(browser)),
      parentPage_(std::move(parentPage)),
      frameElement_(frameElement),
      depth_(depth) {
    if (frameElement_ != nullptr) name_ = frameElement_->name();
}

Window::~Window() {
    if (currentEvent_ != nullptr) currentEvent_->Release();
}

std::shared_ptr<Window> Window::parent() const {
    std::shared_ptr<Page> page = parentPage_.lock();
    return page ? page->window() : nullptr;
}

std::shared_ptr<Window> Window::top() {
    std::shared_ptr<Window> window = shared_from_this();
    while (std::shared_ptr<Window> up = window->parent()) window = up;
    return window;
}

dom::Element* Window::frameElement() const {
    return parentPage_.expired() ? nullptr : frameElement_;
}

std::shared_ptr<Window> Window::findNamed(std::string_view name) {
    if (name_ == name) return shared_from_this();
    if (!page_) return nullptr;
    for (auto& [element, window] : page_->frames()) {
        if (std::shared_ptr<Window> found = window->findNamed(name)) return found;
    }
    return nullptr;
}

bool Window::navigate(std::string_view address) {
    std::string resolved = isScriptAddress(address) || !page_
                               ? std::string(address)
                               : resolveAddress(page_->address(), address);
    bool known = isScriptAddress(resolved) || browser_->pages().find(resolved) != nullptr;
    if (browser_->insideCall()) {
        browser_->requestNavigation(shared_from_this(), std::move(resolved));
    } else {
        ComponentCall call(*browser_);
        browser_->requestNavigation(shared_from_this(), std::move(resolved));
    }
    return known;
}

bool Window::navigateNow(std::string_view address) {
    if (closed_) return false;
    std::shared_ptr<Window> self = shared_from_this();
    if (isScriptAddress(address)) {
        // javascript: runs in the page shown; the page stays.
        if (std::shared_ptr<Page> page = page_) page->runScript(address.substr(11), "javascript:");
        return true;
    }
    std::string target(address);
    const std::string* html = depth_ <= kMaxFrameDepth ? browser_->pages().find(target) : nullptr;
    std::string inheritedDomain;
    if (std::shared_ptr<Page> old = page_) {
        if (!old->isClosed()) leavePage(*old);
        old->close();
        page_.reset();
    }
    if (target.empty()) target = "about:blank";
    std::string domain = domainOf(target);
    if (domain.empty()) {
        if (std::shared_ptr<Page> parentPage = parentPage_.lock()) domain = parentPage->domain();
    }
    std::shared_ptr<dom::Document> document = dom::parseDocument(html ? *html : std::string());
    if (frameElement_ == nullptr) {
        document->setViewportSize(browser_->options().viewportWidth,
                                  browser_->options().viewportHeight);
    } else if (!parentPage_.expired()) {
        frameElement_->setContentDocument(document);
    }
    page_ = std::make_shared<Page>(browser_, self, target, domain, document);
    page_->load();
    return html != nullptr;
}

void Window::close() {
    if (closed_) return;
    closed_ = true;
    std::shared_ptr<Page> page = std::move(page_);
    if (page) page->close();
    if (currentEvent_ != nullptr) {
        IDispatch* event = currentEvent_;
        currentEvent_ = nullptr;
        event->Release();
    }
}

IDispatch* Window::exchangeEvent(IDispatch* event) {
    if (event != nullptr) event->AddRef();
    IDispatch* previous = currentEvent_;
    currentEvent_ = event;
    return previous;
}

}  // namespace browser
