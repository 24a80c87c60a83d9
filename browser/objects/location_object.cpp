#include "browser/objects/location_object.h"

#include "browser/page/address.h"
#include "browser/page/page.h"
#include "browser/page/window.h"

namespace browser {

namespace {

using LocationRows = Rows<LocationObject>;

Member<LocationObject> part(std::string name, std::string AddressParts::*field) {
    return LocationRows::text(std::move(name), [field](LocationObject& l) {
        return splitAddress(l.page().address()).*field;
    });
}

const MemberTable<LocationObject>& locationMembers() {
    static const MemberTable<LocationObject> table(
        "IHTMLLocation",
        {{
            LocationRows::variant(
                "href",
                [](LocationObject& l, VARIANT* r) {
                    setText(r, l.page().address());
                    return S_OK;
                },
                [](LocationObject& l, const VARIANT& v) {
                    std::optional<std::string> address = variantText(v);
                    if (!address) return DISP_E_TYPEMISMATCH;
                    return l.navigate(*address);
                })
                .asDefault(),
            LocationRows::text("protocol",
                               [](LocationObject& l) {
                                   std::string scheme = splitAddress(l.page().address()).scheme;
                                   return scheme.empty() ? scheme : scheme + ":";
                               }),
            LocationRows::text("host",
                               [](LocationObject& l) {
                                   AddressParts parts = splitAddress(l.page().address());
                                   return parts.port.empty() ? parts.host
                                                             : parts.host + ":" + parts.port;
                               }),
            part("hostname", &AddressParts::host),
            part("port", &AddressParts::port),
            part("pathname", &AddressParts::path),
            part("search", &AddressParts::query),
            part("hash", &AddressParts::fragment),
            LocationRows::method("assign", {required("url", VT_BSTR)}, VT_VOID,
                                 [](LocationObject& l, const MethodArguments& a, VARIANT*) {
                                     std::optional<std::string> address = a.text(0);
                                     return address ? l.navigate(*address) : E_INVALIDARG;
                                 }),
            LocationRows::method("replace", {required("url", VT_BSTR)}, VT_VOID,
                                 [](LocationObject& l, const MethodArguments& a, VARIANT*) {
                                     std::optional<std::string> address = a.text(0);
                                     return address ? l.navigate(*address) : E_INVALIDARG;
                                 }),
            LocationRows::method(
                "reload", {optional("force")}, VT_VOID,
                [](LocationObject& l, const MethodArguments&, VARIANT*) {
                    return l.navigate(l.page().address());
                },
                1),
            LocationRows::method("toString", {}, VT_BSTR,
                                 [](LocationObject& l, const MethodArguments&, VARIANT* r) {
                                     setText(r, l.page().address());
                                     return S_OK;
                                 }),
        }});
    return table;
}

}  // namespace

LocationObject::LocationObject(std::shared_ptr<Page> page)
    : TableObject(page->browserPointer(), locationMembers()), page_(std::move(page)) {}

IDispatch* LocationObject::create(std::shared_ptr<Page> page) {
    return page ? new LocationObject(std::move(page)) : nullptr;
}

HRESULT LocationObject::navigate(std::string_view address) {
    std::shared_ptr<Window> window = page_->window();
    if (window) window->navigate(resolveAddress(page_->address(), address));
    return S_OK;
}

}  // namespace browser
