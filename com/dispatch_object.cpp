#include "com/dispatch_object.h"

#include <utility>

namespace {

std::atomic<long> liveDispatchObjects{0};

}  // namespace

DispatchArguments::DispatchArguments(DISPPARAMS* parameters) : parameters_(parameters) {}

UINT DispatchArguments::count() const {
    if (parameters_ == nullptr || parameters_->cArgs < parameters_->cNamedArgs) return 0;
    return parameters_->cArgs - parameters_->cNamedArgs;
}

// IDispatch::Invoke receives the named arguments first and then the
// positional ones in reverse order: the last source argument is rgvarg[0]
// when nothing is named.
VARIANTARG* DispatchArguments::at(UINT i) const {
    if (i >= count()) return nullptr;
    return &parameters_->rgvarg[parameters_->cArgs - 1 - i];
}

VARIANTARG* DispatchArguments::putValue() const {
    if (parameters_ == nullptr || parameters_->rgdispidNamedArgs == nullptr) return nullptr;
    for (UINT k = 0; k < parameters_->cNamedArgs && k < parameters_->cArgs; ++k) {
        if (parameters_->rgdispidNamedArgs[k] == DISPID_PROPERTYPUT) return &parameters_->rgvarg[k];
    }
    return nullptr;
}

DispatchObject::DispatchObject(std::shared_ptr<const TypeDescription> description)
    : description_(std::move(description)) {
    ++liveDispatchObjects;
}

DispatchObject::~DispatchObject() { --liveDispatchObjects; }

long DispatchObject::liveObjects() { return liveDispatchObjects; }

HRESULT DispatchObject::QueryInterface(REFIID riid, void** ppvObject) {
    if (ppvObject == nullptr) return E_POINTER;
    void* answer = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        answer = static_cast<IDispatch*>(this);
    } else {
        answer = otherInterface(riid);
    }
    *ppvObject = answer;
    if (answer == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG DispatchObject::AddRef() { return ++references_; }

ULONG DispatchObject::Release() {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* pctinfo) {
    if (pctinfo == nullptr) return E_INVALIDARG;
    *pctinfo = 1;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo == nullptr) return E_INVALIDARG;
    *ppTInfo = nullptr;
    if (iTInfo != 0) return DISP_E_BADINDEX;
    return description_->sharedTypeInfo(ppTInfo);
}

HRESULT DispatchObject::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                      DISPID* rgDispId) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* typeInfo = nullptr;
    HRESULT hr = description_->sharedTypeInfo(&typeInfo);
    if (FAILED(hr)) return hr;
    hr = typeInfo->GetIDsOfNames(rgszNames, cNames, rgDispId);
    typeInfo->Release();
    return hr;
}

HRESULT DispatchObject::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags,
                               DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO*, UINT*) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (pDispParams == nullptr) pDispParams = &none;
    // Of named arguments only the value of a property put is understood.
    for (UINT k = 0; k < pDispParams->cNamedArgs; ++k) {
        if (pDispParams->rgdispidNamedArgs == nullptr ||
            pDispParams->rgdispidNamedArgs[k] != DISPID_PROPERTYPUT) {
            return DISP_E_NONAMEDARGS;
        }
    }
    if (pVarResult != nullptr) VariantInit(pVarResult);
    return invokeMember(dispIdMember, wFlags, DispatchArguments(pDispParams), pVarResult);
}
