// The clipboard as the image capture uses it: opened without an owner, a
// bitmap read back as device-independent pixels, emptied and closed; and
// the rules of holding it open.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "tests/conformance/platform/desktop_support.h"

namespace {

class ClipboardTest : public DesktopTest {
protected:
    // Whatever another program or test left there goes first.
    void SetUp() override {
        DesktopTest::SetUp();
        ASSERT_TRUE(OpenClipboard(nullptr));
        ASSERT_TRUE(EmptyClipboard());
        ASSERT_TRUE(CloseClipboard());
    }
};

TEST_F(ClipboardTest, OnlyTheHolderUsesAnOpenClipboard) {
    HWND first = makeWindow(WS_POPUP, 200, 200, 30, 20);
    HWND second = makeWindow(WS_POPUP, 200, 200, 30, 20);

    ASSERT_TRUE(OpenClipboard(first));
    EXPECT_TRUE(OpenClipboard(first));  // again, for the same window
    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(second));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_EQ(GetOpenClipboardWindow(), first);

    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), first);  // emptying makes the holder the owner
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_EQ(GetClipboardOwner(), first);

    struct Case {
        const char* call;
        bool succeeded;
    };
    SetLastError(0);
    const Case closed[] = {
        {"CloseClipboard", CloseClipboard() != FALSE},
        {"EmptyClipboard", EmptyClipboard() != FALSE},
        {"GetClipboardData", GetClipboardData(CF_BITMAP) != nullptr},
    };
    for (const Case& c : closed) EXPECT_FALSE(c.succeeded) << c.call;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
}

TEST_F(ClipboardTest, AClipboardHeldByAnotherThreadCannotBeOpened) {
    HWND window = makeWindow(WS_POPUP, 200, 200, 30, 20);
    std::mutex mutex;
    std::condition_variable changed;
    bool opened = false, finish = false;
    std::thread holder([&] {
        BOOL ok = OpenClipboard(nullptr);
        std::unique_lock<std::mutex> lock(mutex);
        opened = true;
        changed.notify_all();
        changed.wait(lock, [&] { return finish; });
        if (ok) CloseClipboard();
    });
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return opened; });
    }
    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(window));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    {
        std::lock_guard<std::mutex> lock(mutex);
        finish = true;
        changed.notify_all();
    }
    holder.join();
    EXPECT_TRUE(OpenClipboard(window));
    EXPECT_TRUE(CloseClipboard());
}

// The capture's round trip: the browser leaves a bitmap there, the tool
// reads it as 24-bit rows and empties the clipboard, which deletes it.
TEST_F(ClipboardTest, ABitmapComesBackAsDeviceIndependentRows) {
    const DWORD pixels[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x000000,
                            0x808080, 0x123456, 0x654321, 0xABCDEF, 0xFEDCBA};
    HBITMAP picture = CreateBitmap(5, 2, 1, 32, pixels);
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_BITMAP, picture), picture);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));

    ASSERT_TRUE(OpenClipboard(nullptr));
    HBITMAP held = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(held, nullptr);
    BITMAP record{};
    ASSERT_NE(GetObjectA(held, sizeof record, &record), 0);
    EXPECT_EQ(record.bmWidth, 5);
    EXPECT_EQ(record.bmHeight, 2);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = record.bmWidth;
    info.bmiHeader.biHeight = record.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = 16 * 2;
    std::vector<unsigned char> rows(32, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDIBits(dc, held, 0, 2, rows.data(), &info, DIB_RGB_COLORS), 2);
    DeleteDC(dc);
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_TRUE(CloseClipboard());

    // The bottom row first, each padded from 15 bytes to 16.
    const std::vector<unsigned char> expected = {0x80, 0x80, 0x80, 0x56, 0x34, 0x12, 0x21, 0x43,
                                                 0x65, 0xEF, 0xCD, 0xAB, 0xBA, 0xDC, 0xFE, 0,
                                                 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00,
                                                 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0};
    EXPECT_EQ(rows, expected);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(GetObjectType(picture), 0u);  // the clipboard deleted it
}

TEST_F(ClipboardTest, TextTravelsInGlobalMemory) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 6);
    ASSERT_NE(memory, nullptr);
    std::memcpy(GlobalLock(memory), "hello", 6);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_TEXT, memory), memory);
    HANDLE held = GetClipboardData(CF_TEXT);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(GlobalSize(held), 6u);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(held)), "hello");
    GlobalUnlock(held);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr);
    EXPECT_TRUE(EmptyClipboard());  // frees the memory
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(CloseClipboard());
}

}  // namespace
