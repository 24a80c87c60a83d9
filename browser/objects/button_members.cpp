// <button>.
#include "browser/objects/element_members.h"

namespace browser {

std::vector<ElementRow> buttonMembers() {
    return {
        reflectedText("value", "value"),
        ElementRows::text("type",
                          [](ElementObject& e) {
                              std::string type = dom::asciiLower(e.element().attribute("type"));
                              return type == "button" || type == "reset" ? type
                                                                         : std::string("submit");
                          }),
        reflectedFlag("disabled", "disabled"),
        formOfControl(),
        createTextRangeRow(),
    };
}

}  // namespace browser
