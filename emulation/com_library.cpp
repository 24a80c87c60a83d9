// The COM library of the emulation: interface identifiers, the per-thread
// CoInitialize balance, class identifiers from text and programmatic
// identifiers, the user locale and the member name hash.
#include <map>
#include <mutex>
#include <string>

#include "emulation/desktop_internal.h"
#include "emulation/exdisp.h"
#include "emulation/oleauto.h"
#include "emulation/testing.h"

// ---- Interface identifiers -------------------------------------------------

const IID IID_NULL = {0x00000000, 0x0000, 0x0000, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};
const IID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IDispatch = {
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_ITypeInfo = {
    0x00020401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_ITypeComp = {
    0x00020403, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IServiceProvider = {
    0x6D5140C1, 0x7436, 0x11CE, {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}};
const IID IID_IWebBrowser = {
    0xEAB22AC1, 0x30C1, 0x11CF, {0xA7, 0xEB, 0x00, 0x00, 0xC0, 0x5B, 0xAE, 0x0B}};
const IID IID_IWebBrowserApp = {
    0x0002DF05, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IWebBrowser2 = {
    0xD30C1661, 0xCDAF, 0x11D0, {0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E}};

// ---- CoInitialize balance ----------------------------------------------------

namespace {

// CoInitialize calls not yet balanced by CoUninitialize on this thread.
thread_local int initializeDepth = 0;

}  // namespace

HRESULT CoInitialize(LPVOID) { return ++initializeDepth == 1 ? S_OK : S_FALSE; }

// An unbalanced extra call does nothing, as on Windows. When the thread's COM
// use ends, objects handed out by LresultFromObject and never collected are
// released.
void CoUninitialize() {
    if (initializeDepth > 0 && --initializeDepth == 0) {
        emulation::desktop::releaseUncollectedObjectsIfApartmentEnded();
    }
}

// ---- Class identifiers -------------------------------------------------------

namespace {

constexpr int kGuidTextLength = 38;  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"

int hexValue(OLECHAR c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// `digits` hexadecimal digits at `text`; false on anything else.
bool readHex(const OLECHAR* text, int digits, std::uint32_t* value) {
    std::uint32_t result = 0;
    for (int i = 0; i < digits; ++i) {
        const int digit = hexValue(text[i]);
        if (digit < 0) return false;
        result = result << 4 | static_cast<std::uint32_t>(digit);
    }
    *value = result;
    return true;
}

// Exactly the braced form and nothing after it.
bool parseBracedGuid(const OLECHAR* text, GUID* guid) {
    for (int i = 0; i < kGuidTextLength; ++i) {
        if (text[i] == 0) return false;
    }
    if (text[0] != u'{' || text[9] != u'-' || text[14] != u'-' || text[19] != u'-' ||
        text[24] != u'-' || text[37] != u'}' || text[kGuidTextLength] != 0) {
        return false;
    }
    std::uint32_t part;
    if (!readHex(text + 1, 8, &part)) return false;
    guid->Data1 = part;
    if (!readHex(text + 10, 4, &part)) return false;
    guid->Data2 = static_cast<WORD>(part);
    if (!readHex(text + 15, 4, &part)) return false;
    guid->Data3 = static_cast<WORD>(part);
    static const int kByteOffsets[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!readHex(text + kByteOffsets[i], 2, &part)) return false;
        guid->Data4[i] = static_cast<BYTE>(part);
    }
    return true;
}

// Programmatic identifiers are looked up without regard to ASCII case, as
// registry keys are.
std::u16string foldCase(const OLECHAR* text) {
    std::u16string folded;
    for (; *text != 0; ++text) {
        OLECHAR c = *text;
        if (c >= u'A' && c <= u'Z') c = static_cast<OLECHAR>(c - u'A' + u'a');
        folded.push_back(c);
    }
    return folded;
}

struct ProgIdRegistry {
    std::mutex mutex;
    std::map<std::u16string, CLSID> classes;

    ProgIdRegistry() {
        classes[u"internetexplorer.application"] = {
            0x0002DF01, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
        classes[u"scripting.dictionary"] = {
            0xEE09B103, 0x97E0, 0x11CF, {0x97, 0x8F, 0x00, 0xA0, 0x24, 0x63, 0xE0, 0x6F}};
    }
};

ProgIdRegistry& progIdRegistry() {
    static ProgIdRegistry registry;
    return registry;
}

}  // namespace

HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID clsid) {
    if (progId == nullptr || clsid == nullptr) return E_INVALIDARG;
    *clsid = IID_NULL;
    ProgIdRegistry& registry = progIdRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    const auto found = registry.classes.find(foldCase(progId));
    if (found == registry.classes.end()) return CO_E_CLASSSTRING;
    *clsid = found->second;
    return S_OK;
}

// The braced form, or else a programmatic identifier. A null text is the
// null identifier.
HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid) {
    if (clsid == nullptr) return E_INVALIDARG;
    *clsid = IID_NULL;
    if (text == nullptr) return S_OK;
    if (text[0] == u'{') {
        GUID parsed;
        if (!parseBracedGuid(text, &parsed)) return CO_E_CLASSSTRING;
        *clsid = parsed;
        return S_OK;
    }
    return SUCCEEDED(CLSIDFromProgID(text, clsid)) ? S_OK : CO_E_CLASSSTRING;
}

int StringFromGUID2(REFGUID guid, LPOLESTR text, int capacity) {
    if (text == nullptr || capacity < kGuidTextLength + 1) return 0;
    static const char kHex[] = "0123456789ABCDEF";
    int at = 0;
    auto put = [&](std::uint32_t value, int digits) {
        for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
            text[at++] = static_cast<OLECHAR>(kHex[(value >> shift) & 0xF]);
        }
    };
    text[at++] = u'{';
    put(guid.Data1, 8);
    text[at++] = u'-';
    put(guid.Data2, 4);
    text[at++] = u'-';
    put(guid.Data3, 4);
    text[at++] = u'-';
    put(guid.Data4[0], 2);
    put(guid.Data4[1], 2);
    text[at++] = u'-';
    for (int i = 2; i < 8; ++i) put(guid.Data4[i], 2);
    text[at++] = u'}';
    text[at++] = 0;
    return at;
}

// ---- Locale and names ----------------------------------------------------------

LCID GetUserDefaultLCID() { return 0x0804; }  // zh-CN

// Our own hash (FNV-1a over the UTF-16 units, ASCII letters folded to upper
// case). It only has to agree with itself: the emulated type information is
// the only thing that compares these values.
ULONG LHashValOfNameSys(SYSKIND, LCID, const OLECHAR* name) {
    if (name == nullptr) return 0;
    std::uint32_t hash = 2166136261u;
    for (; *name != 0; ++name) {
        OLECHAR c = *name;
        if (c >= u'a' && c <= u'z') c = static_cast<OLECHAR>(c - u'a' + u'A');
        hash = (hash ^ (c & 0xFF)) * 16777619u;
        hash = (hash ^ (c >> 8)) * 16777619u;
    }
    return hash;
}

// ---- Host-only hooks -------------------------------------------------------------

namespace emulation {

int comInitializeDepth() { return initializeDepth; }

void registerProgId(const std::u16string& progId, const CLSID& clsid) {
    ProgIdRegistry& registry = progIdRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.classes[foldCase(reinterpret_cast<const OLECHAR*>(progId.c_str()))] = clsid;
}

void forgetProgId(const std::u16string& progId) {
    ProgIdRegistry& registry = progIdRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.classes.erase(foldCase(reinterpret_cast<const OLECHAR*>(progId.c_str())));
}

}  // namespace emulation
