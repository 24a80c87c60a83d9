// The COM library: interface identifiers, the CoInitialize balance, class
// identifiers from text and programmatic identifiers, the user locale and
// the member name hash.
#include <set>
#include <string>
#include <vector>

#include "tests/conformance/platform/ole_test_support.h"

namespace {

using ole_test::ole;

std::u16string guidText(REFGUID guid) {
    OLECHAR text[64] = {};
    const int written = StringFromGUID2(guid, text, 64);
    EXPECT_EQ(written, 39);  // the braced form and its terminating zero
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

const GUID kDispatchClass = {
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

TEST(ComLibraryTest, InterfaceIdentifiers) {
    struct Case {
        const IID* iid;
        const char16_t* text;
    };
    const std::vector<Case> cases = {
        {&IID_NULL, u"{00000000-0000-0000-0000-000000000000}"},
        {&IID_IUnknown, u"{00000000-0000-0000-C000-000000000046}"},
        {&IID_IDispatch, u"{00020400-0000-0000-C000-000000000046}"},
        {&IID_ITypeInfo, u"{00020401-0000-0000-C000-000000000046}"},
        {&IID_ITypeComp, u"{00020403-0000-0000-C000-000000000046}"},
        {&IID_IServiceProvider, u"{6D5140C1-7436-11CE-8034-00AA006009FA}"},
        {&IID_IWebBrowser, u"{EAB22AC1-30C1-11CF-A7EB-0000C05BAE0B}"},
        {&IID_IWebBrowserApp, u"{0002DF05-0000-0000-C000-000000000046}"},
        {&IID_IWebBrowser2, u"{D30C1661-CDAF-11D0-8A3E-00C04FC9E26E}"},
        {&SID_SWebBrowserApp, u"{0002DF05-0000-0000-C000-000000000046}"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(guidText(*c.iid), c.text);
        GUID parsed;
        ASSERT_EQ(CLSIDFromString(ole(c.text), &parsed), S_OK);
        EXPECT_TRUE(IsEqualGUID(parsed, *c.iid));
    }
}

TEST(ComLibraryTest, StringFromGuidNeedsRoomForTheWholeForm) {
    const GUID guid = {
        0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xFF}};
    OLECHAR text[39];
    EXPECT_EQ(StringFromGUID2(guid, text, 38), 0);
    ASSERT_EQ(StringFromGUID2(guid, text, 39), 39);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)),
              u"{12345678-9ABC-DEF0-0102-0304050607FF}");
}

TEST(ComLibraryTest, ClassIdentifiersFromText) {
    GUID parsed;
    ASSERT_EQ(CLSIDFromString(ole(u"{00020400-0000-0000-c000-000000000046}"), &parsed), S_OK);
    EXPECT_TRUE(IsEqualGUID(parsed, kDispatchClass));  // hex digits in either case

    // What the identifier holds after a failure is not looked at: Wine
    // leaves what it had read so far.
    const char16_t* bad[] = {
        u"00020400-0000-0000-C000-000000000046",     // no braces
        u"{00020400-0000-0000-C000-00000000004}",    // a digit short
        u"{00020400-0000-0000-C000-0000000000467}",  // a digit too many
        u"{00020400-0000-0000-C000-00000000004G}",   // not a hex digit
        u"{00020400-0000-0000-C000000000000046}",    // a dash missing
        u"{0002040-00000-0000-C000-000000000046}",   // a dash misplaced
        u"{+0020400-0000-0000-C000-000000000046}",
        u"{00020400-0000-0000-C000-000000000046",  // not closed
        u" {00020400-0000-0000-C000-000000000046}",
        u"{00020400-0000-0000-C000-000000000046} ",
        u"{}",
        u"",
        u"Nope.NoSuchThing",
    };
    for (const char16_t* text : bad) {
        EXPECT_EQ(CLSIDFromString(ole(text), &parsed), CO_E_CLASSSTRING)
            << ole_test::printable(text);
    }

    // No text is the null identifier.
    parsed = kDispatchClass;
    EXPECT_EQ(CLSIDFromString(nullptr, &parsed), S_OK);
    EXPECT_TRUE(IsEqualGUID(parsed, IID_NULL));
}

// CLSIDFromString also takes a programmatic identifier; CLSIDFromProgID
// takes nothing else.
TEST(ComLibraryTest, ProgrammaticIdentifiers) {
    const GUID browserApplication = {
        0x0002DF01, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    const GUID dictionary = {
        0xEE09B103, 0x97E0, 0x11CF, {0x97, 0x8F, 0x00, 0xA0, 0x24, 0x63, 0xE0, 0x6F}};
    struct Case {
        const char16_t* name;
        HRESULT result;
        const GUID* clsid;
    };
    const std::vector<Case> cases = {
        {u"InternetExplorer.Application", S_OK, &browserApplication},
        {u"internetexplorer.application", S_OK, &browserApplication},
        {u"Scripting.Dictionary", S_OK, &dictionary},
        {u"Nope.NoSuchThing", CO_E_CLASSSTRING, nullptr},
        {u"", CO_E_CLASSSTRING, nullptr},
        {u"{00020400-0000-0000-C000-000000000046}", CO_E_CLASSSTRING, nullptr},
    };
    for (const Case& c : cases) {
        GUID clsid;
        EXPECT_EQ(CLSIDFromProgID(ole(c.name), &clsid), c.result) << ole_test::printable(c.name);
        if (c.clsid != nullptr) {
            EXPECT_TRUE(IsEqualGUID(clsid, *c.clsid)) << ole_test::printable(c.name);
            GUID fromString;
            EXPECT_EQ(CLSIDFromString(ole(c.name), &fromString), S_OK);
            EXPECT_TRUE(IsEqualGUID(fromString, *c.clsid)) << ole_test::printable(c.name);
        } else {
            EXPECT_TRUE(IsEqualGUID(clsid, IID_NULL)) << ole_test::printable(c.name);
        }
    }
}

// The first call on a thread initialises, nested calls say so with S_FALSE,
// and an extra CoUninitialize is harmless.
TEST(ComLibraryTest, CoInitializeBalance) {
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
}

TEST(ComLibraryTest, UserLocaleIsChineseSimplified) { EXPECT_EQ(GetUserDefaultLCID(), 0x0804u); }

// The hash values themselves are the library's own; what callers rely on is
// that case does not matter and that different names mostly differ.
TEST(ComLibraryTest, NameHashIgnoresCase) {
    const LCID locale = GetUserDefaultLCID();
    auto hash = [locale](const char16_t* name) {
        return LHashValOfNameSys(SYS_WIN32, locale, ole(name));
    };
    EXPECT_EQ(hash(u"innerText"), hash(u"INNERTEXT"));
    EXPECT_EQ(hash(u"innerText"), hash(u"innertext"));
    EXPECT_EQ(hash(u"getElementById"), hash(u"GetElementByID"));

    const char16_t* names[] = {u"abc",   u"abd", u"document", u"body", u"value",  u"innerText",
                               u"click", u"all", u"children", u"item", u"length", u"tagName"};
    std::set<ULONG> hashes;
    for (const char16_t* name : names) hashes.insert(hash(name));
    EXPECT_EQ(hashes.size(), sizeof names / sizeof names[0]);
}

}  // namespace
