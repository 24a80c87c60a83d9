#include "browser/script/script_function.h"

#include "browser/page/page.h"
#include "browser/script/script_engine.h"

namespace browser {

namespace {

using FunctionRows = Rows<ScriptFunction>;

std::vector<VARIANT> copiedArguments(const MethodArguments& a) {
    std::vector<VARIANT> values;
    for (UINT i = 0; i < a.count(); ++i) values.push_back(*a.at(i));  // borrowed for the call
    return values;
}

const MemberTable<ScriptFunction>& functionMembers() {
    static const MemberTable<ScriptFunction> table(
        "IScriptFunction",
        {{
            FunctionRows::text("source", [](ScriptFunction& f) { return f.source(); }).asDefault(),
            FunctionRows::method(
                "call", {required("arguments", DeclaredType::safeArrayOf(VT_VARIANT))}, VT_VARIANT,
                [](ScriptFunction& f, const MethodArguments& a, VARIANT* r) {
                    return f.call(nullptr, copiedArguments(a), r);
                },
                -1),
        }});
    return table;
}

}  // namespace

ScriptFunction::ScriptFunction(std::shared_ptr<Page> page, std::weak_ptr<ScriptEngine> engine,
                               int key)
    : TableObject(page->browserPointer(), functionMembers()),
      page_(std::move(page)),
      engine_(std::move(engine)),
      key_(key) {}

ScriptFunction::~ScriptFunction() {
    if (std::shared_ptr<ScriptEngine> engine = engine_.lock()) engine->releaseFunction(key_);
}

IDispatch* ScriptFunction::create(std::shared_ptr<Page> page, std::weak_ptr<ScriptEngine> engine,
                                  int key) {
    return new ScriptFunction(std::move(page), std::move(engine), key);
}

ScriptFunction* ScriptFunction::from(IUnknown* object) {
    return dynamic_cast<ScriptFunction*>(BrowserObject::from(object));
}

HRESULT ScriptFunction::call(IDispatch* thisObject, const std::vector<VARIANT>& arguments,
                             VARIANT* result) {
    std::shared_ptr<ScriptEngine> engine = engine_.lock();
    if (!engine) return raiseException("The page's script has ended.");
    return engine->callFunction(key_, thisObject, arguments, result);
}

bool ScriptFunction::belongsTo(const ScriptEngine& engine) const {
    return engine_.lock().get() == &engine;
}

std::string ScriptFunction::source() {
    std::shared_ptr<ScriptEngine> engine = engine_.lock();
    return engine ? engine->functionSource(key_) : std::string();
}

HRESULT ScriptFunction::invokeTableMember(DISPID id, WORD flags, const DispatchArguments& arguments,
                                          VARIANT* result) {
    // Calling the object itself calls the function, as script engines'
    // function objects answer DISPID_VALUE invoked as a method.
    if (id == DISPID_VALUE && (flags & DISPATCH_METHOD) && !(flags & DISPATCH_PROPERTYGET)) {
        return call(nullptr, copiedArguments(MethodArguments(arguments)), result);
    }
    return TableObject::invokeTableMember(id, flags, arguments, result);
}

}  // namespace browser
