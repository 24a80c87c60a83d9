// LresultFromObject and ObjectFromLresult in the emulation: the documented
// failure codes, which Wine does not give, and the life of a reference
// nobody collects.
#include "tests/host/emulation/desktop_host_test.h"

namespace {

class Counted : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    ULONG references = 1;
};

class ObjectResultTest : public DesktopHostTest {
protected:
    void SetUp() override {
        DesktopHostTest::SetUp();
        CoInitialize(nullptr);
    }
    void TearDown() override {
        CoUninitialize();
        DesktopHostTest::TearDown();
        EXPECT_EQ(object.references, 1u);
    }
    Counted object;
};

TEST_F(ObjectResultTest, AnswersAreCollectedOnceAndOnlyThey) {
    LRESULT answer = LresultFromObject(IID_IUnknown, 0, &object);
    ASSERT_GT(answer, 0);
    EXPECT_EQ(object.references, 2u);  // exactly one reference held for the answer
    EXPECT_EQ(emulation::liveDesktopObjects().uncollectedObjects, 1);
    IUnknown* collected = nullptr;
    ASSERT_EQ(ObjectFromLresult(answer, IID_IUnknown, 0, reinterpret_cast<void**>(&collected)),
              S_OK);
    EXPECT_EQ(object.references, 2u);  // handed over, not added to
    collected->Release();
    EXPECT_EQ(ObjectFromLresult(answer, IID_IUnknown, 0, reinterpret_cast<void**>(&collected)),
              E_INVALIDARG);
    EXPECT_EQ(
        ObjectFromLresult(answer + 1000, IID_IUnknown, 0, reinterpret_cast<void**>(&collected)),
        E_INVALIDARG);
    EXPECT_EQ(ObjectFromLresult(answer, IID_IUnknown, 0, nullptr), E_POINTER);
    EXPECT_EQ(LresultFromObject(IID_IUnknown, 0, nullptr), static_cast<LRESULT>(E_INVALIDARG));
}

TEST_F(ObjectResultTest, CollectingAsAnotherInterfaceStillReleasesTheAnswer) {
    LRESULT answer = LresultFromObject(IID_IUnknown, 0, &object);
    ASSERT_GT(answer, 0);
    IDispatch* wrong = nullptr;
    EXPECT_EQ(ObjectFromLresult(answer, IID_IDispatch, 0, reinterpret_cast<void**>(&wrong)),
              E_NOINTERFACE);
    EXPECT_EQ(wrong, nullptr);
    EXPECT_EQ(object.references, 1u);
    EXPECT_EQ(emulation::liveDesktopObjects().uncollectedObjects, 0);
}

TEST_F(ObjectResultTest, AnAnswerNobodyCollectsGoesWithTheThreadsCom) {
    ASSERT_GT(LresultFromObject(IID_IUnknown, 0, &object), 0);
    CoInitialize(nullptr);  // a second, nested use keeps it
    CoUninitialize();
    EXPECT_EQ(emulation::liveDesktopObjects().uncollectedObjects, 1);
    EXPECT_EQ(object.references, 2u);
    CoUninitialize();
    EXPECT_EQ(emulation::liveDesktopObjects().uncollectedObjects, 0);
    EXPECT_EQ(object.references, 1u);
    CoInitialize(nullptr);  // for the fixture's own balance
}

}  // namespace
