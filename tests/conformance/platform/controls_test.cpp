// The standard controls of the main window: "Edit" boxes that store any
// amount of text as given, and "Static" controls with text or a picture.
#include <gtest/gtest.h>

#include <string>

#include "tests/conformance/platform/desktop_support.h"

namespace {

class ControlsTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        parent = makeWindow(WS_POPUP, 50, 50, 212, 101);
    }

    static std::string text(HWND window) {
        std::string result(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
        int length = GetWindowTextA(window, result.data(), static_cast<int>(result.size()));
        result.resize(static_cast<std::size_t>(length > 0 ? length : 0));
        return result;
    }

    HWND parent = nullptr;
};

TEST_F(ControlsTest, EditBoxesKeepTheirTextAsGiven) {
    HWND single = makeWindowOfClass("EDIT", WS_CHILD | ES_READONLY | ES_AUTOHSCROLL, 72, 80, 104,
                                    24, parent, "start");
    HWND multi = makeWindowOfClass("Edit", WS_CHILD | ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL,
                                   744, 32, 462, 368, parent);
    char name[16] = {};
    EXPECT_EQ(GetClassNameA(single, name, sizeof name), 4);
    EXPECT_STREQ(name, "Edit");
    EXPECT_EQ(text(single), "start");
    EXPECT_EQ(text(multi), "");
    EXPECT_NE(GetWindowLongA(single, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(SendMessageA(single, EM_GETLIMITTEXT, 0, 0), 30000);

    // The limit is for typing: text set by the program has no limit.
    std::string long_text(40000, 'a');
    long_text += "\r\n行二\r\n";
    const std::string texts[] = {"a\nb\r\nc", "网页句柄", long_text, "12345678"};
    for (HWND box : {single, multi}) {
        for (const std::string& wanted : texts) {
            ASSERT_TRUE(SetWindowTextA(box, wanted.c_str()));
            EXPECT_EQ(GetWindowTextLengthA(box), static_cast<int>(wanted.size()));
            EXPECT_EQ(SendMessageA(box, WM_GETTEXTLENGTH, 0, 0),
                      static_cast<LRESULT>(wanted.size()));
            EXPECT_EQ(text(box), wanted);
        }
        EXPECT_TRUE(SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")));
        EXPECT_EQ(text(box), "");
        EXPECT_TRUE(SendMessageA(box, WM_SETTEXT, 0, 0));
        EXPECT_EQ(GetWindowTextLengthA(box), 0);
    }
}

TEST_F(ControlsTest, EditBoxesCanBeMadeReadOnly) {
    HWND box = makeWindowOfClass("Edit", WS_CHILD, 0, 0, 50, 20, parent);
    EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_TRUE(SendMessageA(box, EM_SETREADONLY, TRUE, 0));
    EXPECT_NE(GetWindowLongA(box, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_TRUE(SendMessageA(box, EM_SETREADONLY, FALSE, 0));
    EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(ControlsTest, StaticControlsShowTextOrAPicture) {
    HWND label = makeWindowOfClass("STATIC", WS_CHILD, 8, 80, 64, 24, parent, "网页句柄：");
    EXPECT_EQ(text(label), "网页句柄：");
    char name[16] = {};
    EXPECT_EQ(GetClassNameA(label, name, sizeof name), 6);
    EXPECT_STREQ(name, "Static");

    HWND picture = makeWindowOfClass("Static", WS_CHILD | SS_BITMAP, 79, 11, 60, 60, parent);
    HBITMAP small = CreateBitmap(4, 3, 1, 32, nullptr);
    HBITMAP large = CreateBitmap(32, 32, 1, 32, nullptr);
    auto set = [picture](WPARAM type, HANDLE image) {
        return reinterpret_cast<HANDLE>(
            SendMessageA(picture, STM_SETIMAGE, type, reinterpret_cast<LPARAM>(image)));
    };
    auto get = [picture](WPARAM type) {
        return reinterpret_cast<HANDLE>(SendMessageA(picture, STM_GETIMAGE, type, 0));
    };
    EXPECT_EQ(get(IMAGE_BITMAP), nullptr);
    EXPECT_EQ(set(IMAGE_BITMAP, small), nullptr);  // the previous picture: none
    EXPECT_EQ(get(IMAGE_BITMAP), small);
    EXPECT_EQ(set(IMAGE_BITMAP, large), small);
    EXPECT_EQ(get(IMAGE_BITMAP), large);
    EXPECT_EQ(get(IMAGE_ICON), nullptr);  // a bitmap control has no icon

    // The control takes the size of its picture.
    RECT rect;
    GetClientRect(picture, &rect);
    EXPECT_EQ(rect.right, 32);
    EXPECT_EQ(rect.bottom, 32);

    // No picture at all: the box shows its background.
    EXPECT_EQ(set(IMAGE_BITMAP, nullptr), large);
    EXPECT_EQ(get(IMAGE_BITMAP), nullptr);

    // A text control takes no picture.
    EXPECT_EQ(SendMessageA(label, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(small)), 0);
    EXPECT_EQ(SendMessageA(label, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);

    // The pictures stay the program's: the control never deletes them.
    DestroyWindow(picture);
    EXPECT_EQ(GetObjectType(small), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(GetObjectType(large), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_TRUE(DeleteObject(small));
    EXPECT_TRUE(DeleteObject(large));
}

TEST_F(ControlsTest, IconControlsTakeCursors) {
    HWND icon = makeWindowOfClass("Static", WS_CHILD | SS_ICON, 0, 0, 60, 60, parent);
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    EXPECT_EQ(SendMessageA(icon, STM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(hand)), 0);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(SendMessageA(icon, STM_GETIMAGE, IMAGE_CURSOR, 0)), hand);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(SendMessageA(icon, STM_GETIMAGE, IMAGE_ICON, 0)), hand);
    EXPECT_EQ(SendMessageA(icon, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(SendMessageA(icon, STM_SETIMAGE, IMAGE_ICON, 0)), hand);
}

}  // namespace
