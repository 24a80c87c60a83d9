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
// comes from our own ITypeInfo and ITypeComp (type_info_host.cpp), which bind
// as Wine's do. Either way the interface is a dispinterface deriving from
// IDispatch: IUnknown's and IDispatch's functions (QueryInterface, Invoke...)
// bind too, with member ids of 0x60000000 and up that Invoke does not know.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32.h"

struct RecordField;

// The declared type of a parameter, result or variable.
class DeclaredType {
public:
    enum class Kind {
        kBase,
        kPointer,
        kSafeArray,
        kEnumeration,
        kAlias,
        kDispatchInterface,
        kRecord
    };

    // A base type: VT_I2, VT_I4, VT_UI1, VT_UI4, VT_INT, VT_UINT, VT_R4, VT_R8,
    // VT_BOOL, VT_DATE, VT_BSTR, VT_VARIANT, VT_DISPATCH, VT_UNKNOWN, VT_ERROR,
    // VT_VOID or VT_HRESULT.
    DeclaredType(VARTYPE base);  // NOLINT(google-explicit-constructor)

    static DeclaredType pointerTo(DeclaredType pointee);
    static DeclaredType safeArrayOf(DeclaredType element);
    // A user-defined enumeration, alias, dispatch interface or record. Each
    // name becomes one type info beside the interface: a later declaration of
    // the same name means the first one, and names (the interface's included)
    // that differ only in letter case make createTypeInfo fail with
    // TYPE_E_NAMECONFLICT.
    static DeclaredType enumeration(std::string name,
                                    std::vector<std::pair<std::string, LONG>> values);
    static DeclaredType alias(std::string name, DeclaredType target);
    static DeclaredType dispatchInterface(std::string name);
    static DeclaredType record(std::string name, std::vector<RecordField> fields = {});

    Kind kind() const { return kind_; }
    VARTYPE base() const { return base_; }
    const DeclaredType* inner() const { return inner_.get(); }  // pointee, element or alias target
    const std::string& name() const { return name_; }
    const std::vector<std::pair<std::string, LONG>>& values() const { return values_; }
    const std::vector<RecordField>& fields() const { return fields_; }

private:
    DeclaredType() = default;

    Kind kind_ = Kind::kBase;
    VARTYPE base_ = VT_EMPTY;
    std::shared_ptr<const DeclaredType> inner_;
    std::string name_;
    std::vector<std::pair<std::string, LONG>> values_;
    std::vector<RecordField> fields_;
};

// A field of a record: a name (ASCII) and a base type.
struct RecordField {
    std::string name;
    DeclaredType type;
};

struct ParameterDescription {
    // `{"name", VT_I4}` in a parameter list; `flags` PARAMFLAG_FIN, FOUT,
    // FOPT, FRETVAL (a parameter with a default comes from withDefault).
    ParameterDescription(std::string name, DeclaredType type, USHORT flags = PARAMFLAG_FIN);
    // An optional parameter with a default value, a number or an ASCII text
    // (PARAMFLAG_FIN | PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT).
    static ParameterDescription withDefault(std::string name, DeclaredType type, LONG number);
    static ParameterDescription withDefault(std::string name, DeclaredType type, std::string text);

    std::string name;
    DeclaredType type;
    USHORT flags;
    // With PARAMFLAG_FHASDEFAULT: the default value, a number or a text.
    std::optional<LONG> defaultNumber;
    std::optional<std::string> defaultText;  // ASCII
};

struct MemberDescription {
    DISPID id = 0;
    std::string name;  // ASCII; bound without regard to letter case
    INVOKEKIND invokeKind = INVOKE_FUNC;
    bool isVariable = false;      // a variable (VARDESC) rather than a function
    DeclaredType type = VT_VOID;  // result type of a function, type of a variable
    std::vector<ParameterDescription> parameters;
    // How many of the last parameters are optional; -1: a variable argument
    // list, whose last parameter (a SAFEARRAY of VARIANT) takes the rest.
    SHORT optionalCount = 0;
};

class TypeDescription {
public:
    explicit TypeDescription(std::string interfaceName);
    TypeDescription(const TypeDescription& other);
    TypeDescription& operator=(const TypeDescription& other);
    ~TypeDescription();

    TypeDescription& method(DISPID id, std::string name,
                            std::vector<ParameterDescription> parameters = {},
                            DeclaredType result = VT_VARIANT, SHORT optionalCount = 0);
    TypeDescription& propertyGet(DISPID id, std::string name, DeclaredType type,
                                 std::vector<ParameterDescription> indexes = {});
    // A put (and a put-by-reference) takes the indexes, then the new value as
    // a last parameter without a name; its result is VT_VOID.
    TypeDescription& propertyPut(DISPID id, std::string name, DeclaredType type,
                                 std::vector<ParameterDescription> indexes = {});
    TypeDescription& propertyPutRef(DISPID id, std::string name, DeclaredType type,
                                    std::vector<ParameterDescription> indexes = {});
    TypeDescription& variable(DISPID id, std::string name, DeclaredType type);
    // Any member, for descriptions written as tables.
    TypeDescription& add(MemberDescription member);

    const std::string& interfaceName() const { return interfaceName_; }
    const std::vector<MemberDescription>& members() const { return members_; }

    // A new ITypeInfo (one reference, the caller's) describing a dispatch
    // interface with these members.
    HRESULT createTypeInfo(ITypeInfo** typeInfo) const;
    // The same, made on the first call and shared by the later ones: the
    // description keeps one reference until it changes or is destroyed, and
    // the caller receives another. A copy of the description makes its own.
    // For the one GUI thread (the cache is not locked).
    HRESULT sharedTypeInfo(ITypeInfo** typeInfo) const;

private:
    void forgetSharedTypeInfo();

    std::string interfaceName_;
    std::vector<MemberDescription> members_;
    mutable ITypeInfo* sharedTypeInfo_ = nullptr;  // owned: one reference
};

// Type information objects of the host emulation alive in the process (an
// ITypeInfo together with its ITypeComp counts once), for leak checks in
// tests. In the Windows build oleaut32 makes and counts them itself, and this
// gives std::nullopt.
std::optional<long> liveEmulatedTypeInfos();
