// How a description becomes the model behind a host type info: the
// declared types as nodes, user-defined types as models of their own, the
// layout of records and the stdole2 interfaces every dispatch interface
// derives from.
#include "com/host_type_model.h"

#include <map>

namespace host_types {

namespace {

OLECHAR folded(OLECHAR c) { return c >= 'A' && c <= 'Z' ? static_cast<OLECHAR>(c + 32) : c; }

OleText wide(const std::string& ascii) { return OleText(ascii.begin(), ascii.end()); }

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

}  // namespace

bool sameName(const OleText& declared, const OLECHAR* asked) {
    size_t i = 0;
    for (; asked[i] != 0; ++i) {
        if (i >= declared.size() || folded(declared[i]) != folded(asked[i])) return false;
    }
    return i == declared.size();
}

bool sameName(const OleText& a, const OleText& b) { return sameName(a, b.c_str()); }

HRESULT buildTypeModel(const TypeDescription& description, ModelPointer* result) {
    ModelBuilder builder(description.interfaceName());
    std::shared_ptr<TypeModel> model = dispatchInterfaceModel(description.interfaceName());
    SHORT slot = 7;
    for (const MemberDescription& member : description.members()) {
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
    *result = finished(std::move(model));
    return S_OK;
}

}  // namespace host_types
