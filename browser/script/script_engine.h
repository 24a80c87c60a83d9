// A page's script engine: one duktape heap whose global object is the
// page's window. The window's members are the global's own properties
// (methods as plain functions a page may replace, `function alert(){}` or
// `window.alert = ...`; properties as accessors), and every other object of
// the component reaches script as a proxy that reads and writes its members
// through the same member table the late-bound layer binds against, so the
// two views cannot differ. Names are letter-case sensitive in script, as in
// JScript; anything script sets that is not a member stays with the proxy
// (an expando) and is invisible to the late-bound layer.
//
// Texts cross as UTF-16 on the COM side and as duktape's UTF-8 (CESU-8)
// inside; page code arrives as code page 936 and is converted on the way in.
//
// The engine holds one reference to every object a script has touched,
// until it ends; the page ends it when it closes (ScriptEngine lives inside
// Page, which outlives it).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

struct duk_hthread;

namespace browser {

class Page;
class Window;

class ScriptEngine : public std::enable_shared_from_this<ScriptEngine> {
public:
    static std::shared_ptr<ScriptEngine> create(Page& page);
    ~ScriptEngine();
    ScriptEngine(const ScriptEngine&) = delete;
    ScriptEngine& operator=(const ScriptEngine&) = delete;

    Page& page() const { return page_; }

    // Runs program text (code page 936) in the global scope: its function
    // declarations and vars become (or replace) the window's. S_OK, or
    // DISP_E_EXCEPTION after a syntax error or an uncaught exception, whose
    // message is recorded as the page's script error and kept as the
    // exception text of the call (browser_object.h).
    HRESULT runProgram(std::string_view cp936Code, std::string_view sourceName);

    // The function an inline handler attribute's text makes (its `event`
    // parameter is the event object), as a new reference; null after a
    // syntax error, which is recorded.
    IDispatch* compileHandler(std::string_view cp936Code, std::string_view name);

    // Functions that reach COM (a handler script assigned, or one compiled
    // from an attribute) are kept by number until released.
    HRESULT callFunction(int key, IDispatch* thisObject, const std::vector<VARIANT>& arguments,
                         VARIANT* result);
    std::string functionSource(int key);
    void releaseFunction(int key);

    // Internal to the script bridge.
    duk_hthread* context() const { return context_; }
    IDispatch* ownWindow() const { return ownWindow_; }
    void hold(IDispatch* object);
    int keepFunction();  // the function on top of the stack; pops it

private:
    explicit ScriptEngine(Page& page);
    void setUpGlobal();

    Page& page_;
    duk_hthread* context_ = nullptr;
    IDispatch* ownWindow_ = nullptr;  // one reference
    std::vector<IDispatch*> held_;    // one reference each
    int nextFunctionKey_ = 1;
};

}  // namespace browser
