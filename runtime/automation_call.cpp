// The public reads, writes and calls: each runs invokeByName and converts the
// member's result to the kind it promises.
#include "runtime/automation_call.h"

#include <vector>

#include "runtime/automation_errors.h"
#include "runtime/automation_invoke.h"
#include "runtime/wide_text.h"

namespace {

// The member's result, owned for the duration of the conversion.
class CallResult {
public:
    CallResult(const AutomationObject& object, const Text& name, AccessKind access,
               std::span<const AutomationArgument> arguments)
        : code_(invokeByName(object, name, access, arguments, value_)) {}
    ~CallResult() { VariantClear(&value_); }
    CallResult(const CallResult&) = delete;
    CallResult& operator=(const CallResult&) = delete;

    bool succeeded() const { return code_ == kCallSucceeded; }

    // The result converted to `type` (after dereferencing) into `converted`;
    // a failed conversion, or a record, sets the code -8.
    bool convertTo(VARTYPE type, VARIANT& converted) {
        VariantInit(&converted);
        VARIANT direct;
        VariantInit(&direct);
        HRESULT hr = VariantCopyInd(&direct, &value_);
        if (SUCCEEDED(hr) && direct.vt != VT_RECORD) {
            hr = VariantChangeType(&converted, &direct, 0, type);
        } else {
            hr = DISP_E_TYPEMISMATCH;
        }
        VariantClear(&direct);
        if (FAILED(hr)) code_ = kCallResultMismatch;
        return SUCCEEDED(hr);
    }

    VARIANT& value() { return value_; }
    // Stores the code as the thread's last call error.
    void finish() const { setLastCallError(code_); }
    void fail(std::int32_t code) { code_ = code; }

private:
    VARIANT value_;
    std::int32_t code_;
};

}  // namespace

Text readTextProperty(const AutomationObject& object, const Text& name,
                      AutomationArguments arguments) {
    CallResult call(object, name, AccessKind::kGet, arguments);
    Text text;
    VARIANT converted;
    if (call.succeeded() && call.convertTo(VT_BSTR, converted)) {
        text = textOfBstr(converted.bstrVal);
        VariantClear(&converted);
    }
    call.finish();
    return text;
}

double readNumberProperty(const AutomationObject& object, const Text& name,
                          AutomationArguments arguments) {
    CallResult call(object, name, AccessKind::kGet, arguments);
    double number = 0.0;
    VARIANT converted;
    if (call.succeeded() && call.convertTo(VT_R8, converted)) number = converted.dblVal;
    call.finish();
    return number;
}

namespace {

AutomationObject objectResult(CallResult& call) {
    AutomationObject object;
    VARIANT converted;
    if (call.succeeded() && call.convertTo(VT_UNKNOWN, converted)) {
        // The converted variant's reference passes to the holder.
        object = AutomationObject::adopt(converted.punkVal);
    }
    call.finish();
    return object;
}

AutomationVariant variantResult(CallResult& call) {
    AutomationVariant variant;
    if (call.succeeded()) {
        if (call.value().vt == VT_RECORD || FAILED(VariantCopy(variant.put(), &call.value()))) {
            call.fail(kCallResultMismatch);
            variant.put();
        }
    }
    call.finish();
    return variant;
}

bool boolResult(CallResult& call) {
    bool flag = false;
    VARIANT converted;
    if (call.succeeded() && call.convertTo(VT_BOOL, converted)) flag = converted.boolVal != 0;
    call.finish();
    return flag;
}

}  // namespace

AutomationObject readObjectProperty(const AutomationObject& object, const Text& name,
                                    AutomationArguments arguments) {
    CallResult call(object, name, AccessKind::kGet, arguments);
    return objectResult(call);
}

AutomationVariant readVariantProperty(const AutomationObject& object, const Text& name,
                                      AutomationArguments arguments) {
    CallResult call(object, name, AccessKind::kGet, arguments);
    return variantResult(call);
}

bool writeProperty(const AutomationObject& object, const Text& name,
                   const AutomationArgument& value) {
    return writeProperty(object, name, {value});
}

bool writeProperty(const AutomationObject& object, const Text& name,
                   AutomationArguments arguments) {
    CallResult call(object, name, AccessKind::kPut, arguments);
    call.finish();
    return call.succeeded();
}

void callMethod(const AutomationObject& object, const Text& name, AutomationArguments arguments) {
    CallResult call(object, name, AccessKind::kMethod, arguments);
    call.finish();
}

AutomationObject callObjectMethod(const AutomationObject& object, const Text& name,
                                  AutomationArguments arguments) {
    CallResult call(object, name, AccessKind::kMethod, arguments);
    return objectResult(call);
}

bool callBoolMethod(const AutomationObject& object, const Text& name,
                    AutomationArguments arguments) {
    CallResult call(object, name, AccessKind::kMethod, arguments);
    return boolResult(call);
}

AutomationVariant callVariantMethod(const AutomationObject& object, const Text& name,
                                    AutomationArguments arguments) {
    CallResult call(object, name, AccessKind::kMethod, arguments);
    return variantResult(call);
}
