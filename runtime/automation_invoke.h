// The one path every late-bound read, write and call takes: bind the name
// through type information, build the arguments, invoke by member id.
#pragma once

#include <cstdint>
#include <span>

#include "runtime/automation_argument.h"
#include "runtime/automation_object.h"
#include "runtime/text.h"

enum class AccessKind { kGet, kPut, kMethod };

// Returns 0 with the member's result in `result` (the caller clears it), or a
// negative code with `result` left VT_EMPTY. Does not set lastCallError.
std::int32_t invokeByName(const AutomationObject& object, const Text& name, AccessKind access,
                          std::span<const AutomationArgument> arguments, VARIANT& result);
