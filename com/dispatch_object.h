// The base of our own automation objects: reference counting that tests can
// read, IUnknown and IDispatch, type information from a TypeDescription, and
// Invoke dispatching by member id to the object's own code.
#pragma once

#include <atomic>
#include <memory>

#include "com/type_description.h"
#include "platform/win32.h"

// The arguments of one Invoke, in source order (IDispatch receives them
// last first).
class DispatchArguments {
public:
    explicit DispatchArguments(DISPPARAMS* parameters);

    // Positional arguments, not counting the named DISPID_PROPERTYPUT value.
    UINT count() const;
    // Argument i, from 0, in source order; nullptr beyond the end.
    VARIANTARG* at(UINT i) const;
    // The value of a property put (the named DISPID_PROPERTYPUT argument).
    VARIANTARG* putValue() const;

private:
    DISPPARAMS* parameters_;
};

class DispatchObject : public IDispatch {
public:
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames,
                                            LCID lcid, DISPID* rgDispId) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                     EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    // The current number of references, for tests.
    ULONG referenceCount() const { return references_; }
    // DispatchObjects alive in the process, for leak checks in tests.
    static long liveObjects();

protected:
    // Starts with one reference, the creator's.
    explicit DispatchObject(std::shared_ptr<const TypeDescription> description);
    virtual ~DispatchObject();

    // Runs member `id` for an Invoke with `flags` (DISPATCH_*). `result` may
    // be null; otherwise it arrives empty (VT_EMPTY). Returns the HRESULT that
    // Invoke returns. Invoke itself answers DISP_E_UNKNOWNINTERFACE for a riid
    // other than IID_NULL and DISP_E_NONAMEDARGS for a named argument other
    // than DISPID_PROPERTYPUT, without calling this.
    virtual HRESULT invokeMember(DISPID id, WORD flags, const DispatchArguments& arguments,
                                 VARIANT* result) = 0;
    // Other interfaces the object answers besides IUnknown and IDispatch;
    // returns the pointer (without a reference added) or nullptr.
    virtual void* otherInterface(REFIID) { return nullptr; }

private:
    std::shared_ptr<const TypeDescription> description_;
    std::atomic<ULONG> references_{1};
};
