// The late-bound call layer: read a property, write a property or call a
// method of an automation object by member name.
//
// A call never throws and never stops the program. A failed call gives the
// empty value of its result kind (empty text, 0, false, an empty holder, a
// VT_EMPTY variant) and leaves its code in the thread's lastCallError, which
// lastCallErrorText turns into a message.
//
// Names are bound through the object's type information, never through
// IDispatch::GetIDsOfNames, so they match without regard to letter case and
// a member the type information does not describe cannot be reached.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "runtime/automation_argument.h"
#include "runtime/automation_object.h"
#include "runtime/automation_variant.h"
#include "runtime/text.h"

using AutomationArguments = std::initializer_list<AutomationArgument>;

// Reads: the arguments are the property's optional indexes.
Text readTextProperty(const AutomationObject& object, const Text& name,
                      AutomationArguments arguments = {});
double readNumberProperty(const AutomationObject& object, const Text& name,
                          AutomationArguments arguments = {});
AutomationObject readObjectProperty(const AutomationObject& object, const Text& name,
                                    AutomationArguments arguments = {});
AutomationVariant readVariantProperty(const AutomationObject& object, const Text& name,
                                      AutomationArguments arguments = {});

// Writes the value (the last argument, after any indexes); true when the call
// succeeded.
bool writeProperty(const AutomationObject& object, const Text& name,
                   const AutomationArgument& value);
bool writeProperty(const AutomationObject& object, const Text& name, AutomationArguments arguments);

// Method calls, with the method's arguments in source order.
void callMethod(const AutomationObject& object, const Text& name,
                AutomationArguments arguments = {});
AutomationObject callObjectMethod(const AutomationObject& object, const Text& name,
                                  AutomationArguments arguments = {});
bool callBoolMethod(const AutomationObject& object, const Text& name,
                    AutomationArguments arguments = {});
AutomationVariant callVariantMethod(const AutomationObject& object, const Text& name,
                                    AutomationArguments arguments = {});

// The result code of the calling thread's last read, write or call: 0 on
// success, a negative code otherwise.
std::int32_t lastCallError();
// The message of lastCallError(); empty for success and unknown codes.
Text lastCallErrorText();
