#include "browser/page/browser.h"

#include "browser/objects/document_object.h"
#include "browser/objects/window_object.h"
#include "browser/page/browser_state.h"
#include "browser/page/page.h"
#include "browser/page/window.h"
#include "emulation/emulated_clock.h"

namespace browser {

Browser::Browser(PageSet pages, std::string_view address, BrowserOptions options)
    : state_(std::make_shared<BrowserState>(std::move(pages), std::move(options))),
      top_(std::make_shared<Window>(state_, std::weak_ptr<Page>(), nullptr, 0)) {
    ComponentCall call(*state_);
    top_->navigateNow(address.empty() ? std::string_view("about:blank") : address);
}

Browser::~Browser() {
    ComponentCall call(*state_);
    top_->close();
}

bool Browser::navigate(std::string_view address) {
    ComponentCall call(*state_);
    return top_->navigate(address);
}

IDispatch* Browser::document() const {
    ComponentCall call(*state_);
    return DocumentObject::get(top_->page());
}

IDispatch* Browser::window() const { return WindowObject::create(top_); }

std::string Browser::address() const {
    std::shared_ptr<Page> page = top_->page();
    return page ? page->address() : std::string();
}

void Browser::completeDueLoads() {
    ComponentCall call(*state_);
    if (std::shared_ptr<Page> page = top_->page()) page->completeIfDue();
}

void Browser::runDueTimers() {
    ComponentCall call(*state_);
    if (std::shared_ptr<Page> page = top_->page()) page->runDueTimers();
}

const std::vector<ShownDialog>& Browser::shownDialogs() const { return state_->dialogs(); }

void Browser::forgetShownDialogs() { state_->dialogs().clear(); }

const std::vector<ScriptError>& Browser::scriptErrors() const { return state_->scriptErrors(); }

void Browser::forgetScriptErrors() { state_->scriptErrors().clear(); }

std::function<std::int64_t()> desktopClock() {
    return [] { return emulation::clock::now() / emulation::clock::kUnitsPerMillisecond; };
}

}  // namespace browser
