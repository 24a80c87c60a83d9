// VariantChangeType with objects, references and a destination that is the
// source: default values read through IDispatch::Invoke, interfaces through
// QueryInterface, and the reference counts back where they began.
#include <string>
#include <vector>

#include "tests/conformance/platform/ole_test_support.h"

namespace {

using ole_test::CountingDispatch;
using ole_test::describe;
using ole_test::describeResult;
using ole_test::ole;
using ole_test::textOf;

class ObjectConversionTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(object.references, 1) << "a reference was lost or kept"; }

    VARIANT holding(VARTYPE type, IUnknown* pointer) {
        VARIANT v;
        VariantInit(&v);
        v.vt = type;
        v.punkVal = pointer;
        if (pointer != nullptr) pointer->AddRef();
        return v;
    }

    void setDefaultValue(VARTYPE type, LONG number, const char16_t* text = nullptr) {
        VariantClear(&object.value);
        object.value.vt = type;
        object.value.lVal = number;
        if (type == VT_BSTR) object.value.bstrVal = SysAllocString(ole(text));
    }

    CountingDispatch object;
};

// The default value is read with DISPID_VALUE as a property get with no
// arguments, then converted as a value of its own type would be.
TEST_F(ObjectConversionTest, ObjectsConvertThroughTheirDefaultValue) {
    struct Case {
        VARTYPE valueType;
        LONG number;
        const char16_t* text;
        VARTYPE target;
        USHORT flags;
        HRESULT result;
        std::string expected;
        int invokes;
    };
    const std::vector<Case> cases = {
        {VT_I4, 42, nullptr, VT_I4, 0, S_OK, "VT_I4 42", 1},
        {VT_I4, 42, nullptr, VT_BSTR, 0, S_OK, "VT_BSTR \"42\"", 1},
        {VT_I4, 42, nullptr, VT_BOOL, 0, S_OK, "VT_BOOL -1", 1},
        {VT_I4, 70000, nullptr, VT_I2, 0, DISP_E_OVERFLOW, "", 1},
        {VT_BSTR, 0, u"2.5", VT_I4, 0, S_OK, "VT_I4 2", 1},
        {VT_BSTR, 0, u"2.5", VT_R8, 0, S_OK, "VT_R8 2.5", 1},
        {VT_EMPTY, 0, nullptr, VT_I4, 0, S_OK, "VT_I4 0", 1},
        {VT_NULL, 0, nullptr, VT_I4, 0, DISP_E_TYPEMISMATCH, "", 1},
        {VT_NULL, 0, nullptr, VT_BSTR, 0, DISP_E_TYPEMISMATCH, "", 1},
        // VARIANT_NOVALUEPROP forbids the default value: no call is made.
        {VT_I4, 42, nullptr, VT_I4, VARIANT_NOVALUEPROP, DISP_E_TYPEMISMATCH, "", 0},
        // Emptying or nulling an object needs no value either.
        {VT_I4, 42, nullptr, VT_EMPTY, 0, S_OK, "VT_EMPTY", 0},
        {VT_I4, 42, nullptr, VT_NULL, 0, S_OK, "VT_NULL", 0},
    };
    for (const Case& c : cases) {
        setDefaultValue(c.valueType, c.number, c.text);
        object.invokes = 0;
        VARIANT source = holding(VT_DISPATCH, &object);
        VARIANT converted;
        VariantInit(&converted);
        const HRESULT hr = VariantChangeType(&converted, &source, c.flags, c.target);
        const std::string what = describe(object.value) + " to vt " + std::to_string(c.target);
        EXPECT_EQ(describeResult(hr), describeResult(c.result)) << what;
        if (SUCCEEDED(hr)) {
            EXPECT_EQ(describe(converted), c.expected) << what;
        }
        EXPECT_EQ(object.invokes, c.invokes) << what;
        if (c.invokes > 0) {
            EXPECT_EQ(object.lastMember, DISPID_VALUE) << what;
            EXPECT_EQ(object.lastFlags, DISPATCH_PROPERTYGET) << what;
            EXPECT_EQ(object.lastArgumentCount, 0) << what;
        }
        VariantClear(&converted);
        VariantClear(&source);
        EXPECT_EQ(object.references, 1) << what;
    }
}

TEST_F(ObjectConversionTest, AnObjectWithoutADefaultValueIsAMismatch) {
    const HRESULT failures[] = {DISP_E_MEMBERNOTFOUND, E_FAIL};
    for (HRESULT failure : failures) {
        object.invokeResult = failure;
        VARIANT source = holding(VT_DISPATCH, &object);
        VARIANT converted;
        VariantInit(&converted);
        EXPECT_EQ(VariantChangeType(&converted, &source, 0, VT_I4), DISP_E_TYPEMISMATCH);
        EXPECT_EQ(VariantChangeType(&converted, &source, 0, VT_BSTR), DISP_E_TYPEMISMATCH);
        EXPECT_EQ(converted.vt, VT_EMPTY);
        VariantClear(&source);
    }
}

TEST_F(ObjectConversionTest, InterfacesConvertThroughQueryInterface) {
    struct Case {
        VARTYPE sourceType;
        VARTYPE target;
        bool answersDispatch;
        HRESULT result;
        long referencesHeld;  // while source and result are alive
    };
    const std::vector<Case> cases = {
        {VT_DISPATCH, VT_DISPATCH, true, S_OK, 3},
        {VT_DISPATCH, VT_UNKNOWN, true, S_OK, 3},
        {VT_DISPATCH, VT_UNKNOWN, false, S_OK, 3},
        {VT_UNKNOWN, VT_DISPATCH, true, S_OK, 3},
        {VT_UNKNOWN, VT_UNKNOWN, true, S_OK, 3},
        {VT_UNKNOWN, VT_DISPATCH, false, E_NOINTERFACE, 2},
        // An IUnknown has no default value to convert.
        {VT_UNKNOWN, VT_I4, true, DISP_E_TYPEMISMATCH, 2},
        {VT_UNKNOWN, VT_BSTR, true, DISP_E_TYPEMISMATCH, 2},
    };
    for (const Case& c : cases) {
        object.answersDispatch = c.answersDispatch;
        object.invokes = 0;
        VARIANT source = holding(c.sourceType, static_cast<IDispatch*>(&object));
        VARIANT converted;
        VariantInit(&converted);
        const std::string what =
            "vt " + std::to_string(c.sourceType) + " to vt " + std::to_string(c.target);
        EXPECT_EQ(describeResult(VariantChangeType(&converted, &source, 0, c.target)),
                  describeResult(c.result))
            << what;
        if (SUCCEEDED(c.result)) {
            EXPECT_EQ(converted.vt, c.target) << what;
            EXPECT_EQ(converted.punkVal, static_cast<IUnknown*>(static_cast<IDispatch*>(&object)))
                << what;
        }
        EXPECT_EQ(object.references, c.referencesHeld) << what;
        EXPECT_EQ(object.invokes, 0) << what;
        VariantClear(&converted);
        VariantClear(&source);
        EXPECT_EQ(object.references, 1) << what;
    }
    object.answersDispatch = true;
}

TEST_F(ObjectConversionTest, NullObjects) {
    struct Case {
        VARTYPE sourceType;
        VARTYPE target;
        HRESULT result;
    };
    const std::vector<Case> cases = {
        // A null object stays null as an interface.
        {VT_DISPATCH, VT_UNKNOWN, S_OK},
        {VT_DISPATCH, VT_DISPATCH, S_OK},
        {VT_UNKNOWN, VT_DISPATCH, S_OK},
        {VT_DISPATCH, VT_EMPTY, S_OK},
        // Wine calls a value asked of a null IDispatch a bad type.
        {VT_DISPATCH, VT_I4, DISP_E_BADVARTYPE},
        {VT_DISPATCH, VT_BSTR, DISP_E_BADVARTYPE},
        {VT_UNKNOWN, VT_I4, DISP_E_TYPEMISMATCH},
        {VT_UNKNOWN, VT_BOOL, DISP_E_TYPEMISMATCH},
    };
    for (const Case& c : cases) {
        VARIANT source = holding(c.sourceType, nullptr);
        VARIANT converted;
        VariantInit(&converted);
        const std::string what =
            "null vt " + std::to_string(c.sourceType) + " to vt " + std::to_string(c.target);
        EXPECT_EQ(describeResult(VariantChangeType(&converted, &source, 0, c.target)),
                  describeResult(c.result))
            << what;
        if (SUCCEEDED(c.result)) {
            EXPECT_EQ(converted.vt, c.target) << what;
            if (c.target != VT_EMPTY) {
                EXPECT_EQ(converted.punkVal, nullptr) << what;
            }
        }
        VariantClear(&converted);
    }
}

// The result replaces the destination only on success; a failure leaves the
// destination, even when it is the source, as it was.
TEST_F(ObjectConversionTest, TheDestinationChangesOnlyOnSuccess) {
    VARIANT destination;
    VariantInit(&destination);
    destination.vt = VT_BSTR;
    destination.bstrVal = SysAllocString(ole(u"old"));
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(ole(u"zz"));
    EXPECT_EQ(VariantChangeType(&destination, &source, 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(describe(destination), "VT_BSTR \"old\"");
    VariantClear(&source);

    source.vt = VT_I4;
    source.lVal = 70000;
    EXPECT_EQ(VariantChangeType(&destination, &source, 0, VT_I2), DISP_E_OVERFLOW);
    EXPECT_EQ(describe(destination), "VT_BSTR \"old\"");

    source.lVal = 3;  // success frees the old text: a leak checker would see it kept
    EXPECT_EQ(VariantChangeType(&destination, &source, 0, VT_I4), S_OK);
    EXPECT_EQ(describe(destination), "VT_I4 3");

    destination = holding(VT_DISPATCH, &object);
    EXPECT_EQ(VariantChangeType(&destination, &source, 0, VT_BSTR), S_OK);
    EXPECT_EQ(describe(destination), "VT_BSTR \"3\"");
    EXPECT_EQ(object.references, 1);
    VariantClear(&destination);
}

TEST_F(ObjectConversionTest, InPlace) {
    setDefaultValue(VT_I4, 5);
    VARIANT v = holding(VT_DISPATCH, &object);
    EXPECT_EQ(VariantChangeType(&v, &v, 0, VT_I4), S_OK);
    EXPECT_EQ(describe(v), "VT_I4 5");
    EXPECT_EQ(object.references, 1);

    v = holding(VT_DISPATCH, &object);
    EXPECT_EQ(VariantChangeType(&v, &v, 0, VT_UNKNOWN), S_OK);
    EXPECT_EQ(object.references, 2);
    VariantClear(&v);

    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(ole(u"12"));
    EXPECT_EQ(VariantChangeType(&v, &v, 0, VT_I4), S_OK);
    EXPECT_EQ(describe(v), "VT_I4 12");
    EXPECT_EQ(VariantChangeType(&v, &v, 0, VT_BSTR), S_OK);
    EXPECT_EQ(describe(v), "VT_BSTR \"12\"");
    VariantClear(&v);

    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(ole(u"abc"));
    EXPECT_EQ(VariantChangeType(&v, &v, 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(describe(v), "VT_BSTR \"abc\"");
    VariantClear(&v);
}

// A referenced value is read, never owned: the caller's BSTR and object
// reference stay the caller's.
TEST_F(ObjectConversionTest, ReferencesAreReadThrough) {
    LONG number = 7;
    BSTR text = SysAllocString(ole(u"2.5"));
    IDispatch* pointer = &object;
    setDefaultValue(VT_I4, 8);
    VARIANT textVariant;
    VariantInit(&textVariant);
    textVariant.vt = VT_BSTR;
    textVariant.bstrVal = text;  // borrowed: cleared by nobody but the test
    VARIANT numberReference;
    VariantInit(&numberReference);
    numberReference.vt = VT_BYREF | VT_I4;
    numberReference.plVal = &number;
    VARIANT variantReference;
    variantReference.vt = VT_BYREF | VT_VARIANT;
    variantReference.pvarVal = &textVariant;

    struct Case {
        VARTYPE type;
        void* target;
        VARTYPE to;
        HRESULT result;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {VT_BYREF | VT_I4, &number, VT_BSTR, S_OK, "VT_BSTR \"7\""},
        {VT_BYREF | VT_I4, &number, VT_I4, S_OK, "VT_I4 7"},
        {VT_BYREF | VT_I4, &number, VT_BYREF | VT_I4, DISP_E_TYPEMISMATCH, ""},
        {VT_BYREF | VT_BSTR, &text, VT_R8, S_OK, "VT_R8 2.5"},
        {VT_BYREF | VT_BSTR, &text, VT_BSTR, S_OK, "VT_BSTR \"2.5\""},
        {VT_BYREF | VT_VARIANT, &textVariant, VT_I4, S_OK, "VT_I4 2"},
        {VT_BYREF | VT_VARIANT, &textVariant, VT_BSTR, S_OK, "VT_BSTR \"2.5\""},
        {VT_BYREF | VT_VARIANT, &numberReference, VT_I2, S_OK, "VT_I2 7"},
        {VT_BYREF | VT_VARIANT, &variantReference, VT_I2, E_INVALIDARG, ""},
        {VT_BYREF | VT_VARIANT, &textVariant, VT_VARIANT, DISP_E_TYPEMISMATCH, ""},
        {VT_BYREF | VT_VARIANT, &textVariant, VT_BYREF | VT_VARIANT, DISP_E_TYPEMISMATCH, ""},
        {VT_BYREF | VT_DISPATCH, &pointer, VT_I4, S_OK, "VT_I4 8"},
    };
    for (const Case& c : cases) {
        VARIANT reference;
        VariantInit(&reference);
        reference.vt = c.type;
        reference.byref = c.target;
        VARIANT converted;
        VariantInit(&converted);
        const std::string what = "vt " + std::to_string(c.type) + " to vt " + std::to_string(c.to);
        EXPECT_EQ(describeResult(VariantChangeType(&converted, &reference, 0, c.to)),
                  describeResult(c.result))
            << what;
        if (SUCCEEDED(c.result)) {
            EXPECT_EQ(describe(converted), c.expected) << what;
        }
        if (converted.vt == VT_BSTR) {
            EXPECT_NE(converted.bstrVal, text) << what;
        }
        VariantClear(&converted);
        EXPECT_EQ(object.references, 1) << what;
    }

    VARIANT reference;
    reference.vt = VT_BYREF | VT_DISPATCH;
    reference.ppdispVal = &pointer;
    VARIANT converted;
    VariantInit(&converted);
    EXPECT_EQ(VariantChangeType(&converted, &reference, 0, VT_UNKNOWN), S_OK);
    EXPECT_EQ(object.references, 2);
    VariantClear(&converted);

    // In place, the reference is replaced by the converted value.
    reference.vt = VT_BYREF | VT_BSTR;
    reference.pbstrVal = &text;
    EXPECT_EQ(VariantChangeType(&reference, &reference, 0, VT_I4), S_OK);
    EXPECT_EQ(describe(reference), "VT_I4 2");
    EXPECT_EQ(textOf(text), u"2.5");
    SysFreeString(text);
}

}  // namespace
