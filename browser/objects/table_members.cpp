// Tables: the table and its sections (rows), rows (cells), cells.
#include "browser/dom/element_queries.h"
#include "browser/objects/element_members.h"

namespace browser {

namespace {

bool isSection(const dom::Element& element) {
    return element.is("thead") || element.is("tbody") || element.is("tfoot");
}

std::vector<dom::Element*> childrenNamed(dom::Element& parent, bool (*keep)(const dom::Element&)) {
    std::vector<dom::Element*> found;
    for (dom::Element* child : dom::childElements(parent)) {
        if (keep(*child)) found.push_back(child);
    }
    return found;
}

bool isRow(const dom::Element& element) { return element.is("tr"); }
bool isCell(const dom::Element& element) { return element.is("td") || element.is("th"); }

// The rows of a table, in its order: those of its sections and its own,
// not those of tables inside it.
std::vector<dom::Element*> tableRows(dom::Element& table) {
    std::vector<dom::Element*> rows;
    for (dom::Element* child : dom::childElements(table)) {
        if (child->is("tr")) {
            rows.push_back(child);
        } else if (isSection(*child)) {
            for (dom::Element* row : childrenNamed(*child, isRow)) rows.push_back(row);
        }
    }
    return rows;
}

dom::Element* tableOf(dom::Element& row) {
    for (dom::Element* up = row.parentElement(); up != nullptr; up = up->parentElement()) {
        if (up->is("table")) return up;
    }
    return nullptr;
}

long indexIn(const std::vector<dom::Element*>& list, const dom::Element* element) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == element) return static_cast<long>(i);
    }
    return -1;
}

ElementRow rowsOfSection() {
    return ElementRows::object("rows", [](ElementObject& e) {
        dom::Element* section = &e.element();
        return CollectionObject::create(e.pagePointer(),
                                        [section] { return childrenNamed(*section, isRow); });
    });
}

}  // namespace

std::vector<ElementRow> tableMembers() {
    return {
        ElementRows::object("rows",
                            [](ElementObject& e) {
                                dom::Element* table = &e.element();
                                return CollectionObject::create(
                                    e.pagePointer(), [table] { return tableRows(*table); });
                            }),
        ElementRows::object("tBodies",
                            [](ElementObject& e) {
                                dom::Element* table = &e.element();
                                return CollectionObject::create(e.pagePointer(), [table] {
                                    return childrenNamed(*table, [](const dom::Element& c) {
                                        return c.is("tbody");
                                    });
                                });
                            }),
        reflectedText("border", "border"),
        reflectedText("cellPadding", "cellpadding"),
        reflectedText("cellSpacing", "cellspacing"),
        reflectedText("width", "width"),
    };
}

std::vector<ElementRow> tableSectionMembers() { return {rowsOfSection()}; }

std::vector<ElementRow> tableRowMembers() {
    return {
        ElementRows::object("cells",
                            [](ElementObject& e) {
                                dom::Element* row = &e.element();
                                return CollectionObject::create(
                                    e.pagePointer(), [row] { return childrenNamed(*row, isCell); });
                            }),
        ElementRows::integer("rowIndex",
                             [](ElementObject& e) {
                                 dom::Element* table = tableOf(e.element());
                                 return table ? indexIn(tableRows(*table), &e.element()) : -1L;
                             }),
        ElementRows::integer("sectionRowIndex",
                             [](ElementObject& e) {
                                 dom::Element* parent = e.element().parentElement();
                                 return parent
                                            ? indexIn(childrenNamed(*parent, isRow), &e.element())
                                            : -1L;
                             }),
    };
}

std::vector<ElementRow> tableCellMembers() {
    return {
        ElementRows::integer("cellIndex",
                             [](ElementObject& e) {
                                 dom::Element* row = e.element().parentElement();
                                 return row ? indexIn(childrenNamed(*row, isCell), &e.element())
                                            : -1L;
                             }),
        reflectedInteger("colSpan", "colspan", 1),
        reflectedInteger("rowSpan", "rowspan", 1),
    };
}

}  // namespace browser
