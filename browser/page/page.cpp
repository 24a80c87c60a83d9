#include "browser/page/page.h"

#include <algorithm>
#include <unordered_set>

#include "browser/dom/element_queries.h"
#include "browser/dom/html_editing.h"
#include "browser/dom/html_parser.h"
#include "browser/dom/inner_text.h"
#include "browser/objects/event_dispatch.h"
#include "browser/objects/member_table.h"
#include "browser/objects/window_object.h"
#include "browser/page/address.h"
#include "browser/page/browser_state.h"
#include "browser/page/window.h"
#include "browser/script/script_engine.h"

namespace browser {

namespace {

// "text/javascript", "JScript", "" ...: a script block the engine runs;
// VBScript and other languages are left alone.
bool isJavaScriptBlock(const dom::Element& script) {
    std::string type = dom::asciiLower(script.attribute("type"));
    std::string language = dom::asciiLower(script.attribute("language"));
    bool typeOk = type.empty() || type.find("javascript") != std::string::npos ||
                  type.find("jscript") != std::string::npos ||
                  type.find("ecmascript") != std::string::npos;
    bool languageOk = language.empty() || language.find("javascript") != std::string::npos ||
                      language.find("jscript") != std::string::npos;
    return typeOk && languageOk;
}

// The charset a <meta> names: <meta charset="gbk"> or
// <meta http-equiv="Content-Type" content="text/html; charset=gbk">.
std::string metaCharset(dom::Document& document) {
    for (dom::Element* meta : dom::getElementsByTagName(document, "meta")) {
        if (meta->hasAttribute("charset")) return dom::asciiLower(meta->attribute("charset"));
        std::string content = dom::asciiLower(meta->attribute("content"));
        size_t at = content.find("charset=");
        if (at != std::string::npos) {
            std::string charset = content.substr(at + 8);
            size_t end = charset.find_first_of("; \"'");
            return charset.substr(0, end);
        }
    }
    return {};
}

bool isFrameElement(const dom::Element& element) {
    return element.is("frame") || element.is("iframe");
}

// Copies a node of another document and what it holds into `document`.
dom::Node* copyInto(dom::Document& document, const dom::Node& node) {
    switch (node.kind()) {
        case dom::NodeKind::text:
            return document.createTextNode(node.asCharacterData()->data());
        case dom::NodeKind::comment:
            return document.createComment(node.asCharacterData()->data());
        case dom::NodeKind::element: {
            const dom::Element& source = *node.asElement();
            dom::Element* copy = document.createElement(source.localName());
            for (const dom::Attribute& attribute : source.attributes()) {
                copy->setAttribute(attribute.name, attribute.value);
            }
            for (const dom::Node* child : source.childNodes()) {
                copy->appendChild(copyInto(document, *child));
            }
            return copy;
        }
        case dom::NodeKind::document:
            break;
    }
    return nullptr;
}

}  // namespace

Page::Page(std::shared_ptr<BrowserState> browser, const std::shared_ptr<Window>& window,
           std::string address, std::string domain, std::shared_ptr<dom::Document> document)
    : browser_(std::move(browser)),
      window_(window),
      address_(std::move(address)),
      domain_(std::move(domain)),
      document_(std::move(document)) {}

Page::~Page() { close(); }

bool Page::setDomain(std::string_view domain) {
    std::string asked = dom::asciiLower(domain);
    if (asked == domain_) return true;
    if (asked.empty() || asked.size() >= domain_.size()) return false;
    size_t start = domain_.size() - asked.size();
    if (domain_.compare(start, std::string::npos, asked) != 0 || domain_[start - 1] != '.') {
        return false;
    }
    domain_ = asked;
    return true;
}

std::string Page::charset() const {
    if (!charset_.empty()) return charset_;
    std::string fromMeta = metaCharset(*document_);
    return fromMeta.empty() ? "gb2312" : fromMeta;
}

// ---- Loading ----------------------------------------------------------------

void Page::load() {
    loadDue_ = browser_->now() + browser_->options().loadMilliseconds;
    runScriptBlocks();
    frames();
    completeIfDue();
}

bool Page::loadIsDue() const { return browser_->now() >= loadDue_; }

std::string Page::readyState() {
    completeIfDue();
    return complete_ ? "complete" : "loading";
}

void Page::completeIfDue() {
    if (complete_ || completing_ || closed_ || !loadIsDue()) return;
    completing_ = true;
    for (auto& [element, window] : frames()) {
        if (std::shared_ptr<Page> page = window->page()) page->completeIfDue();
    }
    complete_ = true;
    completing_ = false;
    fireWindowEvent(shared_from_this(), "load");
}

void Page::runScriptBlocks() {
    // What scripts in the head write goes at the start of the body, as a
    // browser parsing the page would put it; it is held until the first
    // script outside the head runs, or the last script has run.
    std::string headWrites;
    auto placeHeadWrites = [&] {
        dom::Element* body = document_->body();
        if (!headWrites.empty() && body != nullptr) {
            dom::insertAdjacentHtml(*body, dom::AdjacentPosition::afterBegin, headWrites);
        }
        headWrites.clear();
    };
    std::unordered_set<const dom::Element*> done;
    for (;;) {
        dom::Element* next = nullptr;
        for (dom::Element* script : dom::getElementsByTagName(*document_, "script")) {
            if (done.insert(script).second) {
                next = script;
                break;
            }
        }
        if (next == nullptr || closed_) break;
        if (!isJavaScriptBlock(*next)) continue;
        std::string code;
        if (next->hasAttribute("src")) {
            const std::string* source =
                browser_->pages().find(resolveAddress(address_, next->attribute("src")));
            if (source == nullptr) continue;
            code = *source;
        } else {
            code = dom::textContent(*next);
        }
        dom::Element* head = document_->head();
        bool inHead = head != nullptr && head->contains(next);
        if (!inHead) placeHeadWrites();
        runningScript_ = next;
        scriptWrites_.clear();
        runScript(code, address_);
        runningScript_ = nullptr;
        std::string written = std::move(scriptWrites_);
        scriptWrites_.clear();
        if (written.empty()) continue;
        if (inHead) {
            headWrites += written;
        } else if (next->parentElement() != nullptr) {
            dom::insertAdjacentHtml(*next, dom::AdjacentPosition::afterEnd, written);
        }
    }
    if (!closed_) placeHeadWrites();
}

void Page::write(std::string_view cp936Html) {
    if (runningScript_ != nullptr) {
        scriptWrites_ += cp936Html;
        return;
    }
    if (!writingOpen_) {
        writingOpen_ = true;
        writtenContent_.clear();
    }
    writtenContent_ += cp936Html;
    replaceContent(writtenContent_);
}

// The document now holds what the HTML makes, as if it had been loaded from
// it; the document node (and its object) stays the same.
void Page::replaceContent(std::string_view cp936Html) {
    std::unique_ptr<dom::Document> parsed = dom::parseDocument(cp936Html);
    document_->removeAllChildren();
    for (const dom::Node* child : parsed->childNodes()) {
        if (dom::Node* copy = copyInto(*document_, *child)) document_->appendChild(copy);
    }
}

// ---- Script -----------------------------------------------------------------

ScriptEngine* Page::script() {
    if (closed_) return nullptr;
    if (!script_) script_ = ScriptEngine::create(*this);
    return script_.get();
}

HRESULT Page::runScript(std::string_view code, std::string_view sourceName) {
    std::shared_ptr<Page> self = shared_from_this();
    ScriptEngine* engine = script();
    if (engine == nullptr) return raiseException("The page is closed.");
    // The engine stays for the run even if the run closes the page.
    std::shared_ptr<ScriptEngine> running = script_;
    return running->runProgram(code, sourceName);
}

void Page::handler(const void* key, dom::Element* attributeSource, std::string_view name,
                   VARIANT* result) {
    std::string property = dom::asciiLower(name);
    auto found = handlers_.find({key, property});
    if (found == handlers_.end() && attributeSource != nullptr &&
        attributeSource->hasAttribute(property)) {
        ScriptEngine* engine = script();
        IDispatch* compiled =
            engine == nullptr
                ? nullptr
                : engine->compileHandler(attributeSource->attribute(property), property);
        AutomationVariant value;
        setObject(value.put(), compiled);
        found = handlers_.emplace(std::make_pair(key, property), std::move(value)).first;
    }
    if (found == handlers_.end()) {
        setNull(result);
        return;
    }
    VariantCopy(result, variantSource(found->second.get()));
}

void Page::setHandler(const void* key, std::string_view name, const VARIANT& value) {
    std::string property = dom::asciiLower(name);
    AutomationVariant copy;
    const VARIANT& given = dereferenced(value);
    if (given.vt == VT_EMPTY) {
        setNull(copy.put());
    } else {
        VariantCopy(copy.put(), variantSource(given));
    }
    handlers_.insert_or_assign({key, property}, std::move(copy));
}

void Page::elementHandler(dom::Element& element, std::string_view name, VARIANT* result) {
    handler(&element, &element, name, result);
}

void Page::documentHandler(std::string_view name, VARIANT* result) {
    handler(document_.get(), nullptr, name, result);
}

void Page::windowHandler(std::string_view name, VARIANT* result) {
    handler(this, document_->body(), name, result);
}

void Page::setElementHandler(dom::Element& element, std::string_view name, const VARIANT& value) {
    setHandler(&element, name, value);
}

void Page::setDocumentHandler(std::string_view name, const VARIANT& value) {
    setHandler(document_.get(), name, value);
}

void Page::setWindowHandler(std::string_view name, const VARIANT& value) {
    setHandler(this, name, value);
}

void Page::forgetAttributeHandler(dom::Element& element, std::string_view name) {
    handlers_.erase({&element, dom::asciiLower(name)});
}

// ---- Timers -----------------------------------------------------------------

long Page::addTimer(const VARIANT& code, std::int64_t milliseconds, bool repeat) {
    if (closed_) return 0;
    Timer timer{nextTimerId_++, AutomationVariant(),
                browser_->now() + std::max<std::int64_t>(milliseconds, 0),
                repeat ? std::max<std::int64_t>(milliseconds, 1) : 0};
    VariantCopy(timer.code.put(), variantSource(dereferenced(code)));
    timers_.push_back(std::move(timer));
    return timers_.back().id;
}

void Page::clearTimer(long id) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->id == id) {
            timers_.erase(it);
            return;
        }
    }
}

void Page::runDueTimers() {
    if (closed_) return;
    std::shared_ptr<Page> self = shared_from_this();
    std::int64_t now = browser_->now();
    std::vector<std::pair<std::int64_t, long>> due;
    for (const Timer& timer : timers_) {
        if (timer.due <= now) due.emplace_back(timer.due, timer.id);
    }
    std::sort(due.begin(), due.end());
    for (const auto& [when, id] : due) {
        auto timer = std::find_if(timers_.begin(), timers_.end(),
                                  [id = id](const Timer& t) { return t.id == id; });
        if (timer == timers_.end() || closed_) continue;  // cleared by an earlier one
        AutomationVariant code;
        VariantCopy(code.put(), variantSource(timer->code.get()));
        if (timer->interval > 0) {
            timer->due += timer->interval;
            if (timer->due <= now) timer->due = now + timer->interval;
        } else {
            timers_.erase(timer);
        }
        if (code.type() == VT_DISPATCH) {
            std::shared_ptr<Window> window = window_.lock();
            IDispatch* windowObject = window ? WindowObject::create(window) : nullptr;
            AutomationVariant result;
            callHandler(code.get(), windowObject, nullptr, result.put());
            if (windowObject != nullptr) windowObject->Release();
        } else if (std::optional<std::string> text = variantText(code.get())) {
            runScript(*text, "setTimeout");
        }
    }
    for (auto& [element, window] : frames()) {
        if (std::shared_ptr<Page> page = window->page()) page->runDueTimers();
    }
}

// ---- Frames -----------------------------------------------------------------

std::vector<std::pair<dom::Element*, std::shared_ptr<Window>>> Page::frames() {
    std::vector<std::pair<dom::Element*, std::shared_ptr<Window>>> inTree;
    if (closed_) return inTree;
    std::shared_ptr<Window> window = window_.lock();
    int depth = window ? window->depth() + 1 : 1;
    for (dom::Element* element : dom::getElementsByTagName(*document_, "*")) {
        if (!isFrameElement(*element)) continue;
        std::shared_ptr<Window> frame = frameWindow(*element);
        if (!frame) {
            frame = std::make_shared<Window>(browser_, weak_from_this(), element, depth);
            frameWindows_.emplace_back(element, frame);
            std::string source = element->attribute("src");
            frame->navigateNow(source.empty() ? std::string("about:blank")
                                              : resolveAddress(address_, source));
            if (closed_) return {};
        }
        inTree.emplace_back(element, std::move(frame));
    }
    return inTree;
}

std::shared_ptr<Window> Page::frameWindow(dom::Element& frame) {
    for (auto& [element, window] : frameWindows_) {
        if (element == &frame) return window;
    }
    return nullptr;
}

void Page::close() {
    if (closed_) return;
    closed_ = true;
    // Hold what closing gives back until it is all given back: the last
    // reference to this page may be among them.
    std::shared_ptr<Page> self = weak_from_this().lock();
    auto frames = std::move(frameWindows_);
    frameWindows_.clear();
    for (auto& [element, window] : frames) window->close();
    frames.clear();
    auto handlers = std::move(handlers_);
    handlers_.clear();
    auto timers = std::move(timers_);
    timers_.clear();
    std::shared_ptr<ScriptEngine> script = std::move(script_);
    script_.reset();
    script.reset();
    handlers.clear();
    timers.clear();
}

}  // namespace browser
