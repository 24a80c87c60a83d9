// The base of the component's COM objects: a DispatchObject whose members
// come from one member table, and which marks every call into it as a call
// into the component (so that navigations wait for the outermost call to
// return, see BrowserState).
#pragma once

#include <memory>
#include <string_view>

#include "browser/objects/member_table.h"
#include "com/dispatch_object.h"

namespace browser {

class BrowserState;

class BrowserObject : public DispatchObject {
public:
    const MemberCatalog& members() const { return catalog_; }
    BrowserState& browser() const { return *browser_; }

    // What script finds under a name the table does not have: a
    // collection's item by index or name (`all.x`, `frames[0]`), a
    // document's form by name. S_OK with the value, or
    // DISP_E_MEMBERNOTFOUND. Not reachable through the late-bound layer.
    virtual HRESULT namedProperty(std::string_view name, VARIANT* result);

    // The object a script or caller holds, when it is one of ours.
    static BrowserObject* from(IUnknown* object);

protected:
    BrowserObject(std::shared_ptr<BrowserState> browser, const MemberCatalog& catalog);

    HRESULT invokeMember(DISPID id, WORD flags, const DispatchArguments& arguments,
                         VARIANT* result) final;
    // The table's dispatch for the concrete object.
    virtual HRESULT invokeTableMember(DISPID id, WORD flags, const DispatchArguments& arguments,
                                      VARIANT* result) = 0;

private:
    std::shared_ptr<BrowserState> browser_;
    const MemberCatalog& catalog_;
};

// A BrowserObject of class Self with a static table of Self's members.
template <class Self>
class TableObject : public BrowserObject {
protected:
    TableObject(std::shared_ptr<BrowserState> browser, const MemberTable<Self>& table)
        : BrowserObject(std::move(browser), table), table_(table) {}

    HRESULT invokeTableMember(DISPID id, WORD flags, const DispatchArguments& arguments,
                              VARIANT* result) override {
        return table_.invoke(static_cast<Self&>(*this), id, flags, arguments, result);
    }

private:
    const MemberTable<Self>& table_;
};

// Access across a domain boundary: the browser's "Access is denied".
HRESULT accessDenied();

}  // namespace browser
