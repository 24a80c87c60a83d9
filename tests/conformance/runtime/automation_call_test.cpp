// The late-bound call layer against a probe object whose type information
// comes from the emulation on the host and from oleaut32 under Wine.
#include "runtime/automation_call.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <thread>

#include "tests/support/printers.h"
#include "tests/support/probe_object.h"

namespace {

constexpr VARTYPE kByRefDispatch = VT_BYREF | VT_DISPATCH;

class AutomationCallTest : public ::testing::Test {
protected:
    void SetUp() override {
        liveAtStart_ = DispatchObject::liveObjects();
        probe_ = Probe::create();
        object_ = AutomationObject::copyOf(probe_);
    }

    // Every reference the calls took is given back, and no object they made
    // is left alive.
    void TearDown() override {
        clearObject(object_);
        EXPECT_EQ(probe_->referenceCount(), 1u);
        probe_->Release();
        EXPECT_EQ(DispatchObject::liveObjects(), liveAtStart_);
    }

    Probe* probe_ = nullptr;
    AutomationObject object_;
    long liveAtStart_ = 0;
};

TEST_F(AutomationCallTest, NamesBindWithoutRegardToLetterCase) {
    for (const char* name : {"count", "COUNT", "Count", "cOuNt"}) {
        EXPECT_EQ(readNumberProperty(object_, name), 7.0) << name;
        EXPECT_EQ(lastCallError(), 0) << name;
    }
    EXPECT_EQ(readTextProperty(object_, "NAME").bytes(), "探针");
}

TEST_F(AutomationCallTest, ResultsConvertToTheRequestedKind) {
    EXPECT_EQ(readTextProperty(object_, "Name").bytes(), "探针");
    EXPECT_EQ(readTextProperty(object_, "count").bytes(), "7");
    EXPECT_EQ(readNumberProperty(object_, "Ratio"), 0.25);
    EXPECT_FALSE(callBoolMethod(object_, "Flag"));  // a variable read through a method call

    AutomationVariant count = readVariantProperty(object_, "count");
    EXPECT_EQ(count.type(), VT_I4);
    EXPECT_EQ(variantToText(count).bytes(), "7");
    EXPECT_TRUE(variantToBool(count));

    AutomationObject child = readObjectProperty(object_, "child");
    EXPECT_FALSE(isEmptyObject(child));
    EXPECT_EQ(readNumberProperty(child, "count"), 7.0);
}

TEST_F(AutomationCallTest, MembersThatGiveNoObjectGiveAnEmptyHolder) {
    for (const char* name : {"Nothing", "EmptyValue", "NullValue"}) {
        EXPECT_TRUE(isEmptyObject(readObjectProperty(object_, name))) << name;
    }
}

TEST_F(AutomationCallTest, AMethodReadAsAPropertyIsInvokedAsAMethod) {
    AutomationObject item = readObjectProperty(object_, "item", {std::int32_t{0}});
    EXPECT_FALSE(isEmptyObject(item));
    EXPECT_EQ(probe_->lastCall().flags, DISPATCH_METHOD);
    readObjectProperty(object_, "child");
    EXPECT_EQ(probe_->lastCall().flags, DISPATCH_PROPERTYGET);
}

TEST_F(AutomationCallTest, ArgumentsArriveInSourceOrder) {
    AutomationVariant joined = callVariantMethod(object_, "Concat", {"甲", "乙"});
    EXPECT_EQ(variantToText(joined).bytes(), "甲乙");
    EXPECT_EQ(probe_->lastCall().argumentTypes, (std::vector<VARTYPE>{VT_BSTR, VT_BSTR}));
}

TEST_F(AutomationCallTest, TrailingOmittedArgumentsDoNotCount) {
    EXPECT_EQ(readNumberProperty(object_, "count", {omittedArgument, omittedArgument}), 7.0);
    EXPECT_EQ(lastCallError(), 0);
    EXPECT_TRUE(probe_->lastCall().argumentTypes.empty());

    AutomationVariant empty;
    AutomationVariant joined = callVariantMethod(object_, "Concat", {"甲", empty});
    EXPECT_EQ(variantToText(joined).bytes(), "甲");
    EXPECT_EQ(probe_->lastCall().argumentTypes.size(), 1u);

    // An omitted argument before a given one goes as the optional-argument mark.
    callMethod(object_, "Sum", {omittedArgument, 1});
    EXPECT_EQ(probe_->lastCall().argumentTypes, (std::vector<VARTYPE>{VT_ERROR, VT_I4}));
}

TEST_F(AutomationCallTest, ExtraArgumentsOnlyForAVariableArgumentList) {
    AutomationVariant sum = callVariantMethod(object_, "Sum", {1, 2.5, "3"});
    EXPECT_EQ(lastCallError(), 0);
    EXPECT_EQ(variantToText(sum).bytes(), "6.5");
    EXPECT_EQ(probe_->lastCall().argumentTypes, (std::vector<VARTYPE>{VT_I4, VT_R8, VT_BSTR}));
}

TEST_F(AutomationCallTest, ArgumentKindsBecomeTheirVariants) {
    struct Case {
        AutomationArgument argument;
        VARTYPE expected;
    };
    AutomationObject child = readObjectProperty(object_, "child");
    AutomationObject nothing;
    AutomationVariant ratio = readVariantProperty(object_, "Ratio");
    const Case cases[] = {
        {Text("x"), VT_BSTR},
        {std::int32_t{1}, VT_I4},
        {std::int64_t{1} << 40, VT_I4},
        {std::int16_t{1}, VT_I2},
        {std::uint8_t{1}, VT_UI1},
        {1.5f, VT_R4},
        {1.5, VT_R8},
        {true, VT_BOOL},
        {AutomationDate{2.0}, VT_DATE},
        {ratio, VT_R8},
        {child, VT_DISPATCH},  // the parameter is a VARIANT: a dispatch object goes as IDispatch
        {nothing, VT_UNKNOWN},
    };
    for (const Case& c : cases) {
        callMethod(object_, "Sum", {c.argument});
        EXPECT_EQ(lastCallError(), 0);
        EXPECT_EQ(probe_->lastCall().argumentTypes, std::vector<VARTYPE>{c.expected}) << c.expected;
    }
}

TEST_F(AutomationCallTest, PropertyPutsCarryTheNamedPutArgument) {
    EXPECT_TRUE(writeProperty(object_, "name", Text("新名")));
    EXPECT_EQ(probe_->lastCall().flags, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(probe_->lastCall().namedArguments, 1u);
    EXPECT_EQ(readTextProperty(object_, "Name").bytes(), "新名");

    EXPECT_TRUE(writeProperty(object_, "flag", true));  // a variable of a value type
    EXPECT_EQ(probe_->lastCall().flags, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(readNumberProperty(object_, "Flag"), -1.0);

    AutomationObject child = readObjectProperty(object_, "child");
    EXPECT_TRUE(writeProperty(object_, "Peer", child));  // a variable of an interface type
    EXPECT_EQ(probe_->lastCall().flags, DISPATCH_PROPERTYPUTREF);
    EXPECT_FALSE(isEmptyObject(readObjectProperty(object_, "peer")));
    AutomationObject nothing;
    EXPECT_TRUE(writeProperty(object_, "Peer", nothing));
}

TEST_F(AutomationCallTest, OutputParametersAreWrittenBack) {
    Text text = "abc";
    std::int32_t number = 0;
    callMethod(object_, "Swap",
               {AutomationArgument::reference(text), AutomationArgument::reference(number)});
    EXPECT_EQ(lastCallError(), 0);
    EXPECT_EQ(probe_->lastCall().argumentTypes,
              (std::vector<VARTYPE>{VT_BYREF | VT_BSTR, VT_BYREF | VT_I4}));
    EXPECT_EQ(text.bytes(), "cba");
    EXPECT_EQ(number, 99);

    // A text variable for an integer parameter: converted there and back.
    Text twenty = "21";
    callMethod(object_, "Twice", {AutomationArgument::reference(twenty)});
    EXPECT_EQ(twenty.bytes(), "42");

    // Values, not variables: passed by reference all the same, nothing written.
    callMethod(object_, "Swap", {Text("abc"), 5});
    EXPECT_EQ(lastCallError(), 0);
}

TEST_F(AutomationCallTest, ObjectsForInterfaceParametersGoByReference) {
    AutomationObject child = readObjectProperty(object_, "child");
    auto* childProbe = static_cast<Probe*>(child.as<IDispatch>());
    const ULONG before = childProbe->referenceCount();
    EXPECT_EQ(readNumberProperty(object_, "Takes", {child}), kByRefDispatch);
    EXPECT_EQ(childProbe->referenceCount(), before);
    EXPECT_EQ(readNumberProperty(object_, "Keeps", {child}), VT_UNKNOWN);
    // An enumeration parameter is no interface: by value, as IDispatch.
    EXPECT_EQ(readNumberProperty(object_, "Mode", {child}), VT_DISPATCH);
    EXPECT_EQ(childProbe->referenceCount(), before);
}

TEST_F(AutomationCallTest, EveryFailureHasItsCodeAndText) {
    AutomationObject empty;
    PlainUnknown plain;
    AutomationObject plainHolder = AutomationObject::copyOf(&plain);
    AutomationObject noTypes = AutomationObject::adopt(ProbeWithoutTypeInfo::create());
    struct Case {
        const char* what;
        std::function<void()> call;
        std::int32_t code;
        const char* text;
    };
    auto fail = [this](HRESULT hr) { return [this, hr] { callMethod(object_, "Fail", {hr}); }; };
    const Case cases[] = {
        {"success", [&] { readNumberProperty(object_, "count"); }, 0, ""},
        {"empty holder", [&] { readTextProperty(empty, "count"); }, -1, "对象为空"},
        {"no IDispatch", [&] { readTextProperty(plainHolder, "count"); }, -2,
         "指定对象没有调用接口"},
        {"unknown name", [&] { readTextProperty(object_, "expando"); }, -3, "未找到指定属性或方法"},
        {"put on a read-only property", [&] { writeProperty(object_, "count", 1); }, -3,
         "未找到指定属性或方法"},
        {"no type information", [&] { readTextProperty(noTypes, "count"); }, -4,
         "指定对象没有类型信息"},
        {"too many arguments", [&] { readTextProperty(object_, "count", {1}); }, -5,
         "提供了过多的参数"},
        {"a byte block", [&] { callMethod(object_, "Sum", {Bytes("ab", 2)}); }, -7,
         "参数数据类型错误"},
        {"text read as a number", [&] { readNumberProperty(object_, "Words"); }, -8,
         "执行成功，但返回值类型不匹配"},
        {"bad parameter count", fail(DISP_E_BADPARAMCOUNT), -9, "参数数目错误"},
        {"bad variant type", fail(DISP_E_BADVARTYPE), -10, "参数类型值无效"},
        {"exception", fail(DISP_E_EXCEPTION), -11, "发现异常"},
        {"member not found", fail(DISP_E_MEMBERNOTFOUND), -12, "未找到指定成员"},
        {"no named arguments", fail(DISP_E_NONAMEDARGS), -13, "不支持命名参数"},
        {"overflow", fail(DISP_E_OVERFLOW), -14, "溢出"},
        {"parameter not found", fail(DISP_E_PARAMNOTFOUND), -15, "未找到指定参数"},
        {"type mismatch", fail(DISP_E_TYPEMISMATCH), -16, "类型不匹配"},
        {"parameter not optional", fail(DISP_E_PARAMNOTOPTIONAL), -17, "必需的参数数据被省略"},
        {"any other failure", fail(E_FAIL), -18, "其他原因调用失败"},
    };
    for (const Case& c : cases) {
        c.call();
        EXPECT_EQ(lastCallError(), c.code) << c.what;
        EXPECT_EQ(lastCallErrorText().bytes(), c.text) << c.what;
    }
    clearObject(plainHolder);
    EXPECT_EQ(plain.referenceCount(), 1u);
}

TEST_F(AutomationCallTest, FailuresGiveTheEmptyResult) {
    AutomationObject empty;
    EXPECT_EQ(readTextProperty(empty, "Name"), Text());
    EXPECT_EQ(readNumberProperty(object_, "expando"), 0.0);
    EXPECT_TRUE(isEmptyObject(readObjectProperty(object_, "expando")));
    EXPECT_EQ(readVariantProperty(object_, "expando").type(), VT_EMPTY);
    EXPECT_FALSE(callBoolMethod(object_, "expando"));
    EXPECT_FALSE(writeProperty(empty, "Name", Text("x")));
    EXPECT_FALSE(writeProperty(object_, "expando", Text("x")));
}

TEST_F(AutomationCallTest, LastCallErrorBelongsToItsThread) {
    readTextProperty(object_, "expando");
    std::int32_t otherThread = 1;
    std::thread([&] {
        AutomationObject empty;
        readTextProperty(empty, "x");
        otherThread = lastCallError();
    }).join();
    EXPECT_EQ(otherThread, -1);
    EXPECT_EQ(lastCallError(), -3);
}

TEST_F(AutomationCallTest, HoldersOwnOneReference) {
    AutomationObject copy = copyObject(object_);
    EXPECT_EQ(probe_->referenceCount(), 3u);
    clearObject(copy);
    EXPECT_TRUE(isEmptyObject(copy));
    EXPECT_EQ(probe_->referenceCount(), 2u);

    AutomationObject empty;
    AutomationObject emptyCopy = copyObject(empty);
    EXPECT_TRUE(isEmptyObject(emptyCopy));
    clearObject(emptyCopy);
    EXPECT_TRUE(isEmptyObject(emptyCopy));

    AutomationObject moved = std::move(object_);
    EXPECT_EQ(probe_->referenceCount(), 2u);
    object_ = std::move(moved);
    EXPECT_EQ(probe_->referenceCount(), 2u);
}

TEST_F(AutomationCallTest, QueryObjectInterface) {
    AutomationObject target = copyObject(object_);
    AutomationObject empty;
    EXPECT_FALSE(queryObjectInterface(target, object_, "{not a guid"));
    EXPECT_FALSE(queryObjectInterface(target, object_, "Vexaro.NoSuchThing"));
    EXPECT_FALSE(queryObjectInterface(target, empty, ""));
    // IServiceProvider: the probe refuses it.
    EXPECT_FALSE(queryObjectInterface(target, object_, "{6D5140C1-7436-11CE-8034-00AA006009FA}"));
    EXPECT_EQ(target.get(), static_cast<IUnknown*>(probe_));  // left as it was
    EXPECT_EQ(probe_->referenceCount(), 3u);

    EXPECT_TRUE(queryObjectInterface(target, object_, "{00020400-0000-0000-C000-000000000046}"));
    EXPECT_EQ(probe_->referenceCount(), 3u);             // the old reference went, the new one came
    EXPECT_TRUE(queryObjectInterface(target, object_));  // IUnknown when none is named
    EXPECT_EQ(probe_->referenceCount(), 3u);
    readTextProperty(empty, "x");
    queryObjectInterface(target, object_);
    EXPECT_EQ(lastCallError(), -1);  // left alone
}

TEST(AutomationVariantTest, ClearVariantEmptiesEveryByte) {
    AutomationVariant variant;
    VARIANT* value = variant.put();
    value->vt = VT_BSTR;
    value->bstrVal = SysAllocString(reinterpret_cast<const OLECHAR*>(u"abc"));
    clearVariant(variant);
    VARIANT zero;
    std::memset(static_cast<void*>(&zero), 0, sizeof zero);
    EXPECT_EQ(std::memcmp(&variant.get(), &zero, sizeof zero), 0);
    EXPECT_EQ(variantToText(variant), Text());
    EXPECT_FALSE(variantToBool(variant));
}

}  // namespace
