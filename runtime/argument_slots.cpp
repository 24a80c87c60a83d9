#include "runtime/argument_slots.h"

#include <type_traits>

#include "runtime/wide_text.h"

namespace {

void markOmitted(VARIANT& slot) {
    // The Automation mark of an optional argument that is not given.
    slot.vt = VT_ERROR;
    slot.scode = DISP_E_PARAMNOTFOUND;
}

// An object goes as IUnknown where the parameter is declared as IUnknown or
// another interface, and as IDispatch where it is declared as a dispatch
// interface (a null VT_UNKNOWN when the object refuses). For a parameter of no
// interface type (a VARIANT, an array of them, a number) it goes as IDispatch
// when it has one, which is what page objects and script expect, and as
// IUnknown otherwise. The slot holds one reference of its own.
void placeObject(const AutomationObject& object, const ResolvedType& declared, VARIANT& slot) {
    slot.vt = VT_UNKNOWN;
    slot.punkVal = nullptr;
    IUnknown* pointer = object.get();
    if (pointer == nullptr) return;
    if (declared.type != VT_UNKNOWN) {
        IDispatch* dispatch = nullptr;
        if (SUCCEEDED(
                pointer->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
            slot.vt = VT_DISPATCH;
            slot.pdispVal = dispatch;
            return;
        }
        if (declared.type == VT_DISPATCH) return;
    }
    pointer->AddRef();
    slot.punkVal = pointer;
}

// Fills `slot` with the argument table's VARIANT for one value.
class ValuePlacer {
public:
    ValuePlacer(const ResolvedType& declared, VARIANT& slot) : declared_(declared), slot_(slot) {}

    bool operator()(OmittedArgument) {
        markOmitted(slot_);
        return true;
    }
    bool operator()(const Text& value) {
        slot_.vt = VT_BSTR;
        slot_.bstrVal = allocateBstr(value);
        return true;
    }
    bool operator()(std::int32_t value) { return set(VT_I4, &VARIANT::lVal, value); }
    // Only the low 32 bits of a 64-bit integer cross.
    bool operator()(std::int64_t value) {
        return set(VT_I4, &VARIANT::lVal, static_cast<LONG>(static_cast<std::uint32_t>(value)));
    }
    bool operator()(std::int16_t value) { return set(VT_I2, &VARIANT::iVal, value); }
    bool operator()(std::uint8_t value) { return set(VT_UI1, &VARIANT::bVal, value); }
    bool operator()(float value) { return set(VT_R4, &VARIANT::fltVal, value); }
    bool operator()(double value) { return set(VT_R8, &VARIANT::dblVal, value); }
    bool operator()(bool value) {
        return set(VT_BOOL, &VARIANT::boolVal, value ? VARIANT_TRUE : VARIANT_FALSE);
    }
    bool operator()(AutomationDate value) { return set(VT_DATE, &VARIANT::date, value.days); }
    bool operator()(const AutomationObject& value) {
        placeObject(value, declared_, slot_);
        return true;
    }
    bool operator()(const AutomationVariant& value) {
        return SUCCEEDED(VariantCopyInd(&slot_, variantSource(value.get())));
    }
    bool operator()(const AutomationObject* value) { return (*this)(*value); }
    bool operator()(const AutomationVariant* value) { return (*this)(*value); }
    bool operator()(AutomationArgument::Unsupported) { return false; }

private:
    template <class Field, class Value>
    bool set(VARTYPE type, Field VARIANT::*field, Value value) {
        slot_.vt = type;
        slot_.*field = static_cast<Field>(value);
        return true;
    }

    const ResolvedType& declared_;
    VARIANT& slot_;
};

bool placeValue(const AutomationArgument& argument, const ResolvedType& declared, VARIANT& slot) {
    ValuePlacer placer(declared, slot);
    if (!argument.isReference()) return std::visit(placer, argument.value());
    return std::visit(
        [&](const auto& variable) {
            if constexpr (std::is_same_v<std::decay_t<decltype(variable)>, std::monostate>) {
                return false;  // not held: isReference() said so
            } else {
                return placer(*variable);
            }
        },
        argument.variable());
}

// A copy of `value` converted to `type`, or VT_EMPTY when it does not convert.
class Converted {
public:
    Converted(const VARIANT& value, VARTYPE type) {
        VariantInit(&value_);
        if (FAILED(VariantChangeType(&value_, variantSource(value), 0, type))) VariantInit(&value_);
    }
    ~Converted() { VariantClear(&value_); }
    Converted(const Converted&) = delete;
    Converted& operator=(const Converted&) = delete;
    const VARIANT& get() const { return value_; }
    bool ok() const { return value_.vt != VT_EMPTY; }

private:
    VARIANT value_;
};

// Stores `value` into the caller's variable, converted to the variable's kind.
struct VariableWriter {
    const VARIANT& value;

    void operator()(std::monostate) const {}
    void operator()(Text* variable) const { *variable = variantValueToText(value); }
    void operator()(std::int32_t* variable) const {
        Converted c(value, VT_I4);
        *variable = c.ok() ? c.get().lVal : 0;
    }
    void operator()(std::int64_t* variable) const {
        Converted c(value, VT_I4);
        *variable = c.ok() ? c.get().lVal : 0;
    }
    void operator()(std::int16_t* variable) const {
        Converted c(value, VT_I2);
        *variable = c.ok() ? c.get().iVal : 0;
    }
    void operator()(std::uint8_t* variable) const {
        Converted c(value, VT_UI1);
        *variable = c.ok() ? c.get().bVal : 0;
    }
    void operator()(float* variable) const {
        Converted c(value, VT_R4);
        *variable = c.ok() ? c.get().fltVal : 0.0f;
    }
    void operator()(double* variable) const {
        Converted c(value, VT_R8);
        *variable = c.ok() ? c.get().dblVal : 0.0;
    }
    void operator()(bool* variable) const { *variable = variantValueToBool(value); }
    void operator()(AutomationDate* variable) const {
        Converted c(value, VT_DATE);
        variable->days = c.ok() ? c.get().date : 0.0;
    }
    void operator()(AutomationObject* variable) const {
        Converted c(value, VT_UNKNOWN);
        *variable = AutomationObject::copyOf(c.ok() ? c.get().punkVal : nullptr);
    }
    void operator()(AutomationVariant* variable) const {
        VariantCopy(variable->put(), variantSource(value));
    }
};

}  // namespace

ArgumentSlots::ArgumentSlots(std::size_t count)
    : values_(count), shadows_(count), passedByReference_(count, false) {
    for (VARIANT& value : values_) VariantInit(&value);
    for (VARIANT& shadow : shadows_) VariantInit(&shadow);
}

ArgumentSlots::~ArgumentSlots() {
    // A by-reference value slot owns nothing; its shadow is cleared instead.
    for (VARIANT& value : values_) VariantClear(&value);
    for (VARIANT& shadow : shadows_) VariantClear(&shadow);
}

bool ArgumentSlots::place(std::size_t slot, const AutomationArgument& argument,
                          const DeclaredParameter& declared) {
    VARIANT& value = values_[slot];
    if (!placeValue(argument, declared.type, value)) {
        VariantClear(&value);
        return false;
    }
    if (value.vt == VT_EMPTY) markOmitted(value);  // no value passes as omitted

    const ResolvedType& type = declared.type;
    const bool arrayGiven = (value.vt & VT_ARRAY) != 0;
    if (!type.byReference || type.isRecord || value.vt == VT_ERROR ||
        (type.isArray && !arrayGiven)) {
        return true;  // by value
    }
    VARIANT& shadow = shadows_[slot];
    shadow = value;
    VariantInit(&value);
    if (type.type == VT_VARIANT) {
        value.vt = VT_BYREF | VT_VARIANT;
        value.pvarVal = &shadow;
    } else if (type.isArray) {
        value.vt = static_cast<VARTYPE>(VT_BYREF | shadow.vt);
        value.pparray = &shadow.parray;
    } else if (SUCCEEDED(VariantChangeType(&shadow, &shadow, 0, type.type))) {
        value.vt = static_cast<VARTYPE>(VT_BYREF | type.type);
        value.byref = &shadow.llVal;  // every member of the value union starts here
    } else {
        value = shadow;  // does not convert: by value after all
        VariantInit(&shadow);
        return true;
    }
    passedByReference_[slot] = true;
    return true;
}

void ArgumentSlots::writeBack(std::size_t slot, const AutomationArgument& argument) const {
    if (!passedByReference_[slot] || !argument.isReference()) return;
    std::visit(VariableWriter{shadows_[slot]}, argument.variable());
}
