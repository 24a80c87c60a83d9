// A script function as a COM object: a handler a page compiled from an
// attribute or assigned (`element.onclick = function () {...}`), as the
// late-bound layer reads it back and as event dispatch calls it. Invoking
// its default member as a method calls the function; reading it gives its
// text. The function itself stays in its engine; once the page's script
// has ended, calling it fails with DISP_E_EXCEPTION.
#pragma once

#include <memory>
#include <vector>

#include "browser/objects/browser_object.h"

namespace browser {

class Page;
class ScriptEngine;

class ScriptFunction : public TableObject<ScriptFunction> {
public:
    // A new object (one reference, the caller's) for function `key` of the engine.
    static IDispatch* create(std::shared_ptr<Page> page, std::weak_ptr<ScriptEngine> engine,
                             int key);
    static ScriptFunction* from(IUnknown* object);

    // Calls the function with `thisObject` as its this (null: the window).
    HRESULT call(IDispatch* thisObject, const std::vector<VARIANT>& arguments, VARIANT* result);
    bool belongsTo(const ScriptEngine& engine) const;
    int key() const { return key_; }
    std::string source();

protected:
    HRESULT invokeTableMember(DISPID id, WORD flags, const DispatchArguments& arguments,
                              VARIANT* result) override;

private:
    ScriptFunction(std::shared_ptr<Page> page, std::weak_ptr<ScriptEngine> engine, int key);
    ~ScriptFunction() override;

    std::shared_ptr<Page> page_;
    std::weak_ptr<ScriptEngine> engine_;
    int key_;
};

}  // namespace browser
