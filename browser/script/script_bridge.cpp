#include "browser/script/script_bridge.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "browser/dom/code_page_936.h"
#include "browser/objects/browser_object.h"
#include "browser/objects/window_object.h"
#include "browser/page/page.h"
#include "browser/page/window.h"
#include "browser/script/script_engine.h"
#include "browser/script/script_function.h"
#include "browser/script/script_text.h"

namespace browser::script_bridge {

namespace {

// Hidden keys (never visible to script, and read from a proxy's target
// without its traps): the object a proxy or member function stands for,
// and the member a function calls.
constexpr const char kObject[] =
    "\xFF"
    "object";
constexpr const char kMember[] =
    "\xFF"
    "member";
// The heap stash's tables: proxies by object, kept functions by key, and
// the one proxy handler.
constexpr const char kWrappers[] = "wrappers";
constexpr const char kFunctions[] = "functions";
constexpr const char kHandler[] = "handler";

// VARIANTs that clear themselves, also when a script error unwinds the
// native function that made them.
class Variants {
public:
    explicit Variants(size_t count) : values_(count) {
        for (VARIANT& value : values_) VariantInit(&value);
    }
    ~Variants() {
        for (VARIANT& value : values_) VariantClear(&value);
    }
    Variants(const Variants&) = delete;
    Variants& operator=(const Variants&) = delete;
    VARIANT* data() { return values_.data(); }
    VARIANT& operator[](size_t i) { return values_[i]; }

private:
    std::vector<VARIANT> values_;
};

IDispatch* hiddenObject(duk_context* context, duk_idx_t index) {
    if (!duk_is_object(context, index)) return nullptr;
    duk_get_prop_string(context, index, kObject);
    void* pointer = duk_get_pointer(context, -1);
    duk_pop(context);
    return static_cast<IDispatch*>(pointer);
}

// A property key as text: `all[1]` hands the trap the number 1.
std::string keyText(duk_context* context, duk_idx_t index) {
    duk_dup(context, index);
    duk_size_t length = 0;
    const char* text = duk_safe_to_lstring(context, -1, &length);
    std::string key(text, length);
    duk_pop(context);
    return key;
}

std::string describe(HRESULT hr) {
    if (hr == E_ACCESSDENIED) return "Access is denied.";
    if (hr == DISP_E_MEMBERNOTFOUND) return "Object doesn't support this property or method";
    if (hr == DISP_E_TYPEMISMATCH) return "Type mismatch";
    if (hr == DISP_E_BADPARAMCOUNT)
        return "Wrong number of arguments or invalid property assignment";
    if (hr == DISP_E_PARAMNOTOPTIONAL) return "Argument not optional";
    if (hr == E_INVALIDARG) return "Invalid argument.";
    return "Invalid procedure call or argument";
}

// Throws the script error for a failed call; the message the member
// raised, else one for the result code.
void throwFailure(duk_context* context, HRESULT hr) {
    std::string message = takeExceptionText();
    if (message.empty()) message = describe(hr);
    std::string utf8 = dom::cp936ToUtf8(message);
    duk_error(context, DUK_ERR_ERROR, "%s", utf8.c_str());
}

// Invokes a member with the script values at [first, first + count) as its
// arguments (or as the value of a put) and pushes the result. A put of a
// text property sends the text script makes of the value ("true", "null").
void invokeWithValues(duk_context* context, IDispatch* object, DISPID id, WORD flags,
                      duk_idx_t first, duk_idx_t count, VARTYPE putType = VT_EMPTY) {
    Variants arguments(static_cast<size_t>(count));
    // IDispatch::Invoke takes the arguments last first.
    for (duk_idx_t i = 0; i < count; ++i) {
        VARIANT& argument = arguments[static_cast<size_t>(count - 1 - i)];
        if (putType == VT_BSTR && !hiddenObject(context, first + i)) {
            duk_dup(context, first + i);
            duk_size_t length = 0;
            const char* text = duk_safe_to_lstring(context, -1, &length);
            setWideText(&argument, cesu8ToUtf16(std::string_view(text, length)));
            duk_pop(context);
        } else {
            toVariant(context, first + i, &argument);
        }
    }
    DISPID putName = DISPID_PROPERTYPUT;
    bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
    DISPPARAMS parameters{arguments.data(), put ? &putName : nullptr, static_cast<UINT>(count),
                          put ? 1u : 0u};
    Variants result(1);
    HRESULT hr = object->Invoke(id, IID_NULL, 0, flags, &parameters, &result[0], nullptr, nullptr);
    if (FAILED(hr)) {
        throwFailure(context, hr);
        return;
    }
    pushValue(context, result[0]);
}

// ---- Native functions -------------------------------------------------------

// A method member: the object and member id are on the function itself.
duk_ret_t callMember(duk_context* context) {
    duk_idx_t count = duk_get_top(context);
    duk_push_current_function(context);
    IDispatch* object = hiddenObject(context, -1);
    duk_get_prop_string(context, -1, kMember);
    auto id = static_cast<DISPID>(duk_get_int(context, -1));
    duk_pop_2(context);
    if (object == nullptr) return 0;
    invokeWithValues(context, object, id, DISPATCH_METHOD, 0, count);
    return 1;
}

duk_ret_t getMember(duk_context* context) {
    duk_push_current_function(context);
    IDispatch* object = hiddenObject(context, -1);
    duk_get_prop_string(context, -1, kMember);
    auto id = static_cast<DISPID>(duk_get_int(context, -1));
    duk_pop_2(context);
    if (object == nullptr) return 0;
    invokeWithValues(context, object, id, DISPATCH_PROPERTYGET, 0, 0);
    return 1;
}

duk_ret_t putMember(duk_context* context) {
    duk_push_current_function(context);
    IDispatch* object = hiddenObject(context, -1);
    duk_get_prop_string(context, -1, kMember);
    auto id = static_cast<DISPID>(duk_get_int(context, -1));
    duk_pop_2(context);
    BrowserObject* browserObject = BrowserObject::from(object);
    if (browserObject == nullptr) return 0;
    const MemberEntry* member = browserObject->members().byId(id);
    invokeWithValues(context, object, id, DISPATCH_PROPERTYPUT, 0, 1,
                     member ? member->type : static_cast<VARTYPE>(VT_EMPTY));
    return 0;
}

// toString of a proxy: its default member's text, else "[object]".
duk_ret_t objectText(duk_context* context) {
    duk_push_this(context);
    BrowserObject* object = BrowserObject::from(hiddenObject(context, -1));
    duk_pop(context);
    const MemberEntry* value = object != nullptr ? object->members().byId(DISPID_VALUE) : nullptr;
    if (value == nullptr || !value->readable) {
        duk_push_string(context, "[object]");
        return 1;
    }
    invokeWithValues(context, object, DISPID_VALUE, DISPATCH_PROPERTYGET, 0, 0);
    duk_safe_to_string(context, -1);
    return 1;
}

void pushBoundFunction(duk_context* context, duk_c_function function, duk_idx_t arguments,
                       IDispatch* object, DISPID id) {
    duk_push_c_function(context, function, arguments);
    duk_push_pointer(context, object);
    duk_put_prop_string(context, -2, kObject);
    duk_push_int(context, static_cast<duk_int_t>(id));
    duk_put_prop_string(context, -2, kMember);
}

// ---- Proxy traps: (target, key, ...) ----------------------------------------

duk_ret_t trapGet(duk_context* context) {
    if (duk_is_symbol(context, 1)) {
        duk_dup(context, 1);
        duk_get_prop(context, 0);
        return 1;
    }
    std::string name = keyText(context, 1);
    // What script set on the object (an expando, or a method it replaced).
    if (duk_has_prop_lstring(context, 0, name.data(), name.size())) {
        duk_get_prop_lstring(context, 0, name.data(), name.size());
        return 1;
    }
    IDispatch* dispatch = hiddenObject(context, 0);
    BrowserObject* object = BrowserObject::from(dispatch);
    if (object == nullptr) return 0;
    if (const MemberEntry* member = object->members().find(name)) {
        if (member->isMethod) {
            pushBoundFunction(context, callMember, DUK_VARARGS, dispatch, member->id);
            return 1;
        }
        if (!member->readable) return 0;
        invokeWithValues(context, dispatch, member->id, DISPATCH_PROPERTYGET, 0, 0);
        return 1;
    }
    if (name == "toString" || name == "valueOf") {
        duk_push_c_function(context, objectText, 0);
        return 1;
    }
    Variants value(1);
    if (SUCCEEDED(object->namedProperty(name, &value[0]))) {
        pushValue(context, value[0]);
        return 1;
    }
    return 0;
}

duk_ret_t trapSet(duk_context* context) {
    if (!duk_is_symbol(context, 1)) {
        std::string name = keyText(context, 1);
        IDispatch* dispatch = hiddenObject(context, 0);
        BrowserObject* object = BrowserObject::from(dispatch);
        const MemberEntry* member = object != nullptr ? object->members().find(name) : nullptr;
        if (member != nullptr && !member->isMethod) {
            // A read-only property takes the write and keeps nothing.
            if (member->writable) {
                invokeWithValues(context, dispatch, member->id, DISPATCH_PROPERTYPUT, 2, 1,
                                 member->type);
            }
            duk_push_true(context);
            return 1;
        }
    }
    duk_dup(context, 1);
    duk_dup(context, 2);
    duk_put_prop(context, 0);
    duk_push_true(context);
    return 1;
}

duk_ret_t trapHas(duk_context* context) {
    if (duk_is_symbol(context, 1)) {
        duk_dup(context, 1);
        duk_push_boolean(context, duk_has_prop(context, 0));
        return 1;
    }
    std::string name = keyText(context, 1);
    if (duk_has_prop_lstring(context, 0, name.data(), name.size())) {
        duk_push_true(context);
        return 1;
    }
    BrowserObject* object = BrowserObject::from(hiddenObject(context, 0));
    bool found = false;
    if (object != nullptr) {
        found = object->members().find(name) != nullptr;
        if (!found) {
            Variants value(1);
            found = SUCCEEDED(object->namedProperty(name, &value[0]));
        }
    }
    duk_push_boolean(context, found);
    return 1;
}

duk_ret_t trapDelete(duk_context* context) {
    duk_dup(context, 1);
    duk_del_prop(context, 0);
    duk_push_true(context);
    return 1;
}

bool isOwnWindow(ScriptEngine& engine, BrowserObject* object) {
    auto* window = dynamic_cast<WindowObject*>(object);
    if (window == nullptr || engine.ownWindow() == nullptr) return false;
    auto* own = WindowObject::from(engine.ownWindow());
    return own != nullptr && &window->window() == &own->window() && !window->behindBoundary();
}

}  // namespace

ScriptEngine& engineOf(duk_context* context) {
    duk_memory_functions functions;
    duk_get_memory_functions(context, &functions);
    return *static_cast<ScriptEngine*>(functions.udata);
}

void prepareHeap(duk_context* context, ScriptEngine& engine) {
    duk_push_heap_stash(context);
    duk_push_bare_object(context);
    duk_put_prop_string(context, -2, kWrappers);
    duk_push_bare_object(context);
    duk_put_prop_string(context, -2, kFunctions);
    duk_push_object(context);
    duk_push_c_function(context, trapGet, 3);
    duk_put_prop_string(context, -2, "get");
    duk_push_c_function(context, trapSet, 4);
    duk_put_prop_string(context, -2, "set");
    duk_push_c_function(context, trapHas, 2);
    duk_put_prop_string(context, -2, "has");
    duk_push_c_function(context, trapDelete, 2);
    duk_put_prop_string(context, -2, "deleteProperty");
    duk_put_prop_string(context, -2, kHandler);
    duk_pop(context);

    // The window's members become the global object's own properties:
    // methods as plain functions (so that a page may replace them),
    // properties as accessors.
    IDispatch* window = engine.ownWindow();
    BrowserObject* object = BrowserObject::from(window);
    if (object == nullptr) return;
    duk_push_global_object(context);
    for (const MemberEntry& member : object->members().entries()) {
        if (member.isMethod) {
            pushBoundFunction(context, callMember, DUK_VARARGS, window, member.id);
            duk_put_prop_lstring(context, -2, member.name.data(), member.name.size());
            continue;
        }
        duk_push_lstring(context, member.name.data(), member.name.size());
        duk_uint_t flags = DUK_DEFPROP_SET_CONFIGURABLE | DUK_DEFPROP_SET_ENUMERABLE;
        if (member.readable) {
            pushBoundFunction(context, getMember, 0, window, member.id);
            flags |= DUK_DEFPROP_HAVE_GETTER;
        }
        if (member.writable) {
            pushBoundFunction(context, putMember, 1, window, member.id);
            flags |= DUK_DEFPROP_HAVE_SETTER;
        }
        duk_def_prop(context, -1 - (member.readable ? 1 : 0) - (member.writable ? 1 : 0) - 1,
                     flags);
    }
    duk_pop(context);
}

void pushObject(duk_context* context, IDispatch* dispatch) {
    ScriptEngine& engine = engineOf(context);
    BrowserObject* object = BrowserObject::from(dispatch);
    if (object == nullptr) {
        duk_push_null(context);
        return;
    }
    if (isOwnWindow(engine, object)) {
        duk_push_global_object(context);
        return;
    }
    if (auto* function = dynamic_cast<ScriptFunction*>(object);
        function && function->belongsTo(engine)) {
        duk_push_heap_stash(context);
        duk_get_prop_string(context, -1, kFunctions);
        duk_get_prop_index(context, -1, static_cast<duk_uarridx_t>(function->key()));
        duk_remove(context, -2);
        duk_remove(context, -2);
        return;
    }
    auto* canonical = static_cast<IDispatch*>(object);
    char key[32];
    std::snprintf(key, sizeof key, "%p", static_cast<void*>(canonical));
    duk_push_heap_stash(context);
    duk_get_prop_string(context, -1, kWrappers);  // [stash wrappers]
    if (duk_get_prop_string(context, -1, key)) {
        duk_remove(context, -2);
        duk_remove(context, -2);
        return;
    }
    duk_pop(context);
    duk_push_bare_object(context);  // the target holds what script sets
    duk_push_pointer(context, canonical);
    duk_put_prop_string(context, -2, kObject);
    duk_get_prop_string(context, -3, kHandler);  // [stash wrappers target handler]
    duk_push_proxy(context, 0);                  // [stash wrappers proxy]
    duk_dup(context, -1);
    duk_put_prop_string(context, -3, key);
    duk_remove(context, -2);
    duk_remove(context, -2);
    engine.hold(canonical);
}

void pushValue(duk_context* context, const VARIANT& given) {
    const VARIANT& value = dereferenced(given);
    switch (value.vt) {
        case VT_EMPTY:
        case VT_ERROR:
            duk_push_undefined(context);
            return;
        case VT_NULL:
            duk_push_null(context);
            return;
        case VT_BOOL:
            duk_push_boolean(context, value.boolVal != VARIANT_FALSE);
            return;
        case VT_BSTR: {
            std::u16string text(reinterpret_cast<const char16_t*>(value.bstrVal),
                                value.bstrVal == nullptr ? 0 : SysStringLen(value.bstrVal));
            std::string bytes = utf16ToCesu8(text);
            duk_push_lstring(context, bytes.data(), bytes.size());
            return;
        }
        case VT_DISPATCH:
        case VT_UNKNOWN:
            pushObject(context, variantDispatch(value));
            return;
        case (VT_BYREF | VT_DISPATCH):
            pushObject(context, variantDispatch(value));
            return;
        default:
            break;
    }
    if (std::optional<double> number = variantNumber(value)) {
        duk_push_number(context, *number);
        return;
    }
    if (std::optional<std::string> text = variantText(value)) {
        std::string utf8 = dom::cp936ToUtf8(*text);
        duk_push_lstring(context, utf8.data(), utf8.size());
        return;
    }
    duk_push_undefined(context);
}

void toVariant(duk_context* context, duk_idx_t index, VARIANT* out) {
    ScriptEngine& engine = engineOf(context);
    index = duk_normalize_index(context, index);
    switch (duk_get_type(context, index)) {
        case DUK_TYPE_NONE:
        case DUK_TYPE_UNDEFINED:
            return;
        case DUK_TYPE_NULL:
            setNull(out);
            return;
        case DUK_TYPE_BOOLEAN:
            setBoolean(out, duk_get_boolean(context, index) != 0);
            return;
        case DUK_TYPE_NUMBER:
            setNumber(out, duk_get_number(context, index));
            return;
        case DUK_TYPE_STRING: {
            duk_size_t length = 0;
            const char* text = duk_get_lstring(context, index, &length);
            setWideText(out, cesu8ToUtf16(std::string_view(text, length)));
            return;
        }
        default:
            break;
    }
    if (duk_is_function(context, index)) {
        duk_dup(context, index);
        int key = engine.keepFunction();
        setObject(out, ScriptFunction::create(engine.page().shared_from_this(),
                                              engine.weak_from_this(), key));
        return;
    }
    if (IDispatch* object = hiddenObject(context, index)) {
        object->AddRef();
        setObject(out, object);
        return;
    }
    duk_push_global_object(context);
    bool global = duk_strict_equals(context, index, -1) != 0;
    duk_pop(context);
    if (global && engine.ownWindow() != nullptr) {
        engine.ownWindow()->AddRef();
        setObject(out, engine.ownWindow());
        return;
    }
    duk_dup(context, index);
    duk_size_t length = 0;
    const char* text = duk_safe_to_lstring(context, -1, &length);
    setWideText(out, cesu8ToUtf16(std::string_view(text, length)));
    duk_pop(context);
}

std::string errorText(duk_context* context, duk_idx_t index) {
    duk_dup(context, index);
    duk_size_t length = 0;
    const char* text = duk_safe_to_lstring(context, -1, &length);
    std::string message = dom::utf8ToCp936(std::string_view(text, length));
    duk_pop(context);
    return message;
}

}  // namespace browser::script_bridge
