// A class of ours implementing IWebBrowser2 whole, every method marked
// override: it compiles against the system headers and against the
// emulation alike only while both declare the same methods with the same
// signatures. The slot test then checks both declare them in one order.
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "tests/conformance/platform/ole_test_support.h"

namespace {

class StubBrowser : public IWebBrowser2 {
public:
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, IID_IWebBrowser) || IsEqualIID(riid, IID_IWebBrowserApp) ||
            IsEqualIID(riid, IID_IWebBrowser2)) {
            *object = static_cast<IWebBrowser2*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IWebBrowser
    HRESULT STDMETHODCALLTYPE GoBack() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GoForward() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GoHome() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GoSearch() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Navigate(BSTR, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Refresh() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Refresh2(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stop() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Application(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Parent(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Container(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Document(IDispatch** document) override {
        *document = nullptr;
        return S_FALSE;  // no document loaded
    }
    HRESULT STDMETHODCALLTYPE get_TopLevelContainer(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Type(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Left(long* left) override {
        *left = left_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Left(long left) override {
        left_ = left;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Top(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Top(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Width(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Width(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Height(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Height(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_LocationName(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* url) override {
        *url = SysAllocString(ole_test::ole(u"about:blank"));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL*) override { return E_NOTIMPL; }

    // IWebBrowserApp
    HRESULT STDMETHODCALLTYPE Quit() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ClientToWindow(int*, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PutProperty(BSTR, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetProperty(BSTR, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* window) override {
        *window = 42;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_FullName(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Path(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_StatusBar(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_StatusText(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_StatusText(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ToolBar(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_ToolBar(int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_FullScreen(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_FullScreen(VARIANT_BOOL) override { return E_NOTIMPL; }

    // IWebBrowser2
    HRESULT STDMETHODCALLTYPE Navigate2(VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE QueryStatusWB(OLECMDID command, OLECMDF* status) override {
        *status = command == OLECMDID_REFRESH
                      ? static_cast<OLECMDF>(OLECMDF_SUPPORTED | OLECMDF_ENABLED)
                      : OLECMDF_SUPPORTED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ExecWB(OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* state) override {
        *state = READYSTATE_COMPLETE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Offline(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Offline(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Silent(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Silent(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_RegisterAsBrowser(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_RegisterAsBrowser(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_RegisterAsDropTarget(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_RegisterAsDropTarget(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_TheaterMode(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_TheaterMode(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_AddressBar(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Resizable(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Resizable(VARIANT_BOOL) override { return E_NOTIMPL; }

    long references = 1;

private:
    long left_ = 0;
};

// Every method implemented: the class is complete against either header.
static_assert(!std::is_abstract_v<StubBrowser>);

// GCC (both builds use it) keeps a virtual member's vtable offset plus one in
// the first word of a member function pointer, which gives the slot a call
// through the interface uses.
template <typename Member>
std::size_t slotOf(Member member) {
    static_assert(sizeof(Member) == 2 * sizeof(std::uintptr_t));
    std::uintptr_t words[2];
    std::memcpy(words, &member, sizeof words);
    return (words[0] - 1) / sizeof(void*);
}

// The slots are those of the interfaces' type library as Wine reports it:
// seven of IUnknown and IDispatch, then IWebBrowser, IWebBrowserApp and
// IWebBrowser2 in documented order.
TEST(WebBrowserInterfaceTest, MethodsStandInTheirDocumentedSlots) {
    struct Case {
        const char* name;
        std::size_t slot;
        std::size_t expected;
    };
#define VEXARO_SLOT(method, index) \
    { #method, slotOf(&IWebBrowser2::method), index }
    const Case cases[] = {
        VEXARO_SLOT(AddRef, 1),
        VEXARO_SLOT(Invoke, 6),
        VEXARO_SLOT(GoBack, 7),
        VEXARO_SLOT(GoForward, 8),
        VEXARO_SLOT(GoHome, 9),
        VEXARO_SLOT(GoSearch, 10),
        VEXARO_SLOT(Navigate, 11),
        VEXARO_SLOT(Refresh, 12),
        VEXARO_SLOT(Refresh2, 13),
        VEXARO_SLOT(Stop, 14),
        VEXARO_SLOT(get_Application, 15),
        VEXARO_SLOT(get_Parent, 16),
        VEXARO_SLOT(get_Container, 17),
        VEXARO_SLOT(get_Document, 18),
        VEXARO_SLOT(get_TopLevelContainer, 19),
        VEXARO_SLOT(get_Type, 20),
        VEXARO_SLOT(get_Left, 21),
        VEXARO_SLOT(put_Left, 22),
        VEXARO_SLOT(get_Top, 23),
        VEXARO_SLOT(put_Top, 24),
        VEXARO_SLOT(get_Width, 25),
        VEXARO_SLOT(put_Width, 26),
        VEXARO_SLOT(get_Height, 27),
        VEXARO_SLOT(put_Height, 28),
        VEXARO_SLOT(get_LocationName, 29),
        VEXARO_SLOT(get_LocationURL, 30),
        VEXARO_SLOT(get_Busy, 31),
        VEXARO_SLOT(Quit, 32),
        VEXARO_SLOT(ClientToWindow, 33),
        VEXARO_SLOT(PutProperty, 34),
        VEXARO_SLOT(GetProperty, 35),
        VEXARO_SLOT(get_Name, 36),
        VEXARO_SLOT(get_HWND, 37),
        VEXARO_SLOT(get_FullName, 38),
        VEXARO_SLOT(get_Path, 39),
        VEXARO_SLOT(get_Visible, 40),
        VEXARO_SLOT(put_Visible, 41),
        VEXARO_SLOT(get_StatusBar, 42),
        VEXARO_SLOT(put_StatusBar, 43),
        VEXARO_SLOT(get_StatusText, 44),
        VEXARO_SLOT(put_StatusText, 45),
        VEXARO_SLOT(get_ToolBar, 46),
        VEXARO_SLOT(put_ToolBar, 47),
        VEXARO_SLOT(get_MenuBar, 48),
        VEXARO_SLOT(put_MenuBar, 49),
        VEXARO_SLOT(get_FullScreen, 50),
        VEXARO_SLOT(put_FullScreen, 51),
        VEXARO_SLOT(Navigate2, 52),
        VEXARO_SLOT(QueryStatusWB, 53),
        VEXARO_SLOT(ExecWB, 54),
        VEXARO_SLOT(ShowBrowserBar, 55),
        VEXARO_SLOT(get_ReadyState, 56),
        VEXARO_SLOT(get_Offline, 57),
        VEXARO_SLOT(put_Offline, 58),
        VEXARO_SLOT(get_Silent, 59),
        VEXARO_SLOT(put_Silent, 60),
        VEXARO_SLOT(get_RegisterAsBrowser, 61),
        VEXARO_SLOT(put_RegisterAsBrowser, 62),
        VEXARO_SLOT(get_RegisterAsDropTarget, 63),
        VEXARO_SLOT(put_RegisterAsDropTarget, 64),
        VEXARO_SLOT(get_TheaterMode, 65),
        VEXARO_SLOT(put_TheaterMode, 66),
        VEXARO_SLOT(get_AddressBar, 67),
        VEXARO_SLOT(put_AddressBar, 68),
        VEXARO_SLOT(get_Resizable, 69),
        VEXARO_SLOT(put_Resizable, 70),
    };
#undef VEXARO_SLOT
    for (const Case& c : cases) EXPECT_EQ(c.slot, c.expected) << c.name;
}

// The stub reached through a base interface answers from its own methods.
TEST(WebBrowserInterfaceTest, AnImplementationServesEveryInterface) {
    StubBrowser browser;
    void* found = nullptr;
    ASSERT_EQ(browser.QueryInterface(SID_SWebBrowserApp, &found), S_OK);
    IWebBrowserApp* application = static_cast<IWebBrowser2*>(found);
    SHANDLE_PTR window = 0;
    EXPECT_EQ(application->get_HWND(&window), S_OK);
    EXPECT_EQ(window, 42);
    IWebBrowser* first = application;
    EXPECT_EQ(first->put_Left(120), S_OK);
    long left = 0;
    EXPECT_EQ(first->get_Left(&left), S_OK);
    EXPECT_EQ(left, 120);
    IDispatch* document = &browser;
    EXPECT_EQ(first->get_Document(&document), S_FALSE);
    EXPECT_EQ(document, nullptr);
    application->Release();
    EXPECT_EQ(browser.references, 1);
}

}  // namespace
