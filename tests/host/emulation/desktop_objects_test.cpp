// The census of live objects that leak checks compare: each kind counts up
// when made and down when destroyed, whoever holds it.
#include <cstring>

#include "emulation/desktop_testing.h"
#include "tests/host/emulation/desktop_host_test.h"

namespace {

using DesktopObjectsTest = DesktopHostTest;

TEST_F(DesktopObjectsTest, EveryKindOfObjectIsCounted) {
    emulation::DesktopObjects start = emulation::liveDesktopObjects();
    emulation::DesktopObjects expected = start;

    HWND window =
        CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND child =
        CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, window, nullptr, nullptr, nullptr);
    expected.windows += 2;
    HANDLE timer = CreateWaitableTimerA(nullptr, TRUE, nullptr);
    ++expected.kernelHandles;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 8);
    ++expected.globalMemoryBlocks;
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    ++expected.bitmaps;
    HDC memoryDc = CreateCompatibleDC(nullptr);
    HDC windowDc = GetDC(window);
    expected.deviceContexts += 2;
    ICONINFO arrow;
    ASSERT_TRUE(GetIconInfo(LoadCursorA(nullptr, IDC_ARROW), &arrow));
    expected.bitmaps += 2;
    EXPECT_EQ(emulation::liveDesktopObjects(), expected);

    DeleteObject(arrow.hbmMask);
    DeleteObject(arrow.hbmColor);
    expected.bitmaps -= 2;
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    SetClipboardData(CF_BITMAP, bitmap);
    SetClipboardData(CF_TEXT, memory);
    expected.clipboardItems += 2;
    EXPECT_EQ(emulation::liveDesktopObjects(), expected);
    ASSERT_TRUE(EmptyClipboard());  // frees the bitmap and the memory
    ASSERT_TRUE(CloseClipboard());
    expected.clipboardItems -= 2;
    --expected.bitmaps;
    --expected.globalMemoryBlocks;
    EXPECT_EQ(emulation::liveDesktopObjects(), expected);

    DestroyWindow(window);  // its child too
    expected.windows -= 2;
    EXPECT_FALSE(IsWindow(child));
    CloseHandle(timer);
    --expected.kernelHandles;
    DeleteDC(memoryDc);
    ReleaseDC(nullptr, windowDc);
    expected.deviceContexts -= 2;
    EXPECT_EQ(emulation::liveDesktopObjects(), expected);
    EXPECT_EQ(expected, start);
}

TEST_F(DesktopObjectsTest, CursorsMadeFromBytesAreCounted) {
    // A 1-bit 8 x 8 cursor image: header, two colours, colour rows, mask rows.
    std::vector<BYTE> bits(4 + 40 + 8 + 32 + 32, 0);
    bits[0] = 3;  // hot spot (3, 5)
    bits[2] = 5;
    BITMAPINFOHEADER header{};
    header.biSize = 40;
    header.biWidth = 8;
    header.biHeight = 16;
    header.biPlanes = 1;
    header.biBitCount = 1;
    std::memcpy(bits.data() + 4, &header, sizeof header);
    HICON cursor = CreateIconFromResourceEx(bits.data(), static_cast<DWORD>(bits.size()), FALSE,
                                            0x00030000, 0, 0, LR_DEFAULTCOLOR);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(emulation::liveDesktopObjects().cursors, 1);

    // A monochrome image has no colour bitmap: its mask holds both halves.
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_EQ(info.hbmColor, nullptr);
    BITMAP mask;
    ASSERT_NE(GetObjectA(info.hbmMask, sizeof mask, &mask), 0);
    EXPECT_EQ(mask.bmWidth, 8);
    EXPECT_EQ(mask.bmHeight, 16);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 5u);
    DeleteObject(info.hbmMask);
    EXPECT_TRUE(DestroyCursor(cursor));
    EXPECT_EQ(emulation::liveDesktopObjects().cursors, 0);
}

}  // namespace
