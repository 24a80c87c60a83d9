// What the windows of one browser share: the page set and options, the
// cookies, the dialogs and script errors recorded, and the order in which
// navigations happen.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "browser/page/browser.h"
#include "browser/page/cookie_jar.h"

namespace browser {

class Window;

class BrowserState {
public:
    BrowserState(PageSet pages, BrowserOptions options);

    const PageSet& pages() const { return pages_; }
    const BrowserOptions& options() const { return options_; }
    // The clock's time in milliseconds; 0 without a clock.
    std::int64_t now() const;

    CookieJar& cookies() { return cookies_; }
    std::vector<ShownDialog>& dialogs() { return dialogs_; }
    std::vector<ScriptError>& scriptErrors() { return scriptErrors_; }
    void recordScriptError(std::string message, std::string address);

    // Calls into the component nest (a member call that runs script that
    // calls members...). A navigation asked for while any call runs waits
    // until the outermost one has returned, so that no page is closed under
    // code that is still working on it; then the waiting navigations run in
    // the order they were asked for.
    void enterCall() { ++callDepth_; }
    void leaveCall();
    bool insideCall() const { return callDepth_ > 0; }
    void requestNavigation(const std::shared_ptr<Window>& window, std::string address);

private:
    struct PendingNavigation {
        std::weak_ptr<Window> window;
        std::string address;
    };

    PageSet pages_;
    BrowserOptions options_;
    CookieJar cookies_;
    std::vector<ShownDialog> dialogs_;
    std::vector<ScriptError> scriptErrors_;
    int callDepth_ = 0;
    std::vector<PendingNavigation> pending_;
};

// One call into the component, for as long as it lives.
class ComponentCall {
public:
    explicit ComponentCall(BrowserState& state) : state_(state) { state_.enterCall(); }
    ~ComponentCall() { state_.leaveCall(); }
    ComponentCall(const ComponentCall&) = delete;
    ComponentCall& operator=(const ComponentCall&) = delete;

private:
    BrowserState& state_;
};

}  // namespace browser
