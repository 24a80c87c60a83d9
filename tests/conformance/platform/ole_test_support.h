// What the OLE Automation conformance tests share: UTF-16 literals as
// OLECHAR text, readable descriptions of variants, and a small IDispatch
// object that counts its references and answers its default value.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/win32.h"

namespace ole_test {

// u"..." as the OLECHAR text the API takes (wchar_t on Windows, char16_t on
// the host: 16 bits on both).
inline const OLECHAR* ole(const char16_t* text) { return reinterpret_cast<const OLECHAR*>(text); }

inline std::u16string textOf(BSTR text) {
    if (text == nullptr) return std::u16string();
    return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

// ASCII as it is, other characters as \uXXXX: readable in any failure message.
inline std::string printable(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    return out;
}

inline std::string describe(const VARIANT& v) {
    char buffer[96];
    switch (v.vt) {
        case VT_EMPTY:
            return "VT_EMPTY";
        case VT_NULL:
            return "VT_NULL";
        case VT_I1:
            std::snprintf(buffer, sizeof buffer, "VT_I1 %d", static_cast<signed char>(v.cVal));
            break;
        case VT_UI1:
            std::snprintf(buffer, sizeof buffer, "VT_UI1 %u", v.bVal);
            break;
        case VT_I2:
            std::snprintf(buffer, sizeof buffer, "VT_I2 %d", v.iVal);
            break;
        case VT_UI2:
            std::snprintf(buffer, sizeof buffer, "VT_UI2 %u", v.uiVal);
            break;
        case VT_I4:
            std::snprintf(buffer, sizeof buffer, "VT_I4 %ld", static_cast<long>(v.lVal));
            break;
        case VT_UI4:
            std::snprintf(buffer, sizeof buffer, "VT_UI4 %lu", static_cast<unsigned long>(v.ulVal));
            break;
        case VT_INT:
            std::snprintf(buffer, sizeof buffer, "VT_INT %d", v.intVal);
            break;
        case VT_UINT:
            std::snprintf(buffer, sizeof buffer, "VT_UINT %u", v.uintVal);
            break;
        case VT_I8:
            std::snprintf(buffer, sizeof buffer, "VT_I8 %lld", static_cast<long long>(v.llVal));
            break;
        case VT_UI8:
            std::snprintf(buffer, sizeof buffer, "VT_UI8 %llu",
                          static_cast<unsigned long long>(v.ullVal));
            break;
        case VT_R4:
            std::snprintf(buffer, sizeof buffer, "VT_R4 %.9g", v.fltVal);
            break;
        case VT_R8:
            std::snprintf(buffer, sizeof buffer, "VT_R8 %.17g", v.dblVal);
            break;
        case VT_DATE:
            std::snprintf(buffer, sizeof buffer, "VT_DATE %.17g", v.date);
            break;
        case VT_BOOL:
            std::snprintf(buffer, sizeof buffer, "VT_BOOL %d", v.boolVal);
            break;
        case VT_ERROR:
            std::snprintf(buffer, sizeof buffer, "VT_ERROR 0x%08lx",
                          static_cast<unsigned long>(v.scode));
            break;
        case VT_BSTR:
            return v.bstrVal == nullptr ? "VT_BSTR null"
                                        : "VT_BSTR \"" + printable(textOf(v.bstrVal)) + "\"";
        case VT_DISPATCH:
        case VT_UNKNOWN:
            std::snprintf(buffer, sizeof buffer, "%s %p",
                          v.vt == VT_DISPATCH ? "VT_DISPATCH" : "VT_UNKNOWN",
                          static_cast<void*>(v.punkVal));
            break;
        default:
            std::snprintf(buffer, sizeof buffer, "vt 0x%04x", v.vt);
            break;
    }
    return buffer;
}

inline std::string describeResult(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lx",
                  static_cast<unsigned long>(static_cast<ULONG>(hr)));
    return buffer;
}

// An object with a default value (DISPID_VALUE) that counts its references
// and the calls made to it. It lives on the stack: the count starts at 1 for
// the test's own reference and must be back at 1 when the test ends.
class CountingDispatch : public IDispatch {
public:
    CountingDispatch() { VariantInit(&value); }
    ~CountingDispatch() { VariantClear(&value); }
    CountingDispatch(const CountingDispatch&) = delete;
    CountingDispatch& operator=(const CountingDispatch&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (IsEqualIID(riid, IID_IUnknown) ||
            (answersDispatch && IsEqualIID(riid, IID_IDispatch))) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        ++invokes;
        lastMember = member;
        lastFlags = flags;
        lastArgumentCount = parameters != nullptr ? static_cast<int>(parameters->cArgs) : -1;
        if (FAILED(invokeResult)) return invokeResult;
        return result != nullptr ? VariantCopy(result, &value) : S_OK;
    }

    long references = 1;
    int invokes = 0;
    DISPID lastMember = DISPID_UNKNOWN;
    WORD lastFlags = 0;
    int lastArgumentCount = -1;
    HRESULT invokeResult = S_OK;
    bool answersDispatch = true;
    VARIANT value;  // the default value Invoke hands out
};

}  // namespace ole_test
