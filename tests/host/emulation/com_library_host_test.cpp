// The emulation's own hooks into its COM library: the CoInitialize balance
// per thread, and programmatic identifiers registered by tests.
#include <gtest/gtest.h>

#include <thread>

#include "emulation/testing.h"
#include "platform/win32.h"

namespace {

const OLECHAR* ole(const char16_t* text) { return reinterpret_cast<const OLECHAR*>(text); }

TEST(ComLibraryHostTest, InitializeDepthCountsUnbalancedCalls) {
    ASSERT_EQ(emulation::comInitializeDepth(), 0);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(emulation::comInitializeDepth(), 2);
    CoUninitialize();
    EXPECT_EQ(emulation::comInitializeDepth(), 1);
    CoUninitialize();
    CoUninitialize();  // one too many: ignored
    EXPECT_EQ(emulation::comInitializeDepth(), 0);
}

TEST(ComLibraryHostTest, EachThreadHasItsOwnBalance) {
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    HRESULT otherFirst = E_FAIL;
    int otherDepth = -1;
    std::thread other([&] {
        otherFirst = CoInitialize(nullptr);
        otherDepth = emulation::comInitializeDepth();
        CoUninitialize();
    });
    other.join();
    EXPECT_EQ(otherFirst, S_OK);
    EXPECT_EQ(otherDepth, 1);
    EXPECT_EQ(emulation::comInitializeDepth(), 1);
    CoUninitialize();
}

TEST(ComLibraryHostTest, RegisteredProgrammaticIdentifiers) {
    const CLSID clsid = {
        0x11223344, 0x5566, 0x7788, {0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x00}};
    CLSID found;
    ASSERT_EQ(CLSIDFromProgID(ole(u"Vexaro.Probe"), &found), CO_E_CLASSSTRING);

    emulation::registerProgId(u"Vexaro.Probe", clsid);
    ASSERT_EQ(CLSIDFromProgID(ole(u"vexaro.probe"), &found), S_OK);
    EXPECT_TRUE(IsEqualCLSID(found, clsid));
    ASSERT_EQ(CLSIDFromString(ole(u"VEXARO.PROBE"), &found), S_OK);
    EXPECT_TRUE(IsEqualCLSID(found, clsid));

    emulation::forgetProgId(u"Vexaro.Probe");
    EXPECT_EQ(CLSIDFromProgID(ole(u"Vexaro.Probe"), &found), CO_E_CLASSSTRING);
}

}  // namespace
