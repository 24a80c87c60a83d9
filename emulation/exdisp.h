// The web browser interfaces of the emulated API: IWebBrowser,
// IWebBrowserApp and IWebBrowser2, declared whole with every method in its
// documented order and signature, so that a class of ours deriving from them
// compiles unchanged against the system headers. Parameters the
// documentation gives as long are `long` here too (32 bits on Windows).
#pragma once

#include "emulation/oleauto.h"

extern const IID IID_IWebBrowser;
extern const IID IID_IWebBrowserApp;
extern const IID IID_IWebBrowser2;
// The service under which a page's host hands out its browser object.
#define SID_SWebBrowserApp IID_IWebBrowserApp

// A window handle as the browser gives it: pointer-sized.
typedef LONG_PTR SHANDLE_PTR;

enum READYSTATE {
    READYSTATE_UNINITIALIZED = 0,
    READYSTATE_LOADING = 1,
    READYSTATE_LOADED = 2,
    READYSTATE_INTERACTIVE = 3,
    READYSTATE_COMPLETE = 4
};

enum OLECMDID {
    OLECMDID_OPEN = 1,
    OLECMDID_NEW = 2,
    OLECMDID_SAVE = 3,
    OLECMDID_SAVEAS = 4,
    OLECMDID_SAVECOPYAS = 5,
    OLECMDID_PRINT = 6,
    OLECMDID_PRINTPREVIEW = 7,
    OLECMDID_PAGESETUP = 8,
    OLECMDID_SPELL = 9,
    OLECMDID_PROPERTIES = 10,
    OLECMDID_CUT = 11,
    OLECMDID_COPY = 12,
    OLECMDID_PASTE = 13,
    OLECMDID_PASTESPECIAL = 14,
    OLECMDID_UNDO = 15,
    OLECMDID_REDO = 16,
    OLECMDID_SELECTALL = 17,
    OLECMDID_CLEARSELECTION = 18,
    OLECMDID_ZOOM = 19,
    OLECMDID_GETZOOMRANGE = 20,
    OLECMDID_UPDATECOMMANDS = 21,
    OLECMDID_REFRESH = 22,
    OLECMDID_STOP = 23,
    OLECMDID_HIDETOOLBARS = 24,
    OLECMDID_SETPROGRESSMAX = 25,
    OLECMDID_SETPROGRESSPOS = 26,
    OLECMDID_SETPROGRESSTEXT = 27,
    OLECMDID_SETTITLE = 28,
    OLECMDID_SETDOWNLOADSTATE = 29,
    OLECMDID_STOPDOWNLOAD = 30,
    OLECMDID_ONTOOLBARACTIVATED = 31,
    OLECMDID_FIND = 32,
    OLECMDID_DELETE = 33,
    OLECMDID_HTTPEQUIV = 34,
    OLECMDID_HTTPEQUIV_DONE = 35,
    OLECMDID_ENABLE_INTERACTION = 36,
    OLECMDID_ONUNLOAD = 37,
    OLECMDID_PROPERTYBAG2 = 38,
    OLECMDID_PREREFRESH = 39,
    OLECMDID_SHOWSCRIPTERROR = 40,
    OLECMDID_SHOWMESSAGE = 41,
    OLECMDID_SHOWFIND = 42,
    OLECMDID_SHOWPAGESETUP = 43,
    OLECMDID_SHOWPRINT = 44,
    OLECMDID_CLOSE = 45,
    OLECMDID_ALLOWUILESSSAVEAS = 46,
    OLECMDID_DONTDOWNLOADCSS = 47,
    OLECMDID_UPDATEPAGESTATUS = 48,
    OLECMDID_PRINT2 = 49,
    OLECMDID_PRINTPREVIEW2 = 50,
    OLECMDID_SETPRINTTEMPLATE = 51,
    OLECMDID_GETPRINTTEMPLATE = 52
};

enum OLECMDF {
    OLECMDF_SUPPORTED = 0x1,
    OLECMDF_ENABLED = 0x2,
    OLECMDF_LATCHED = 0x4,
    OLECMDF_NINCHED = 0x8,
    OLECMDF_INVISIBLE = 0x10,
    OLECMDF_DEFHIDEONCTXTMENU = 0x20
};

enum OLECMDEXECOPT {
    OLECMDEXECOPT_DODEFAULT = 0,
    OLECMDEXECOPT_PROMPTUSER = 1,
    OLECMDEXECOPT_DONTPROMPTUSER = 2,
    OLECMDEXECOPT_SHOWHELP = 3
};

struct IWebBrowser : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE GoBack() = 0;
    virtual HRESULT STDMETHODCALLTYPE GoForward() = 0;
    virtual HRESULT STDMETHODCALLTYPE GoHome() = 0;
    virtual HRESULT STDMETHODCALLTYPE GoSearch() = 0;
    virtual HRESULT STDMETHODCALLTYPE Navigate(BSTR URL, VARIANT* Flags, VARIANT* TargetFrameName,
                                               VARIANT* PostData, VARIANT* Headers) = 0;
    virtual HRESULT STDMETHODCALLTYPE Refresh() = 0;
    virtual HRESULT STDMETHODCALLTYPE Refresh2(VARIANT* Level) = 0;
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Application(IDispatch** ppDisp) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** ppDisp) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Container(IDispatch** ppDisp) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Document(IDispatch** ppDisp) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TopLevelContainer(VARIANT_BOOL* pBool) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Type(BSTR* Type) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Left(long* pl) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Left(long Left) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Top(long* pl) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Top(long Top) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Width(long* pl) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Width(long Width) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Height(long* pl) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Height(long Height) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_LocationName(BSTR* LocationName) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* LocationURL) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL* pBool) = 0;
};

struct IWebBrowserApp : public IWebBrowser {
    virtual HRESULT STDMETHODCALLTYPE Quit() = 0;
    virtual HRESULT STDMETHODCALLTYPE ClientToWindow(int* pcx, int* pcy) = 0;
    virtual HRESULT STDMETHODCALLTYPE PutProperty(BSTR Property, VARIANT vtValue) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetProperty(BSTR Property, VARIANT* pvtValue) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* Name) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* pHWND) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FullName(BSTR* FullName) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Path(BSTR* Path) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* pBool) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL Value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_StatusBar(VARIANT_BOOL* pBool) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL Value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_StatusText(BSTR* StatusText) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_StatusText(BSTR StatusText) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ToolBar(int* Value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ToolBar(int Value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL* Value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL Value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FullScreen(VARIANT_BOOL* pbFullScreen) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_FullScreen(VARIANT_BOOL bFullScreen) = 0;
};

struct IWebBrowser2 : public IWebBrowserApp {
    virtual HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* URL, VARIANT* Flags,
                                                VARIANT* TargetFrameName, VARIANT* PostData,
                                                VARIANT* Headers) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryStatusWB(OLECMDID cmdID, OLECMDF* pcmdf) = 0;
    virtual HRESULT STDMETHODCALLTYPE ExecWB(OLECMDID cmdID, OLECMDEXECOPT cmdexecopt,
                                             VARIANT* pvaIn, VARIANT* pvaOut) = 0;
    virtual HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT* pvaClsid, VARIANT* pvarShow,
                                                     VARIANT* pvarSize) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* plReadyState) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Offline(VARIANT_BOOL* pbOffline) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Offline(VARIANT_BOOL bOffline) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Silent(VARIANT_BOOL* pbSilent) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Silent(VARIANT_BOOL bSilent) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RegisterAsBrowser(VARIANT_BOOL* pbRegister) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_RegisterAsBrowser(VARIANT_BOOL bRegister) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RegisterAsDropTarget(VARIANT_BOOL* pbRegister) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_RegisterAsDropTarget(VARIANT_BOOL bRegister) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TheaterMode(VARIANT_BOOL* pbRegister) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TheaterMode(VARIANT_BOOL bRegister) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AddressBar(VARIANT_BOOL* Value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL Value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Resizable(VARIANT_BOOL* Value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Resizable(VARIANT_BOOL Value) = 0;
};
typedef IWebBrowser2* LPWEBBROWSER2;
