#include "browser/script/script_engine.h"

#include <cstdio>
#include <cstdlib>

#include "browser/dom/code_page_936.h"
#include "browser/objects/member_table.h"
#include "browser/objects/window_object.h"
#include "browser/page/browser_state.h"
#include "browser/page/page.h"
#include "browser/script/script_bridge.h"
#include "browser/script/script_function.h"

namespace browser {

namespace {

// duktape calls this only for errors nothing can catch (an error thrown
// outside every protected call); the heap cannot go on after one.
void fatalScriptError(void*, const char* message) {
    std::fprintf(stderr, "page script engine: fatal error: %s\n", message ? message : "");
    std::abort();
}

constexpr const char kFunctions[] = "functions";

}  // namespace

ScriptEngine::ScriptEngine(Page& page) : page_(page) {}

std::shared_ptr<ScriptEngine> ScriptEngine::create(Page& page) {
    std::shared_ptr<ScriptEngine> engine(new ScriptEngine(page));
    engine->context_ = duk_create_heap(nullptr, nullptr, nullptr, engine.get(), fatalScriptError);
    if (engine->context_ == nullptr) return nullptr;
    engine->setUpGlobal();
    return engine;
}

ScriptEngine::~ScriptEngine() {
    if (context_ != nullptr) duk_destroy_heap(context_);
    context_ = nullptr;
    // What the script held goes back only now: releasing it may run code
    // (an object's last release) that must not meet a half-destroyed heap.
    std::vector<IDispatch*> held = std::move(held_);
    held_.clear();
    for (IDispatch* object : held) object->Release();
    if (ownWindow_ != nullptr) ownWindow_->Release();
}

void ScriptEngine::setUpGlobal() {
    if (std::shared_ptr<Window> window = page_.window()) ownWindow_ = WindowObject::create(window);
    script_bridge::prepareHeap(context_, *this);
}

void ScriptEngine::hold(IDispatch* object) {
    object->AddRef();
    held_.push_back(object);
}

int ScriptEngine::keepFunction() {
    int key = nextFunctionKey_++;
    duk_push_heap_stash(context_);
    duk_get_prop_string(context_, -1, kFunctions);
    duk_dup(context_, -3);
    duk_put_prop_index(context_, -2, static_cast<duk_uarridx_t>(key));
    duk_pop_3(context_);
    return key;
}

void ScriptEngine::releaseFunction(int key) {
    duk_push_heap_stash(context_);
    duk_get_prop_string(context_, -1, kFunctions);
    duk_del_prop_index(context_, -1, static_cast<duk_uarridx_t>(key));
    duk_pop_2(context_);
}

HRESULT ScriptEngine::runProgram(std::string_view cp936Code, std::string_view sourceName) {
    // The engine and the browser stay for the whole call, whatever it closes.
    std::shared_ptr<ScriptEngine> self = shared_from_this();
    std::shared_ptr<BrowserState> browser = page_.browserPointer();
    ComponentCall call(*browser);
    std::string source = dom::cp936ToUtf8(cp936Code);
    duk_push_lstring(context_, sourceName.data(), sourceName.size());
    bool failed = duk_pcompile_lstring_filename(context_, 0, source.data(), source.size()) != 0;
    if (!failed) failed = duk_pcall(context_, 0) != DUK_EXEC_SUCCESS;
    if (!failed) {
        duk_pop(context_);
        return S_OK;
    }
    std::string message = script_bridge::errorText(context_, -1);
    duk_pop(context_);
    page_.browser().recordScriptError(message, page_.address());
    return raiseException(message);
}

IDispatch* ScriptEngine::compileHandler(std::string_view cp936Code, std::string_view name) {
    std::string source = "function (event) {\n" + dom::cp936ToUtf8(cp936Code) + "\n}";
    duk_push_lstring(context_, name.data(), name.size());
    if (duk_pcompile_lstring_filename(context_, DUK_COMPILE_FUNCTION, source.data(),
                                      source.size()) != 0) {
        std::string message = script_bridge::errorText(context_, -1);
        duk_pop(context_);
        page_.browser().recordScriptError(message, page_.address());
        return nullptr;
    }
    int key = keepFunction();
    return ScriptFunction::create(page_.shared_from_this(), weak_from_this(), key);
}

HRESULT ScriptEngine::callFunction(int key, IDispatch* thisObject,
                                   const std::vector<VARIANT>& arguments, VARIANT* result) {
    // The engine and the browser stay for the whole call, whatever it closes.
    std::shared_ptr<ScriptEngine> self = shared_from_this();
    std::shared_ptr<BrowserState> browser = page_.browserPointer();
    ComponentCall call(*browser);
    duk_push_heap_stash(context_);
    duk_get_prop_string(context_, -1, kFunctions);
    duk_get_prop_index(context_, -1, static_cast<duk_uarridx_t>(key));
    duk_remove(context_, -2);
    duk_remove(context_, -2);
    if (!duk_is_function(context_, -1)) {
        duk_pop(context_);
        return raiseException("The function is gone.");
    }
    if (thisObject != nullptr) {
        script_bridge::pushObject(context_, thisObject);
    } else {
        duk_push_global_object(context_);
    }
    for (const VARIANT& argument : arguments) script_bridge::pushValue(context_, argument);
    if (duk_pcall_method(context_, static_cast<duk_idx_t>(arguments.size())) != DUK_EXEC_SUCCESS) {
        std::string message = script_bridge::errorText(context_, -1);
        duk_pop(context_);
        page_.browser().recordScriptError(message, page_.address());
        return raiseException(message);
    }
    if (result != nullptr) script_bridge::toVariant(context_, -1, result);
    duk_pop(context_);
    return S_OK;
}

std::string ScriptEngine::functionSource(int key) {
    duk_push_heap_stash(context_);
    duk_get_prop_string(context_, -1, kFunctions);
    duk_get_prop_index(context_, -1, static_cast<duk_uarridx_t>(key));
    std::string text = script_bridge::errorText(context_, -1);
    duk_pop_3(context_);
    return text;
}

}  // namespace browser
