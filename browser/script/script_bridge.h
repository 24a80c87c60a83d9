// Between duktape values and COM: how the engine shows the component's
// objects to script and takes script values back (script_bridge.cpp).
#pragma once

#include <string>

#include "duktape.h"
#include "platform/win32.h"

namespace browser {

class ScriptEngine;

namespace script_bridge {

// The engine a heap belongs to.
ScriptEngine& engineOf(duk_context* context);

// Sets up the heap: the proxy handler, the tables in the heap stash, and
// the window's members on the global object.
void prepareHeap(duk_context* context, ScriptEngine& engine);

// Pushes the script value of a VARIANT: numbers, texts, booleans, null
// (VT_NULL, and no object), undefined (VT_EMPTY), and objects: the page's
// own window is the global object, a function of this engine is itself,
// any other object of the component a proxy over its member table (the
// same proxy for the same object).
void pushValue(duk_context* context, const VARIANT& value);
void pushObject(duk_context* context, IDispatch* object);

// The VARIANT a script value gives (into an empty VARIANT): functions
// become function objects, proxies their objects, the global object the
// window, other objects their text.
void toVariant(duk_context* context, duk_idx_t index, VARIANT* out);

// The text of an error value, code page 936 ("ReferenceError: ...").
std::string errorText(duk_context* context, duk_idx_t index);

}  // namespace script_bridge
}  // namespace browser
