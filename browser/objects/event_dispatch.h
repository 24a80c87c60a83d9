// Events: running a page's handlers the way the old browser does. An
// element's event goes to its handler, then to its ancestors' (bubbling)
// and the document's, until a handler sets event.cancelBubble; a handler
// that returns false, or sets event.returnValue to false, cancels the
// default action. window.event is the event for as long as it runs.
#pragma once

#include <memory>
#include <string_view>

#include "platform/win32.h"

namespace dom {
class Element;
}

namespace browser {

class Page;

// Runs the handlers of event `type` ("click") for the element; false when
// one of them cancelled the default action. A handler's script error is
// recorded and the event goes on.
bool fireElementEvent(const std::shared_ptr<Page>& page, dom::Element& target,
                      std::string_view type);

// The window's own events ("load", "unload").
void fireWindowEvent(const std::shared_ptr<Page>& page, std::string_view type);

// A page is being left: its onbeforeunload runs (a text it returns becomes
// the "beforeUnload" dialog, which is answered "leave"), then its onunload.
void leavePage(Page& page);

// Calls a handler (a function object; anything else is not called) with
// `thisObject` as its this and `event` as its argument. S_OK with the
// handler's result, or the failure of the call.
HRESULT callHandler(const VARIANT& handler, IDispatch* thisObject, IDispatch* event,
                    VARIANT* result);

}  // namespace browser
