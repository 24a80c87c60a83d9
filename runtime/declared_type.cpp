#include "runtime/declared_type.h"

namespace {

// Type descriptions nest (pointer to alias to pointer ...); a cycle in broken
// type information must not recurse for ever.
constexpr int kMaximumDepth = 16;

ResolvedType resolveUserDefined(ITypeInfo* info, HREFTYPE reference, int depth);

ResolvedType resolve(ITypeInfo* info, const TYPEDESC& description, int depth) {
    ResolvedType resolved;
    if (depth > kMaximumDepth) return resolved;
    switch (description.vt) {
        case VT_INT:
            resolved.type = VT_I4;
            break;
        case VT_UINT:
            resolved.type = VT_UI4;
            break;
        case VT_PTR:
            resolved = resolve(info, *description.lptdesc, depth + 1);
            resolved.byReference = true;
            break;
        case VT_SAFEARRAY:
        case VT_CARRAY: {
            const TYPEDESC& element = description.vt == VT_SAFEARRAY
                                          ? *description.lptdesc
                                          : description.lpadesc->tdescElem;
            resolved.type = VT_ARRAY | resolve(info, element, depth + 1).type;
            resolved.isArray = true;
            break;
        }
        case VT_USERDEFINED:
            resolved = resolveUserDefined(info, description.hreftype, depth + 1);
            break;
        default:
            resolved.type = description.vt;
            break;
    }
    return resolved;
}

ResolvedType resolveUserDefined(ITypeInfo* info, HREFTYPE reference, int depth) {
    ResolvedType resolved;
    resolved.type = VT_UNKNOWN;
    ITypeInfo* target = nullptr;
    if (info == nullptr || FAILED(info->GetRefTypeInfo(reference, &target)) || target == nullptr) {
        return resolved;
    }
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(target->GetTypeAttr(&attributes)) && attributes != nullptr) {
        switch (attributes->typekind) {
            case TKIND_ENUM:
                resolved.type = VT_I4;
                break;
            case TKIND_DISPATCH:
                resolved.type = VT_DISPATCH;
                break;
            case TKIND_ALIAS:
                resolved = resolve(target, attributes->tdescAlias, depth);
                break;
            case TKIND_RECORD:
                resolved.type = VT_RECORD;
                resolved.isRecord = true;
                break;
            default:
                break;
        }
        target->ReleaseTypeAttr(attributes);
    }
    target->Release();
    return resolved;
}

}  // namespace

ResolvedType resolveDeclaredType(ITypeInfo* info, const TYPEDESC& description) {
    return resolve(info, description, 0);
}
