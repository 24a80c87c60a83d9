// Type information made from a TypeDescription, read back the way the
// late-bound call layer reads it: ITypeComp::Bind by name, the FUNCDESC and
// VARDESC it gives, user-defined types through GetRefTypeInfo. On the host
// the type information is the emulation's, under Wine it is oleaut32's: the
// expectations below are what Wine's binder does.
#include "com/type_description.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

OLECHAR* ole(const char16_t* text) {
    return const_cast<OLECHAR*>(reinterpret_cast<const OLECHAR*>(text));
}

std::string ascii(BSTR text) {
    std::string out;
    for (UINT i = 0; text != nullptr && i < SysStringLen(text); ++i) {
        out += static_cast<char>(text[i]);
    }
    return out;
}

// The name GetDocumentation gives for `memid` (MEMBERID_NIL: the type's).
std::string documentedName(ITypeInfo* info, MEMBERID memid = MEMBERID_NIL) {
    BSTR name = nullptr;
    if (FAILED(info->GetDocumentation(memid, &name, nullptr, nullptr, nullptr))) return "(none)";
    std::string text = ascii(name);
    SysFreeString(name);
    return text;
}

enum Member : DISPID {
    kItem = 1,
    kTitle,
    kValue,
    kOnClick,
    kLength,
    kJoin,
    kFetch,
    kPick,
    kFind,
    kWhen,
    kSize,
    kSizeVariable,
    kRelease,
    kAddRef,
};

constexpr MEMBERID kQueryInterface = 0x60000000;
constexpr MEMBERID kGetTypeInfoCount = 0x60010000;
constexpr MEMBERID kInvoke = 0x60010003;
// IUnknown's and IDispatch's functions come first in a dispatch interface.
constexpr UINT kInheritedFunctions = 7;

DeclaredType colour() { return DeclaredType::enumeration("Colour", {{"red", 1}, {"green", 2}}); }

// Every shape of member the call layer meets, and names chosen to probe the
// binder: a property whose put is declared before its get, a function and a
// variable of the same name, names of IUnknown's functions.
TypeDescription sampleDescription() {
    TypeDescription description("ISample");
    description
        .method(kItem, "item",
                {{"index", VT_I4}, ParameterDescription::withDefault("colour", colour(), 2)},
                VT_DISPATCH)
        .propertyGet(kTitle, "title", VT_BSTR)
        .propertyPut(kTitle, "title", VT_BSTR)
        .propertyPut(kValue, "value", VT_I4)
        .propertyGet(kValue, "value", VT_I4)
        .propertyPutRef(kOnClick, "onclick", VT_DISPATCH)
        .propertyGet(kOnClick, "onclick", VT_DISPATCH)
        .variable(kLength, "length", VT_I4)
        .method(kJoin, "join",
                {{"separator", VT_BSTR}, {"rest", DeclaredType::safeArrayOf(VT_VARIANT)}}, VT_BSTR,
                -1)
        .method(kFetch, "fetch",
                {{"found", DeclaredType::pointerTo(VT_VARIANT), PARAMFLAG_FOUT},
                 {"text", DeclaredType::pointerTo(VT_BSTR), PARAMFLAG_FIN | PARAMFLAG_FOUT}},
                VT_BOOL)
        .method(kPick, "pick",
                {{"handle", DeclaredType::alias("Handle", VT_I4)},
                 {"owner", DeclaredType::pointerTo(DeclaredType::dispatchInterface("IOwner"))},
                 {"where", DeclaredType::pointerTo(
                               DeclaredType::record("Point", {{"x", VT_I4}, {"y", VT_I4}}))},
                 {"shade", DeclaredType::alias("Shade", colour())}},
                VT_VOID)
        .method(kFind, "find",
                {ParameterDescription::withDefault("text", VT_BSTR, std::string("abc")),
                 {"start", VT_VARIANT, PARAMFLAG_FIN | PARAMFLAG_FOPT}},
                VT_VARIANT, 1)
        .variable(kWhen, "when", VT_DATE)
        .method(kSize, "size", {}, VT_I4)
        .variable(kSizeVariable, "size", VT_I4)
        .method(kRelease, "release", {}, VT_I4)
        .propertyGet(kAddRef, "addRef", VT_I4);
    return description;
}

// A type info made from the sample description, with its ITypeComp. At the
// end the test's own reference must be the only one left, and releasing it
// must leave no emulated type information alive.
class TypeInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        liveAtStart_ = liveEmulatedTypeInfos();
        ASSERT_EQ(sampleDescription().createTypeInfo(&typeInfo_), S_OK);
        ASSERT_NE(typeInfo_, nullptr);
        ASSERT_EQ(typeInfo_->GetTypeComp(&typeComp_), S_OK);
    }

    void TearDown() override {
        for (FUNCDESC* description : functions_) typeInfo_->ReleaseFuncDesc(description);
        if (typeComp_ != nullptr) typeComp_->Release();
        if (typeInfo_ != nullptr) {
            typeInfo_->AddRef();
            EXPECT_EQ(typeInfo_->Release(), 1u);
            EXPECT_EQ(typeInfo_->Release(), 0u);
        }
        EXPECT_EQ(liveEmulatedTypeInfos(), liveAtStart_);
    }

    // GetFuncDesc(index), released at the end of the test.
    const FUNCDESC* function(UINT index) {
        FUNCDESC* description = nullptr;
        EXPECT_EQ(typeInfo_->GetFuncDesc(index, &description), S_OK) << index;
        if (description != nullptr) functions_.push_back(description);
        return description;
    }

    ITypeInfo* typeInfo_ = nullptr;
    ITypeComp* typeComp_ = nullptr;

private:
    std::optional<long> liveAtStart_;
    std::vector<FUNCDESC*> functions_;
};

enum class Hash { kRight, kZero, kWrong };

// One ITypeComp::Bind and what it gave, released as the call layer releases
// it: the description through the type info that came with it.
class Binding {
public:
    Binding(ITypeComp* typeComp, const char16_t* name, WORD flags, Hash hash = Hash::kRight) {
        ULONG hashValue = LHashValOfNameSys(SYS_WIN32, LOCALE_SYSTEM_DEFAULT, ole(name));
        if (hash == Hash::kZero) hashValue = 0;
        if (hash == Hash::kWrong) hashValue ^= 0x5a5a;
        pointer_.lpfuncdesc = nullptr;
        result_ = typeComp->Bind(ole(name), hashValue, flags, &info_, &kind_, &pointer_);
    }
    ~Binding() {
        if (info_ == nullptr) return;
        if (kind_ == DESCKIND_FUNCDESC) info_->ReleaseFuncDesc(pointer_.lpfuncdesc);
        if (kind_ == DESCKIND_VARDESC) info_->ReleaseVarDesc(pointer_.lpvardesc);
        info_->Release();
    }
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    HRESULT result() const { return result_; }
    DESCKIND kind() const { return kind_; }
    ITypeInfo* info() const { return info_; }
    const FUNCDESC* function() const {
        return kind_ == DESCKIND_FUNCDESC ? pointer_.lpfuncdesc : nullptr;
    }
    const VARDESC* variable() const {
        return kind_ == DESCKIND_VARDESC ? pointer_.lpvardesc : nullptr;
    }
    void* pointer() const { return pointer_.lpfuncdesc; }

private:
    HRESULT result_ = E_FAIL;
    ITypeInfo* info_ = nullptr;
    DESCKIND kind_ = DESCKIND_MAX;
    BINDPTR pointer_;
};

struct BindRow {
    const char16_t* name;
    WORD flags;
    HRESULT result;
    DESCKIND kind;
    MEMBERID memid;         // of the function or variable bound
    INVOKEKIND invokeKind;  // of the function bound
    const char* owner;      // the type info that comes with it
    Hash hash = Hash::kRight;
};

constexpr WORD kFunc = INVOKE_FUNC;
constexpr WORD kGet = INVOKE_PROPERTYGET;
constexpr WORD kPut = INVOKE_PROPERTYPUT;
constexpr WORD kPutRef = INVOKE_PROPERTYPUTREF;

TEST_F(TypeInfoTest, BindFollowsTheBindingRules) {
    const HRESULT mismatch = TYPE_E_TYPEMISMATCH;
    const DESCKIND none = DESCKIND_NONE;
    const DESCKIND func = DESCKIND_FUNCDESC;
    const DESCKIND var = DESCKIND_VARDESC;
    const std::vector<BindRow> rows = {
        // A name that is not declared, whatever the flags: S_OK and nothing.
        {u"nothing", 0, S_OK, none, 0, INVOKE_FUNC, nullptr},
        {u"nothing", kFunc, S_OK, none, 0, INVOKE_FUNC, nullptr},
        {u"nothing", kGet, S_OK, none, 0, INVOKE_FUNC, nullptr},
        {u"nothing", kPut, S_OK, none, 0, INVOKE_FUNC, nullptr},
        {u"", kFunc, S_OK, none, 0, INVOKE_FUNC, nullptr},
        // Type names and enumeration constants are not members.
        {u"ISample", kFunc, S_OK, none, 0, INVOKE_FUNC, nullptr},
        {u"Colour", kGet, S_OK, none, 0, INVOKE_FUNC, nullptr},
        {u"red", kGet, S_OK, none, 0, INVOKE_FUNC, nullptr},
        // A method binds for INVOKE_FUNC, for flags 0 and for any flags with
        // the INVOKE_FUNC bit; other kinds are a type mismatch.
        {u"item", kFunc, S_OK, func, kItem, INVOKE_FUNC, "ISample"},
        {u"item", 0, S_OK, func, kItem, INVOKE_FUNC, "ISample"},
        {u"item", kFunc | kGet, S_OK, func, kItem, INVOKE_FUNC, "ISample"},
        {u"item", kGet, mismatch, none, 0, INVOKE_FUNC, nullptr},
        {u"item", kPut, mismatch, none, 0, INVOKE_FUNC, nullptr},
        {u"item", kPutRef, mismatch, none, 0, INVOKE_FUNC, nullptr},
        {u"item", kGet | kPut, mismatch, none, 0, INVOKE_FUNC, nullptr},
        // Letter case does not matter.
        {u"ITEM", kFunc, S_OK, func, kItem, INVOKE_FUNC, "ISample"},
        {u"Item", kGet, mismatch, none, 0, INVOKE_FUNC, nullptr},
        // A property with a get and a put: each kind finds its own function;
        // flags 0 or several kinds find the first declared that matches.
        {u"title", kGet, S_OK, func, kTitle, INVOKE_PROPERTYGET, "ISample"},
        {u"TITLE", kPut, S_OK, func, kTitle, INVOKE_PROPERTYPUT, "ISample"},
        {u"title", kFunc, mismatch, none, 0, INVOKE_FUNC, nullptr},
        {u"title", kPutRef, mismatch, none, 0, INVOKE_FUNC, nullptr},
        {u"title", 0, S_OK, func, kTitle, INVOKE_PROPERTYGET, "ISample"},
        {u"title", kGet | kPut, S_OK, func, kTitle, INVOKE_PROPERTYGET, "ISample"},
        {u"title", kPut | kPutRef, S_OK, func, kTitle, INVOKE_PROPERTYPUT, "ISample"},
        // The same with the put declared first.
        {u"value", 0, S_OK, func, kValue, INVOKE_PROPERTYPUT, "ISample"},
        {u"value", kGet | kPut, S_OK, func, kValue, INVOKE_PROPERTYPUT, "ISample"},
        {u"Value", kGet, S_OK, func, kValue, INVOKE_PROPERTYGET, "ISample"},
        // A put-by-reference and a get.
        {u"onclick", kPutRef, S_OK, func, kOnClick, INVOKE_PROPERTYPUTREF, "ISample"},
        {u"onClick", kPut, mismatch, none, 0, INVOKE_FUNC, nullptr},
        {u"onclick", kPut | kPutRef, S_OK, func, kOnClick, INVOKE_PROPERTYPUTREF, "ISample"},
        {u"onclick", kGet | kPut, S_OK, func, kOnClick, INVOKE_PROPERTYGET, "ISample"},
        {u"onclick", 0, S_OK, func, kOnClick, INVOKE_PROPERTYPUTREF, "ISample"},
        // A variable binds whatever the flags.
        {u"length", 0, S_OK, var, kLength, INVOKE_FUNC, "ISample"},
        {u"length", kFunc, S_OK, var, kLength, INVOKE_FUNC, "ISample"},
        {u"LENGTH", kGet, S_OK, var, kLength, INVOKE_FUNC, "ISample"},
        {u"length", kPut, S_OK, var, kLength, INVOKE_FUNC, "ISample"},
        {u"length", kPutRef, S_OK, var, kLength, INVOKE_FUNC, "ISample"},
        // A function comes before a variable of the same name, but a
        // function of another kind does not hide the variable.
        {u"size", kFunc, S_OK, func, kSize, INVOKE_FUNC, "ISample"},
        {u"size", kGet, S_OK, var, kSizeVariable, INVOKE_FUNC, "ISample"},
        // IUnknown's and IDispatch's functions are reachable, with the type
        // info of the interface that declares them; the type's own members
        // come first, and one of another kind hides the inherited function.
        {u"QueryInterface", kFunc, S_OK, func, kQueryInterface, INVOKE_FUNC, "IUnknown"},
        {u"queryinterface", kGet, mismatch, none, 0, INVOKE_FUNC, nullptr},
        {u"Invoke", 0, S_OK, func, kInvoke, INVOKE_FUNC, "IDispatch"},
        {u"GETTYPEINFOCOUNT", kFunc, S_OK, func, kGetTypeInfoCount, INVOKE_FUNC, "IDispatch"},
        {u"Release", kFunc, S_OK, func, kRelease, INVOKE_FUNC, "ISample"},
        {u"AddRef", kFunc, mismatch, none, 0, INVOKE_FUNC, nullptr},
        {u"addref", kGet, S_OK, func, kAddRef, INVOKE_PROPERTYGET, "ISample"},
        // The hash argument is not used to find the name.
        {u"item", kFunc, S_OK, func, kItem, INVOKE_FUNC, "ISample", Hash::kZero},
        {u"title", kPut, S_OK, func, kTitle, INVOKE_PROPERTYPUT, "ISample", Hash::kWrong},
        {u"length", kGet, S_OK, var, kLength, INVOKE_FUNC, "ISample", Hash::kWrong},
        {u"item", kGet, mismatch, none, 0, INVOKE_FUNC, nullptr, Hash::kZero},
        {u"nothing", kFunc, S_OK, none, 0, INVOKE_FUNC, nullptr, Hash::kWrong},
    };
    for (const BindRow& row : rows) {
        const std::u16string name = row.name;
        const std::string label = std::string(name.begin(), name.end()) + " flags " +
                                  std::to_string(row.flags) + " hash " +
                                  std::to_string(static_cast<int>(row.hash));
        Binding binding(typeComp_, row.name, row.flags, row.hash);
        EXPECT_EQ(binding.result(), row.result) << label;
        EXPECT_EQ(binding.kind(), row.kind) << label;
        if (row.kind == DESCKIND_NONE) {
            EXPECT_EQ(binding.info(), nullptr) << label;
            EXPECT_EQ(binding.pointer(), nullptr) << label;
            continue;
        }
        ASSERT_NE(binding.info(), nullptr) << label;
        EXPECT_EQ(documentedName(binding.info()), row.owner) << label;
        if (row.kind == DESCKIND_FUNCDESC) {
            ASSERT_NE(binding.function(), nullptr) << label;
            EXPECT_EQ(binding.function()->memid, row.memid) << label;
            EXPECT_EQ(binding.function()->invkind, row.invokeKind) << label;
            EXPECT_EQ(binding.function()->funckind, FUNC_DISPATCH) << label;
        } else {
            ASSERT_NE(binding.variable(), nullptr) << label;
            EXPECT_EQ(binding.variable()->memid, row.memid) << label;
            EXPECT_EQ(binding.variable()->varkind, VAR_DISPATCH) << label;
        }
    }
}

struct ParameterRow {
    VARTYPE vt;
    VARTYPE inner;  // what a VT_PTR or VT_SAFEARRAY points at
    USHORT flags;
    VARTYPE defaultType = VT_EMPTY;  // with PARAMFLAG_FHASDEFAULT
    LONG defaultNumber = 0;
    const char* defaultText = "";
};

struct FunctionRow {
    const char16_t* name;
    WORD flags;
    SHORT cParams;
    SHORT cParamsOpt;
    VARTYPE result;
    std::vector<ParameterRow> parameters;
};

TEST_F(TypeInfoTest, FunctionDescriptionsCarryTheDeclaredShape) {
    const USHORT in = PARAMFLAG_FIN;
    const USHORT withDefault = PARAMFLAG_FIN | PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT;
    const std::vector<FunctionRow> rows = {
        {u"item",
         kFunc,
         2,
         0,
         VT_DISPATCH,
         {{VT_I4, 0, in}, {VT_USERDEFINED, 0, withDefault, VT_I4, 2}}},
        {u"title", kGet, 0, 0, VT_BSTR, {}},
        // The value of a put is a last parameter.
        {u"title", kPut, 1, 0, VT_VOID, {{VT_BSTR, 0, in}}},
        {u"onclick", kPutRef, 1, 0, VT_VOID, {{VT_DISPATCH, 0, in}}},
        // A variable argument list: cParamsOpt -1, the rest in a SAFEARRAY.
        {u"join", kFunc, 2, -1, VT_BSTR, {{VT_BSTR, 0, in}, {VT_SAFEARRAY, VT_VARIANT, in}}},
        // Output parameters are pointers.
        {u"fetch",
         kFunc,
         2,
         0,
         VT_BOOL,
         {{VT_PTR, VT_VARIANT, PARAMFLAG_FOUT}, {VT_PTR, VT_BSTR, in | PARAMFLAG_FOUT}}},
        // Optional parameters, with and without a default.
        {u"find",
         kFunc,
         2,
         1,
         VT_VARIANT,
         {{VT_BSTR, 0, withDefault, VT_BSTR, 0, "abc"},
          {VT_VARIANT, 0, PARAMFLAG_FIN | PARAMFLAG_FOPT}}},
        {u"pick",
         kFunc,
         4,
         0,
         VT_VOID,
         {{VT_USERDEFINED, 0, in},
          {VT_PTR, VT_USERDEFINED, in},
          {VT_PTR, VT_USERDEFINED, in},
          {VT_USERDEFINED, 0, in}}},
    };
    for (const FunctionRow& row : rows) {
        const std::u16string name = row.name;
        const std::string label =
            std::string(name.begin(), name.end()) + " " + std::to_string(row.flags);
        Binding binding(typeComp_, row.name, row.flags);
        const FUNCDESC* description = binding.function();
        ASSERT_NE(description, nullptr) << label;
        EXPECT_EQ(description->funckind, FUNC_DISPATCH) << label;
        EXPECT_EQ(description->callconv, CC_STDCALL) << label;
        EXPECT_EQ(description->wFuncFlags, 0) << label;
        EXPECT_EQ(description->cParams, row.cParams) << label;
        EXPECT_EQ(description->cParamsOpt, row.cParamsOpt) << label;
        EXPECT_EQ(description->elemdescFunc.tdesc.vt, row.result) << label;
        ASSERT_EQ(static_cast<size_t>(description->cParams), row.parameters.size()) << label;
        for (size_t i = 0; i < row.parameters.size(); ++i) {
            const ParameterRow& expected = row.parameters[i];
            const ELEMDESC& parameter = description->lprgelemdescParam[i];
            const std::string where = label + " parameter " + std::to_string(i);
            EXPECT_EQ(parameter.tdesc.vt, expected.vt) << where;
            if (expected.vt == VT_PTR || expected.vt == VT_SAFEARRAY) {
                ASSERT_NE(parameter.tdesc.lptdesc, nullptr) << where;
                EXPECT_EQ(parameter.tdesc.lptdesc->vt, expected.inner) << where;
            }
            EXPECT_EQ(parameter.paramdesc.wParamFlags, expected.flags) << where;
            const PARAMDESCEX* extra = parameter.paramdesc.pparamdescex;
            if (!(expected.flags & PARAMFLAG_FHASDEFAULT)) {
                EXPECT_EQ(extra, nullptr) << where;
                continue;
            }
            ASSERT_NE(extra, nullptr) << where;
            EXPECT_EQ(extra->cBytes, sizeof(PARAMDESCEX)) << where;
            const VARIANT& value = extra->varDefaultValue;
            EXPECT_EQ(value.vt, expected.defaultType) << where;
            if (value.vt == VT_I4) {
                EXPECT_EQ(value.lVal, expected.defaultNumber) << where;
            } else {
                EXPECT_EQ(ascii(value.bstrVal), expected.defaultText) << where;
            }
        }
    }
}

TEST_F(TypeInfoTest, VariableDescriptionsCarryTheDeclaredType) {
    const struct {
        const char16_t* name;
        WORD flags;
        MEMBERID memid;
        VARTYPE vt;
    } rows[] = {
        {u"length", kGet, kLength, VT_I4},
        {u"when", kPut, kWhen, VT_DATE},
        {u"size", kGet, kSizeVariable, VT_I4},
    };
    for (const auto& row : rows) {
        Binding binding(typeComp_, row.name, row.flags);
        const VARDESC* description = binding.variable();
        ASSERT_NE(description, nullptr) << row.memid;
        EXPECT_EQ(description->memid, row.memid);
        EXPECT_EQ(description->varkind, VAR_DISPATCH) << row.memid;
        EXPECT_EQ(description->elemdescVar.tdesc.vt, row.vt) << row.memid;
    }
}

TEST_F(TypeInfoTest, AttributesDescribeADispatchInterfaceDerivingFromIDispatch) {
    UINT ownFunctions = 0;
    UINT variables = 0;
    const TypeDescription description = sampleDescription();
    for (const MemberDescription& member : description.members()) {
        (member.isVariable ? variables : ownFunctions) += 1;
    }
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(typeInfo_->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    EXPECT_EQ(attributes->cFuncs, kInheritedFunctions + ownFunctions);
    EXPECT_EQ(attributes->cVars, variables);
    EXPECT_EQ(attributes->cImplTypes, 1);
    EXPECT_EQ(attributes->cbSizeVft, kInheritedFunctions * 4);
    EXPECT_EQ(attributes->wTypeFlags, TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(attributes->lcid, 0u);
    const GUID none{};
    EXPECT_TRUE(IsEqualGUID(attributes->guid, none));
    const UINT functionCount = attributes->cFuncs;
    const UINT variableCount = attributes->cVars;
    typeInfo_->ReleaseTypeAttr(attributes);

    // The list starts with IUnknown's and IDispatch's functions in their
    // dispatch form (an HRESULT result shows as VT_VOID); the interface's own
    // follow in declaration order, in the vtable after those seven.
    const struct {
        UINT index;
        MEMBERID memid;
        INVOKEKIND invokeKind;
        VARTYPE result;
        SHORT cParams;
        SHORT vtableOffset;
        WORD flags;
    } rows[] = {
        {0, kQueryInterface, INVOKE_FUNC, VT_VOID, 2, 0, FUNCFLAG_FRESTRICTED},
        {2, 0x60000002, INVOKE_FUNC, VT_UI4, 0, 8, FUNCFLAG_FRESTRICTED},
        {6, kInvoke, INVOKE_FUNC, VT_VOID, 8, 24, FUNCFLAG_FRESTRICTED},
        {7, kItem, INVOKE_FUNC, VT_DISPATCH, 2, 28, 0},
        {8, kTitle, INVOKE_PROPERTYGET, VT_BSTR, 0, 32, 0},
        {10, kValue, INVOKE_PROPERTYPUT, VT_VOID, 1, 40, 0},
    };
    for (const auto& row : rows) {
        const FUNCDESC* description = function(row.index);
        ASSERT_NE(description, nullptr) << row.index;
        EXPECT_EQ(description->memid, row.memid) << row.index;
        EXPECT_EQ(description->funckind, FUNC_DISPATCH) << row.index;
        EXPECT_EQ(description->invkind, row.invokeKind) << row.index;
        EXPECT_EQ(description->elemdescFunc.tdesc.vt, row.result) << row.index;
        EXPECT_EQ(description->cParams, row.cParams) << row.index;
        EXPECT_EQ(description->oVft, row.vtableOffset) << row.index;
        EXPECT_EQ(description->wFuncFlags, row.flags) << row.index;
    }
    FUNCDESC* beyond = nullptr;
    EXPECT_EQ(typeInfo_->GetFuncDesc(functionCount, &beyond), TYPE_E_ELEMENTNOTFOUND);
    VARDESC* variable = nullptr;
    EXPECT_EQ(typeInfo_->GetVarDesc(variableCount, &variable), TYPE_E_ELEMENTNOTFOUND);
    ASSERT_EQ(typeInfo_->GetVarDesc(0, &variable), S_OK);
    EXPECT_EQ(variable->memid, kLength);
    typeInfo_->ReleaseVarDesc(variable);
}

// What GetTypeAttr says of a type info, for tables.
struct TypeSummary {
    TYPEKIND kind;
    WORD functions;
    WORD variables;
    WORD implemented;
    WORD flags;
};

void expectSummary(ITypeInfo* info, const TypeSummary& expected, const std::string& label) {
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK) << label;
    EXPECT_EQ(attributes->typekind, expected.kind) << label;
    EXPECT_EQ(attributes->cFuncs, expected.functions) << label;
    EXPECT_EQ(attributes->cVars, expected.variables) << label;
    EXPECT_EQ(attributes->cImplTypes, expected.implemented) << label;
    EXPECT_EQ(attributes->wTypeFlags, expected.flags) << label;
    info->ReleaseTypeAttr(attributes);
}

// The type info of implemented interface `index` of `info`, or nullptr.
ITypeInfo* implementedInfo(ITypeInfo* info, UINT index) {
    HREFTYPE reference = 0;
    ITypeInfo* base = nullptr;
    if (FAILED(info->GetRefTypeOfImplType(index, &reference))) return nullptr;
    if (FAILED(info->GetRefTypeInfo(reference, &base))) return nullptr;
    return base;
}

TEST_F(TypeInfoTest, TheBaseInterfacesAreIDispatchAndIUnknown) {
    ITypeInfo* dispatch = implementedInfo(typeInfo_, 0);
    ASSERT_NE(dispatch, nullptr);
    EXPECT_EQ(documentedName(dispatch), "IDispatch");
    expectSummary(dispatch, {TKIND_INTERFACE, 4, 0, 1, TYPEFLAG_FRESTRICTED}, "IDispatch");
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(dispatch->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, IID_IDispatch));
    dispatch->ReleaseTypeAttr(attributes);
    // In the interface itself its functions are pure virtual and return an
    // HRESULT.
    FUNCDESC* first = nullptr;
    ASSERT_EQ(dispatch->GetFuncDesc(0, &first), S_OK);
    EXPECT_EQ(first->memid, kGetTypeInfoCount);
    EXPECT_EQ(first->funckind, FUNC_PUREVIRTUAL);
    EXPECT_EQ(first->elemdescFunc.tdesc.vt, VT_HRESULT);
    EXPECT_EQ(first->oVft, 12);
    dispatch->ReleaseFuncDesc(first);

    ITypeInfo* unknown = implementedInfo(dispatch, 0);
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(documentedName(unknown), "IUnknown");
    expectSummary(unknown, {TKIND_INTERFACE, 3, 0, 0, TYPEFLAG_FHIDDEN}, "IUnknown");
    ASSERT_EQ(unknown->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, IID_IUnknown));
    unknown->ReleaseTypeAttr(attributes);
    unknown->Release();
    dispatch->Release();

    EXPECT_EQ(implementedInfo(typeInfo_, 1), nullptr);
    INT flags = -1;
    EXPECT_EQ(typeInfo_->GetImplTypeFlags(0, &flags), S_OK);
    EXPECT_EQ(flags, 0);
    HREFTYPE reference = 0;
    EXPECT_EQ(typeInfo_->GetRefTypeOfImplType(1, &reference), TYPE_E_ELEMENTNOTFOUND);
    ITypeInfo* missing = nullptr;
    EXPECT_EQ(typeInfo_->GetRefTypeInfo(static_cast<HREFTYPE>(-1), &missing),
              TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(typeInfo_->GetRefTypeInfo(0x7654321, &missing), E_FAIL);
    EXPECT_EQ(missing, nullptr);
}

// The type a parameter of `function` refers to, through a pointer when
// there is one, resolved as the call layer resolves it: GetRefTypeInfo on
// the type info that Bind gave.
ITypeInfo* parameterType(const Binding& function, UINT index) {
    const TYPEDESC* type = &function.function()->lprgelemdescParam[index].tdesc;
    if (type->vt == VT_PTR) type = type->lptdesc;
    ITypeInfo* target = nullptr;
    if (type->vt != VT_USERDEFINED ||
        FAILED(function.info()->GetRefTypeInfo(type->hreftype, &target))) {
        return nullptr;
    }
    return target;
}

TEST_F(TypeInfoTest, UserDefinedTypesResolveThroughGetRefTypeInfo) {
    Binding pick(typeComp_, u"pick", kFunc);
    ASSERT_NE(pick.function(), nullptr);
    Binding item(typeComp_, u"item", kFunc);
    ASSERT_NE(item.function(), nullptr);
    const struct {
        const Binding* function;
        UINT parameter;
        const char* name;
        TypeSummary summary;
    } rows[] = {
        {&pick, 0, "Handle", {TKIND_ALIAS, 0, 0, 0, 0}},
        {&pick, 1, "IOwner", {TKIND_DISPATCH, 7, 0, 1, TYPEFLAG_FDISPATCHABLE}},
        {&pick, 2, "Point", {TKIND_RECORD, 0, 2, 0, 0}},
        {&pick, 3, "Shade", {TKIND_ALIAS, 0, 0, 0, 0}},
        {&item, 1, "Colour", {TKIND_ENUM, 0, 2, 0, 0}},
    };
    for (const auto& row : rows) {
        ITypeInfo* target = parameterType(*row.function, row.parameter);
        ASSERT_NE(target, nullptr) << row.name;
        EXPECT_EQ(documentedName(target), row.name);
        expectSummary(target, row.summary, row.name);
        target->Release();
    }

    // Handle stands for a 4-byte integer; Shade for the enumeration, named
    // in the alias's own type info.
    ITypeInfo* handle = parameterType(pick, 0);
    ASSERT_NE(handle, nullptr);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(handle->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->tdescAlias.vt, VT_I4);
    handle->ReleaseTypeAttr(attributes);
    handle->Release();

    ITypeInfo* shade = parameterType(pick, 3);
    ASSERT_NE(shade, nullptr);
    ASSERT_EQ(shade->GetTypeAttr(&attributes), S_OK);
    ASSERT_EQ(attributes->tdescAlias.vt, VT_USERDEFINED);
    ITypeInfo* shadeTarget = nullptr;
    EXPECT_EQ(shade->GetRefTypeInfo(attributes->tdescAlias.hreftype, &shadeTarget), S_OK);
    shade->ReleaseTypeAttr(attributes);
    shade->Release();
    ASSERT_NE(shadeTarget, nullptr);
    EXPECT_EQ(documentedName(shadeTarget), "Colour");
    shadeTarget->Release();

    // The record's fields by name and type. (Their offsets are left out:
    // Wine lays records out with every field at 0.)
    ITypeInfo* point = parameterType(pick, 2);
    ASSERT_NE(point, nullptr);
    const char* fields[] = {"x", "y"};
    for (UINT i = 0; i < 2; ++i) {
        VARDESC* field = nullptr;
        ASSERT_EQ(point->GetVarDesc(i, &field), S_OK);
        EXPECT_EQ(field->varkind, VAR_PERINSTANCE);
        EXPECT_EQ(field->elemdescVar.tdesc.vt, VT_I4);
        EXPECT_EQ(documentedName(point, field->memid), fields[i]);
        point->ReleaseVarDesc(field);
    }
    point->Release();
}

TEST_F(TypeInfoTest, AnEnumerationHoldsItsConstants) {
    Binding item(typeComp_, u"item", kFunc);
    ASSERT_NE(item.function(), nullptr);
    ITypeInfo* enumeration = parameterType(item, 1);
    ASSERT_NE(enumeration, nullptr);
    const struct {
        const char* name;
        LONG value;
    } constants[] = {{"red", 1}, {"green", 2}};
    for (UINT i = 0; i < 2; ++i) {
        VARDESC* constant = nullptr;
        ASSERT_EQ(enumeration->GetVarDesc(i, &constant), S_OK);
        EXPECT_EQ(constant->varkind, VAR_CONST);
        ASSERT_NE(constant->lpvarValue, nullptr);
        EXPECT_EQ(constant->lpvarValue->vt, VT_I4);
        EXPECT_EQ(constant->lpvarValue->lVal, constants[i].value);
        EXPECT_EQ(documentedName(enumeration, constant->memid), constants[i].name);
        enumeration->ReleaseVarDesc(constant);
    }
    // The enumeration's own binder finds its constants by name, whatever
    // the flags.
    ITypeComp* constants_ = nullptr;
    ASSERT_EQ(enumeration->GetTypeComp(&constants_), S_OK);
    for (WORD flags : {WORD{0}, kFunc, kGet, kPut}) {
        Binding green(constants_, u"GREEN", flags);
        ASSERT_NE(green.variable(), nullptr) << flags;
        EXPECT_EQ(green.variable()->varkind, VAR_CONST);
        EXPECT_EQ(green.variable()->lpvarValue->lVal, 2);
        Binding blue(constants_, u"blue", flags);
        EXPECT_EQ(blue.result(), S_OK);
        EXPECT_EQ(blue.kind(), DESCKIND_NONE);
    }
    constants_->Release();
    enumeration->Release();
}

TEST_F(TypeInfoTest, GetIDsOfNamesFindsMembersAndTheirParameters) {
    const struct {
        std::vector<const char16_t*> names;
        HRESULT result;
        std::vector<MEMBERID> ids;
    } rows[] = {
        {{u"item"}, S_OK, {kItem}},
        {{u"ITEM", u"COLOUR", u"index"}, S_OK, {kItem, 1, 0}},
        {{u"length"}, S_OK, {kLength}},
        // The function before the variable of the same name.
        {{u"Size"}, S_OK, {kSize}},
        {{u"QueryInterface"}, S_OK, {kQueryInterface}},
        {{u"invoke", u"DISPIDMEMBER"}, S_OK, {kInvoke, 0}},
        // Unknown names get MEMBERID_NIL, every one when the member is
        // unknown.
        {{u"nothing"}, DISP_E_UNKNOWNNAME, {MEMBERID_NIL}},
        {{u"nothing", u"index"}, DISP_E_UNKNOWNNAME, {MEMBERID_NIL, MEMBERID_NIL}},
        {{u"item", u"nope", u"index"}, DISP_E_UNKNOWNNAME, {kItem, MEMBERID_NIL, 0}},
        // A variable has no parameters: the names after its own get
        // MEMBERID_NIL, yet Wine reports success.
        {{u"length", u"x"}, S_OK, {kLength, MEMBERID_NIL}},
    };
    for (const auto& row : rows) {
        std::vector<OLECHAR*> names;
        for (const char16_t* name : row.names) names.push_back(ole(name));
        std::vector<MEMBERID> ids(names.size(), 12345);
        const std::u16string first = row.names[0];
        const std::string label(first.begin(), first.end());
        EXPECT_EQ(
            typeInfo_->GetIDsOfNames(names.data(), static_cast<UINT>(names.size()), ids.data()),
            row.result)
            << label;
        EXPECT_EQ(ids, row.ids) << label;
    }
}

TEST_F(TypeInfoTest, GetNamesAndGetDocumentationNameAMember) {
    const struct {
        MEMBERID memid;
        UINT capacity;
        HRESULT result;
        std::vector<std::string> names;
    } rows[] = {
        {kItem, 10, S_OK, {"item", "index", "colour"}},
        {kItem, 2, S_OK, {"item", "index"}},
        {kItem, 0, S_OK, {}},
        // The value of a put has no name.
        {kValue, 10, S_OK, {"value"}},
        {kTitle, 10, S_OK, {"title"}},
        {kLength, 10, S_OK, {"length"}},
        {kInvoke, 3, S_OK, {"Invoke", "dispidMember", "riid"}},
        {999, 10, TYPE_E_ELEMENTNOTFOUND, {}},
    };
    for (const auto& row : rows) {
        BSTR names[10] = {};
        UINT count = 77;
        EXPECT_EQ(typeInfo_->GetNames(row.memid, names, row.capacity, &count), row.result)
            << row.memid;
        std::vector<std::string> given;
        for (UINT i = 0; i < count && i < 10; ++i) {
            given.push_back(ascii(names[i]));
            SysFreeString(names[i]);
        }
        EXPECT_EQ(given, row.names) << row.memid;
    }

    const struct {
        MEMBERID memid;
        HRESULT result;
        const char* name;
    } documented[] = {
        {MEMBERID_NIL, S_OK, "ISample"},
        {kItem, S_OK, "item"},
        {kWhen, S_OK, "when"},
        {kQueryInterface, S_OK, "QueryInterface"},
        {999, TYPE_E_ELEMENTNOTFOUND, nullptr},
    };
    for (const auto& row : documented) {
        BSTR name = nullptr;
        BSTR text = nullptr;
        BSTR helpFile = nullptr;
        DWORD context = 5;
        EXPECT_EQ(typeInfo_->GetDocumentation(row.memid, &name, &text, &context, &helpFile),
                  row.result)
            << row.memid;
        if (FAILED(row.result)) continue;
        EXPECT_EQ(ascii(name), row.name);
        EXPECT_EQ(text, nullptr);
        EXPECT_EQ(helpFile, nullptr);
        EXPECT_EQ(context, 0u);
        SysFreeString(name);
    }
}

TEST_F(TypeInfoTest, TypeInfoAndTypeCompAreOneObject) {
    ITypeComp* typeComp = nullptr;
    ASSERT_EQ(typeInfo_->QueryInterface(IID_ITypeComp, reinterpret_cast<void**>(&typeComp)), S_OK);
    ITypeInfo* typeInfo = nullptr;
    ASSERT_EQ(typeComp_->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&typeInfo)), S_OK);
    IUnknown* fromInfo = nullptr;
    IUnknown* fromComp = nullptr;
    ASSERT_EQ(typeInfo_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromInfo)), S_OK);
    ASSERT_EQ(typeComp->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromComp)), S_OK);
    EXPECT_EQ(fromInfo, fromComp);
    EXPECT_EQ(typeInfo, typeInfo_);
    fromComp->Release();
    fromInfo->Release();
    typeInfo->Release();
    typeComp->Release();

    // No type is found through a type info's binder.
    ITypeInfo* boundType = typeInfo_;
    ITypeComp* boundComp = typeComp_;
    for (const char16_t* name : {u"Colour", u"ISample", u"IDispatch", u"nothing"}) {
        EXPECT_EQ(typeComp_->BindType(ole(name), 0, &boundType, &boundComp), S_OK);
        EXPECT_EQ(boundType, nullptr);
        EXPECT_EQ(boundComp, nullptr);
    }
}

TEST(TypeDescriptionTest, TypeNamesMustDifferInMoreThanLetterCase) {
    const std::optional<long> liveAtStart = liveEmulatedTypeInfos();
    TypeDescription likeTheInterface("IShape");
    likeTheInterface.method(1, "a", {{"x", DeclaredType::enumeration("ishape", {{"one", 1}})}});
    TypeDescription twoCases("IShape");
    twoCases.method(1, "a",
                    {{"x", DeclaredType::enumeration("Colour", {{"one", 1}})},
                     {"y", DeclaredType::alias("colour", VT_I4)}});
    TypeDescription sameName("IShape");
    sameName.method(1, "a", {{"x", colour()}, {"y", DeclaredType::pointerTo(colour())}});
    const struct {
        const TypeDescription* description;
        HRESULT result;
    } rows[] = {
        {&likeTheInterface, TYPE_E_NAMECONFLICT},
        {&twoCases, TYPE_E_NAMECONFLICT},
        {&sameName, S_OK},
    };
    for (const auto& row : rows) {
        ITypeInfo* typeInfo = reinterpret_cast<ITypeInfo*>(1);
        EXPECT_EQ(row.description->createTypeInfo(&typeInfo), row.result);
        EXPECT_EQ(typeInfo == nullptr, FAILED(row.result));
        if (typeInfo != nullptr) typeInfo->Release();
    }
    EXPECT_EQ(liveEmulatedTypeInfos(), liveAtStart);
}

TEST(TypeDescriptionTest, TheSharedTypeInfoLivesAsLongAsItsDescription) {
    const std::optional<long> liveAtStart = liveEmulatedTypeInfos();
    ITypeInfo* kept = nullptr;
    {
        TypeDescription description = sampleDescription();
        ITypeInfo* first = nullptr;
        ITypeInfo* second = nullptr;
        ASSERT_EQ(description.sharedTypeInfo(&first), S_OK);
        ASSERT_EQ(description.sharedTypeInfo(&second), S_OK);
        EXPECT_EQ(first, second);
        second->Release();

        // A copy makes its own.
        TypeDescription copy = description;
        ITypeInfo* copied = nullptr;
        ASSERT_EQ(copy.sharedTypeInfo(&copied), S_OK);
        EXPECT_NE(copied, first);
        copied->Release();

        // A change of the description drops the old type info; ours stays
        // valid and knows nothing of the new member.
        description.method(99, "added");
        ITypeInfo* changed = nullptr;
        ASSERT_EQ(description.sharedTypeInfo(&changed), S_OK);
        EXPECT_NE(changed, first);
        first->AddRef();
        EXPECT_EQ(first->Release(), 1u);
        OLECHAR* added = ole(u"added");
        MEMBERID id = 0;
        EXPECT_EQ(first->GetIDsOfNames(&added, 1, &id), DISP_E_UNKNOWNNAME);
        EXPECT_EQ(changed->GetIDsOfNames(&added, 1, &id), S_OK);
        EXPECT_EQ(id, 99);
        first->Release();
        kept = changed;
    }
    // The description is gone: the reference taken from it is the last one.
    kept->AddRef();
    EXPECT_EQ(kept->Release(), 1u);
    EXPECT_EQ(kept->Release(), 0u);
    EXPECT_EQ(liveEmulatedTypeInfos(), liveAtStart);
}

}  // namespace
