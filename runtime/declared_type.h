// The declared type of a parameter or variable, as the call layer needs it:
// the value type to pass, and whether it goes by reference, is an array or a
// record.
#pragma once

#include "platform/win32.h"

struct ResolvedType {
    VARTYPE type = VT_VARIANT;  // VT_ARRAY | element type for arrays
    bool byReference = false;   // declared behind a pointer
    bool isArray = false;
    bool isRecord = false;

    bool isInterfaceOrArray() const { return isArray || type == VT_UNKNOWN || type == VT_DISPATCH; }
};

struct DeclaredParameter {
    ResolvedType type;
    USHORT flags = PARAMFLAG_NONE;  // PARAMFLAG_*
};

// Reads a type description: int as VT_I4, unsigned int as VT_UI4, a pointer
// marks its pointee as by reference, safe and fixed arrays as arrays of their
// element, and a user-defined type as VT_I4 for an enumeration, VT_DISPATCH
// for a dispatch interface, its target for an alias, a record, and
// VT_UNKNOWN for anything else. `info` is the type information the
// description came from.
ResolvedType resolveDeclaredType(ITypeInfo* info, const TYPEDESC& description);
