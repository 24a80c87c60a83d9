// The parts of type descriptions that are the same on every platform: the
// declared types and the builder. The ITypeInfo itself comes from
// type_info_host.cpp or type_info_windows.cpp.
#include "com/type_description.h"

#include <utility>

DeclaredType::DeclaredType(VARTYPE base) : base_(base) {}

DeclaredType DeclaredType::pointerTo(DeclaredType pointee) {
    DeclaredType type;
    type.kind_ = Kind::kPointer;
    type.base_ = VT_PTR;
    type.inner_ = std::make_shared<const DeclaredType>(std::move(pointee));
    return type;
}

DeclaredType DeclaredType::safeArrayOf(DeclaredType element) {
    DeclaredType type;
    type.kind_ = Kind::kSafeArray;
    type.base_ = VT_SAFEARRAY;
    type.inner_ = std::make_shared<const DeclaredType>(std::move(element));
    return type;
}

DeclaredType DeclaredType::enumeration(std::string name,
                                       std::vector<std::pair<std::string, LONG>> values) {
    DeclaredType type;
    type.kind_ = Kind::kEnumeration;
    type.base_ = VT_USERDEFINED;
    type.name_ = std::move(name);
    type.values_ = std::move(values);
    return type;
}

DeclaredType DeclaredType::alias(std::string name, DeclaredType target) {
    DeclaredType type;
    type.kind_ = Kind::kAlias;
    type.base_ = VT_USERDEFINED;
    type.name_ = std::move(name);
    type.inner_ = std::make_shared<const DeclaredType>(std::move(target));
    return type;
}

DeclaredType DeclaredType::dispatchInterface(std::string name) {
    DeclaredType type;
    type.kind_ = Kind::kDispatchInterface;
    type.base_ = VT_USERDEFINED;
    type.name_ = std::move(name);
    return type;
}

DeclaredType DeclaredType::record(std::string name, std::vector<RecordField> fields) {
    DeclaredType type;
    type.kind_ = Kind::kRecord;
    type.base_ = VT_USERDEFINED;
    type.name_ = std::move(name);
    type.fields_ = std::move(fields);
    return type;
}

ParameterDescription::ParameterDescription(std::string name, DeclaredType type, USHORT flags)
    : name(std::move(name)), type(std::move(type)), flags(flags) {}

ParameterDescription ParameterDescription::withDefault(std::string name, DeclaredType type,
                                                       LONG number) {
    ParameterDescription parameter(std::move(name), std::move(type),
                                   PARAMFLAG_FIN | PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT);
    parameter.defaultNumber = number;
    return parameter;
}

ParameterDescription ParameterDescription::withDefault(std::string name, DeclaredType type,
                                                       std::string text) {
    ParameterDescription parameter(std::move(name), std::move(type),
                                   PARAMFLAG_FIN | PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT);
    parameter.defaultText = std::move(text);
    return parameter;
}

TypeDescription::TypeDescription(std::string interfaceName)
    : interfaceName_(std::move(interfaceName)) {}

// A copy describes the same members but makes its own type information.
TypeDescription::TypeDescription(const TypeDescription& other)
    : interfaceName_(other.interfaceName_), members_(other.members_) {}

TypeDescription& TypeDescription::operator=(const TypeDescription& other) {
    if (this != &other) {
        forgetSharedTypeInfo();
        interfaceName_ = other.interfaceName_;
        members_ = other.members_;
    }
    return *this;
}

TypeDescription::~TypeDescription() { forgetSharedTypeInfo(); }

void TypeDescription::forgetSharedTypeInfo() {
    if (sharedTypeInfo_ != nullptr) {
        ITypeInfo* typeInfo = sharedTypeInfo_;
        sharedTypeInfo_ = nullptr;
        typeInfo->Release();
    }
}

HRESULT TypeDescription::sharedTypeInfo(ITypeInfo** typeInfo) const {
    if (typeInfo == nullptr) return E_POINTER;
    *typeInfo = nullptr;
    if (sharedTypeInfo_ == nullptr) {
        HRESULT hr = createTypeInfo(&sharedTypeInfo_);
        if (FAILED(hr)) return hr;
    }
    sharedTypeInfo_->AddRef();
    *typeInfo = sharedTypeInfo_;
    return S_OK;
}

TypeDescription& TypeDescription::add(MemberDescription member) {
    forgetSharedTypeInfo();
    members_.push_back(std::move(member));
    return *this;
}

namespace {

MemberDescription memberOf(DISPID id, std::string name, INVOKEKIND invokeKind, DeclaredType type,
                           std::vector<ParameterDescription> parameters) {
    MemberDescription member;
    member.id = id;
    member.name = std::move(name);
    member.invokeKind = invokeKind;
    member.type = std::move(type);
    member.parameters = std::move(parameters);
    return member;
}

// A put takes the indexes and then the new value, a parameter without a name.
MemberDescription putMemberOf(DISPID id, std::string name, INVOKEKIND invokeKind, DeclaredType type,
                              std::vector<ParameterDescription> indexes) {
    indexes.push_back(ParameterDescription("", std::move(type)));
    return memberOf(id, std::move(name), invokeKind, VT_VOID, std::move(indexes));
}

}  // namespace

TypeDescription& TypeDescription::method(DISPID id, std::string name,
                                         std::vector<ParameterDescription> parameters,
                                         DeclaredType result, SHORT optionalCount) {
    MemberDescription member =
        memberOf(id, std::move(name), INVOKE_FUNC, std::move(result), std::move(parameters));
    member.optionalCount = optionalCount;
    return add(std::move(member));
}

TypeDescription& TypeDescription::propertyGet(DISPID id, std::string name, DeclaredType type,
                                              std::vector<ParameterDescription> indexes) {
    return add(
        memberOf(id, std::move(name), INVOKE_PROPERTYGET, std::move(type), std::move(indexes)));
}

TypeDescription& TypeDescription::propertyPut(DISPID id, std::string name, DeclaredType type,
                                              std::vector<ParameterDescription> indexes) {
    return add(
        putMemberOf(id, std::move(name), INVOKE_PROPERTYPUT, std::move(type), std::move(indexes)));
}

TypeDescription& TypeDescription::propertyPutRef(DISPID id, std::string name, DeclaredType type,
                                                 std::vector<ParameterDescription> indexes) {
    return add(putMemberOf(id, std::move(name), INVOKE_PROPERTYPUTREF, std::move(type),
                           std::move(indexes)));
}

TypeDescription& TypeDescription::variable(DISPID id, std::string name, DeclaredType type) {
    MemberDescription member = memberOf(id, std::move(name), INVOKE_FUNC, std::move(type), {});
    member.isVariable = true;
    return add(std::move(member));
}
