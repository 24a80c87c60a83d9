// <frame> and <iframe>: the window they show and its document. A frame's
// document is refused (E_ACCESSDENIED) to a page of another domain.
#include "browser/objects/document_object.h"
#include "browser/objects/element_members.h"
#include "browser/objects/window_object.h"
#include "browser/page/address.h"
#include "browser/page/page.h"
#include "browser/page/window.h"

namespace browser {

std::vector<ElementRow> frameMembers() {
    return {
        ElementRows::text(
            "src", [](ElementObject& e) { return e.element().attribute("src"); },
            [](ElementObject& e, std::string_view v) {
                e.element().setAttribute("src", v);
                if (std::shared_ptr<Window> frame = e.page().frameWindow(e.element())) {
                    frame->navigate(resolveAddress(e.page().address(), v));
                }
                return true;
            }),
        ElementRows::variant("contentDocument",
                             [](ElementObject& e, VARIANT* r) -> HRESULT {
                                 e.page().frames();
                                 std::shared_ptr<Window> frame = e.page().frameWindow(e.element());
                                 std::shared_ptr<Page> shown = frame ? frame->page() : nullptr;
                                 if (!shown) {
                                     setObject(r, nullptr);
                                     return S_OK;
                                 }
                                 if (shown->domain() != e.page().domain()) return accessDenied();
                                 setObject(r, DocumentObject::get(shown));
                                 return S_OK;
                             }),
        ElementRows::object("contentWindow",
                            [](ElementObject& e) -> IDispatch* {
                                e.page().frames();
                                std::shared_ptr<Window> frame = e.page().frameWindow(e.element());
                                return frame ? WindowObject::create(frame, e.page().domain())
                                             : nullptr;
                            }),
        reflectedText("frameBorder", "frameborder"),
        reflectedText("scrolling", "scrolling"),
        reflectedText("width", "width"),
        reflectedText("height", "height"),
    };
}

}  // namespace browser
