// Type descriptions for our own automation objects.
//
// An object kind declares its members once (functions with their parameters,
// property get, put and put-by-reference, variables), and the description
// gives the ITypeInfo that IDispatch::GetTypeInfo hands out. Callers bind
// names through that type information exactly as they do on Windows, so a
// member that is not declared here cannot be reached by name.
//
// On Windows the type information comes from oleaut32 itself (a type library
// created in memory), so the real binder is what callers meet; on the host it
// comes from the emulation's own implementation of ITypeInfo and ITypeComp.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32.h"

// The declared type of a parameter, result or variable.
class DeclaredType {
public:
    enum class Kind { kBase, kPointer, kSafeArray, kEnumeration, kAlias, kDispatchInterface, kRecord };

    // A base type: VT_I2, VT_I4, VT_UI1, VT_UI4, VT_INT, VT_UINT, VT_R4, VT_R8,
    // VT_BOOL, VT_DATE, VT_BSTR, VT_VARIANT, VT_DISPATCH, VT_UNKNOWN, VT_ERROR,
    // VT_VOID or VT_HRESULT.
    DeclaredType(VARTYPE base);  // NOLINT(google-explicit-constructor)

    static DeclaredType pointerTo(DeclaredType pointee);
    static DeclaredType safeArrayOf(DeclaredType element);
    // A user-defined enumeration, alias, dispatch interface or record, by name.
    static DeclaredType enumeration(std::string name, std::vector<std::pair<std::string, LONG>> values);
    static DeclaredType alias(std::string name, DeclaredType target);
    static DeclaredType dispatchInterface(std::string name);
    static DeclaredType record(std::string name);

    Kind kind() const { return kind_; }
    VARTYPE base() const { return base_; }
    const DeclaredType* inner() const { return inner_.get(); }  // pointee, element or alias target
    const std::string& name() const { return name_; }
    const std::vector<std::pair<std::string, LONG>>& values() const { return values_; }

private:
    DeclaredType() = default;

    Kind kind_ = Kind::kBase;
    VARTYPE base_ = VT_EMPTY;
    std::shared_ptr<const DeclaredType> inner_;
    std::string name_;
    std::vector<std::pair<std::string, LONG>> values_;
};

struct ParameterDescription {
    std::string name;
    DeclaredType type;
    USHORT flags = PARAMFLAG_FIN;  // PARAMFLAG_FIN, FOUT, FOPT, FHASDEFAULT, FRETVAL
    // With PARAMFLAG_FHASDEFAULT: the default value, a number or a text.
    std::optional<LONG> defaultNumber;
    std::optional<std::string> defaultText;  // ASCII
};

struct MemberDescription {
    DISPID id = 0;
    std::string name;              // ASCII; bound without regard to letter case
    INVOKEKIND invokeKind = INVOKE_FUNC;
    bool isVariable = false;       // a variable (VARDESC) rather than a function
    DeclaredType type = VT_VOID;   // result type of a function, type of a variable
    std::vector<ParameterDescription> parameters;
    SHORT optionalCount = 0;       // -1: a variable argument list (the last parameter takes the rest)
};

class TypeDescription {
public:
    explicit TypeDescription(std::string interfaceName);

    TypeDescription& method(DISPID id, std::string name, std::vector<ParameterDescription> parameters = {},
                            DeclaredType result = VT_VARIANT, SHORT optionalCount = 0);
    TypeDescription& propertyGet(DISPID id, std::string name, DeclaredType type,
                                 std::vector<ParameterDescription> indexes = {});
    TypeDescription& propertyPut(DISPID id, std::string name, DeclaredType type,
                                 std::vector<ParameterDescription> indexes = {});
    TypeDescription& propertyPutRef(DISPID id, std::string name, DeclaredType type,
                                    std::vector<ParameterDescription> indexes = {});
    TypeDescription& variable(DISPID id, std::string name, DeclaredType type);

    const std::string& interfaceName() const { return interfaceName_; }
    const std::vector<MemberDescription>& members() const { return members_; }

    // A new ITypeInfo (one reference, the caller's) describing a dispatch
    // interface with these members.
    HRESULT createTypeInfo(ITypeInfo** typeInfo) const;

private:
    std::string interfaceName_;
    std::vector<MemberDescription> members_;
};
