#include "browser/objects/event_dispatch.h"

#include <vector>

#include "browser/objects/document_object.h"
#include "browser/objects/element_object.h"
#include "browser/objects/event_object.h"
#include "browser/objects/window_object.h"
#include "browser/page/browser_state.h"
#include "browser/page/page.h"
#include "browser/page/window.h"
#include "browser/script/script_function.h"

namespace browser {

namespace {

// Makes the event window.event while it lives, and puts the previous one back.
class CurrentEvent {
public:
    CurrentEvent(const std::shared_ptr<Window>& window, IDispatch* event) : window_(window) {
        if (window_) previous_ = window_->exchangeEvent(event);
    }
    ~CurrentEvent() {
        if (!window_) return;
        IDispatch* ours = window_->exchangeEvent(previous_);
        if (ours != nullptr) ours->Release();
        if (previous_ != nullptr) previous_->Release();
    }
    CurrentEvent(const CurrentEvent&) = delete;
    CurrentEvent& operator=(const CurrentEvent&) = delete;

private:
    std::shared_ptr<Window> window_;
    IDispatch* previous_ = nullptr;
};

// Runs one handler; a handler returning false cancels the default action.
void runHandler(const VARIANT& handler, IDispatch* self, EventObject& event) {
    AutomationVariant result;
    HRESULT hr = callHandler(handler, self, &event, result.put());
    const VARIANT& value = result.get();
    if (SUCCEEDED(hr) && value.vt == VT_BOOL && value.boolVal == VARIANT_FALSE) {
        setBoolean(event.returnValue().put(), false);
    }
}

}  // namespace

HRESULT callHandler(const VARIANT& handler, IDispatch* thisObject, IDispatch* event,
                    VARIANT* result) {
    IDispatch* function = variantDispatch(handler);
    if (function == nullptr) return S_FALSE;
    std::vector<VARIANT> arguments(1);
    VariantInit(&arguments[0]);
    if (event != nullptr) {
        arguments[0].vt = VT_DISPATCH;
        arguments[0].pdispVal = event;  // borrowed for the call
    }
    if (ScriptFunction* script = ScriptFunction::from(function)) {
        return script->call(thisObject, arguments, result);
    }
    DISPPARAMS parameters{arguments.data(), nullptr, 1, 0};
    return function->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_METHOD, &parameters, result,
                            nullptr, nullptr);
}

bool fireElementEvent(const std::shared_ptr<Page>& page, dom::Element& target,
                      std::string_view type) {
    if (page->isClosed()) return true;
    std::string property = "on" + std::string(type);
    EventObject* event = EventObject::create(page, &target, std::string(type));
    {
        CurrentEvent current(page->window(), event);
        bool inDocument = false;
        for (dom::Element* element = &target; element != nullptr;
             element = element->parentElement()) {
            AutomationVariant handler;
            page->elementHandler(*element, property, handler.put());
            if (handler.type() == VT_DISPATCH) {
                IDispatch* self = ElementObject::get(page, element);
                runHandler(handler.get(), self, *event);
                self->Release();
            }
            if (event->cancelBubble) break;
            inDocument = element == page->document().documentElement();
        }
        if (inDocument && !event->cancelBubble) {
            AutomationVariant handler;
            page->documentHandler(property, handler.put());
            if (handler.type() == VT_DISPATCH) {
                IDispatch* self = DocumentObject::get(page);
                runHandler(handler.get(), self, *event);
                self->Release();
            }
        }
    }
    bool proceed = !event->cancelled();
    event->Release();
    return proceed;
}

void fireWindowEvent(const std::shared_ptr<Page>& page, std::string_view type) {
    std::shared_ptr<Window> window = page->window();
    if (page->isClosed() || !window) return;
    AutomationVariant handler;
    page->windowHandler("on" + std::string(type), handler.put());
    if (handler.type() != VT_DISPATCH) return;
    EventObject* event = EventObject::create(page, nullptr, std::string(type));
    {
        CurrentEvent current(window, event);
        IDispatch* self = WindowObject::create(window);
        AutomationVariant result;
        callHandler(handler.get(), self, event, result.put());
        self->Release();
    }
    event->Release();
}

void leavePage(Page& page) {
    std::shared_ptr<Page> self = page.shared_from_this();
    std::shared_ptr<Window> window = page.window();
    if (page.isClosed() || !window) return;
    AutomationVariant handler;
    page.windowHandler("onbeforeunload", handler.put());
    if (handler.type() == VT_DISPATCH) {
        EventObject* event = EventObject::create(self, nullptr, "beforeunload");
        AutomationVariant result;
        {
            CurrentEvent current(window, event);
            IDispatch* windowObject = WindowObject::create(window);
            callHandler(handler.get(), windowObject, event, result.put());
            windowObject->Release();
        }
        // A text, returned or left in event.returnValue, makes the browser
        // ask before leaving; the question is recorded and answered "leave".
        const VARIANT* question = &result.get();
        if (question->vt != VT_BSTR) question = &event->returnValue().get();
        if (question->vt == VT_BSTR) {
            std::optional<std::string> text = variantText(*question);
            page.browser().dialogs().push_back(
                {ShownDialog::Kind::beforeUnload, text.value_or(""), "", page.address()});
        }
        event->Release();
    }
    fireWindowEvent(self, "unload");
}

}  // namespace browser
