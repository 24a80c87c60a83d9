#include "tests/support/probe_object.h"

#include <algorithm>
#include <string>

namespace {

const OLECHAR* ole(const char16_t* text) { return reinterpret_cast<const OLECHAR*>(text); }

ParameterDescription parameter(std::string name, DeclaredType type, USHORT flags = PARAMFLAG_FIN) {
    return ParameterDescription(std::move(name), std::move(type), flags);
}

std::shared_ptr<const TypeDescription> probeDescription() {
    static const auto description = [] {
        auto d = std::make_shared<TypeDescription>("IProbe");
        const DeclaredType probeInterface = DeclaredType::dispatchInterface("IProbeObject");
        const DeclaredType mode =
            DeclaredType::enumeration("ProbeMode", {{"probeModeOne", 1}, {"probeModeTwo", 2}});
        d->propertyGet(kProbeName, "Name", VT_BSTR)
            .propertyPut(kProbeName, "Name", VT_BSTR)
            .propertyGet(kProbeCount, "count", VT_I4)
            .propertyGet(kProbeRatio, "Ratio", VT_R8)
            .propertyGet(kProbeChild, "child", VT_DISPATCH)
            .propertyGet(kProbeNothing, "Nothing", VT_DISPATCH)
            .propertyGet(kProbeEmptyValue, "EmptyValue", VT_VARIANT)
            .propertyGet(kProbeNullValue, "NullValue", VT_VARIANT)
            .method(kProbeItem, "item", {parameter("index", VT_VARIANT)}, VT_DISPATCH)
            .method(kProbeConcat, "Concat",
                    {parameter("first", VT_BSTR),
                     parameter("second", VT_VARIANT, PARAMFLAG_FIN | PARAMFLAG_FOPT)},
                    VT_BSTR, 1)
            .method(kProbeSum, "Sum", {parameter("values", DeclaredType::safeArrayOf(VT_VARIANT))},
                    VT_R8, -1)
            .method(kProbeSwap, "Swap",
                    {parameter("text", DeclaredType::pointerTo(VT_BSTR),
                               PARAMFLAG_FIN | PARAMFLAG_FOUT),
                     parameter("number", DeclaredType::pointerTo(VT_I4), PARAMFLAG_FOUT)},
                    VT_VOID)
            .method(kProbeFail, "Fail", {parameter("result", VT_I4)}, VT_VOID)
            .variable(kProbeFlag, "Flag", VT_BOOL)
            .variable(kProbePeer, "Peer", VT_DISPATCH)
            .method(kProbeTakes, "Takes",
                    {parameter("object", DeclaredType::pointerTo(probeInterface))}, VT_I4)
            .method(kProbeMode, "Mode", {parameter("mode", mode)}, VT_I4)
            .method(kProbeTwice, "Twice",
                    {parameter("value", DeclaredType::pointerTo(VT_I4),
                               PARAMFLAG_FIN | PARAMFLAG_FOUT)},
                    VT_VOID)
            .propertyGet(kProbeWords, "Words", VT_BSTR)
            .method(kProbeKeeps, "Keeps", {parameter("object", VT_UNKNOWN)}, VT_I4);
        return std::shared_ptr<const TypeDescription>(std::move(d));
    }();
    return description;
}

// The argument converted to `type`; VT_EMPTY when it does not convert.
VARIANT converted(const VARIANT* argument, VARTYPE type) {
    VARIANT value;
    VariantInit(&value);
    if (argument == nullptr ||
        FAILED(VariantChangeType(&value, const_cast<VARIANT*>(argument), 0, type))) {
        VariantInit(&value);
    }
    return value;
}

void setText(VARIANT* result, const std::u16string& text) {
    if (result == nullptr) return;
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(ole(text.data()), static_cast<UINT>(text.size()));
}

std::u16string textOf(const VARIANT* argument) {
    VARIANT text = converted(argument, VT_BSTR);
    std::u16string value;
    if (text.vt == VT_BSTR) {
        const auto* characters = reinterpret_cast<const char16_t*>(text.bstrVal);
        value.assign(characters, characters + SysStringLen(text.bstrVal));
    }
    VariantClear(&text);
    return value;
}

}  // namespace

Probe::Probe() : DispatchObject(probeDescription()) {}

Probe::~Probe() {
    if (peer_ != nullptr) peer_->Release();
}

Probe* Probe::create() { return new Probe; }

HRESULT Probe::invokeMember(DISPID id, WORD flags, const DispatchArguments& arguments,
                            VARIANT* result) {
    lastCall_.id = id;
    lastCall_.flags = flags;
    lastCall_.argumentTypes.clear();
    for (UINT i = 0; i < arguments.count(); ++i)
        lastCall_.argumentTypes.push_back(arguments.at(i)->vt);
    lastCall_.namedArguments = arguments.putValue() != nullptr ? 1 : 0;

    VARIANT ignored;
    VariantInit(&ignored);
    if (result == nullptr) result = &ignored;
    HRESULT hr = S_OK;
    switch (id) {
        case kProbeName:
            if (flags & DISPATCH_PROPERTYPUT) {
                name_ = textOf(arguments.putValue());
            } else {
                setText(result, name());
            }
            break;
        case kProbeCount:
            result->vt = VT_I4;
            result->lVal = 7;
            break;
        case kProbeRatio:
            result->vt = VT_R8;
            result->dblVal = 0.25;
            break;
        case kProbeChild:
        case kProbeItem:
            result->vt = VT_DISPATCH;
            result->pdispVal = Probe::create();
            break;
        case kProbeNothing:
            result->vt = VT_DISPATCH;
            result->pdispVal = nullptr;
            break;
        case kProbeEmptyValue:
            break;
        case kProbeNullValue:
            result->vt = VT_NULL;
            break;
        case kProbeConcat: {
            const VARIANT* second = arguments.at(1);
            bool omitted = second == nullptr ||
                           (second->vt == VT_ERROR && second->scode == DISP_E_PARAMNOTFOUND);
            setText(result, textOf(arguments.at(0)) + (omitted ? u"" : textOf(second)));
            break;
        }
        case kProbeSum: {
            double sum = 0;
            for (UINT i = 0; i < arguments.count(); ++i) {
                VARIANT number = converted(arguments.at(i), VT_R8);
                sum += number.vt == VT_R8 ? number.dblVal : 0;
            }
            result->vt = VT_R8;
            result->dblVal = sum;
            break;
        }
        case kProbeSwap: {
            VARIANT* text = arguments.at(0);
            VARIANT* number = arguments.at(1);
            if (text == nullptr || text->vt != (VT_BYREF | VT_BSTR) || number == nullptr ||
                number->vt != (VT_BYREF | VT_I4)) {
                return DISP_E_TYPEMISMATCH;
            }
            std::u16string reversed(reinterpret_cast<const char16_t*>(*text->pbstrVal),
                                    SysStringLen(*text->pbstrVal));
            std::reverse(reversed.begin(), reversed.end());
            SysFreeString(*text->pbstrVal);
            *text->pbstrVal =
                SysAllocStringLen(ole(reversed.data()), static_cast<UINT>(reversed.size()));
            *number->plVal = 99;
            break;
        }
        case kProbeFail: {
            VARIANT code = converted(arguments.at(0), VT_I4);
            hr = code.lVal;
            break;
        }
        case kProbeFlag:
            if (flags & DISPATCH_PROPERTYPUT) {
                VARIANT value = converted(arguments.putValue(), VT_BOOL);
                flag_ = value.boolVal;
            } else {
                result->vt = VT_BOOL;
                result->boolVal = flag_;
            }
            break;
        case kProbePeer:
            if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
                const VARIANT* value = arguments.putValue();
                IDispatch* peer =
                    value != nullptr && value->vt == VT_DISPATCH ? value->pdispVal : nullptr;
                if (peer != nullptr) peer->AddRef();
                if (peer_ != nullptr) peer_->Release();
                peer_ = peer;
            } else {
                if (peer_ != nullptr) peer_->AddRef();
                result->vt = VT_DISPATCH;
                result->pdispVal = peer_;
            }
            break;
        case kProbeTakes:
        case kProbeMode:
        case kProbeKeeps:
            // Answers with the type the argument arrived as.
            result->vt = VT_I4;
            result->lVal = arguments.at(0) != nullptr ? arguments.at(0)->vt : VARTYPE{VT_EMPTY};
            break;
        case kProbeTwice: {
            VARIANT* value = arguments.at(0);
            if (value == nullptr || value->vt != (VT_BYREF | VT_I4)) return DISP_E_TYPEMISMATCH;
            *value->plVal *= 2;
            break;
        }
        case kProbeWords:
            setText(result, u"abc");
            break;
        default:
            hr = DISP_E_MEMBERNOTFOUND;
            break;
    }
    VariantClear(&ignored);
    return hr;
}

HRESULT PlainUnknown::QueryInterface(REFIID riid, void** ppvObject) {
    if (IsEqualIID(riid, IID_IUnknown)) {
        *ppvObject = this;
        AddRef();
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}
