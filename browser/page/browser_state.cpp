#include "browser/page/browser_state.h"

#include "browser/page/window.h"

namespace browser {

namespace {

// A page that keeps sending its window elsewhere from its own load stops
// after this many navigations in one go.
constexpr int kMaxNavigationsInARow = 32;

}  // namespace

BrowserState::BrowserState(PageSet pages, BrowserOptions options)
    : pages_(std::move(pages)), options_(std::move(options)) {}

std::int64_t BrowserState::now() const { return options_.clock ? options_.clock() : 0; }

void BrowserState::recordScriptError(std::string message, std::string address) {
    scriptErrors_.push_back({std::move(message), std::move(address)});
}

void BrowserState::requestNavigation(const std::shared_ptr<Window>& window, std::string address) {
    pending_.push_back({window, std::move(address)});
}

void BrowserState::leaveCall() {
    if (callDepth_ > 1) {
        --callDepth_;
        return;
    }
    // Still counted as inside a call while the waiting navigations run, so
    // that those their pages ask for wait their turn.
    for (int done = 0; !pending_.empty() && done < kMaxNavigationsInARow; ++done) {
        PendingNavigation next = std::move(pending_.front());
        pending_.erase(pending_.begin());
        if (std::shared_ptr<Window> window = next.window.lock()) window->navigateNow(next.address);
    }
    pending_.clear();
    callDepth_ = 0;
}

}  // namespace browser
