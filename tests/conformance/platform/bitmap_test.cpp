// Bitmaps as the image capture reads them back: GetDIBits rows of 24 bits
// a pixel, bottom-up, blue-green-red, padded to four bytes; BITMAP records;
// memory device contexts and the deletion of selected bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/conformance/platform/desktop_support.h"

namespace {

using BitmapTest = DesktopTest;
using Bytes = std::vector<unsigned char>;

// The colour of pixel (x, y) of the test pictures, as 0x00RRGGBB.
DWORD colourAt(int x, int y) {
    return static_cast<DWORD>((x * 40 + 10) << 16 | (y * 50 + 20) << 8 | ((x + y) * 7 + 1));
}

// A 32-bit device-dependent bitmap of colourAt: rows top-down.
HBITMAP makePicture(int width, int height) {
    std::vector<DWORD> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels.push_back(colourAt(x, y));
    }
    return CreateBitmap(width, height, 1, 32, pixels.data());
}

// What a 24-bit bottom-up DIB of colourAt holds.
Bytes expectedRows(int width, int height) {
    int stride = ((24 * width + 31) / 32) * 4;
    Bytes rows;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            DWORD colour = colourAt(x, y);
            rows.push_back(static_cast<unsigned char>(colour));
            rows.push_back(static_cast<unsigned char>(colour >> 8));
            rows.push_back(static_cast<unsigned char>(colour >> 16));
        }
        for (int pad = width * 3; pad < stride; ++pad) rows.push_back(0);
    }
    return rows;
}

BITMAPINFO header24(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// GetDIBits into a buffer first filled with 0xAA, as many rows as asked.
Bytes readRows(HBITMAP bitmap, int width, int height, UINT first, UINT lines, int* copied) {
    BITMAPINFO info = header24(width, height);
    int stride = ((24 * width + 31) / 32) * 4;
    Bytes rows(static_cast<std::size_t>(stride) * (height > 0 ? height : -height), 0xAA);
    HDC dc = CreateCompatibleDC(nullptr);
    *copied = GetDIBits(dc, bitmap, first, lines, rows.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    return rows;
}

TEST_F(BitmapTest, GetDIBitsGivesBottomUpRowsPaddedToFourBytes) {
    struct Case {
        int width;
        int height;
        int stride;
    };
    const Case cases[] = {{1, 1, 4}, {3, 2, 12}, {4, 2, 12}, {5, 3, 16}, {7, 2, 24}};
    for (const Case& c : cases) {
        HBITMAP picture = makePicture(c.width, c.height);
        ASSERT_NE(picture, nullptr);
        int copied = 0;
        Bytes rows = readRows(picture, c.width, c.height, 0, static_cast<UINT>(c.height), &copied);
        EXPECT_EQ(copied, c.height) << c.width;
        EXPECT_EQ(rows.size(), static_cast<std::size_t>(c.stride * c.height)) << c.width;
        EXPECT_EQ(rows, expectedRows(c.width, c.height)) << c.width << " x " << c.height;
        DeleteObject(picture);
    }
}

TEST_F(BitmapTest, AKnownBitmapGivesKnownBytes) {
    const DWORD pixels[] = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203};
    HBITMAP picture = CreateBitmap(3, 2, 1, 32, pixels);
    int copied = 0;
    Bytes rows = readRows(picture, 3, 2, 0, 2, &copied);
    EXPECT_EQ(copied, 2);
    EXPECT_EQ(rows, (Bytes{0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 0x03, 0x02, 0x01, 0, 0, 0,
                           0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0, 0, 0}));

    // Scan line 1 counted from the bottom is the top row.
    rows = readRows(picture, 3, 2, 1, 1, &copied);
    EXPECT_EQ(copied, 1);
    EXPECT_EQ(Bytes(rows.begin(), rows.begin() + 12),
              (Bytes{0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0, 0, 0}));
    EXPECT_EQ(rows[12], 0xAA);  // nothing beyond the row asked for

    // More lines than the bitmap has: only its own.
    rows = readRows(picture, 3, 2, 0, 5, &copied);
    EXPECT_EQ(copied, 2);

    // A negative height asks for the rows top-down.
    rows = readRows(picture, 3, -2, 0, 2, &copied);
    EXPECT_EQ(copied, 2);
    EXPECT_EQ(Bytes(rows.begin(), rows.begin() + 3), (Bytes{0x33, 0x22, 0x11}));
    DeleteObject(picture);
}

TEST_F(BitmapTest, MonochromeAndPaletteBitmapsGiveTheirColours) {
    // Rows of a monochrome bitmap are padded to two bytes; a set bit is white.
    const unsigned char bits[] = {0xA0, 0x00, 0x40, 0x00};
    HBITMAP mono = CreateBitmap(3, 2, 1, 1, bits);
    int copied = 0;
    Bytes rows = readRows(mono, 3, 2, 0, 2, &copied);
    EXPECT_EQ(rows, (Bytes{0,    0,    0,    0xFF, 0xFF, 0xFF, 0,    0,    0,    0, 0, 0,  //
                           0xFF, 0xFF, 0xFF, 0,    0,    0,    0xFF, 0xFF, 0xFF, 0, 0, 0}));
    DeleteObject(mono);

    // An 8-bit DIB section reads its pixels through its colour table.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[3];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 2;
    info.header.biHeight = -1;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biClrUsed = 3;
    info.colours[1] = {0x10, 0x20, 0x30, 0};
    info.colours[2] = {0x40, 0x50, 0x60, 0};
    void* pixels = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                       DIB_RGB_COLORS, &pixels, nullptr, 0);
    ASSERT_NE(section, nullptr);
    ASSERT_NE(pixels, nullptr);
    static_cast<unsigned char*>(pixels)[0] = 2;
    static_cast<unsigned char*>(pixels)[1] = 1;
    rows = readRows(section, 2, 1, 0, 1, &copied);
    EXPECT_EQ(rows, (Bytes{0x40, 0x50, 0x60, 0x10, 0x20, 0x30, 0, 0}));
    DeleteObject(section);
}

TEST_F(BitmapTest, BitmapRecordsDescribeTheRows) {
    void* sectionBits = nullptr;
    BITMAPINFO info = header24(3, 2);
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &sectionBits, nullptr, 0);
    HBITMAP colour = CreateBitmap(3, 2, 1, 32, nullptr);
    HBITMAP mono = CreateBitmap(3, 2, 1, 1, nullptr);
    ASSERT_NE(section, nullptr);

    struct Case {
        HBITMAP bitmap;
        LONG widthBytes;
        WORD bitsPerPixel;
        void* bits;
    };
    const Case cases[] = {
        {section, 12, 24, sectionBits},  // DIB rows: four-byte padding
        {colour, 12, 32, nullptr},
        {mono, 2, 1, nullptr},  // device-dependent rows: two-byte padding
    };
    for (const Case& c : cases) {
        BITMAP record;
        std::memset(&record, 0xCC, sizeof record);
        EXPECT_EQ(GetObjectA(c.bitmap, sizeof record, &record), static_cast<int>(sizeof record));
        EXPECT_EQ(record.bmType, 0);
        EXPECT_EQ(record.bmWidth, 3);
        EXPECT_EQ(record.bmHeight, 2);
        EXPECT_EQ(record.bmWidthBytes, c.widthBytes);
        EXPECT_EQ(record.bmPlanes, 1);
        EXPECT_EQ(record.bmBitsPixel, c.bitsPerPixel);
        EXPECT_EQ(record.bmBits, c.bits);
        EXPECT_EQ(GetObjectType(c.bitmap), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectA(colour, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    BITMAP small;
    EXPECT_EQ(GetObjectA(colour, 10, &small), 0);
    for (HBITMAP bitmap : {section, colour, mono}) EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(BitmapTest, ASelectedBitmapIsDeletedWhenItLeavesTheContext) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    HBITMAP picture = makePicture(2, 2);
    HGDIOBJ original = SelectObject(dc, picture);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(GetObjectType(original), static_cast<DWORD>(OBJ_BITMAP));

    EXPECT_TRUE(DeleteObject(picture));
    EXPECT_EQ(GetObjectType(picture), static_cast<DWORD>(OBJ_BITMAP));  // still in use
    SelectObject(dc, original);
    EXPECT_EQ(GetObjectType(picture), 0u);

    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
}

}  // namespace
