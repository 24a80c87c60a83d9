// Type information on Windows: oleaut32 builds it from the description in a
// type library that lives in memory only (it is never saved), so callers bind
// names through the system's own ITypeComp. The type library is held only by
// the type infos in it and goes with the last of them.
//
// Under Wine 8.0 all of this works as on Windows (CreateTypeLib2, a
// dispinterface with IDispatch from stdole2.tlb as its base, enumerations,
// aliases, records, further dispinterfaces, LayOut, and the binder of the
// result). One difference: Wine's LayOut leaves a record's fields at offset 0
// and its size at 0; nothing here reads them.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "com/type_description.h"

namespace {

// OLECHAR text of an ASCII name.
std::basic_string<OLECHAR> wide(const std::string& ascii) {
    return std::basic_string<OLECHAR>(ascii.begin(), ascii.end());
}

// Releases a COM pointer when the scope ends.
template <typename T>
class Held {
public:
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (pointer_ != nullptr) pointer_->Release();
    }
    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    T** put() {
        if (pointer_ != nullptr) pointer_->Release();
        pointer_ = nullptr;
        return &pointer_;
    }

private:
    T* pointer_ = nullptr;
};

// Makes the type library and the type information in it. The created type
// infos of user-defined types stay referenced here until the end, the type
// library keeps them after that.
class LibraryBuilder {
public:
    ~LibraryBuilder() {
        for (auto& entry : userTypes_) entry.second->Release();
        for (BSTR text : texts_) SysFreeString(text);
    }

    HRESULT start() {
        HRESULT hr = CreateTypeLib2(SYS_WIN32, const_cast<LPOLESTR>(L"vexaro.tlb"), library_.put());
        if (FAILED(hr)) return hr;
        Held<ITypeLib> standard;
        hr = LoadTypeLib(L"stdole2.tlb", standard.put());
        if (FAILED(hr)) return hr;
        return standard->GetTypeInfoOfGuid(IID_IDispatch, dispatch_.put());
    }

    // A new dispatch interface deriving from IDispatch.
    HRESULT createDispatchInterface(const std::string& name, ICreateTypeInfo** created) {
        std::basic_string<OLECHAR> wideName = wide(name);
        HRESULT hr = library_->CreateTypeInfo(wideName.data(), TKIND_DISPATCH, created);
        if (FAILED(hr)) return hr;
        HREFTYPE base = 0;
        hr = (*created)->AddRefTypeInfo(dispatch_.get(), &base);
        if (SUCCEEDED(hr)) hr = (*created)->AddImplType(0, base);
        if (FAILED(hr)) {
            (*created)->Release();
            *created = nullptr;
        }
        return hr;
    }

    // `type` as a TYPEDESC in the context of `owner` (a user-defined type is
    // referred to through a handle that only `owner` knows). Nested
    // descriptions live in this builder.
    HRESULT describe(ICreateTypeInfo* owner, const DeclaredType& type, TYPEDESC* out) {
        *out = TYPEDESC{};
        out->vt = type.base();
        switch (type.kind()) {
            case DeclaredType::Kind::kBase:
                return S_OK;
            case DeclaredType::Kind::kPointer:
            case DeclaredType::Kind::kSafeArray:
                out->lptdesc = &nested_.emplace_back();
                return describe(owner, *type.inner(), out->lptdesc);
            default: {
                ITypeInfo* userType = nullptr;
                HRESULT hr = userTypeInfo(type, &userType);
                if (FAILED(hr)) return hr;
                return owner->AddRefTypeInfo(userType, &out->hreftype);
            }
        }
    }

    // The default value of a parameter, as its description says.
    VARIANT* defaultValue(const ParameterDescription& parameter) {
        VARIANT& value = values_.emplace_back();
        VariantInit(&value);
        if (parameter.defaultText) {
            std::basic_string<OLECHAR> text = wide(*parameter.defaultText);
            value.vt = VT_BSTR;
            value.bstrVal = SysAllocString(text.c_str());
            texts_.push_back(value.bstrVal);
        } else {
            value.vt = VT_I4;
            value.lVal = parameter.defaultNumber.value_or(0);
        }
        return &value;
    }

    HRESULT addFunction(ICreateTypeInfo* owner, UINT index, const MemberDescription& member) {
        std::vector<ELEMDESC> parameters(member.parameters.size());
        std::vector<PARAMDESCEX> defaults(member.parameters.size());
        std::vector<std::basic_string<OLECHAR>> names{wide(member.name)};
        for (size_t i = 0; i < member.parameters.size(); ++i) {
            const ParameterDescription& parameter = member.parameters[i];
            HRESULT hr = describe(owner, parameter.type, &parameters[i].tdesc);
            if (FAILED(hr)) return hr;
            parameters[i].paramdesc.wParamFlags = parameter.flags;
            if (parameter.flags & PARAMFLAG_FHASDEFAULT) {
                defaults[i].cBytes = sizeof(PARAMDESCEX);
                defaults[i].varDefaultValue = *defaultValue(parameter);
                parameters[i].paramdesc.pparamdescex = &defaults[i];
            }
            if (!parameter.name.empty()) names.push_back(wide(parameter.name));
        }
        FUNCDESC function{};
        function.memid = member.id;
        function.funckind = FUNC_DISPATCH;
        function.invkind = member.invokeKind;
        function.callconv = CC_STDCALL;
        function.cParams = static_cast<SHORT>(parameters.size());
        function.cParamsOpt = member.optionalCount;
        function.lprgelemdescParam = parameters.empty() ? nullptr : parameters.data();
        HRESULT hr = describe(owner, member.type, &function.elemdescFunc.tdesc);
        if (SUCCEEDED(hr)) hr = owner->AddFuncDesc(index, &function);
        if (FAILED(hr)) return hr;
        std::vector<LPOLESTR> namePointers;
        for (auto& name : names) namePointers.push_back(name.data());
        return owner->SetFuncAndParamNames(index, namePointers.data(),
                                           static_cast<UINT>(namePointers.size()));
    }

    HRESULT addVariable(ICreateTypeInfo* owner, UINT index, const std::string& name,
                        const DeclaredType& type, VARKIND kind, VARIANT* value) {
        VARDESC variable{};
        variable.memid = MEMBERID_NIL;
        variable.varkind = kind;
        if (kind == VAR_CONST) variable.lpvarValue = value;
        HRESULT hr = describe(owner, type, &variable.elemdescVar.tdesc);
        if (SUCCEEDED(hr)) hr = owner->AddVarDesc(index, &variable);
        if (FAILED(hr)) return hr;
        std::basic_string<OLECHAR> wideName = wide(name);
        return owner->SetVarName(index, wideName.data());
    }

    HRESULT addDispatchVariable(ICreateTypeInfo* owner, UINT index,
                                const MemberDescription& member) {
        VARDESC variable{};
        variable.memid = member.id;
        variable.varkind = VAR_DISPATCH;
        HRESULT hr = describe(owner, member.type, &variable.elemdescVar.tdesc);
        if (SUCCEEDED(hr)) hr = owner->AddVarDesc(index, &variable);
        if (FAILED(hr)) return hr;
        std::basic_string<OLECHAR> wideName = wide(member.name);
        return owner->SetVarName(index, wideName.data());
    }

private:
    // The type info of a user-defined type, made the first time its name is
    // met; a later declaration of the same name gets the first one's.
    HRESULT userTypeInfo(const DeclaredType& type, ITypeInfo** typeInfo) {
        auto found = userTypes_.find(type.name());
        if (found != userTypes_.end()) {
            *typeInfo = found->second;
            return S_OK;
        }
        Held<ICreateTypeInfo> created;
        HRESULT hr = createUserType(type, created.put());
        if (SUCCEEDED(hr)) hr = created->LayOut();
        if (SUCCEEDED(hr)) {
            hr = created->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(typeInfo));
        }
        if (FAILED(hr)) return hr;
        userTypes_.emplace(type.name(), *typeInfo);
        return S_OK;
    }

    HRESULT createUserType(const DeclaredType& type, ICreateTypeInfo** created) {
        std::basic_string<OLECHAR> wideName = wide(type.name());
        switch (type.kind()) {
            case DeclaredType::Kind::kEnumeration: {
                HRESULT hr = library_->CreateTypeInfo(wideName.data(), TKIND_ENUM, created);
                UINT index = 0;
                for (const auto& [name, number] : type.values()) {
                    if (FAILED(hr)) break;
                    VARIANT value;
                    VariantInit(&value);
                    value.vt = VT_I4;
                    value.lVal = number;
                    hr = addVariable(*created, index++, name, VT_I4, VAR_CONST, &value);
                }
                return hr;
            }
            case DeclaredType::Kind::kAlias: {
                HRESULT hr = library_->CreateTypeInfo(wideName.data(), TKIND_ALIAS, created);
                TYPEDESC target{};
                if (SUCCEEDED(hr)) hr = describe(*created, *type.inner(), &target);
                if (SUCCEEDED(hr)) hr = (*created)->SetTypeDescAlias(&target);
                return hr;
            }
            case DeclaredType::Kind::kRecord: {
                HRESULT hr = library_->CreateTypeInfo(wideName.data(), TKIND_RECORD, created);
                UINT index = 0;
                for (const RecordField& field : type.fields()) {
                    if (FAILED(hr)) break;
                    hr = addVariable(*created, index++, field.name, field.type, VAR_PERINSTANCE,
                                     nullptr);
                }
                return hr;
            }
            case DeclaredType::Kind::kDispatchInterface:
                return createDispatchInterface(type.name(), created);
            default:
                return E_INVALIDARG;
        }
    }

    Held<ICreateTypeLib2> library_;
    Held<ITypeInfo> dispatch_;
    std::map<std::string, ITypeInfo*> userTypes_;  // each holds one reference
    std::deque<TYPEDESC> nested_;
    std::deque<VARIANT> values_;  // default values; their texts are in texts_
    std::vector<BSTR> texts_;
};

}  // namespace

HRESULT TypeDescription::createTypeInfo(ITypeInfo** typeInfo) const {
    if (typeInfo == nullptr) return E_POINTER;
    *typeInfo = nullptr;
    LibraryBuilder builder;
    HRESULT hr = builder.start();
    if (FAILED(hr)) return hr;
    Held<ICreateTypeInfo> created;
    hr = builder.createDispatchInterface(interfaceName_, created.put());
    if (FAILED(hr)) return hr;
    UINT functions = 0;
    UINT variables = 0;
    for (const MemberDescription& member : members_) {
        hr = member.isVariable ? builder.addDispatchVariable(created.get(), variables++, member)
                               : builder.addFunction(created.get(), functions++, member);
        if (FAILED(hr)) return hr;
    }
    hr = created->LayOut();
    if (FAILED(hr)) return hr;
    return created->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(typeInfo));
}

std::optional<long> liveEmulatedTypeInfos() { return std::nullopt; }
