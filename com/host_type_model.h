// The data behind a type info of the host's own: a description's members and
// declared types turned into plain models, the way oleaut32 keeps them after
// LayOut (a dispatch interface with IUnknown's and IDispatch's functions
// first, sizes and offsets of a 32-bit build).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "com/type_description.h"

namespace host_types {

using OleText = std::basic_string<OLECHAR>;

// Names compare without regard to the letter case of ASCII letters.
bool sameName(const OleText& declared, const OLECHAR* asked);
bool sameName(const OleText& a, const OleText& b);

struct TypeModel;
using ModelPointer = std::shared_ptr<const TypeModel>;

// A TYPEDESC as data.
struct TypeNode {
    VARTYPE vt = VT_EMPTY;
    std::shared_ptr<const TypeNode> inner;  // VT_PTR, VT_SAFEARRAY, VT_CARRAY: pointee or element
    ULONG elements = 0;                     // VT_CARRAY: one dimension from 0
    ModelPointer user;                      // VT_USERDEFINED
};

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

// The model of a description's dispatch interface, with every user-defined
// type it names.
HRESULT buildTypeModel(const TypeDescription& description, ModelPointer* model);

}  // namespace host_types
