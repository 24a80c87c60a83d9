// Type information on the host: our own ITypeInfo and ITypeComp over a
// description turned into plain data (com/host_type_model.h). They answer as
// oleaut32 does under Wine (the conformance tests are the referee), in
// particular:
// - A dispatch interface derives from IDispatch. Its function list starts
//   with IUnknown's and IDispatch's seven functions in their dispatch form
//   (FUNC_DISPATCH, an HRESULT result shown as VT_VOID), then its own; its
//   own functions sit in the vtable after those seven slots.
// - ITypeComp::Bind ignores the hash. It looks at the type's own functions
//   in order, then its variables, then the inherited functions, comparing
//   names without regard to letter case. A function whose name matches binds
//   when wFlags is 0 or shares a bit with its invoke kind; a name that
//   matched only functions of other kinds ends the search with
//   TYPE_E_TYPEMISMATCH; a variable binds whatever the flags. An inherited
//   function comes with the type info of the interface that declares it.
// - Offsets and sizes are those of a 32-bit build (SYS_WIN32), since that is
//   the type information the product meets.
//
// An ITypeInfo and its ITypeComp are one object with one reference count.
#include <atomic>
#include <deque>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "com/host_type_model.h"
#include "com/type_description.h"

namespace {

using namespace host_types;

std::atomic<long> liveTypeInfos{0};

// ---- What GetTypeAttr, GetFuncDesc and GetVarDesc hand out ----------------

// Storage that the pointers inside a handed-out description point into.
struct DescriptionStorage {
    std::vector<ELEMDESC> parameters;
    std::deque<TYPEDESC> nested;
    std::deque<ARRAYDESC> arrays;
    std::deque<PARAMDESCEX> defaults;
    VARIANT constant;

    DescriptionStorage() { VariantInit(&constant); }
    ~DescriptionStorage() {
        for (PARAMDESCEX& value : defaults) VariantClear(&value.varDefaultValue);
        VariantClear(&constant);
    }
    DescriptionStorage(const DescriptionStorage&) = delete;
    DescriptionStorage& operator=(const DescriptionStorage&) = delete;
};

// The caller holds a pointer to the first member; Release*Desc turns it back
// into the whole (the structs are standard-layout, so the two addresses are
// the same).
template <typename Description>
struct HandedOut {
    Description description;
    DescriptionStorage* storage;

    HandedOut() : description{}, storage(new DescriptionStorage) {}
    ~HandedOut() { delete storage; }
    HandedOut(const HandedOut&) = delete;
    HandedOut& operator=(const HandedOut&) = delete;

    static void release(Description* description) {
        delete reinterpret_cast<HandedOut*>(description);
    }
};
static_assert(std::is_standard_layout_v<HandedOut<FUNCDESC>>);
static_assert(std::is_standard_layout_v<HandedOut<VARDESC>>);
static_assert(std::is_standard_layout_v<HandedOut<TYPEATTR>>);
// ---- The type info ---------------------------------------------------------

class HostTypeInfo final : public ITypeInfo, public ITypeComp {
public:
    explicit HostTypeInfo(ModelPointer model)
        : model_(std::move(model)), referenced_(model_->references.size(), nullptr) {
        ++liveTypeInfos;
    }

    HostTypeInfo(const HostTypeInfo&) = delete;
    HostTypeInfo& operator=(const HostTypeInfo&) = delete;

    // IUnknown, shared by both interfaces.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override {
        if (ppvObject == nullptr) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ITypeInfo)) {
            *ppvObject = static_cast<ITypeInfo*>(this);
        } else if (IsEqualIID(riid, IID_ITypeComp)) {
            *ppvObject = static_cast<ITypeComp*>(this);
        } else {
            *ppvObject = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // ITypeInfo
    HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** ppTypeAttr) override {
        if (ppTypeAttr == nullptr) return E_INVALIDARG;
        auto* out = new HandedOut<TYPEATTR>;
        TYPEATTR& attributes = out->description;
        attributes.guid = model_->guid;
        attributes.lcid = 0;
        attributes.memidConstructor = MEMBERID_NIL;
        attributes.memidDestructor = MEMBERID_NIL;
        attributes.cbSizeInstance = model_->size;
        attributes.typekind = model_->kind;
        attributes.cFuncs = static_cast<WORD>(functionCount());
        attributes.cVars = static_cast<WORD>(model_->variables.size());
        attributes.cImplTypes = static_cast<WORD>(model_->bases.size());
        attributes.cbSizeVft = model_->vtableSize;
        attributes.cbAlignment = model_->alignment;
        attributes.wTypeFlags = model_->flags;
        if (model_->kind == TKIND_ALIAS) {
            fill(attributes.tdescAlias, model_->alias, *out->storage);
        }
        *ppTypeAttr = &attributes;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp** ppTComp) override {
        if (ppTComp == nullptr) return E_INVALIDARG;
        AddRef();
        *ppTComp = static_cast<ITypeComp*>(this);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT index, FUNCDESC** ppFuncDesc) override {
        if (ppFuncDesc == nullptr) return E_INVALIDARG;
        const FunctionModel* function = functionAt(index);
        if (function == nullptr) return TYPE_E_ELEMENTNOTFOUND;
        *ppFuncDesc = describe(*function);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetVarDesc(UINT index, VARDESC** ppVarDesc) override {
        if (ppVarDesc == nullptr) return E_INVALIDARG;
        if (index >= model_->variables.size()) return TYPE_E_ELEMENTNOTFOUND;
        *ppVarDesc = describe(model_->variables[index]);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames,
                                       UINT* pcNames) override {
        if (pcNames == nullptr || (rgBstrNames == nullptr && cMaxNames > 0)) return E_INVALIDARG;
        *pcNames = 0;
        std::vector<const OleText*> names;
        if (!namesOf(memid, names)) return TYPE_E_ELEMENTNOTFOUND;
        UINT given = 0;
        for (const OleText* name : names) {
            if (given == cMaxNames) break;
            rgBstrNames[given++] = SysAllocString(name->c_str());
        }
        *pcNames = given;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT index, HREFTYPE* pRefType) override {
        if (pRefType == nullptr) return E_INVALIDARG;
        if (index >= model_->bases.size()) return TYPE_E_ELEMENTNOTFOUND;
        *pRefType = referenceTo(model_->bases[index].get());
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT index, INT* pImplTypeFlags) override {
        if (pImplTypeFlags == nullptr) return E_INVALIDARG;
        if (index >= model_->bases.size()) return TYPE_E_ELEMENTNOTFOUND;
        *pImplTypeFlags = 0;
        return S_OK;
    }

    // The first name is a member's, the others its parameters'. A name not
    // found gets MEMBERID_NIL (all of them when the member is unknown).
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames,
                                            MEMBERID* pMemId) override {
        if (rgszNames == nullptr || pMemId == nullptr || cNames == 0) return E_INVALIDARG;
        const VariableModel* variable = nullptr;
        const FunctionModel* function = findByName(rgszNames[0], variable);
        if (function == nullptr && variable == nullptr) {
            for (UINT i = 0; i < cNames; ++i) pMemId[i] = MEMBERID_NIL;
            return DISP_E_UNKNOWNNAME;
        }
        pMemId[0] = function != nullptr ? function->id : variable->id;
        HRESULT hr = S_OK;
        for (UINT i = 1; i < cNames; ++i) {
            pMemId[i] = MEMBERID_NIL;
            if (function != nullptr) {
                for (size_t p = 0; p < function->parameters.size(); ++p) {
                    const OleText& name = function->parameters[p].name;
                    if (!name.empty() && rgszNames[i] != nullptr && sameName(name, rgszNames[i])) {
                        pMemId[i] = static_cast<MEMBERID>(p);
                        break;
                    }
                }
            }
            // As in Wine: names after a variable's get MEMBERID_NIL without an error.
            if (pMemId[i] == MEMBERID_NIL && function != nullptr) hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }

    HRESULT STDMETHODCALLTYPE Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID memid, BSTR* pBstrName,
                                               BSTR* pBstrDocString, DWORD* pdwHelpContext,
                                               BSTR* pBstrHelpFile) override {
        const OleText* name = &model_->name;
        if (memid != MEMBERID_NIL) {
            std::vector<const OleText*> names;
            if (!namesOf(memid, names)) return TYPE_E_ELEMENTNOTFOUND;
            name = names.front();
        }
        if (pBstrName != nullptr) *pBstrName = SysAllocString(name->c_str());
        if (pBstrDocString != nullptr) *pBstrDocString = nullptr;
        if (pdwHelpContext != nullptr) *pdwHelpContext = 0;
        if (pBstrHelpFile != nullptr) *pBstrHelpFile = nullptr;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE hRefType, ITypeInfo** ppTInfo) override {
        if (ppTInfo == nullptr) return E_INVALIDARG;
        *ppTInfo = nullptr;
        if (hRefType == static_cast<HREFTYPE>(-1)) return TYPE_E_ELEMENTNOTFOUND;
        if (hRefType == 0 || hRefType > referenced_.size()) return E_FAIL;
        HostTypeInfo* target = referencedInfo(hRefType - 1);
        target->AddRef();
        *ppTInfo = target;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID, INVOKEKIND, PVOID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, PVOID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetMops(MEMBERID, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib**, UINT*) override { return E_NOTIMPL; }

    void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR* pTypeAttr) override {
        if (pTypeAttr != nullptr) HandedOut<TYPEATTR>::release(pTypeAttr);
    }
    void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC* pFuncDesc) override {
        if (pFuncDesc != nullptr) HandedOut<FUNCDESC>::release(pFuncDesc);
    }
    void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC* pVarDesc) override {
        if (pVarDesc != nullptr) HandedOut<VARDESC>::release(pVarDesc);
    }

    // ITypeComp
    HRESULT STDMETHODCALLTYPE Bind(LPOLESTR szName, ULONG, WORD wFlags, ITypeInfo** ppTInfo,
                                   DESCKIND* pDescKind, BINDPTR* pBindPtr) override {
        if (ppTInfo == nullptr || pDescKind == nullptr || pBindPtr == nullptr) {
            return E_INVALIDARG;
        }
        *ppTInfo = nullptr;
        *pDescKind = DESCKIND_NONE;
        pBindPtr->lpfuncdesc = nullptr;
        if (szName == nullptr) return S_OK;

        bool kindMismatch = false;
        for (const FunctionModel& function : model_->functions) {
            if (!sameName(function.name, szName)) continue;
            if (wFlags == 0 || (function.invokeKind & wFlags) != 0) {
                return give(this, function, ppTInfo, pDescKind, pBindPtr);
            }
            kindMismatch = true;
        }
        for (const VariableModel& variable : model_->variables) {
            if (!sameName(variable.name, szName)) continue;
            AddRef();
            *ppTInfo = this;
            *pDescKind = DESCKIND_VARDESC;
            pBindPtr->lpvardesc = describe(variable);
            return S_OK;
        }
        if (kindMismatch) return TYPE_E_TYPEMISMATCH;
        for (const FunctionModel& function : model_->inherited) {
            if (!sameName(function.name, szName)) continue;
            if (wFlags == 0 || (function.invokeKind & wFlags) != 0) {
                HostTypeInfo* declaring =
                    referencedInfo(referenceTo(function.declaredBy.get()) - 1);
                return give(declaring, function, ppTInfo, pDescKind, pBindPtr);
            }
            kindMismatch = true;
        }
        if (kindMismatch) return TYPE_E_TYPEMISMATCH;
        if (model_->inherited.empty()) {
            for (const ModelPointer& base : model_->bases) {
                HostTypeInfo* baseInfo = referencedInfo(referenceTo(base.get()) - 1);
                HRESULT hr = baseInfo->Bind(szName, 0, wFlags, ppTInfo, pDescKind, pBindPtr);
                if (FAILED(hr) || *pDescKind != DESCKIND_NONE) return hr;
            }
        }
        return S_OK;
    }

    // Wine's binder finds no types through a type info's ITypeComp.
    HRESULT STDMETHODCALLTYPE BindType(LPOLESTR, ULONG, ITypeInfo** ppTInfo,
                                       ITypeComp** ppTComp) override {
        if (ppTInfo == nullptr || ppTComp == nullptr) return E_INVALIDARG;
        *ppTInfo = nullptr;
        *ppTComp = nullptr;
        return S_OK;
    }

private:
    ~HostTypeInfo() {
        for (HostTypeInfo* info : referenced_) {
            if (info != nullptr) info->Release();
        }
        --liveTypeInfos;
    }

    size_t functionCount() const { return model_->inherited.size() + model_->functions.size(); }

    const FunctionModel* functionAt(UINT index) const {
        if (index < model_->inherited.size()) return &model_->inherited[index];
        index -= static_cast<UINT>(model_->inherited.size());
        if (index < model_->functions.size()) return &model_->functions[index];
        return nullptr;
    }

    // A member by name: own functions, variables, then inherited functions.
    const FunctionModel* findByName(const OLECHAR* name, const VariableModel*& variable) const {
        variable = nullptr;
        if (name == nullptr) return nullptr;
        for (const FunctionModel& function : model_->functions) {
            if (sameName(function.name, name)) return &function;
        }
        for (const VariableModel& found : model_->variables) {
            if (sameName(found.name, name)) {
                variable = &found;
                return nullptr;
            }
        }
        for (const FunctionModel& function : model_->inherited) {
            if (sameName(function.name, name)) return &function;
        }
        return nullptr;
    }

    // The names of member `memid`: a function's and its named parameters', or
    // a variable's.
    bool namesOf(MEMBERID memid, std::vector<const OleText*>& names) const {
        auto functionNames = [&](const FunctionModel& function) {
            names.push_back(&function.name);
            for (const ParameterModel& parameter : function.parameters) {
                if (!parameter.name.empty()) names.push_back(&parameter.name);
            }
        };
        for (const FunctionModel& function : model_->functions) {
            if (function.id == memid) {
                functionNames(function);
                return true;
            }
        }
        for (const VariableModel& variable : model_->variables) {
            if (variable.id == memid) {
                names.push_back(&variable.name);
                return true;
            }
        }
        for (const FunctionModel& function : model_->inherited) {
            if (function.id == memid) {
                functionNames(function);
                return true;
            }
        }
        for (const ModelPointer& base : model_->bases) {
            if (referencedInfo(referenceTo(base.get()) - 1)->namesOf(memid, names)) return true;
        }
        return false;
    }

    HREFTYPE referenceTo(const TypeModel* model) const {
        for (size_t i = 0; i < model_->references.size(); ++i) {
            if (model_->references[i].get() == model) return static_cast<HREFTYPE>(i + 1);
        }
        return 0;  // not reached: every model a type names is among its references
    }

    // The type info of references[index], made on first use and kept.
    HostTypeInfo* referencedInfo(size_t index) const {
        if (referenced_[index] == nullptr) {
            referenced_[index] = new HostTypeInfo(model_->references[index]);
        }
        return referenced_[index];
    }

    static HRESULT give(HostTypeInfo* owner, const FunctionModel& function, ITypeInfo** ppTInfo,
                        DESCKIND* pDescKind, BINDPTR* pBindPtr) {
        owner->AddRef();
        *ppTInfo = owner;
        *pDescKind = DESCKIND_FUNCDESC;
        pBindPtr->lpfuncdesc = owner->describe(function);
        return S_OK;
    }

    void fill(TYPEDESC& out, const TypeNode& node, DescriptionStorage& storage) const {
        out = TYPEDESC{};
        out.vt = node.vt;
        switch (node.vt) {
            case VT_PTR:
            case VT_SAFEARRAY:
                out.lptdesc = &storage.nested.emplace_back();
                fill(*out.lptdesc, *node.inner, storage);
                break;
            case VT_CARRAY: {
                ARRAYDESC& array = storage.arrays.emplace_back();
                array = ARRAYDESC{};
                fill(array.tdescElem, *node.inner, storage);
                array.cDims = 1;
                array.rgbounds[0].cElements = node.elements;
                array.rgbounds[0].lLbound = 0;
                out.lpadesc = &array;
                break;
            }
            case VT_USERDEFINED:
                out.hreftype = referenceTo(node.user.get());
                break;
            default:
                break;
        }
    }

    FUNCDESC* describe(const FunctionModel& function) const {
        auto* out = new HandedOut<FUNCDESC>;
        DescriptionStorage& storage = *out->storage;
        FUNCDESC& description = out->description;
        description.memid = function.id;
        description.funckind = function.kind;
        description.invkind = function.invokeKind;
        description.callconv = CC_STDCALL;
        description.cParams = static_cast<SHORT>(function.parameters.size());
        description.cParamsOpt = function.optionalCount;
        description.oVft = function.vtableOffset;
        description.wFuncFlags = function.flags;
        fill(description.elemdescFunc.tdesc, function.result, storage);
        storage.parameters.resize(function.parameters.size());
        for (size_t i = 0; i < function.parameters.size(); ++i) {
            const ParameterModel& parameter = function.parameters[i];
            ELEMDESC& element = storage.parameters[i];
            element = ELEMDESC{};
            fill(element.tdesc, parameter.type, storage);
            element.paramdesc.wParamFlags = parameter.flags;
            if (parameter.flags & PARAMFLAG_FHASDEFAULT) {
                PARAMDESCEX& value = storage.defaults.emplace_back();
                value.cBytes = sizeof(PARAMDESCEX);
                VariantInit(&value.varDefaultValue);
                if (parameter.defaultText) {
                    value.varDefaultValue.vt = VT_BSTR;
                    value.varDefaultValue.bstrVal = SysAllocString(parameter.defaultText->c_str());
                } else {
                    value.varDefaultValue.vt = VT_I4;
                    value.varDefaultValue.lVal = parameter.defaultNumber.value_or(0);
                }
                element.paramdesc.pparamdescex = &value;
            }
        }
        if (!storage.parameters.empty()) description.lprgelemdescParam = storage.parameters.data();
        return &description;
    }

    VARDESC* describe(const VariableModel& variable) const {
        auto* out = new HandedOut<VARDESC>;
        VARDESC& description = out->description;
        description.memid = variable.id;
        description.varkind = variable.kind;
        fill(description.elemdescVar.tdesc, variable.type, *out->storage);
        if (variable.kind == VAR_CONST) {
            out->storage->constant.vt = VT_I4;
            out->storage->constant.lVal = variable.value;
            description.lpvarValue = &out->storage->constant;
        } else {
            description.oInst = variable.offset;
        }
        return &description;
    }

    std::atomic<ULONG> references_{1};
    ModelPointer model_;
    mutable std::vector<HostTypeInfo*> referenced_;  // each holds one reference
};
}  // namespace

HRESULT TypeDescription::createTypeInfo(ITypeInfo** typeInfo) const {
    if (typeInfo == nullptr) return E_POINTER;
    *typeInfo = nullptr;
    ModelPointer model;
    HRESULT hr = buildTypeModel(*this, &model);
    if (FAILED(hr)) return hr;
    *typeInfo = new HostTypeInfo(std::move(model));
    return S_OK;
}

std::optional<long> liveEmulatedTypeInfos() { return liveTypeInfos; }
