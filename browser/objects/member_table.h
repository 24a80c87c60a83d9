// One declarative member table per object kind. A row names a member and
// says what it is (a property with a getter and maybe a setter, or a method
// with its parameters) and which code runs for it. The same table gives the
// kind's type description, which the late-bound layer binds names against
// (without regard to letter case), and the script engine's view of the
// kind (names as written), so the two cannot drift apart: script reaches a
// member by looking its name up here and invoking it by its member id,
// exactly as a late-bound call does.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "browser/objects/variant_values.h"
#include "com/dispatch_object.h"
#include "com/type_description.h"

namespace browser {

// The arguments of one method call, in source order, each dereferenced.
class MethodArguments {
public:
    explicit MethodArguments(const DispatchArguments& arguments) : arguments_(arguments) {}

    UINT count() const { return arguments_.count(); }
    // Argument i, or nullptr beyond the end.
    const VARIANT* at(UINT i) const;
    // True when argument i is there and is not the mark of an omitted one.
    bool given(UINT i) const;
    // Argument i converted; std::nullopt when absent, omitted or not
    // convertible.
    std::optional<std::string> text(UINT i) const;
    std::optional<long> integer(UINT i) const;
    std::optional<double> number(UINT i) const;
    std::optional<bool> boolean(UINT i) const;
    // The object argument i holds (borrowed), or nullptr.
    IDispatch* object(UINT i) const;

private:
    const DispatchArguments& arguments_;
};

// What script sees of one member.
struct MemberEntry {
    std::string name;
    DISPID id = 0;
    bool isMethod = false;
    bool readable = false;
    bool writable = false;
    // A property's declared type (VT_BSTR: script writes it the text of
    // whatever it assigns, as JScript converts); VT_EMPTY for a method.
    VARTYPE type = VT_EMPTY;
};

// The kind-independent half of a table: its entries by name and id, and
// the type description made from it.
class MemberCatalog {
public:
    const std::string& interfaceName() const { return interfaceName_; }
    const std::vector<MemberEntry>& entries() const { return entries_; }
    // By exact name (letter case counts, as in script); nullptr when absent.
    const MemberEntry* find(std::string_view name) const;
    const MemberEntry* byId(DISPID id) const;
    const std::shared_ptr<const TypeDescription>& typeDescription() const { return description_; }

protected:
    MemberCatalog() = default;
    void describe(std::string interfaceName, std::vector<MemberEntry> entries,
                  const std::vector<MemberDescription>& members);

private:
    std::string interfaceName_;
    std::vector<MemberEntry> entries_;
    std::unordered_map<std::string, size_t> byName_;
    std::shared_ptr<const TypeDescription> description_;
};

// One row of a table for objects of class Object.
template <class Object>
struct Member {
    std::string name;
    DeclaredType type = VT_VARIANT;  // the property's type, or the method's result
    std::vector<ParameterDescription> parameters;
    SHORT optionalCount = 0;
    std::optional<DISPID> id;  // DISPID_VALUE for the default member; otherwise numbered
    std::function<HRESULT(Object&, VARIANT*)> get;
    std::function<HRESULT(Object&, const VARIANT&)> put;
    std::function<HRESULT(Object&, const MethodArguments&, VARIANT*)> call;

    // The default member (DISPID_VALUE): what the object converts to.
    Member&& asDefault() && {
        id = DISPID_VALUE;
        return std::move(*this);
    }
};

// Rows of the common shapes.
template <class Object>
struct Rows {
    using Row = Member<Object>;

    static Row named(std::string name, DeclaredType type) {
        Row row;
        row.name = std::move(name);
        row.type = std::move(type);
        return row;
    }

    // A text property; a setter returning false refuses the write with an
    // exception, as the browser's "unknown runtime error".
    static Row text(std::string name, std::function<std::string(Object&)> get,
                    std::function<bool(Object&, std::string_view)> put = {}) {
        Row row = named(std::move(name), VT_BSTR);
        row.get = [get](Object& o, VARIANT* r) {
            setText(r, get(o));
            return S_OK;
        };
        if (put) {
            row.put = [put](Object& o, const VARIANT& v) -> HRESULT {
                std::optional<std::string> text = variantText(v);
                if (!text) return DISP_E_TYPEMISMATCH;
                return put(o, *text) ? S_OK : refusedWrite();
            };
        }
        return row;
    }
    static Row integer(std::string name, std::function<long(Object&)> get,
                       std::function<bool(Object&, long)> put = {}) {
        Row row = named(std::move(name), VT_I4);
        row.get = [get](Object& o, VARIANT* r) {
            setInteger(r, get(o));
            return S_OK;
        };
        if (put) {
            row.put = [put](Object& o, const VARIANT& v) -> HRESULT {
                std::optional<long> number = variantInteger(v);
                if (!number) return DISP_E_TYPEMISMATCH;
                return put(o, *number) ? S_OK : refusedWrite();
            };
        }
        return row;
    }
    static Row boolean(std::string name, std::function<bool(Object&)> get,
                       std::function<bool(Object&, bool)> put = {}) {
        Row row = named(std::move(name), VT_BOOL);
        row.get = [get](Object& o, VARIANT* r) {
            setBoolean(r, get(o));
            return S_OK;
        };
        if (put) {
            row.put = [put](Object& o, const VARIANT& v) -> HRESULT {
                std::optional<bool> flag = variantBoolean(v);
                if (!flag) return DISP_E_TYPEMISMATCH;
                return put(o, *flag) ? S_OK : refusedWrite();
            };
        }
        return row;
    }
    // A read-only object property: the getter gives a new reference, or
    // nullptr for "no object".
    static Row object(std::string name, std::function<IDispatch*(Object&)> get) {
        Row row = named(std::move(name), VT_DISPATCH);
        row.get = [get](Object& o, VARIANT* r) {
            setObject(r, get(o));
            return S_OK;
        };
        return row;
    }
    // A property of any type, with its own getter and setter.
    static Row variant(std::string name, std::function<HRESULT(Object&, VARIANT*)> get,
                       std::function<HRESULT(Object&, const VARIANT&)> put = {}) {
        Row row = named(std::move(name), VT_VARIANT);
        row.get = std::move(get);
        row.put = std::move(put);
        return row;
    }
    static Row method(std::string name, std::vector<ParameterDescription> parameters,
                      DeclaredType result,
                      std::function<HRESULT(Object&, const MethodArguments&, VARIANT*)> call,
                      SHORT optionalCount = 0) {
        Row row = named(std::move(name), std::move(result));
        row.parameters = std::move(parameters);
        row.optionalCount = optionalCount;
        row.call = std::move(call);
        return row;
    }

    static HRESULT refusedWrite();
};

// Parameter shorthands: a required one, and an optional VARIANT.
inline ParameterDescription required(std::string name, DeclaredType type) {
    return ParameterDescription(std::move(name), std::move(type));
}
inline ParameterDescription optional(std::string name, DeclaredType type = VT_VARIANT) {
    return ParameterDescription(std::move(name), std::move(type), PARAMFLAG_FIN | PARAMFLAG_FOPT);
}

// Raises the browser's exception with a message (code page 936) for the
// script or caller that made the call: DISP_E_EXCEPTION.
HRESULT raiseException(std::string_view message);
// The message of the last exception raised on this thread, once.
std::string takeExceptionText();

template <class Object>
HRESULT Rows<Object>::refusedWrite() {
    return raiseException("Unknown runtime error");
}

// A table: its rows, numbered from 1 in order (DISPID_VALUE for the default
// member), and Invoke's dispatch to them.
template <class Object>
class MemberTable : public MemberCatalog {
public:
    MemberTable(std::string interfaceName, std::vector<std::vector<Member<Object>>> parts) {
        for (auto& part : parts) {
            for (auto& row : part) rows_.push_back(std::move(row));
        }
        std::vector<MemberEntry> entries;
        std::vector<MemberDescription> members;
        for (size_t i = 0; i < rows_.size(); ++i) {
            Member<Object>& row = rows_[i];
            DISPID id = row.id.value_or(static_cast<DISPID>(i + 1));
            row.id = id;
            MemberEntry entry{row.name,
                              id,
                              static_cast<bool>(row.call),
                              static_cast<bool>(row.get),
                              static_cast<bool>(row.put),
                              row.call ? static_cast<VARTYPE>(VT_EMPTY) : row.type.base()};
            entries.push_back(entry);
            if (row.call) {
                members.push_back({id, row.name, INVOKE_FUNC, false, row.type, row.parameters,
                                   row.optionalCount});
                continue;
            }
            if (row.get)
                members.push_back({id, row.name, INVOKE_PROPERTYGET, false, row.type, {}, 0});
            if (row.put) {
                members.push_back({id,
                                   row.name,
                                   INVOKE_PROPERTYPUT,
                                   false,
                                   VT_VOID,
                                   {ParameterDescription("value", row.type)},
                                   0});
            }
        }
        describe(std::move(interfaceName), std::move(entries), members);
    }

    HRESULT invoke(Object& object, DISPID id, WORD flags, const DispatchArguments& arguments,
                   VARIANT* result) const {
        const Member<Object>* row = rowOf(id);
        if (row == nullptr) return DISP_E_MEMBERNOTFOUND;
        VARIANT ignored;
        VariantInit(&ignored);
        VARIANT* out = result != nullptr ? result : &ignored;
        HRESULT hr = DISP_E_MEMBERNOTFOUND;
        if (row->call) {
            if (flags & DISPATCH_METHOD) hr = row->call(object, MethodArguments(arguments), out);
        } else if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            const VARIANT* value = arguments.putValue();
            if (!row->put) {
                hr = DISP_E_MEMBERNOTFOUND;
            } else if (value == nullptr) {
                hr = DISP_E_PARAMNOTOPTIONAL;
            } else {
                hr = row->put(object, dereferenced(*value));
            }
        } else if (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) {
            if (!row->get) {
                hr = DISP_E_MEMBERNOTFOUND;
            } else if (arguments.count() > 0) {
                hr = DISP_E_BADPARAMCOUNT;
            } else {
                hr = row->get(object, out);
            }
        }
        VariantClear(&ignored);
        if (FAILED(hr) && result != nullptr) VariantClear(result);
        return hr;
    }

private:
    const Member<Object>* rowOf(DISPID id) const {
        if (id == DISPID_VALUE) {
            for (const auto& row : rows_) {
                if (row.id == DISPID_VALUE) return &row;
            }
            return nullptr;
        }
        if (id < 1 || static_cast<size_t>(id) > rows_.size()) return nullptr;
        const Member<Object>& row = rows_[static_cast<size_t>(id) - 1];
        return row.id == id ? &row : nullptr;
    }

    std::vector<Member<Object>> rows_;
};

}  // namespace browser
