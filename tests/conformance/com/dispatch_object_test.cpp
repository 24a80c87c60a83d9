// DispatchObject: IUnknown and IDispatch of our own automation objects, on
// a small object kind declared here; names reach it through the type
// information from its description, as on Windows.
#include "com/dispatch_object.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

OLECHAR* ole(const char16_t* text) {
    return const_cast<OLECHAR*>(reinterpret_cast<const OLECHAR*>(text));
}

enum TallyMember : DISPID { kTotal = 1, kAdd, kReset };

// An interface of our own that the object answers besides IDispatch.
const IID kTallyIid = {
    0x6c1f0e52, 0x3a7d, 0x4b8e, {0x9a, 0x41, 0x0d, 0x55, 0x2e, 0x7b, 0x13, 0xc9}};

std::shared_ptr<const TypeDescription> tallyDescription() {
    auto description = std::make_shared<TypeDescription>("ITally");
    description->propertyGet(kTotal, "total", VT_I4)
        .propertyPut(kTotal, "total", VT_I4)
        .method(kAdd, "add",
                {{"amount", VT_I4}, ParameterDescription::withDefault("times", VT_I4, 1)}, VT_I4)
        .method(kReset, "reset", {}, VT_VOID);
    return description;
}

// Adds numbers; remembers how it was last invoked.
class Tally : public DispatchObject {
public:
    static Tally* create(std::shared_ptr<const TypeDescription> description) {
        return new Tally(std::move(description));
    }

    DISPID lastId = DISPID_UNKNOWN;
    WORD lastFlags = 0;
    std::vector<LONG> lastArguments;  // in source order
    std::optional<LONG> lastPutValue;

protected:
    explicit Tally(std::shared_ptr<const TypeDescription> description)
        : DispatchObject(std::move(description)) {}

    HRESULT invokeMember(DISPID id, WORD flags, const DispatchArguments& arguments,
                         VARIANT* result) override {
        lastId = id;
        lastFlags = flags;
        lastArguments.clear();
        for (UINT i = 0; i < arguments.count(); ++i) lastArguments.push_back(arguments.at(i)->lVal);
        lastPutValue.reset();
        if (arguments.putValue() != nullptr) lastPutValue = arguments.putValue()->lVal;
        switch (id) {
            case kTotal:
                if (flags & DISPATCH_PROPERTYPUT) {
                    if (!lastPutValue) return DISP_E_PARAMNOTFOUND;
                    total_ = *lastPutValue;
                    return S_OK;
                }
                break;
            case kAdd:
                if (arguments.count() == 0) return DISP_E_BADPARAMCOUNT;
                total_ +=
                    arguments.at(0)->lVal * (arguments.count() > 1 ? arguments.at(1)->lVal : 1);
                break;
            case kReset:
                total_ = 0;
                return S_OK;
            default:
                return DISP_E_MEMBERNOTFOUND;
        }
        if (result != nullptr) {
            result->vt = VT_I4;
            result->lVal = total_;
        }
        return S_OK;
    }

    void* otherInterface(REFIID riid) override {
        return IsEqualIID(riid, kTallyIid) ? static_cast<IDispatch*>(this) : nullptr;
    }

private:
    LONG total_ = 0;
};

VARIANT number(LONG value) {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = value;
    return variant;
}

// Each test's object and description; at the end the object has only the
// test's reference, and nothing of either is left alive.
class DispatchObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        liveObjectsAtStart_ = DispatchObject::liveObjects();
        liveTypeInfosAtStart_ = liveEmulatedTypeInfos();
        description_ = tallyDescription();
        tally_ = Tally::create(description_);
    }

    void TearDown() override {
        EXPECT_EQ(tally_->referenceCount(), 1u);
        EXPECT_EQ(tally_->Release(), 0u);
        description_.reset();
        EXPECT_EQ(DispatchObject::liveObjects(), liveObjectsAtStart_);
        EXPECT_EQ(liveEmulatedTypeInfos(), liveTypeInfosAtStart_);
    }

    // Invoke with positional arguments given in source order and, for a put,
    // the new value as the named DISPID_PROPERTYPUT argument.
    HRESULT invoke(DISPID id, WORD flags, std::vector<LONG> arguments, VARIANT* result,
                   std::optional<LONG> putValue = std::nullopt, REFIID riid = IID_NULL) {
        std::vector<VARIANT> slots;
        DISPID named = DISPID_PROPERTYPUT;
        if (putValue) slots.push_back(number(*putValue));
        for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) {
            slots.push_back(number(*it));
        }
        DISPPARAMS parameters{slots.data(), putValue ? &named : nullptr,
                              static_cast<UINT>(slots.size()), putValue ? 1u : 0u};
        UINT argumentError = 0;
        return tally_->Invoke(id, riid, LOCALE_USER_DEFAULT, flags, &parameters, result, nullptr,
                              &argumentError);
    }

    std::shared_ptr<const TypeDescription> description_;
    Tally* tally_ = nullptr;

private:
    long liveObjectsAtStart_ = 0;
    std::optional<long> liveTypeInfosAtStart_;
};

TEST_F(DispatchObjectTest, AnswersItsInterfacesAndCountsReferences) {
    EXPECT_EQ(tally_->referenceCount(), 1u);
    const struct {
        const IID* iid;
        HRESULT result;
    } rows[] = {
        {&IID_IUnknown, S_OK},
        {&IID_IDispatch, S_OK},
        {&kTallyIid, S_OK},
        {&IID_ITypeInfo, E_NOINTERFACE},
    };
    for (const auto& row : rows) {
        void* answer = reinterpret_cast<void*>(1);
        EXPECT_EQ(tally_->QueryInterface(*row.iid, &answer), row.result);
        if (FAILED(row.result)) {
            EXPECT_EQ(answer, nullptr);
            continue;
        }
        EXPECT_EQ(answer, static_cast<IDispatch*>(tally_));
        EXPECT_EQ(tally_->referenceCount(), 2u);
        EXPECT_EQ(static_cast<IUnknown*>(answer)->Release(), 1u);
    }
    EXPECT_EQ(tally_->QueryInterface(IID_IDispatch, nullptr), E_POINTER);
    EXPECT_EQ(tally_->AddRef(), 2u);
    EXPECT_EQ(tally_->Release(), 1u);

    // The last reference ends the object.
    const long alive = DispatchObject::liveObjects();
    Tally* other = Tally::create(description_);
    EXPECT_EQ(DispatchObject::liveObjects(), alive + 1);
    EXPECT_EQ(other->Release(), 0u);
    EXPECT_EQ(DispatchObject::liveObjects(), alive);
}

TEST_F(DispatchObjectTest, GivesOneTypeInfoFromItsDescription) {
    UINT count = 0;
    EXPECT_EQ(tally_->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ITypeInfo* typeInfo = reinterpret_cast<ITypeInfo*>(1);
    EXPECT_EQ(tally_->GetTypeInfo(1, LOCALE_USER_DEFAULT, &typeInfo), DISP_E_BADINDEX);
    EXPECT_EQ(typeInfo, nullptr);

    ITypeInfo* first = nullptr;
    ITypeInfo* second = nullptr;
    ASSERT_EQ(tally_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &first), S_OK);
    ASSERT_EQ(tally_->GetTypeInfo(0, LOCALE_SYSTEM_DEFAULT, &second), S_OK);
    EXPECT_EQ(first, second);
    BSTR name = nullptr;
    ASSERT_EQ(first->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(name)), u"ITally");
    SysFreeString(name);
    second->Release();
    first->Release();

    // Another object of the kind shares it.
    Tally* other = Tally::create(description_);
    ASSERT_EQ(other->GetTypeInfo(0, LOCALE_USER_DEFAULT, &second), S_OK);
    ASSERT_EQ(tally_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &first), S_OK);
    EXPECT_EQ(first, second);
    first->Release();
    second->Release();
    other->Release();
}

TEST_F(DispatchObjectTest, GetIDsOfNamesAsksTheTypeInfo) {
    const struct {
        std::vector<const char16_t*> names;
        const IID* riid;
        HRESULT result;
        std::vector<DISPID> ids;
    } rows[] = {
        {{u"TOTAL"}, &IID_NULL, S_OK, {kTotal}},
        {{u"Add", u"times", u"AMOUNT"}, &IID_NULL, S_OK, {kAdd, 1, 0}},
        {{u"nothing"}, &IID_NULL, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
        {{u"add", u"count"}, &IID_NULL, DISP_E_UNKNOWNNAME, {kAdd, DISPID_UNKNOWN}},
        {{u"total"}, &IID_IDispatch, DISP_E_UNKNOWNINTERFACE, {12345}},
    };
    for (const auto& row : rows) {
        std::vector<OLECHAR*> names;
        for (const char16_t* name : row.names) names.push_back(ole(name));
        std::vector<DISPID> ids(names.size(), 12345);
        EXPECT_EQ(tally_->GetIDsOfNames(*row.riid, names.data(), static_cast<UINT>(names.size()),
                                        LOCALE_USER_DEFAULT, ids.data()),
                  row.result);
        EXPECT_EQ(ids, row.ids);
    }
}

TEST_F(DispatchObjectTest, InvokePassesArgumentsInSourceOrder) {
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(invoke(kAdd, DISPATCH_METHOD, {4, 3}, &result), S_OK);
    EXPECT_EQ(tally_->lastArguments, (std::vector<LONG>{4, 3}));
    EXPECT_EQ(tally_->lastFlags, DISPATCH_METHOD);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 12);

    EXPECT_EQ(invoke(kTotal, DISPATCH_PROPERTYPUT, {}, nullptr, 40), S_OK);
    EXPECT_TRUE(tally_->lastArguments.empty());
    EXPECT_EQ(tally_->lastPutValue, 40);
    EXPECT_EQ(invoke(kTotal, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, &result), S_OK);
    EXPECT_EQ(result.lVal, 40);
    EXPECT_FALSE(tally_->lastPutValue.has_value());

    // The object's own answer comes back unchanged.
    EXPECT_EQ(invoke(kAdd, DISPATCH_METHOD, {}, &result), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(invoke(77, DISPATCH_METHOD, {}, &result), DISP_E_MEMBERNOTFOUND);

    // Invoke takes only IID_NULL, and of named arguments only the value of a
    // put; the object does not see such calls.
    tally_->lastId = DISPID_UNKNOWN;
    EXPECT_EQ(invoke(kReset, DISPATCH_METHOD, {}, nullptr, std::nullopt, IID_IDispatch),
              DISP_E_UNKNOWNINTERFACE);
    VARIANT argument = number(1);
    DISPID named = 0;
    DISPPARAMS namedArgument{&argument, &named, 1, 1};
    EXPECT_EQ(tally_->Invoke(kAdd, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &namedArgument,
                             &result, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
    EXPECT_EQ(tally_->lastId, DISPID_UNKNOWN);
}

TEST(DispatchArgumentsTest, GivesArgumentsInSourceOrder) {
    VARIANT slots[4] = {number(10), number(20), number(30), number(40)};
    DISPID putNamed[] = {DISPID_PROPERTYPUT};
    DISPID otherNamed[] = {7};
    const struct {
        const char* label;
        DISPPARAMS parameters;
        std::vector<LONG> sourceOrder;
        std::optional<LONG> putValue;
    } rows[] = {
        {"none", {nullptr, nullptr, 0, 0}, {}, std::nullopt},
        {"one", {slots, nullptr, 1, 0}, {10}, std::nullopt},
        {"reversed", {slots, nullptr, 3, 0}, {30, 20, 10}, std::nullopt},
        // The named value of a put comes first in rgvarg.
        {"put", {slots, putNamed, 1, 1}, {}, 10},
        {"indexed put", {slots, putNamed, 3, 1}, {30, 20}, 10},
        {"other named", {slots, otherNamed, 2, 1}, {20}, std::nullopt},
    };
    for (const auto& row : rows) {
        DISPPARAMS parameters = row.parameters;
        DispatchArguments arguments(&parameters);
        ASSERT_EQ(arguments.count(), row.sourceOrder.size()) << row.label;
        for (UINT i = 0; i < arguments.count(); ++i) {
            ASSERT_NE(arguments.at(i), nullptr) << row.label;
            EXPECT_EQ(arguments.at(i)->lVal, row.sourceOrder[i]) << row.label << " " << i;
        }
        EXPECT_EQ(arguments.at(arguments.count()), nullptr) << row.label;
        if (row.putValue) {
            ASSERT_NE(arguments.putValue(), nullptr) << row.label;
            EXPECT_EQ(arguments.putValue()->lVal, *row.putValue) << row.label;
        } else {
            EXPECT_EQ(arguments.putValue(), nullptr) << row.label;
        }
    }
}

// The way the late-bound call layer reaches a member: type info, binder,
// Bind by name, Invoke by the member id found.
TEST_F(DispatchObjectTest, AMemberIsReachedByNameThroughTheBinder) {
    ITypeInfo* typeInfo = nullptr;
    ASSERT_EQ(tally_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &typeInfo), S_OK);
    ITypeComp* typeComp = nullptr;
    ASSERT_EQ(typeInfo->GetTypeComp(&typeComp), S_OK);
    typeInfo->Release();

    OLECHAR* name = ole(u"ADD");
    ITypeInfo* bound = nullptr;
    DESCKIND kind = DESCKIND_NONE;
    BINDPTR pointer;
    ASSERT_EQ(typeComp->Bind(name, LHashValOfNameSys(SYS_WIN32, LOCALE_USER_DEFAULT, name),
                             INVOKE_FUNC, &bound, &kind, &pointer),
              S_OK);
    ASSERT_EQ(kind, DESCKIND_FUNCDESC);
    const MEMBERID id = pointer.lpfuncdesc->memid;
    EXPECT_EQ(pointer.lpfuncdesc->cParams, 2);
    bound->ReleaseFuncDesc(pointer.lpfuncdesc);
    bound->Release();

    // A member the description does not declare is not found.
    name = ole(u"expando");
    ASSERT_EQ(typeComp->Bind(name, 0, INVOKE_PROPERTYGET, &bound, &kind, &pointer), S_OK);
    EXPECT_EQ(kind, DESCKIND_NONE);
    EXPECT_EQ(bound, nullptr);
    typeComp->Release();

    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(invoke(id, DISPATCH_METHOD, {5}, &result), S_OK);
    EXPECT_EQ(tally_->lastId, kAdd);
    EXPECT_EQ(result.lVal, 5);
}

}  // namespace
