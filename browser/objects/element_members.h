// The member rows of elements: the common ones and each kind's, and the
// table an element gets by its tag name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "browser/dom/element.h"
#include "browser/objects/collection_object.h"
#include "browser/objects/element_object.h"
#include "browser/objects/member_table.h"

namespace browser {

using ElementRow = Member<ElementObject>;
using ElementRows = Rows<ElementObject>;

// The table for an element of this (lower-case) tag name.
const MemberTable<ElementObject>& elementMembersFor(std::string_view localName);

// Every element's members (element_members.cpp).
std::vector<ElementRow> commonElementMembers();

// Each kind's own (one file each).
std::vector<ElementRow> inputMembers();
std::vector<ElementRow> textAreaMembers();
std::vector<ElementRow> selectMembers();
std::vector<ElementRow> optionMembers();
std::vector<ElementRow> buttonMembers();
std::vector<ElementRow> anchorMembers();
std::vector<ElementRow> imageMembers();
std::vector<ElementRow> formMembers();
std::vector<ElementRow> tableMembers();
std::vector<ElementRow> tableSectionMembers();
std::vector<ElementRow> tableRowMembers();
std::vector<ElementRow> tableCellMembers();
std::vector<ElementRow> frameMembers();
std::vector<ElementRow> scriptMembers();
std::vector<ElementRow> bodyMembers();
std::vector<ElementRow> labelMembers();
std::vector<ElementRow> titleMembers();
std::vector<ElementRow> metaMembers();
std::vector<ElementRow> linkMembers();

// Row makers the kinds share.
// An attribute reflected as text (`href` reads the attribute "href").
ElementRow reflectedText(std::string name, std::string attribute);
// An attribute holding an address: read resolved against the page's.
ElementRow reflectedAddress(std::string name, std::string attribute);
// An attribute reflected as a number (absent or not a number: the default).
ElementRow reflectedInteger(std::string name, std::string attribute, long fallback);
// An attribute whose presence is the value (`disabled`).
ElementRow reflectedFlag(std::string name, std::string attribute);
// The form a control belongs to, or null.
ElementRow formOfControl();
// createTextRange: a text range over the element's text.
ElementRow createTextRangeRow();

// The controls of a form (input, select, textarea, button), in order.
CollectionObject::Source formControls(std::shared_ptr<Page> page, dom::Element* form);

// click() and fireEvent (element_events.cpp).
HRESULT clickElement(ElementObject& element);
HRESULT fireEventOn(ElementObject& element, const MethodArguments& arguments, VARIANT* result);

}  // namespace browser
