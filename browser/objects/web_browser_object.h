// The web browser object a window's IServiceProvider hands out for
// SID_SWebBrowserApp: IWebBrowser2 with get_Document giving the window's
// current document (no domain boundary applies on this path), and the
// address, name, ready state, busy flag and navigation of the window. The
// other methods answer E_NOTIMPL. It has no type information: callers use
// its methods directly.
#pragma once

#include <atomic>
#include <memory>

#include "platform/win32.h"

namespace browser {

class Window;

class WebBrowserObject final : public IWebBrowser2 {
public:
    // A new object with one reference, the caller's.
    static WebBrowserObject* create(std::shared_ptr<Window> window);
    // Web browser objects alive in the process, for leak checks in tests.
    static long liveObjects();
    ULONG referenceCount() const { return references_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;
    // IWebBrowser
    HRESULT STDMETHODCALLTYPE GoBack() override;
    HRESULT STDMETHODCALLTYPE GoForward() override;
    HRESULT STDMETHODCALLTYPE GoHome() override;
    HRESULT STDMETHODCALLTYPE GoSearch() override;
    HRESULT STDMETHODCALLTYPE Navigate(BSTR URL, VARIANT* Flags, VARIANT* TargetFrameName,
                                       VARIANT* PostData, VARIANT* Headers) override;
    HRESULT STDMETHODCALLTYPE Refresh() override;
    HRESULT STDMETHODCALLTYPE Refresh2(VARIANT* Level) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE get_Application(IDispatch** ppDisp) override;
    HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** ppDisp) override;
    HRESULT STDMETHODCALLTYPE get_Container(IDispatch** ppDisp) override;
    HRESULT STDMETHODCALLTYPE get_Document(IDispatch** ppDisp) override;
    HRESULT STDMETHODCALLTYPE get_TopLevelContainer(VARIANT_BOOL* pBool) override;
    HRESULT STDMETHODCALLTYPE get_Type(BSTR* Type) override;
    HRESULT STDMETHODCALLTYPE get_Left(long* pl) override;
    HRESULT STDMETHODCALLTYPE put_Left(long Left) override;
    HRESULT STDMETHODCALLTYPE get_Top(long* pl) override;
    HRESULT STDMETHODCALLTYPE put_Top(long Top) override;
    HRESULT STDMETHODCALLTYPE get_Width(long* pl) override;
    HRESULT STDMETHODCALLTYPE put_Width(long Width) override;
    HRESULT STDMETHODCALLTYPE get_Height(long* pl) override;
    HRESULT STDMETHODCALLTYPE put_Height(long Height) override;
    HRESULT STDMETHODCALLTYPE get_LocationName(BSTR* LocationName) override;
    HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* LocationURL) override;
    HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL* pBool) override;
    // IWebBrowserApp
    HRESULT STDMETHODCALLTYPE Quit() override;
    HRESULT STDMETHODCALLTYPE ClientToWindow(int* pcx, int* pcy) override;
    HRESULT STDMETHODCALLTYPE PutProperty(BSTR Property, VARIANT vtValue) override;
    HRESULT STDMETHODCALLTYPE GetProperty(BSTR Property, VARIANT* pvtValue) override;
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* Name) override;
    HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* pHWND) override;
    HRESULT STDMETHODCALLTYPE get_FullName(BSTR* FullName) override;
    HRESULT STDMETHODCALLTYPE get_Path(BSTR* Path) override;
    HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* pBool) override;
    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL Value) override;
    HRESULT STDMETHODCALLTYPE get_StatusBar(VARIANT_BOOL* pBool) override;
    HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL Value) override;
    HRESULT STDMETHODCALLTYPE get_StatusText(BSTR* StatusText) override;
    HRESULT STDMETHODCALLTYPE put_StatusText(BSTR StatusText) override;
    HRESULT STDMETHODCALLTYPE get_ToolBar(int* Value) override;
    HRESULT STDMETHODCALLTYPE put_ToolBar(int Value) override;
    HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL* Value) override;
    HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL Value) override;
    HRESULT STDMETHODCALLTYPE get_FullScreen(VARIANT_BOOL* pbFullScreen) override;
    HRESULT STDMETHODCALLTYPE put_FullScreen(VARIANT_BOOL bFullScreen) override;
    // IWebBrowser2
    HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName,
                                        VARIANT* PostData, VARIANT* Headers) override;
    HRESULT STDMETHODCALLTYPE QueryStatusWB(OLECMDID cmdID, OLECMDF* pcmdf) override;
    HRESULT STDMETHODCALLTYPE ExecWB(OLECMDID cmdID, OLECMDEXECOPT cmdexecopt, VARIANT* pvaIn,
                                     VARIANT* pvaOut) override;
    HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT* pvaClsid, VARIANT* pvarShow,
                                             VARIANT* pvarSize) override;
    HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* plReadyState) override;
    HRESULT STDMETHODCALLTYPE get_Offline(VARIANT_BOOL* pbOffline) override;
    HRESULT STDMETHODCALLTYPE put_Offline(VARIANT_BOOL bOffline) override;
    HRESULT STDMETHODCALLTYPE get_Silent(VARIANT_BOOL* pbSilent) override;
    HRESULT STDMETHODCALLTYPE put_Silent(VARIANT_BOOL bSilent) override;
    HRESULT STDMETHODCALLTYPE get_RegisterAsBrowser(VARIANT_BOOL* pbRegister) override;
    HRESULT STDMETHODCALLTYPE put_RegisterAsBrowser(VARIANT_BOOL bRegister) override;
    HRESULT STDMETHODCALLTYPE get_RegisterAsDropTarget(VARIANT_BOOL* pbRegister) override;
    HRESULT STDMETHODCALLTYPE put_RegisterAsDropTarget(VARIANT_BOOL bRegister) override;
    HRESULT STDMETHODCALLTYPE get_TheaterMode(VARIANT_BOOL* pbRegister) override;
    HRESULT STDMETHODCALLTYPE put_TheaterMode(VARIANT_BOOL bRegister) override;
    HRESULT STDMETHODCALLTYPE get_AddressBar(VARIANT_BOOL* Value) override;
    HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL Value) override;
    HRESULT STDMETHODCALLTYPE get_Resizable(VARIANT_BOOL* Value) override;
    HRESULT STDMETHODCALLTYPE put_Resizable(VARIANT_BOOL Value) override;

private:
    explicit WebBrowserObject(std::shared_ptr<Window> window);
    ~WebBrowserObject();

    std::shared_ptr<Window> window_;
    std::atomic<ULONG> references_{1};
};

}  // namespace browser
