// BSTR allocation and VARIANT lifetime (clear, copy, copy with dereference),
// with the reference counts of the objects they hold.
#include <cstring>
#include <string>
#include <vector>

#include "tests/conformance/platform/ole_test_support.h"

namespace {

using ole_test::CountingDispatch;
using ole_test::describe;
using ole_test::ole;
using ole_test::textOf;

std::uint32_t lengthPrefix(BSTR text) {
    std::uint32_t prefix;
    std::memcpy(&prefix, reinterpret_cast<const char*>(text) - sizeof prefix, sizeof prefix);
    return prefix;
}

TEST(BstrTest, LayoutIsByteLengthTextAndZero) {
    struct Case {
        std::u16string text;
        UINT length;
    };
    const std::vector<Case> cases = {
        {u"abc", 3},
        {u"", 0},
        {u"\u5B89\u5168", 2},
        {std::u16string(u"a\0b", 3), 3},  // an embedded zero belongs to the text
    };
    for (const Case& c : cases) {
        BSTR text = SysAllocStringLen(ole(c.text.c_str()), c.length);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(SysStringLen(text), c.length);
        EXPECT_EQ(SysStringByteLen(text), c.length * 2);
        EXPECT_EQ(lengthPrefix(text), c.length * 2);
        EXPECT_EQ(textOf(text), c.text);
        EXPECT_EQ(text[c.length], 0);
        SysFreeString(text);
    }
}

TEST(BstrTest, AllocationFromText) {
    BSTR text = SysAllocString(ole(u"Vexaro"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(textOf(text), u"Vexaro");
    EXPECT_EQ(lengthPrefix(text), 12u);
    SysFreeString(text);

    BSTR empty = SysAllocString(ole(u""));
    ASSERT_NE(empty, nullptr);  // an empty text is a string, not null
    EXPECT_EQ(SysStringLen(empty), 0u);
    SysFreeString(empty);

    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    SysFreeString(nullptr);  // allowed, and does nothing
}

TEST(BstrTest, LengthTakesPartOfTheText) {
    BSTR text = SysAllocStringLen(ole(u"abcdef"), 2);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(textOf(text), u"ab");
    EXPECT_EQ(text[2], 0);
    SysFreeString(text);
}

// Without text the characters are documented as uninitialised: only the
// length and the terminator are certain.
TEST(BstrTest, LengthWithoutText) {
    BSTR text = SysAllocStringLen(nullptr, 3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(SysStringLen(text), 3u);
    EXPECT_EQ(lengthPrefix(text), 6u);
    EXPECT_EQ(text[3], 0);
    SysFreeString(text);
}

TEST(BstrTest, OddByteLengths) {
    BSTR text = SysAllocStringByteLen("abc", 3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(SysStringByteLen(text), 3u);
    EXPECT_EQ(SysStringLen(text), 1u);  // whole characters only
    const char* bytes = reinterpret_cast<const char*>(text);
    EXPECT_EQ(std::string(bytes, 3), "abc");
    EXPECT_EQ(bytes[3], 0);  // zeros follow the bytes
    EXPECT_EQ(bytes[4], 0);
    SysFreeString(text);

    BSTR blank = SysAllocStringByteLen(nullptr, 5);
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(SysStringByteLen(blank), 5u);
    EXPECT_EQ(SysStringLen(blank), 2u);
    SysFreeString(blank);
}

TEST(BstrTest, LengthsPastFourGigabytesAreRefused) {
    EXPECT_EQ(SysAllocStringLen(nullptr, 0x80000000u), nullptr);
    EXPECT_EQ(SysAllocStringLen(nullptr, 0x7FFFFFFFu), nullptr);
}

// Every test that hands the object to a variant ends with the count it began
// with.
class VariantLifetimeTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(object.references, 1) << "a reference was lost or kept"; }

    VARIANT holding(IDispatch* dispatch) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_DISPATCH;
        v.pdispVal = dispatch;
        dispatch->AddRef();
        return v;
    }

    CountingDispatch object;
};

TEST_F(VariantLifetimeTest, InitMakesEmpty) {
    VARIANT v;
    v.vt = VT_I4;
    VariantInit(&v);
    EXPECT_EQ(v.vt, VT_EMPTY);
}

TEST_F(VariantLifetimeTest, ClearReleasesWhatTheVariantOwns) {
    VARIANT dispatch = holding(&object);
    EXPECT_EQ(object.references, 2);
    EXPECT_EQ(VariantClear(&dispatch), S_OK);
    EXPECT_EQ(dispatch.vt, VT_EMPTY);
    EXPECT_EQ(object.references, 1);

    VARIANT unknown;
    VariantInit(&unknown);
    unknown.vt = VT_UNKNOWN;
    unknown.punkVal = static_cast<IUnknown*>(&object);
    object.AddRef();
    EXPECT_EQ(VariantClear(&unknown), S_OK);
    EXPECT_EQ(object.references, 1);

    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(ole(u"freed by the clear"));  // a leak checker sees the rest
    EXPECT_EQ(VariantClear(&text), S_OK);
    EXPECT_EQ(text.vt, VT_EMPTY);

    VARIANT nothing;
    VariantInit(&nothing);
    nothing.vt = VT_DISPATCH;
    nothing.pdispVal = nullptr;
    EXPECT_EQ(VariantClear(&nothing), S_OK);
}

TEST_F(VariantLifetimeTest, ClearLeavesReferencedValuesAlone) {
    IDispatch* pointer = &object;
    VARIANT byReference;
    VariantInit(&byReference);
    byReference.vt = VT_BYREF | VT_DISPATCH;
    byReference.ppdispVal = &pointer;
    EXPECT_EQ(VariantClear(&byReference), S_OK);
    EXPECT_EQ(byReference.vt, VT_EMPTY);
    EXPECT_EQ(object.references, 1);

    BSTR text = SysAllocString(ole(u"still mine"));
    byReference.vt = VT_BYREF | VT_BSTR;
    byReference.pbstrVal = &text;
    EXPECT_EQ(VariantClear(&byReference), S_OK);
    EXPECT_EQ(textOf(text), u"still mine");
    SysFreeString(text);
}

TEST_F(VariantLifetimeTest, BadTypesAreRefusedAndKept) {
    struct Case {
        VARTYPE type;
        HRESULT clear;
    };
    const std::vector<Case> cases = {
        {15, DISP_E_BADVARTYPE},
        {VT_VOID, DISP_E_BADVARTYPE},
        {VT_HRESULT, DISP_E_BADVARTYPE},
        {VT_LPSTR, DISP_E_BADVARTYPE},
        {VT_INT_PTR, DISP_E_BADVARTYPE},
        {0x7F, DISP_E_BADVARTYPE},
        {VT_RESERVED | VT_I4, DISP_E_BADVARTYPE},
        {VT_BYREF | VT_EMPTY, DISP_E_BADVARTYPE},
        {VT_BYREF | VT_NULL, DISP_E_BADVARTYPE},
        {VT_BYREF | 15, DISP_E_BADVARTYPE},
        // Wine accepts a bare VT_VARIANT as a type a variant may have.
        {VT_VARIANT, S_OK},
        {VT_BYREF | VT_VARIANT, S_OK},
        {VT_NULL, S_OK},
        {VT_DECIMAL, S_OK},
    };
    for (const Case& c : cases) {
        VARIANT v;
        std::memset(&v, 0, sizeof v);
        v.vt = c.type;
        EXPECT_EQ(VariantClear(&v), c.clear) << "vt " << c.type;
        EXPECT_EQ(v.vt, c.clear == S_OK ? static_cast<VARTYPE>(VT_EMPTY) : c.type)
            << "vt " << c.type;

        std::memset(&v, 0, sizeof v);
        v.vt = c.type;
        VARIANT copy;
        VariantInit(&copy);
        EXPECT_EQ(VariantCopy(&copy, &v), c.clear) << "vt " << c.type;
        VariantClear(&copy);
    }
}

TEST_F(VariantLifetimeTest, CopyIsDeep) {
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocStringLen(ole(u"a\0b"), 3);
    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    ASSERT_EQ(copy.vt, VT_BSTR);
    EXPECT_NE(copy.bstrVal, source.bstrVal);
    EXPECT_EQ(textOf(copy.bstrVal), std::u16string(u"a\0b", 3));
    VariantClear(&source);
    VariantClear(&copy);

    // An odd byte length survives the copy.
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocStringByteLen("abc", 3);
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    EXPECT_EQ(SysStringByteLen(copy.bstrVal), 3u);
    VariantClear(&source);
    VariantClear(&copy);

    // A null BSTR copies as an empty string (Wine allocates one).
    source.vt = VT_BSTR;
    source.bstrVal = nullptr;
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    EXPECT_EQ(copy.vt, VT_BSTR);
    ASSERT_NE(copy.bstrVal, nullptr);
    EXPECT_EQ(SysStringLen(copy.bstrVal), 0u);
    VariantClear(&copy);
}

TEST_F(VariantLifetimeTest, CopyTakesAReferenceAndClearsTheDestinationFirst) {
    VARIANT source = holding(&object);
    VARIANT copy = holding(&object);  // the copy's old value is released
    EXPECT_EQ(object.references, 3);
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    EXPECT_EQ(copy.pdispVal, static_cast<IDispatch*>(&object));
    EXPECT_EQ(object.references, 3);

    VARIANT text;
    VariantInit(&text);
    text.vt = VT_I4;
    text.lVal = 5;
    ASSERT_EQ(VariantCopy(&copy, &text), S_OK);
    EXPECT_EQ(describe(copy), "VT_I4 5");
    EXPECT_EQ(object.references, 2);

    EXPECT_EQ(VariantCopy(&source, &source), S_OK);  // onto itself: nothing changes
    EXPECT_EQ(object.references, 2);
    VariantClear(&source);
}

TEST_F(VariantLifetimeTest, CopyRefusesBadTypesOnEitherSide) {
    VARIANT bad;
    std::memset(&bad, 0, sizeof bad);
    bad.vt = 15;
    VARIANT good = holding(&object);
    // A destination that cannot be cleared is left as it is.
    EXPECT_EQ(VariantCopy(&bad, &good), DISP_E_BADVARTYPE);
    EXPECT_EQ(bad.vt, 15);
    EXPECT_EQ(object.references, 2);
    // So is a destination whose source is bad.
    EXPECT_EQ(VariantCopy(&good, &bad), DISP_E_BADVARTYPE);
    EXPECT_EQ(good.vt, VT_DISPATCH);
    EXPECT_EQ(VariantCopyInd(&bad, &good), DISP_E_BADVARTYPE);
    VariantClear(&good);
}

TEST_F(VariantLifetimeTest, CopyKeepsReferencesAsReferences) {
    LONG number = 7;
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &number;
    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &reference), S_OK);
    EXPECT_EQ(copy.vt, VT_BYREF | VT_I4);
    EXPECT_EQ(copy.plVal, &number);
}

TEST_F(VariantLifetimeTest, CopyIndReadsThroughReferences) {
    LONG number = 9;
    BSTR text = SysAllocString(ole(u"hi"));
    IDispatch* pointer = &object;
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_I4;
    inner.lVal = 7;
    VARIANT innerReference;  // a variant holding a reference, reached through a reference
    VariantInit(&innerReference);
    innerReference.vt = VT_BYREF | VT_I4;
    innerReference.plVal = &number;
    VARIANT emptyInner;
    VariantInit(&emptyInner);

    struct Case {
        VARTYPE type;
        void* target;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {VT_BYREF | VT_I4, &number, "VT_I4 9"},
        {VT_BYREF | VT_BSTR, &text, "VT_BSTR \"hi\""},
        {VT_BYREF | VT_VARIANT, &inner, "VT_I4 7"},
        {VT_BYREF | VT_VARIANT, &innerReference, "VT_I4 9"},
        {VT_BYREF | VT_VARIANT, &emptyInner, "VT_EMPTY"},
    };
    for (const Case& c : cases) {
        VARIANT reference;
        VariantInit(&reference);
        reference.vt = c.type;
        reference.byref = c.target;
        VARIANT copy;
        VariantInit(&copy);
        ASSERT_EQ(VariantCopyInd(&copy, &reference), S_OK) << c.expected;
        EXPECT_EQ(describe(copy), c.expected);
        if (copy.vt == VT_BSTR) {
            EXPECT_NE(copy.bstrVal, text);  // a copy, not the caller's
        }
        VariantClear(&copy);
    }

    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_DISPATCH;
    reference.ppdispVal = &pointer;
    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopyInd(&copy, &reference), S_OK);
    EXPECT_EQ(copy.vt, VT_DISPATCH);
    EXPECT_EQ(object.references, 2);
    VariantClear(&copy);
    EXPECT_EQ(object.references, 1);

    // In place: the reference is replaced by the value.
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &number;
    ASSERT_EQ(VariantCopyInd(&reference, &reference), S_OK);
    EXPECT_EQ(describe(reference), "VT_I4 9");

    // A value is copied as VariantCopy does.
    VARIANT value = holding(&object);
    ASSERT_EQ(VariantCopyInd(&copy, &value), S_OK);
    EXPECT_EQ(object.references, 3);
    VariantClear(&copy);
    VariantClear(&value);
    SysFreeString(text);
}

TEST_F(VariantLifetimeTest, CopyIndRefusesAReferenceToAVariantReference) {
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_I4;
    inner.lVal = 7;
    VARIANT first;
    first.vt = VT_BYREF | VT_VARIANT;
    first.pvarVal = &inner;
    VARIANT second;
    second.vt = VT_BYREF | VT_VARIANT;
    second.pvarVal = &first;
    VARIANT copy = holding(&object);
    EXPECT_EQ(VariantCopyInd(&copy, &second), E_INVALIDARG);
    // Wine has emptied the destination by then.
    EXPECT_EQ(copy.vt, VT_EMPTY);
    EXPECT_EQ(object.references, 1);

    VARIANT bad;
    std::memset(&bad, 0, sizeof bad);
    bad.vt = 15;
    VARIANT toBad;
    toBad.vt = VT_BYREF | VT_VARIANT;
    toBad.pvarVal = &bad;
    EXPECT_EQ(VariantCopyInd(&copy, &toBad), DISP_E_BADVARTYPE);
}

}  // namespace
