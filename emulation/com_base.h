// COM basics of the emulated API: result codes, GUIDs, IUnknown and the
// library's start and end. Interfaces are declared as on Windows (abstract
// structs whose methods stand in their documented order), so that COM
// classes of ours compile unchanged against either.
#pragma once

#include <cstdint>

#include "emulation/win32_types.h"

#define STDMETHODCALLTYPE
#define STDAPI extern "C" HRESULT
#define STDAPI_(type) extern "C" type

typedef LONG HRESULT;
typedef LONG SCODE;
typedef std::int64_t LONGLONG;
typedef std::uint64_t ULONGLONG;
typedef short SHORT;
typedef unsigned short USHORT;
typedef float FLOAT;
typedef double DOUBLE;
typedef void* PVOID;
typedef DWORD LCID;

#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#define MAKE_HRESULT_CODE(value) static_cast<HRESULT>(static_cast<std::uint32_t>(value))

#define S_OK static_cast<HRESULT>(0)
#define S_FALSE static_cast<HRESULT>(1)
#define E_NOTIMPL MAKE_HRESULT_CODE(0x80004001u)
#define E_NOINTERFACE MAKE_HRESULT_CODE(0x80004002u)
#define E_POINTER MAKE_HRESULT_CODE(0x80004003u)
#define E_ABORT MAKE_HRESULT_CODE(0x80004004u)
#define E_FAIL MAKE_HRESULT_CODE(0x80004005u)
#define E_UNEXPECTED MAKE_HRESULT_CODE(0x8000FFFFu)
#define E_ACCESSDENIED MAKE_HRESULT_CODE(0x80070005u)
#define E_OUTOFMEMORY MAKE_HRESULT_CODE(0x8007000Eu)
#define E_INVALIDARG MAKE_HRESULT_CODE(0x80070057u)
#define RPC_E_CHANGED_MODE MAKE_HRESULT_CODE(0x80010106u)
#define CO_E_CLASSSTRING MAKE_HRESULT_CODE(0x800401F3u)
#define REGDB_E_CLASSNOTREG MAKE_HRESULT_CODE(0x80040154u)

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;
typedef IID* LPIID;
typedef CLSID* LPCLSID;

inline bool IsEqualGUID(REFGUID a, REFGUID b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i]) return false;
    }
    return true;
}
inline bool IsEqualIID(REFIID a, REFIID b) { return IsEqualGUID(a, b); }
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b) { return IsEqualGUID(a, b); }
inline bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b); }
inline bool operator!=(REFGUID a, REFGUID b) { return !IsEqualGUID(a, b); }

extern const IID IID_NULL;
extern const IID IID_IUnknown;

struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;
};
typedef IUnknown* LPUNKNOWN;

typedef WCHAR OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;

HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid);
HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID clsid);
int StringFromGUID2(REFGUID guid, LPOLESTR text, int capacity);

#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_USER_DEFAULT 0x0400
LCID GetUserDefaultLCID();
