// A small automation object for tests of the call layer: members of every
// shape the layer binds (properties, methods, optional and output parameters,
// a variable argument list, variables, user-defined types), recording how it
// was invoked.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "com/dispatch_object.h"

enum ProbeMember : DISPID {
    kProbeName = 1,
    kProbeCount,
    kProbeRatio,
    kProbeChild,
    kProbeNothing,
    kProbeEmptyValue,
    kProbeNullValue,
    kProbeItem,
    kProbeConcat,
    kProbeSum,
    kProbeSwap,
    kProbeFail,
    kProbeFlag,
    kProbePeer,
    kProbeTakes,
    kProbeMode,
    kProbeTwice,
    kProbeWords,
    kProbeKeeps,
};

class Probe : public DispatchObject {
public:
    // A new probe with one reference, the caller's.
    static Probe* create();

    // How the last Invoke was made.
    struct Call {
        DISPID id = DISPID_UNKNOWN;
        WORD flags = 0;
        std::vector<VARTYPE> argumentTypes;  // in source order
        UINT namedArguments = 0;
    };
    const Call& lastCall() const { return lastCall_; }

    // The getter behind the "Name" property, for comparing a direct call
    // with a late-bound read.
    const std::u16string& name() const { return name_; }

protected:
    Probe();
    ~Probe() override;

    HRESULT invokeMember(DISPID id, WORD flags, const DispatchArguments& arguments,
                         VARIANT* result) override;

private:
    Call lastCall_;
    std::u16string name_ = u"探针";
    VARIANT_BOOL flag_ = VARIANT_FALSE;
    IDispatch* peer_ = nullptr;
};

// A probe that gives no type information.
class ProbeWithoutTypeInfo : public Probe {
public:
    static ProbeWithoutTypeInfo* create() { return new ProbeWithoutTypeInfo; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
        *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
};

// An object that answers only IUnknown.
class PlainUnknown : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    ULONG referenceCount() const { return references_; }

private:
    ULONG references_ = 1;
};
