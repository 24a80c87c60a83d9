// The state of form controls: value, checked, selectedIndex and options.
// What the user or a script sets is kept in the element's ControlState; until
// then the attributes give it (value, checked, selected), and they stay as
// written, as the old browser keeps them (defaultChecked reads the
// attribute). Every select is treated as single choice.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "browser/dom/element.h"

namespace dom {

// An input's type in lower case: "text" when absent or not one HTML knows.
std::string inputType(const Element& input);

// True for an input of type radio or checkbox.
bool isCheckable(const Element& element);

// input: the value set, else the value attribute (for a radio or checkbox
// without one: "on"); textarea: the value set, else its text; select: the
// selected option's value, or "" when none is; option: its value attribute,
// else its text; any other element: its value attribute.
std::string value(const Element& element);

// input, textarea: the value; select: selects the first option whose value
// this is (none when there is no such option); option and any other
// element: the value attribute. A radio or checkbox keeps the value in the
// attribute. Refused (false) for an input of type file.
bool setValue(Element& element, std::string_view cp936Value);

// A radio or checkbox's checkedness: as set, else from the checked
// attribute (of a radio group whose members have the attribute, the last
// one is the checked one). false for any other element.
bool checked(const Element& element);

// Sets it; checking a radio unchecks the others of its group (same name,
// same form or none, same tree). Refused (false) for any other element.
bool setChecked(Element& element, bool checked);

// The checked attribute.
bool defaultChecked(const Element& element);
void setDefaultChecked(Element& element, bool checked);

// The radio inputs of the radio's group, itself included, in document order.
std::vector<Element*> radioGroup(Element& radio);

// A select's options (in optgroups too), in document order.
std::vector<Element*> options(Element& select);

// The index of the selected option: as set, else the last option with the
// selected attribute, else 0 when there are options, else -1.
int selectedIndex(Element& select);

// Selects the option at index; -1, or any index past the options, selects
// none. Refused (false) for an element that is not a select.
bool setSelectedIndex(Element& select, int index);

// An option's text: its text with white space collapsed and trimmed.
std::string optionText(const Element& option);

// The select an option belongs to, or nullptr.
Element* selectOf(Element& option);

}  // namespace dom
