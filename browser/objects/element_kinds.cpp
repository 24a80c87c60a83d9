// Which table an element gets: the common members followed by its kind's.
#include <map>

#include "browser/objects/element_members.h"

namespace browser {

namespace {

struct Kind {
    const char* interfaceName;
    std::vector<ElementRow> (*rows)();
};

const std::map<std::string, Kind, std::less<>>& kindsByTag() {
    static const std::map<std::string, Kind, std::less<>> kinds = {
        {"input", {"IHTMLInputElement", inputMembers}},
        {"textarea", {"IHTMLTextAreaElement", textAreaMembers}},
        {"select", {"IHTMLSelectElement", selectMembers}},
        {"option", {"IHTMLOptionElement", optionMembers}},
        {"button", {"IHTMLButtonElement", buttonMembers}},
        {"a", {"IHTMLAnchorElement", anchorMembers}},
        {"img", {"IHTMLImgElement", imageMembers}},
        {"form", {"IHTMLFormElement", formMembers}},
        {"table", {"IHTMLTable", tableMembers}},
        {"thead", {"IHTMLTableSection", tableSectionMembers}},
        {"tbody", {"IHTMLTableSection", tableSectionMembers}},
        {"tfoot", {"IHTMLTableSection", tableSectionMembers}},
        {"tr", {"IHTMLTableRow", tableRowMembers}},
        {"td", {"IHTMLTableCell", tableCellMembers}},
        {"th", {"IHTMLTableCell", tableCellMembers}},
        {"frame", {"IHTMLFrameElement", frameMembers}},
        {"iframe", {"IHTMLIFrameElement", frameMembers}},
        {"script", {"IHTMLScriptElement", scriptMembers}},
        {"body", {"IHTMLBodyElement", bodyMembers}},
        {"label", {"IHTMLLabelElement", labelMembers}},
        {"title", {"IHTMLTitleElement", titleMembers}},
        {"meta", {"IHTMLMetaElement", metaMembers}},
        {"link", {"IHTMLLinkElement", linkMembers}},
    };
    return kinds;
}

}  // namespace

const MemberTable<ElementObject>& elementMembersFor(std::string_view localName) {
    // One table per interface, made on first use.
    static std::map<std::string, std::unique_ptr<MemberTable<ElementObject>>, std::less<>> tables;
    const auto& kinds = kindsByTag();
    auto kind = kinds.find(localName);
    std::string interfaceName = kind == kinds.end() ? "IHTMLElement" : kind->second.interfaceName;
    auto& table = tables[interfaceName];
    if (!table) {
        std::vector<std::vector<ElementRow>> parts{commonElementMembers()};
        if (kind != kinds.end()) parts.push_back(kind->second.rows());
        table = std::make_unique<MemberTable<ElementObject>>(interfaceName, std::move(parts));
    }
    return *table;
}

}  // namespace browser
