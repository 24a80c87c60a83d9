// Text ranges as the highlight walks one (findText, text, pasteHTML,
// moveStart), and control ranges as the image capture uses one (add, and
// execCommand("Copy") putting the element's picture on the clipboard).
#include <cstring>

#include "tests/host/browser/component/component_test_support.h"

namespace component_test {
namespace {

using RangesTest = ComponentTest;

TEST_F(RangesTest, TheHighlightLoopMarksEveryOccurrence) {
    openBody("<p id=p>答题 and 答题, then ANSWER answer.</p>");
    AutomationObject body = readObjectProperty(document(), "body");
    struct Case {
        const char* text;
        int marked;
        const char* html;  // the paragraph's innerHTML afterwards
    };
    const std::vector<Case> cases = {
        {"答题", 2,
         "<FONT style=\"COLOR: #ff0000; BACKGROUND-COLOR: #D6F20D\">答题</FONT> and "
         "<FONT style=\"COLOR: #ff0000; BACKGROUND-COLOR: #D6F20D\">答题</FONT>, then ANSWER "
         "answer."},
        {"answer", 2,
         "<FONT style=\"COLOR: #ff0000; BACKGROUND-COLOR: #D6F20D\">答题</FONT> and "
         "<FONT style=\"COLOR: #ff0000; BACKGROUND-COLOR: #D6F20D\">答题</FONT>, then "
         "<FONT style=\"COLOR: #ff0000; BACKGROUND-COLOR: #D6F20D\">ANSWER</FONT> "
         "<FONT style=\"COLOR: #ff0000; BACKGROUND-COLOR: #D6F20D\">answer</FONT>."},
        {"没有", 0, nullptr},
    };
    for (const Case& c : cases) {
        AutomationObject range = callObjectMethod(body, "createTextRange");
        int found = 0;
        while (callBoolMethod(range, "FindText", {c.text}) && found < 10) {
            Text covered = readTextProperty(range, "Text");
            Text markup("<font style='COLOR: #ff0000; BACKGROUND-COLOR: #D6F20D'>" +
                        covered.bytes() + "</font>");
            callMethod(range, "pasteHTML", {markup});
            EXPECT_EQ(lastCallError(), 0);
            callMethod(range, "MoveStart", {"character", 1});
            ++found;
        }
        EXPECT_EQ(found, c.marked) << utf8(c.text);
        if (c.html != nullptr) {
            EXPECT_EQ(utf8(readTextProperty(byId("p"), "innerHTML")), utf8(c.html)) << utf8(c.text);
        }
    }
}

TEST_F(RangesTest, FindTextCoversTheMatchAsThePageSpellsIt) {
    openBody("<p>Hello <b>WORLD</b> 世界</p>");
    AutomationObject range =
        callObjectMethod(readObjectProperty(document(), "body"), "createTextRange");
    EXPECT_EQ(utf8(readTextProperty(range, "text")), utf8("Hello WORLD 世界"));
    struct Case {
        const char* wanted;
        int flags;
        bool found;
        const char* covered;
    };
    const std::vector<Case> cases = {
        {"world", 0, true, "WORLD"},  {"o w", 0, true, "o W"},     {"界", 0, true, "界"},
        {"world", 4, false, nullptr}, {"WORLD", 4, true, "WORLD"},
    };
    for (const Case& c : cases) {
        AutomationObject fresh =
            callObjectMethod(readObjectProperty(document(), "body"), "createTextRange");
        EXPECT_EQ(callBoolMethod(fresh, "findText", {c.wanted, 1000, c.flags}), c.found)
            << c.wanted;
        if (c.found) {
            EXPECT_EQ(utf8(readTextProperty(fresh, "text")), utf8(c.covered)) << c.wanted;
        }
    }
    // Moving by characters steps over two-byte characters whole.
    EXPECT_TRUE(callBoolMethod(range, "findText", {"世界"}));
    EXPECT_EQ(readNumberProperty(range, "moveStart", {"character", 1}), 1.0);
    EXPECT_EQ(utf8(readTextProperty(range, "text")), utf8("界"));
    EXPECT_EQ(readNumberProperty(range, "moveEnd", {"character", -1}), -1.0);
    EXPECT_EQ(utf8(readTextProperty(range, "text")), "");
    AutomationObject bold =
        callObjectMethod(callObjectMethod(document(), "getElementsByTagName", {"b"}), "item", {0});
    callMethod(range, "moveToElementText", {bold});
    EXPECT_EQ(lastCallError(), 0);
    EXPECT_EQ(utf8(readTextProperty(range, "text")), "WORLD");
}

TEST_F(RangesTest, ExecCommandCopyPutsTheElementsPictureOnTheClipboard) {
    openBody("<div id=box style=\"width:30px; height:12px\"><span>x</span></div>");
    AutomationObject body = readObjectProperty(document(), "body");
    AutomationObject range = callObjectMethod(body, "createControlRange");
    AutomationObject box = byId("box");
    callMethod(range, "add", {box});
    EXPECT_EQ(lastCallError(), 0);
    EXPECT_EQ(readNumberProperty(range, "length"), 1.0);
    EXPECT_EQ(readTextProperty(callObjectMethod(range, "item", {0}), "id").bytes(), "box");
    EXPECT_TRUE(callBoolMethod(range, "execCommand", {"Copy"}));

    ASSERT_TRUE(OpenClipboard(nullptr));
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(bitmap, nullptr);
    BITMAP description;
    ASSERT_NE(GetObjectA(bitmap, sizeof description, &description), 0);
    EXPECT_EQ(description.bmWidth, 30);
    EXPECT_EQ(description.bmHeight, 12);
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 30;
    info.bmiHeader.biHeight = 12;  // bottom-up, as the capture reads it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    const int stride = ((24 * 30 + 31) / 32) * 4;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * 12);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDIBits(dc, bitmap, 0, 12, pixels.data(), &info, DIB_RGB_COLORS), 12);
    DeleteDC(dc);
    EmptyClipboard();
    CloseClipboard();
    auto grey = [&](int x, int y) {  // y from the top
        return pixels[static_cast<size_t>((11 - y) * stride + x * 3)];
    };
    EXPECT_EQ(grey(0, 0), 0x00);  // the frame
    EXPECT_EQ(grey(29, 11), 0x00);
    EXPECT_EQ(grey(15, 5), 0xFF);  // inside, where nothing is
    EXPECT_EQ(grey(8, 0), 0x00);
    EXPECT_EQ(grey(7, 10), 0x80);  // the span's box, outlined: 8 x 20 from the corner
}

TEST_F(RangesTest, ControlRangeRefusals) {
    openBody("<div id=box></div><span id=empty></span>");
    AutomationObject body = readObjectProperty(document(), "body");
    AutomationObject range = callObjectMethod(body, "createControlRange");
    EXPECT_FALSE(callBoolMethod(range, "execCommand", {"Copy"}));  // nothing in the range
    callMethod(range, "add", {body});
    EXPECT_EQ(lastCallError(), 0);
    callMethod(range, "add", {range});  // not an element
    EXPECT_EQ(lastCallError(), -11);
    callBoolMethod(range, "execCommand", {"NoSuchCommand"});
    EXPECT_EQ(lastCallError(), -18);
}

}  // namespace
}  // namespace component_test
