#include "runtime/automation_errors.h"

#include "runtime/automation_call.h"

namespace {
thread_local std::int32_t threadLastCallError = 0;
}  // namespace

std::int32_t lastCallError() { return threadLastCallError; }

void setLastCallError(std::int32_t code) { threadLastCallError = code; }

std::int32_t codeOfInvokeResult(HRESULT hr) {
    if (SUCCEEDED(hr)) return kCallSucceeded;
    switch (hr) {
        case DISP_E_BADPARAMCOUNT:
            return kCallBadParameterCount;
        case DISP_E_BADVARTYPE:
            return kCallBadVariantType;
        case DISP_E_EXCEPTION:
            return kCallException;
        case DISP_E_MEMBERNOTFOUND:
            return kCallMemberNotFound;
        case DISP_E_NONAMEDARGS:
            return kCallNoNamedArguments;
        case DISP_E_OVERFLOW:
            return kCallOverflow;
        case DISP_E_PARAMNOTFOUND:
            return kCallParameterNotFound;
        case DISP_E_TYPEMISMATCH:
            return kCallTypeMismatch;
        case DISP_E_PARAMNOTOPTIONAL:
            return kCallParameterNotOptional;
        default:
            return kCallOtherFailure;
    }
}

Text lastCallErrorText() {
    switch (threadLastCallError) {
        case kCallEmptyObject:
            return "对象为空";
        case kCallNoDispatch:
            return "指定对象没有调用接口";
        case kCallNameNotBound:
            return "未找到指定属性或方法";
        case kCallNoTypeInformation:
            return "指定对象没有类型信息";
        case kCallTooManyArguments:
            return "提供了过多的参数";
        case kCallUnsupportedArgument:
            return "参数数据类型错误";
        case kCallResultMismatch:
            return "执行成功，但返回值类型不匹配";
        case kCallBadParameterCount:
            return "参数数目错误";
        case kCallBadVariantType:
            return "参数类型值无效";
        case kCallException:
            return "发现异常";
        case kCallMemberNotFound:
            return "未找到指定成员";
        case kCallNoNamedArguments:
            return "不支持命名参数";
        case kCallOverflow:
            return "溢出";
        case kCallParameterNotFound:
            return "未找到指定参数";
        case kCallTypeMismatch:
            return "类型不匹配";
        case kCallParameterNotOptional:
            return "必需的参数数据被省略";
        case kCallOtherFailure:
            return "其他原因调用失败";
        default:
            return {};
    }
}
