// Type information on the host: our own ITypeInfo and ITypeComp over a
// description turned into plain data. They answer as oleaut32 does under
// Wine (the conformance tests are the referee), in particular:
//
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
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "com/type_description.h"

namespace {

using OleText = std::basic_string<OLECHAR>;

std::atomic<long> liveTypeInfos{0};

OleText wide(const std::string& ascii) { return OleText(ascii.begin(), ascii.end()); }

OLECHAR folded(OLECHAR c) { return c >= 'A' && c <= 'Z' ? static_cast<OLECHAR>(c + 32) : c; }

bool sameName(const OleText& declared, const OLECHAR* asked) {
    size_t i = 0;
    for (; asked[i] != 0; ++i) {
        if (i >= declared.size() || folded(declared[i]) != folded(asked[i])) return false;
    }
    return i == declared.size();
}

bool sameName(const OleText& a, const OleText& b) { return sameName(a, b.c_str()); }

// ---- The data behind a type info ------------------------------------------

struct TypeModel;
using ModelPointer = std::shared_ptr<const TypeModel>;

// A TYPEDESC as data.
struct TypeNode {
    VARTYPE vt = VT_EMPTY;
    std::shared_ptr<const TypeNode> inner;  // VT_PTR, VT_SAFEARRAY, VT_CARRAY: pointee or element
    ULONG elements = 0;                     // VT_CARRAY: one dimension from 0
    ModelPointer user;                      // VT_USERDEFINED
};

TypeNode baseNode(VARTYPE vt) {
    TypeNode node;
    node.vt = vt;
    return node;
}

TypeNode wrapperNode(VARTYPE vt, TypeNode inner, ULONG elements = 0) {
    TypeNode node;
    node.vt = vt;
    node.inner = std::make_shared<const TypeNode>(std::move(inner));
    node.elements = elements;
    return node;
}

TypeNode pointerNode(TypeNode pointee) { return wrapperNode(VT_PTR, std::move(pointee)); }

TypeNode userNode(ModelPointer model) {
    TypeNode node;
    node.vt = VT_USERDEFINED;
    node.user = std::move(model);
    return node;
}

struct ParameterModel {
    OleText name;  // empty: the value of a property put
    TypeNode type;
    USHORT flags = PARAMFLAG_FIN;
    std::optional<LONG> defaultNumber;
    std::optional<OleText> defaultText;
};

struct FunctionModel {
    MEMBERID id = 0;
    OleText name;
    FUNCKIND kind = FUNC_DISPATCH;
    INVOKEKIND invokeKind = INVOKE_FUNC;
    TypeNode result;
    std::vector<ParameterModel> parameters;
    SHORT optionalCount = 0;
    SHORT vtableOffset = 0;
    WORD flags = 0;
    ModelPointer declaredBy;  // an inherited function's interface
};

struct VariableModel {
    MEMBERID id = 0;
    OleText name;
    TypeNode type;
    VARKIND kind = VAR_DISPATCH;
    LONG value = 0;    // VAR_CONST
    ULONG offset = 0;  // VAR_PERINSTANCE
};

struct TypeModel {
    OleText name;
    TYPEKIND kind = TKIND_DISPATCH;
    GUID guid{};
    WORD flags = 0;
    ULONG size = 4;
    WORD alignment = 4;
    WORD vtableSize = 0;
    std::vector<FunctionModel> inherited;  // a dispatch interface's copies of its base's functions
    std::vector<FunctionModel> functions;
    std::vector<VariableModel> variables;
    std::vector<ModelPointer> bases;
    TypeNode alias;  // TKIND_ALIAS
    // Every type an HREFTYPE of this one can name: HREFTYPE i + 1 is
    // references[i].
    std::vector<ModelPointer> references;
};

constexpr ULONG kPointerSize = 4;
constexpr WORD kSlotSize = 4;
constexpr MEMBERID kFirstFieldId = 0x40000000;

ULONG sizeOf(const TypeNode& node) {
    switch (node.vt) {
        case VT_I1:
        case VT_UI1:
            return 1;
        case VT_I2:
        case VT_UI2:
        case VT_BOOL:
            return 2;
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_I8:
        case VT_UI8:
            return 8;
        case VT_VARIANT:
        case VT_DECIMAL:
            return 16;
        case VT_CARRAY:
            return node.elements * sizeOf(*node.inner);
        case VT_USERDEFINED:
            return node.user->size;
        case VT_VOID:
        case VT_EMPTY:
            return 0;
        default:
            return 4;  // 32-bit numbers, pointers, texts, interfaces
    }
}

WORD alignmentOf(const TypeNode& node) {
    switch (node.vt) {
        case VT_CARRAY:
            return alignmentOf(*node.inner);
        case VT_USERDEFINED:
            return node.user->alignment;
        case VT_VARIANT:
        case VT_DECIMAL:
            return 8;
        default: {
            ULONG size = sizeOf(node);
            return static_cast<WORD>(size == 0 ? 1 : size);
        }
    }
}

// Lays out a record's fields one after another at their natural alignment.
void layOutRecord(TypeModel& record) {
    ULONG offset = 0;
    WORD alignment = 1;
    for (VariableModel& field : record.variables) {
        WORD fieldAlignment = alignmentOf(field.type);
        if (fieldAlignment > alignment) alignment = fieldAlignment;
        offset = (offset + fieldAlignment - 1) / fieldAlignment * fieldAlignment;
        field.offset = offset;
        offset += sizeOf(field.type);
    }
    record.alignment = alignment;
    record.size = (offset + alignment - 1) / alignment * alignment;
}

void collectReferences(TypeModel& model, const TypeNode& node) {
    if (node.inner) collectReferences(model, *node.inner);
    if (!node.user) return;
    for (const ModelPointer& known : model.references) {
        if (known == node.user) return;
    }
    model.references.push_back(node.user);
}

void collectReferences(TypeModel& model, const FunctionModel& function) {
    if (function.declaredBy) collectReferences(model, userNode(function.declaredBy));
    collectReferences(model, function.result);
    for (const ParameterModel& parameter : function.parameters) {
        collectReferences(model, parameter.type);
    }
}

// Fills model.references once the model is complete.
ModelPointer finished(std::shared_ptr<TypeModel> model) {
    for (const ModelPointer& base : model->bases) collectReferences(*model, userNode(base));
    for (const FunctionModel& function : model->inherited) collectReferences(*model, function);
    for (const FunctionModel& function : model->functions) collectReferences(*model, function);
    for (const VariableModel& variable : model->variables) {
        collectReferences(*model, variable.type);
    }
    collectReferences(*model, model->alias);
    return model;
}

// ---- IUnknown and IDispatch, as stdole2.tlb declares them -----------------

ParameterModel parameterModel(const char* name, TypeNode type, USHORT flags) {
    ParameterModel parameter;
    parameter.name = wide(name);
    parameter.type = std::move(type);
    parameter.flags = flags;
    return parameter;
}

FunctionModel interfaceFunction(MEMBERID id, const char* name, SHORT slot, VARTYPE result,
                                std::vector<ParameterModel> parameters) {
    FunctionModel function;
    function.id = id;
    function.name = wide(name);
    function.kind = FUNC_PUREVIRTUAL;
    function.result = baseNode(result);
    function.parameters = std::move(parameters);
    function.vtableOffset = static_cast<SHORT>(slot * kSlotSize);
    function.flags = FUNCFLAG_FRESTRICTED;
    return function;
}

ModelPointer recordModel(const char* name, std::vector<std::pair<const char*, TypeNode>> fields) {
    auto record = std::make_shared<TypeModel>();
    record->name = wide(name);
    record->kind = TKIND_RECORD;
    MEMBERID id = kFirstFieldId;
    for (auto& [fieldName, type] : fields) {
        VariableModel field;
        field.id = id++;
        field.name = wide(fieldName);
        field.type = std::move(type);
        field.kind = VAR_PERINSTANCE;
        record->variables.push_back(std::move(field));
    }
    layOutRecord(*record);
    return finished(std::move(record));
}

const ModelPointer& guidModel() {
    static const ModelPointer model =
        recordModel("GUID", {{"Data1", baseNode(VT_UI4)},
                             {"Data2", baseNode(VT_UI2)},
                             {"Data3", baseNode(VT_UI2)},
                             {"Data4", wrapperNode(VT_CARRAY, baseNode(VT_UI1), 8)}});
    return model;
}

const ModelPointer& unknownModel() {
    static const ModelPointer model = [] {
        auto unknown = std::make_shared<TypeModel>();
        unknown->name = wide("IUnknown");
        unknown->kind = TKIND_INTERFACE;
        unknown->guid = IID_IUnknown;
        unknown->flags = TYPEFLAG_FHIDDEN;
        unknown->vtableSize = 3 * kSlotSize;
        TypeNode guidPointer = pointerNode(userNode(guidModel()));
        unknown->functions = {
            interfaceFunction(0x60000000, "QueryInterface", 0, VT_HRESULT,
                              {parameterModel("riid", guidPointer, PARAMFLAG_FIN),
                               parameterModel("ppvObj", pointerNode(pointerNode(baseNode(VT_VOID))),
                                              PARAMFLAG_FOUT)}),
            interfaceFunction(0x60000001, "AddRef", 1, VT_UI4, {}),
            interfaceFunction(0x60000002, "Release", 2, VT_UI4, {}),
        };
        return finished(std::move(unknown));
    }();
    return model;
}

const ModelPointer& dispatchModel() {
    static const ModelPointer model = [] {
        ModelPointer dispatchParameters =
            recordModel("DISPPARAMS", {{"rgvarg", pointerNode(baseNode(VT_VARIANT))},
                                       {"rgdispidNamedArgs", pointerNode(baseNode(VT_I4))},
                                       {"cArgs", baseNode(VT_UINT)},
                                       {"cNamedArgs", baseNode(VT_UINT)}});
        ModelPointer exceptionInfo =
            recordModel("EXCEPINFO", {{"wCode", baseNode(VT_UI2)},
                                      {"wReserved", baseNode(VT_UI2)},
                                      {"bstrSource", baseNode(VT_BSTR)},
                                      {"bstrDescription", baseNode(VT_BSTR)},
                                      {"bstrHelpFile", baseNode(VT_BSTR)},
                                      {"dwHelpContext", baseNode(VT_UI4)},
                                      {"pvReserved", pointerNode(baseNode(VT_VOID))},
                                      {"pfnDeferredFillIn", pointerNode(baseNode(VT_VOID))},
                                      {"scode", baseNode(VT_ERROR)}});
        auto dispatch = std::make_shared<TypeModel>();
        dispatch->name = wide("IDispatch");
        dispatch->kind = TKIND_INTERFACE;
        dispatch->guid = IID_IDispatch;
        dispatch->flags = TYPEFLAG_FRESTRICTED;
        dispatch->vtableSize = 7 * kSlotSize;
        dispatch->bases = {unknownModel()};
        TypeNode guidPointer = pointerNode(userNode(guidModel()));
        TypeNode uintPointer = pointerNode(baseNode(VT_UINT));
        TypeNode objectOut = pointerNode(pointerNode(baseNode(VT_VOID)));
        dispatch->functions = {
            interfaceFunction(0x60010000, "GetTypeInfoCount", 3, VT_HRESULT,
                              {parameterModel("pctinfo", uintPointer, PARAMFLAG_FOUT)}),
            interfaceFunction(0x60010001, "GetTypeInfo", 4, VT_HRESULT,
                              {parameterModel("itinfo", baseNode(VT_UINT), PARAMFLAG_FIN),
                               parameterModel("lcid", baseNode(VT_UI4), PARAMFLAG_FIN),
                               parameterModel("pptinfo", objectOut, PARAMFLAG_FOUT)}),
            interfaceFunction(
                0x60010002, "GetIDsOfNames", 5, VT_HRESULT,
                {parameterModel("riid", guidPointer, PARAMFLAG_FIN),
                 parameterModel("rgszNames", pointerNode(pointerNode(baseNode(VT_I1))),
                                PARAMFLAG_FIN),
                 parameterModel("cNames", baseNode(VT_UINT), PARAMFLAG_FIN),
                 parameterModel("lcid", baseNode(VT_UI4), PARAMFLAG_FIN),
                 parameterModel("rgdispid", pointerNode(baseNode(VT_I4)), PARAMFLAG_FOUT)}),
            interfaceFunction(
                0x60010003, "Invoke", 6, VT_HRESULT,
                {parameterModel("dispidMember", baseNode(VT_I4), PARAMFLAG_FIN),
                 parameterModel("riid", guidPointer, PARAMFLAG_FIN),
                 parameterModel("lcid", baseNode(VT_UI4), PARAMFLAG_FIN),
                 parameterModel("wFlags", baseNode(VT_UI2), PARAMFLAG_FIN),
                 parameterModel("pdispparams", pointerNode(userNode(dispatchParameters)),
                                PARAMFLAG_FIN),
                 parameterModel("pvarResult", pointerNode(baseNode(VT_VARIANT)), PARAMFLAG_FOUT),
                 parameterModel("pexcepinfo", pointerNode(userNode(exceptionInfo)), PARAMFLAG_FOUT),
                 parameterModel("puArgErr", uintPointer, PARAMFLAG_FOUT)}),
        };
        return finished(std::move(dispatch));
    }();
    return model;
}

// A dispatch interface deriving from IDispatch, without functions of its own
// yet: its function list starts with the dispatch form of IUnknown's and
// IDispatch's functions.
std::shared_ptr<TypeModel> dispatchInterfaceModel(const std::string& name) {
    auto model = std::make_shared<TypeModel>();
    model->name = wide(name);
    model->kind = TKIND_DISPATCH;
    model->flags = TYPEFLAG_FDISPATCHABLE;
    model->vtableSize = 7 * kSlotSize;
    model->bases = {dispatchModel()};
    for (const ModelPointer& declaring : {unknownModel(), dispatchModel()}) {
        for (FunctionModel function : declaring->functions) {
            function.kind = FUNC_DISPATCH;
            if (function.result.vt == VT_HRESULT) function.result = baseNode(VT_VOID);
            function.declaredBy = declaring;
            model->inherited.push_back(std::move(function));
        }
    }
    return model;
}

// Turns a description's members and declared types into models. A
// user-defined type is made the first time its name is met; later
// declarations of the same name mean that one. Type names, the interface's
// included, must differ in more than letter case.
class ModelBuilder {
public:
    explicit ModelBuilder(const std::string& interfaceName) : interfaceName_(wide(interfaceName)) {}

    HRESULT node(const DeclaredType& type, TypeNode* out) {
        switch (type.kind()) {
            case DeclaredType::Kind::kBase:
                *out = baseNode(type.base());
                return S_OK;
            case DeclaredType::Kind::kPointer:
            case DeclaredType::Kind::kSafeArray: {
                TypeNode inner;
                HRESULT hr = node(*type.inner(), &inner);
                if (FAILED(hr)) return hr;
                *out = wrapperNode(type.base(), std::move(inner));
                return S_OK;
            }
            default: {
                ModelPointer model;
                HRESULT hr = userType(type, &model);
                if (FAILED(hr)) return hr;
                *out = userNode(std::move(model));
                return S_OK;
            }
        }
    }

    HRESULT function(const MemberDescription& member, SHORT vtableOffset, FunctionModel* out) {
        out->id = member.id;
        out->name = wide(member.name);
        out->invokeKind = member.invokeKind;
        out->optionalCount = member.optionalCount;
        out->vtableOffset = vtableOffset;
        HRESULT hr = node(member.type, &out->result);
        for (const ParameterDescription& declared : member.parameters) {
            if (FAILED(hr)) return hr;
            ParameterModel parameter;
            parameter.name = wide(declared.name);
            parameter.flags = declared.flags;
            if (declared.flags & PARAMFLAG_FHASDEFAULT) {
                if (declared.defaultText) {
                    parameter.defaultText = wide(*declared.defaultText);
                } else {
                    parameter.defaultNumber = declared.defaultNumber.value_or(0);
                }
            }
            hr = node(declared.type, &parameter.type);
            out->parameters.push_back(std::move(parameter));
        }
        return hr;
    }

private:
    HRESULT userType(const DeclaredType& type, ModelPointer* out) {
        OleText name = wide(type.name());
        for (const ModelPointer& known : made_) {
            if (known->name == name) {
                *out = known;
                return S_OK;
            }
            if (sameName(known->name, name)) return TYPE_E_NAMECONFLICT;
        }
        if (sameName(interfaceName_, name)) return TYPE_E_NAMECONFLICT;

        std::shared_ptr<TypeModel> model;
        HRESULT hr = S_OK;
        switch (type.kind()) {
            case DeclaredType::Kind::kEnumeration: {
                model = std::make_shared<TypeModel>();
                model->kind = TKIND_ENUM;
                MEMBERID id = kFirstFieldId;
                for (const auto& [valueName, value] : type.values()) {
                    VariableModel constant;
                    constant.id = id++;
                    constant.name = wide(valueName);
                    constant.type = baseNode(VT_I4);
                    constant.kind = VAR_CONST;
                    constant.value = value;
                    model->variables.push_back(std::move(constant));
                }
                break;
            }
            case DeclaredType::Kind::kAlias:
                model = std::make_shared<TypeModel>();
                model->kind = TKIND_ALIAS;
                hr = node(*type.inner(), &model->alias);
                model->size = sizeOf(model->alias);
                model->alignment = alignmentOf(model->alias);
                break;
            case DeclaredType::Kind::kRecord: {
                model = std::make_shared<TypeModel>();
                model->kind = TKIND_RECORD;
                MEMBERID id = kFirstFieldId;
                for (const RecordField& declared : type.fields()) {
                    if (FAILED(hr)) break;
                    VariableModel field;
                    field.id = id++;
                    field.name = wide(declared.name);
                    field.kind = VAR_PERINSTANCE;
                    hr = node(declared.type, &field.type);
                    model->variables.push_back(std::move(field));
                }
                if (SUCCEEDED(hr)) layOutRecord(*model);
                break;
            }
            case DeclaredType::Kind::kDispatchInterface:
                model = dispatchInterfaceModel(type.name());
                break;
            default:
                return E_INVALIDARG;
        }
        if (FAILED(hr)) return hr;
        model->name = std::move(name);
        *out = finished(std::move(model));
        made_.push_back(*out);
        return S_OK;
    }

    OleText interfaceName_;
    std::vector<ModelPointer> made_;
};

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
    ModelBuilder builder(interfaceName_);
    std::shared_ptr<TypeModel> model = dispatchInterfaceModel(interfaceName_);
    SHORT slot = 7;
    for (const MemberDescription& member : members_) {
        HRESULT hr = S_OK;
        if (member.isVariable) {
            VariableModel variable;
            variable.id = member.id;
            variable.name = wide(member.name);
            hr = builder.node(member.type, &variable.type);
            model->variables.push_back(std::move(variable));
        } else {
            FunctionModel function;
            hr = builder.function(member, static_cast<SHORT>(slot++ * kSlotSize), &function);
            model->functions.push_back(std::move(function));
        }
        if (FAILED(hr)) return hr;
    }
    *typeInfo = new HostTypeInfo(finished(std::move(model)));
    return S_OK;
}

std::optional<long> liveEmulatedTypeInfos() { return liveTypeInfos; }
