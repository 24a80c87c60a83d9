// One argument of a late-bound call: a value of one of the system's value
// kinds, a reference to the caller's variable of such a kind (written back
// when the member declares the parameter as output), or the mark of an
// omitted optional argument.
#pragma once

#include <cstdint>
#include <type_traits>
#include <variant>

#include "runtime/automation_object.h"
#include "runtime/automation_variant.h"
#include "runtime/bytes.h"
#include "runtime/text.h"

// A date and time as OLE Automation counts it: days since 30 December 1899.
struct AutomationDate {
    double days = 0.0;
};

// The mark of an optional argument that is not given.
struct OmittedArgument {};
inline constexpr OmittedArgument omittedArgument{};

class AutomationArgument {
public:
    // The value a by-value argument carries. A kind that cannot cross the
    // boundary (a byte block) is kept as `Unsupported`, and the call fails.
    struct Unsupported {};
    using Value = std::variant<OmittedArgument, Text, std::int32_t, std::int64_t, std::int16_t,
                               std::uint8_t, float, double, bool, AutomationDate,
                               const AutomationObject*, const AutomationVariant*, Unsupported>;
    // The caller's variable a by-reference argument points at.
    using Variable = std::variant<std::monostate, Text*, std::int32_t*, std::int64_t*,
                                  std::int16_t*, std::uint8_t*, float*, double*, bool*,
                                  AutomationDate*, AutomationObject*, AutomationVariant*>;

    AutomationArgument(OmittedArgument) : value_(OmittedArgument{}) {}  // NOLINT
    AutomationArgument(const Text& value) : value_(value) {}            // NOLINT
    // A literal is a text, not the boolean its pointer would convert to.
    AutomationArgument(const char* value) : value_(Text(value)) {}  // NOLINT
    AutomationArgument(std::int32_t value) : value_(value) {}       // NOLINT
    AutomationArgument(std::int64_t value) : value_(value) {}       // NOLINT
    // A `long` where it is neither of the above (32 bits on Windows, where
    // HRESULT and LONG are longs) is a 32-bit integer.
    template <class Long>
    requires(std::is_same_v<Long, long> && !std::is_same_v<long, std::int32_t> &&
             !std::is_same_v<long, std::int64_t>) AutomationArgument(Long value)  // NOLINT
        : value_(static_cast<std::int32_t>(value)) {}
    AutomationArgument(std::int16_t value) : value_(value) {}    // NOLINT
    AutomationArgument(std::uint8_t value) : value_(value) {}    // NOLINT
    AutomationArgument(float value) : value_(value) {}           // NOLINT
    AutomationArgument(double value) : value_(value) {}          // NOLINT
    AutomationArgument(bool value) : value_(value) {}            // NOLINT
    AutomationArgument(AutomationDate value) : value_(value) {}  // NOLINT
    // The holder must outlive the call; the call adds its own references.
    AutomationArgument(const AutomationObject& value) : value_(&value) {}   // NOLINT
    AutomationArgument(const AutomationVariant& value) : value_(&value) {}  // NOLINT
    // A temporary holder would be gone before the call uses it.
    AutomationArgument(AutomationObject&&) = delete;
    AutomationArgument(AutomationVariant&&) = delete;
    AutomationArgument(const Bytes&) : value_(Unsupported{}) {}  // NOLINT

    // A reference to the caller's variable: its value is passed, and when the
    // member declares the parameter as output, the variable receives what the
    // member wrote.
    template <class Kind>
    static AutomationArgument reference(Kind& variable) {
        AutomationArgument argument(OmittedArgument{});
        argument.variable_ = &variable;
        return argument;
    }

    const Value& value() const { return value_; }
    const Variable& variable() const { return variable_; }
    bool isReference() const { return !std::holds_alternative<std::monostate>(variable_); }

private:
    Value value_;
    Variable variable_;
};
