#include "browser/objects/control_range_object.h"

#include <cstring>

#include "browser/dom/element_queries.h"
#include "browser/dom/layout.h"
#include "browser/objects/element_object.h"
#include "browser/page/page.h"

namespace browser {

namespace {

using ControlRows = Rows<ControlRangeObject>;

// The picture of an element: its box, white, framed in black, with the
// boxes of the elements it shows outlined in grey. Rows top-down, three
// bytes a pixel (blue, green, red), each row padded to four bytes.
class Picture {
public:
    Picture(void* bits, int width, int height)
        : bits_(static_cast<unsigned char*>(bits)),
          width_(width),
          height_(height),
          stride_(((24 * width + 31) / 32) * 4) {
        std::memset(bits_, 0xFF, static_cast<size_t>(stride_) * static_cast<size_t>(height_));
    }

    // The outline of a rectangle, clipped to the picture.
    void outline(int left, int top, int width, int height, unsigned char grey) {
        if (width <= 0 || height <= 0) return;
        for (int x = left; x < left + width; ++x) {
            set(x, top, grey);
            set(x, top + height - 1, grey);
        }
        for (int y = top; y < top + height; ++y) {
            set(left, y, grey);
            set(left + width - 1, y, grey);
        }
    }

private:
    void set(int x, int y, unsigned char grey) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        unsigned char* pixel =
            bits_ + static_cast<size_t>(y) * stride_ + static_cast<size_t>(x) * 3;
        pixel[0] = pixel[1] = pixel[2] = grey;
    }

    unsigned char* bits_;
    int width_;
    int height_;
    int stride_;
};

// "Copy": the picture of the range's first element goes on the clipboard
// as CF_BITMAP (a 24-bit DIB section the clipboard then owns), replacing
// what was there. False, and the clipboard unchanged, when the element has
// no box or the clipboard is held by another window.
bool copyPicture(ControlRangeObject& c) {
    dom::Element& element = *c.elements().front();
    int width = dom::offsetWidth(element);
    int height = dom::offsetHeight(element);
    if (width <= 0 || height <= 0) return false;

    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) return false;

    Picture picture(bits, width, height);
    const dom::LayoutBox& box = element.layoutBox();
    for (dom::Element* inside : dom::allElements(element)) {
        if (!dom::isRendered(*inside)) continue;
        const dom::LayoutBox& part = inside->layoutBox();
        picture.outline(part.left - box.left, part.top - box.top, part.width, part.height, 0x80);
    }
    picture.outline(0, 0, width, height, 0x00);

    if (!OpenClipboard(nullptr)) {
        DeleteObject(bitmap);
        return false;
    }
    EmptyClipboard();
    bool placed = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    CloseClipboard();
    if (!placed) DeleteObject(bitmap);
    return placed;
}

const MemberTable<ControlRangeObject>& controlRangeMembers() {
    static const MemberTable<ControlRangeObject> table(
        "IHTMLControlRange",
        {{
            ControlRows::method(
                "add",
                {required("item", DeclaredType::pointerTo(
                                      DeclaredType::dispatchInterface("IHTMLControlElement")))},
                VT_VOID,
                [](ControlRangeObject& c, const MethodArguments& a, VARIANT*) {
                    ElementObject* element = ElementObject::from(a.object(0));
                    if (element == nullptr || &element->page() != &c.page()) {
                        return raiseException("Invalid argument.");
                    }
                    c.elements().push_back(&element->element());
                    return S_OK;
                }),
            ControlRows::method("remove", {required("index", VT_I4)}, VT_VOID,
                                [](ControlRangeObject& c, const MethodArguments& a, VARIANT*) {
                                    std::optional<long> index = a.integer(0);
                                    auto& elements = c.elements();
                                    if (!index || *index < 0 ||
                                        static_cast<size_t>(*index) >= elements.size()) {
                                        return raiseException("Invalid argument.");
                                    }
                                    elements.erase(elements.begin() + *index);
                                    return S_OK;
                                }),
            ControlRows::method(
                "item", {required("index", VT_I4)}, VT_DISPATCH,
                [](ControlRangeObject& c, const MethodArguments& a, VARIANT* r) {
                    std::optional<long> index = a.integer(0);
                    auto& elements = c.elements();
                    if (!index || *index < 0 || static_cast<size_t>(*index) >= elements.size()) {
                        setObject(r, nullptr);
                    } else {
                        setObject(r, ElementObject::get(c.pagePointer(),
                                                        elements[static_cast<size_t>(*index)]));
                    }
                    return S_OK;
                })
                .asDefault(),
            ControlRows::integer(
                "length",
                [](ControlRangeObject& c) { return static_cast<long>(c.elements().size()); }),
            ControlRows::method(
                "execCommand",
                {required("command", VT_BSTR), optional("showUI", VT_BOOL), optional("value")},
                VT_BOOL,
                [](ControlRangeObject& c, const MethodArguments& a, VARIANT* r) {
                    std::string command = dom::asciiLower(a.text(0).value_or(""));
                    if (command == "copy") {
                        setBoolean(r, !c.elements().empty() && copyPicture(c));
                        return S_OK;
                    }
                    if (command == "selectall" || command == "unselect") {
                        setBoolean(r, true);
                        return S_OK;
                    }
                    raiseException("Invalid argument.");
                    return E_INVALIDARG;
                },
                2),
            ControlRows::method("queryCommandSupported", {required("command", VT_BSTR)}, VT_BOOL,
                                [](ControlRangeObject&, const MethodArguments& a, VARIANT* r) {
                                    std::string command = dom::asciiLower(a.text(0).value_or(""));
                                    setBoolean(r, command == "copy" || command == "selectall" ||
                                                      command == "unselect");
                                    return S_OK;
                                }),
            ControlRows::method(
                "select", {}, VT_VOID,
                [](ControlRangeObject&, const MethodArguments&, VARIANT*) { return S_OK; }),
        }});
    return table;
}

}  // namespace

ControlRangeObject::ControlRangeObject(std::shared_ptr<Page> page)
    : TableObject(page->browserPointer(), controlRangeMembers()), page_(std::move(page)) {}

IDispatch* ControlRangeObject::create(std::shared_ptr<Page> page) {
    return new ControlRangeObject(std::move(page));
}

}  // namespace browser
