#include "runtime/automation_invoke.h"

#include <vector>

#include "runtime/argument_slots.h"
#include "runtime/automation_errors.h"
#include "runtime/declared_type.h"
#include "runtime/wide_text.h"

namespace {

// Invoke kinds tried in turn for each access; the first Bind that does not
// fail ends the search.
constexpr WORD kGetOrder[] = {INVOKE_PROPERTYGET, INVOKE_FUNC};
constexpr WORD kPutOrder[] = {INVOKE_PROPERTYPUT, INVOKE_PROPERTYPUTREF, INVOKE_FUNC};
constexpr WORD kMethodOrder[] = {INVOKE_FUNC, INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT,
                                 INVOKE_PROPERTYPUTREF};

std::span<const WORD> bindOrder(AccessKind access) {
    switch (access) {
        case AccessKind::kGet:
            return kGetOrder;
        case AccessKind::kPut:
            return kPutOrder;
        case AccessKind::kMethod:
            break;
    }
    return kMethodOrder;
}

// What ITypeComp::Bind found. The description is given back through the type
// information that Bind returned, which is then released.
class BoundMember {
public:
    BoundMember() = default;
    ~BoundMember() {
        if (info_ != nullptr) {
            if (kind_ == DESCKIND_FUNCDESC) info_->ReleaseFuncDesc(bound_.lpfuncdesc);
            if (kind_ == DESCKIND_VARDESC || kind_ == DESCKIND_IMPLICITAPPOBJ) {
                info_->ReleaseVarDesc(bound_.lpvardesc);
            }
            info_->Release();
        }
        if (kind_ == DESCKIND_TYPECOMP && bound_.lptcomp != nullptr) bound_.lptcomp->Release();
    }
    BoundMember(const BoundMember&) = delete;
    BoundMember& operator=(const BoundMember&) = delete;

    bool bind(ITypeComp* typeComp, LPOLESTR name, ULONG hash, WORD invokeKind) {
        return SUCCEEDED(typeComp->Bind(name, hash, invokeKind, &info_, &kind_, &bound_));
    }

    ITypeInfo* info() const { return info_; }
    DESCKIND kind() const { return kind_; }
    const FUNCDESC* function() const {
        return kind_ == DESCKIND_FUNCDESC ? bound_.lpfuncdesc : nullptr;
    }
    const VARDESC* variable() const {
        return (kind_ == DESCKIND_VARDESC || kind_ == DESCKIND_IMPLICITAPPOBJ) ? bound_.lpvardesc
                                                                               : nullptr;
    }

private:
    ITypeInfo* info_ = nullptr;
    DESCKIND kind_ = DESCKIND_NONE;
    BINDPTR bound_{};
};

// How the bound member is invoked: member id, DISPATCH_* flags and the
// declared parameters (type and flags).
struct Invocation {
    MEMBERID id = DISPID_UNKNOWN;
    WORD flags = 0;
    std::vector<DeclaredParameter> parameters;
    bool variableArguments = false;
};

std::int32_t describeInvocation(const BoundMember& member, AccessKind access, Invocation& call) {
    if (const FUNCDESC* function = member.function()) {
        call.id = function->memid;
        call.flags = static_cast<WORD>(function->invkind);
        for (SHORT i = 0; i < function->cParams; ++i) {
            const ELEMDESC& element = function->lprgelemdescParam[i];
            call.parameters.push_back(
                {resolveDeclaredType(member.info(), element.tdesc), element.paramdesc.wParamFlags});
        }
        call.variableArguments = function->cParams > 0 && function->cParamsOpt == -1;
        return kCallSucceeded;
    }
    if (const VARDESC* variable = member.variable()) {
        call.id = variable->memid;
        if (access == AccessKind::kPut) {
            DeclaredParameter value{resolveDeclaredType(member.info(), variable->elemdescVar.tdesc),
                                    PARAMFLAG_NONE};
            call.flags =
                value.type.isInterfaceOrArray() ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
            call.parameters.push_back(value);
        } else {
            call.flags = DISPATCH_PROPERTYGET;
        }
        return kCallSucceeded;
    }
    return kCallNameNotBound;  // nothing, or a type
}

// An omitted argument, or one whose value is no value, at the end of the
// list does not count.
bool countsAsOmitted(const AutomationArgument& argument) {
    if (argument.isReference()) return false;
    const auto& value = argument.value();
    if (std::holds_alternative<OmittedArgument>(value)) return true;
    const auto* variant = std::get_if<const AutomationVariant*>(&value);
    return variant != nullptr && (*variant)->type() == VT_EMPTY;
}

}  // namespace

std::int32_t invokeByName(const AutomationObject& object, const Text& name, AccessKind access,
                          std::span<const AutomationArgument> arguments, VARIANT& result) {
    VariantInit(&result);
    if (isEmptyObject(object)) return kCallEmptyObject;

    AutomationObject dispatchHolder;
    if (FAILED(object.get()->QueryInterface(IID_IDispatch,
                                            reinterpret_cast<void**>(dispatchHolder.put())))) {
        return kCallNoDispatch;
    }
    auto* dispatch = dispatchHolder.as<IDispatch>();

    const LCID locale = GetUserDefaultLCID();
    AutomationObject typeCompHolder;
    {
        ITypeInfo* typeInfo = nullptr;
        if (FAILED(dispatch->GetTypeInfo(0, locale, &typeInfo)) || typeInfo == nullptr) {
            return kCallNoTypeInformation;
        }
        HRESULT hr = typeInfo->GetTypeComp(reinterpret_cast<ITypeComp**>(typeCompHolder.put()));
        typeInfo->Release();  // only the type-comparison interface is needed from here on
        if (FAILED(hr) || isEmptyObject(typeCompHolder)) return kCallNoTypeInformation;
    }

    WideText wideName = toWideText(name);
    const ULONG hash = LHashValOfNameSys(SYS_WIN32, locale, wideName.c_str());
    BoundMember member;
    bool bound = false;
    for (WORD invokeKind : bindOrder(access)) {
        if (member.bind(typeCompHolder.as<ITypeComp>(), wideName.data(), hash, invokeKind)) {
            bound = true;
            break;
        }
    }
    if (!bound) return kCallNameNotBound;

    Invocation call;
    if (std::int32_t code = describeInvocation(member, access, call); code != kCallSucceeded) {
        return code;
    }

    std::size_t count = arguments.size();
    while (count > 0 && countsAsOmitted(arguments[count - 1])) --count;
    if (count > call.parameters.size() && !call.variableArguments) return kCallTooManyArguments;

    ArgumentSlots slots(count);
    for (std::size_t i = 0; i < count; ++i) {
        // Extra arguments of a variable list take the last declared parameter's type.
        const DeclaredParameter& declared =
            call.parameters[std::min(i, call.parameters.size() - 1)];
        // IDispatch::Invoke expects the arguments in reverse order.
        if (!slots.place(count - 1 - i, arguments[i], declared)) return kCallUnsupportedArgument;
    }

    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{slots.values(), nullptr, static_cast<UINT>(count), 0};
    // A property put carries its value as the one named argument DISPID_PROPERTYPUT.
    if (call.flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        parameters.rgdispidNamedArgs = &putId;
        parameters.cNamedArgs = 1;
    }
    UINT argumentError = 0;
    HRESULT hr = dispatch->Invoke(call.id, IID_NULL, locale, call.flags, &parameters, &result,
                                  nullptr, &argumentError);
    if (FAILED(hr)) {
        VariantClear(&result);
        return codeOfInvokeResult(hr);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const DeclaredParameter& declared =
            call.parameters[std::min(i, call.parameters.size() - 1)];
        if (declared.flags & PARAMFLAG_FOUT) slots.writeBack(count - 1 - i, arguments[i]);
    }
    return kCallSucceeded;
}
