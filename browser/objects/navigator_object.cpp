#include "browser/objects/navigator_object.h"

#include "browser/page/browser_state.h"

namespace browser {

namespace {

using NavigatorRows = Rows<NavigatorObject>;

// "Mozilla/4.0 (compatible; ...)": appVersion is what follows "Mozilla/".
std::string appVersion(const std::string& userAgent) {
    size_t slash = userAgent.find('/');
    return slash == std::string::npos ? userAgent : userAgent.substr(slash + 1);
}

const MemberTable<NavigatorObject>& navigatorMembers() {
    static const MemberTable<NavigatorObject> table(
        "IOmNavigator",
        {{
            NavigatorRows::text("userAgent",
                                [](NavigatorObject& n) { return n.browser().options().userAgent; }),
            NavigatorRows::text(
                "appName",
                [](NavigatorObject&) { return std::string("Microsoft Internet Explorer"); }),
            NavigatorRows::text("appCodeName",
                                [](NavigatorObject&) { return std::string("Mozilla"); }),
            NavigatorRows::text(
                "appVersion",
                [](NavigatorObject& n) { return appVersion(n.browser().options().userAgent); }),
            NavigatorRows::text("platform", [](NavigatorObject&) { return std::string("Win32"); }),
            NavigatorRows::text("userLanguage",
                                [](NavigatorObject&) { return std::string("zh-cn"); }),
            NavigatorRows::text("systemLanguage",
                                [](NavigatorObject&) { return std::string("zh-cn"); }),
            NavigatorRows::boolean("cookieEnabled", [](NavigatorObject&) { return true; }),
            NavigatorRows::method("javaEnabled", {}, VT_BOOL,
                                  [](NavigatorObject&, const MethodArguments&, VARIANT* r) {
                                      setBoolean(r, false);
                                      return S_OK;
                                  }),
        }});
    return table;
}

}  // namespace

NavigatorObject::NavigatorObject(std::shared_ptr<BrowserState> browser)
    : TableObject(std::move(browser), navigatorMembers()) {}

IDispatch* NavigatorObject::create(std::shared_ptr<BrowserState> browser) {
    return new NavigatorObject(std::move(browser));
}

}  // namespace browser
