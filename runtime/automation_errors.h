// The result codes of the late-bound call layer.
#pragma once

#include <cstdint>

#include "platform/win32.h"

enum AutomationCallCode : std::int32_t {
    kCallSucceeded = 0,
    kCallEmptyObject = -1,
    kCallNoDispatch = -2,
    kCallNameNotBound = -3,
    kCallNoTypeInformation = -4,
    kCallTooManyArguments = -5,
    kCallUnsupportedArgument = -7,
    kCallResultMismatch = -8,
    kCallBadParameterCount = -9,
    kCallBadVariantType = -10,
    kCallException = -11,
    kCallMemberNotFound = -12,
    kCallNoNamedArguments = -13,
    kCallOverflow = -14,
    kCallParameterNotFound = -15,
    kCallTypeMismatch = -16,
    kCallParameterNotOptional = -17,
    kCallOtherFailure = -18,
};

// The code for an IDispatch::Invoke that returned `hr` (0 when it succeeded).
std::int32_t codeOfInvokeResult(HRESULT hr);

void setLastCallError(std::int32_t code);
