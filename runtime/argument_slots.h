// The argument slots of one late-bound call: a value slot per argument, in
// the reverse order IDispatch::Invoke expects, and a shadow slot that holds
// the value of an argument passed by reference. All are cleared (strings
// freed, references released) when the slots go.
#pragma once

#include <cstddef>
#include <vector>

#include "runtime/automation_argument.h"
#include "runtime/declared_type.h"

class ArgumentSlots {
public:
    explicit ArgumentSlots(std::size_t count);
    ~ArgumentSlots();
    ArgumentSlots(const ArgumentSlots&) = delete;
    ArgumentSlots& operator=(const ArgumentSlots&) = delete;

    VARIANTARG* values() { return values_.empty() ? nullptr : values_.data(); }

    // Converts the argument for its declared parameter into `slot`. Returns
    // false, placing nothing, for a kind that cannot be passed.
    bool place(std::size_t slot, const AutomationArgument& argument,
               const DeclaredParameter& declared);

    // Stores what the member left in `slot` into the argument's variable,
    // when the argument refers to one and went by reference.
    void writeBack(std::size_t slot, const AutomationArgument& argument) const;

private:
    std::vector<VARIANT> values_;
    std::vector<VARIANT> shadows_;
    std::vector<bool> passedByReference_;
};
