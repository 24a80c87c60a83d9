// LresultFromObject and ObjectFromLresult as the window picker and the page
// object use them: a window answers a registered message with an object,
// and the sender turns the answer into an interface it then owns.
#include <gtest/gtest.h>

#include "tests/conformance/platform/desktop_support.h"

namespace {

// An object whose references the test can count.
class CountedObject : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
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

    ULONG references = 1;
};

CountedObject* servedObject = nullptr;

// Answers the document message with the served object, as a page window
// does.
LRESULT CALLBACK pageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RegisterWindowMessageA("WM_HTML_GETOBJECT") && servedObject != nullptr) {
        return LresultFromObject(IID_IDispatch, wParam, servedObject);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class AccessibilityTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        servedObject = &object;
        page = makeWindow(WS_POPUP, 200, 200, 30, 20);
        SetWindowLongPtrA(page, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pageProcedure));
    }

    void TearDown() override {
        servedObject = nullptr;
        CoUninitialize();
        // The emulation lets go of what nobody collected when it next looks
        // at the thread's queue after COM's end; Windows at the end itself.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        EXPECT_EQ(object.references, 1u);
        DesktopTest::TearDown();
    }

    LRESULT askForDocument() {
        DWORD_PTR result = 0;
        EXPECT_NE(SendMessageTimeoutA(page, RegisterWindowMessageA("WM_HTML_GETOBJECT"), 0, 0,
                                      SMTO_ABORTIFHUNG, 1000, &result),
                  0);
        return static_cast<LRESULT>(result);
    }

    CountedObject object;
    HWND page = nullptr;
};

TEST_F(AccessibilityTest, TheAnswerHandsOverOneReference) {
    LRESULT answer = askForDocument();
    EXPECT_GT(answer, 0);
    EXPECT_GT(object.references, 1u);  // held for whoever collects it

    IDispatch* document = nullptr;
    ASSERT_EQ(ObjectFromLresult(answer, IID_IDispatch, 0, reinterpret_cast<void**>(&document)),
              S_OK);
    EXPECT_EQ(document, static_cast<IDispatch*>(&object));
    document->Release();

    // An answer is collected once.
    IDispatch* again = nullptr;
    EXPECT_TRUE(
        FAILED(ObjectFromLresult(answer, IID_IDispatch, 0, reinterpret_cast<void**>(&again))));
    EXPECT_EQ(again, nullptr);
}

TEST_F(AccessibilityTest, AnAnswerNobodyCollectsIsReleasedWithTheApartment) {
    EXPECT_GT(askForDocument(), 0);
    EXPECT_GT(object.references, 1u);
}

TEST_F(AccessibilityTest, AnObjectWithoutTheInterfaceGivesNoAnswer) {
    LRESULT answer = LresultFromObject(IID_IServiceProvider, 0, &object);
    EXPECT_EQ(answer, static_cast<LRESULT>(E_NOINTERFACE));
    EXPECT_EQ(object.references, 1u);
}

TEST_F(AccessibilityTest, NumbersThatNoWindowGaveAreRefused) {
    IUnknown* found = nullptr;
    // Windows documents E_INVALIDARG here; Wine answers E_FAIL.
    EXPECT_TRUE(
        FAILED(ObjectFromLresult(12345, IID_IUnknown, 0, reinterpret_cast<void**>(&found))));
    EXPECT_EQ(found, nullptr);
}

TEST(AccessibilityWithoutComTest, AnswersNeedCom) {
    CountedObject object;
    EXPECT_EQ(LresultFromObject(IID_IDispatch, 0, &object),
              static_cast<LRESULT>(CO_E_NOTINITIALIZED));
    EXPECT_EQ(object.references, 1u);
}

}  // namespace
