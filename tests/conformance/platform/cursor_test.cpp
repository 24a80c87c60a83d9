// Cursors: the standard ones by number, the cursor shown, and cursors made
// from the bytes of a cursor file with the images, sizes and hot spots the
// file gives.
#include <gtest/gtest.h>

#include <vector>

#include "tests/conformance/platform/cursor_file.h"
#include "tests/conformance/platform/desktop_support.h"

namespace {

using CursorTest = DesktopTest;

// The drag icon's layout: three 32 x 32 images of 16 colours, 256 colours
// and 24 bits a pixel, with hot spots (15, 15), (0, 0) and (15, 15).
const std::vector<CursorImage> kDragIcon = {
    {32, 32, 4, 15, 15},
    {32, 32, 8, 0, 0},
    {32, 32, 24, 15, 15},
};

struct Shape {
    BOOL icon;
    DWORD hotspotX;
    DWORD hotspotY;
    LONG width;
    LONG height;
};

// What GetIconInfo reports, the bitmaps it made deleted again.
Shape shapeOf(HICON cursor) {
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(cursor, &info));
    Shape shape{info.fIcon, info.xHotspot, info.yHotspot, 0, 0};
    BITMAP mask{};
    EXPECT_NE(GetObjectA(info.hbmMask, sizeof mask, &mask), 0);
    shape.width = mask.bmWidth;
    shape.height = mask.bmHeight;
    EXPECT_EQ(mask.bmBitsPixel, 1);
    if (info.hbmColor != nullptr) {
        BITMAP colour{};
        EXPECT_NE(GetObjectA(info.hbmColor, sizeof colour, &colour), 0);
        EXPECT_EQ(colour.bmWidth, shape.width);
        EXPECT_EQ(colour.bmHeight, shape.height);
        DeleteObject(info.hbmColor);
    }
    DeleteObject(info.hbmMask);
    return shape;
}

HICON create(CursorBytes bits, BOOL icon, int width = 0, int height = 0) {
    return CreateIconFromResourceEx(bits.data(), static_cast<DWORD>(bits.size()), icon, 0x00030000,
                                    width, height, LR_DEFAULTCOLOR);
}

TEST_F(CursorTest, StandardCursorsAreShared) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    ASSERT_NE(arrow, nullptr);
    ASSERT_NE(hand, nullptr);
    EXPECT_NE(arrow, hand);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)), hand);  // IDC_HAND by number
    for (LPCSTR standard : {IDC_IBEAM, IDC_WAIT, IDC_CROSS, IDC_SIZEALL, IDC_NO}) {
        EXPECT_NE(LoadCursorA(nullptr, standard), nullptr);
    }
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(12345)), nullptr);

    Shape shape = shapeOf(arrow);
    EXPECT_FALSE(shape.icon);
    EXPECT_EQ(shape.hotspotX, 0u);
    EXPECT_EQ(shape.hotspotY, 0u);
    EXPECT_EQ(shape.width, 32);

    // Destroying a shared cursor leaves it in place; the cursor shown is
    // not destroyed at all.
    HCURSOR before = SetCursor(hand);
    EXPECT_TRUE(DestroyCursor(arrow));
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_FALSE(DestroyCursor(hand));
    SetCursor(before);
}

TEST_F(CursorTest, TheCursorShownIsTheLastSet) {
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR before = SetCursor(hand);
    EXPECT_EQ(GetCursor(), hand);
    EXPECT_EQ(SetCursor(arrow), hand);
    EXPECT_EQ(GetCursor(), arrow);
    SetCursor(before);
}

TEST_F(CursorTest, ACursorFileGivesItsImagesAndHotSpots) {
    CursorBytes file = makeCursorFile(kDragIcon);
    EXPECT_EQ(file.size(), 6254u);
    CursorResources resources;
    ASSERT_TRUE(readCursorFile(file, &resources));
    ASSERT_EQ(resources.images.size(), 3u);

    // Of images of one size, the one with the most colours.
    EXPECT_EQ(
        LookupIconIdFromDirectoryEx(resources.directory.data(), FALSE, 32, 32, LR_DEFAULTCOLOR), 3);
    EXPECT_EQ(LookupIconIdFromDirectoryEx(resources.directory.data(), FALSE, 0, 0, LR_DEFAULTCOLOR),
              3);

    for (std::size_t i = 0; i < kDragIcon.size(); ++i) {
        HCURSOR cursor = create(resources.images[i], FALSE);
        ASSERT_NE(cursor, nullptr) << i;
        Shape shape = shapeOf(cursor);
        EXPECT_FALSE(shape.icon);
        EXPECT_EQ(shape.hotspotX, static_cast<DWORD>(kDragIcon[i].hotspotX)) << i;
        EXPECT_EQ(shape.hotspotY, static_cast<DWORD>(kDragIcon[i].hotspotY)) << i;
        EXPECT_EQ(shape.width, 32);
        EXPECT_EQ(shape.height, 32);
        EXPECT_TRUE(DestroyCursor(cursor));
    }
}

TEST_F(CursorTest, ASizeAskedForScalesTheImageAndItsHotSpot) {
    CursorResources resources;
    ASSERT_TRUE(readCursorFile(makeCursorFile(kDragIcon), &resources));
    HCURSOR cursor = create(resources.images[0], FALSE, 16, 16);
    ASSERT_NE(cursor, nullptr);
    Shape shape = shapeOf(cursor);
    EXPECT_EQ(shape.width, 16);
    EXPECT_EQ(shape.hotspotX, 7u);
    EXPECT_EQ(shape.hotspotY, 7u);
    EXPECT_TRUE(DestroyCursor(cursor));

    // The same bits without the hot spot make an icon, whose hot spot is
    // its centre.
    CursorBytes iconBits(resources.images[2].begin() + 4, resources.images[2].end());
    HICON icon = create(iconBits, TRUE);
    ASSERT_NE(icon, nullptr);
    shape = shapeOf(icon);
    EXPECT_TRUE(shape.icon);
    EXPECT_EQ(shape.hotspotX, 16u);
    EXPECT_EQ(shape.hotspotY, 16u);
    EXPECT_TRUE(DestroyIcon(icon));
}

TEST_F(CursorTest, TheImageChosenFitsTheSizeAskedFor) {
    CursorResources resources;
    ASSERT_TRUE(readCursorFile(
        makeCursorFile(
            {{16, 16, 4, 1, 1}, {48, 48, 4, 1, 1}, {32, 32, 4, 1, 1}, {24, 24, 4, 1, 1}}),
        &resources));
    // The largest image not above the size, else the smallest.
    struct Case {
        int size;
        int id;
    };
    const Case cases[] = {{8, 1},  {16, 1}, {20, 1}, {23, 1}, {24, 4}, {30, 4},
                          {32, 3}, {40, 3}, {47, 3}, {60, 2}, {100, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(LookupIconIdFromDirectoryEx(resources.directory.data(), FALSE, c.size, c.size,
                                              LR_DEFAULTCOLOR),
                  c.id)
            << c.size;
    }
}

TEST_F(CursorTest, BytesThatAreNoCursorImageAreRefused) {
    CursorBytes file = makeCursorFile(kDragIcon);
    CursorResources resources;
    ASSERT_TRUE(readCursorFile(file, &resources));
    const CursorBytes& good = resources.images[0];

    const CursorBytes tooShort(good.begin(), good.begin() + 10);
    const CursorBytes cutShort(good.begin(), good.begin() + 100);
    const CursorBytes* refused[] = {&tooShort, &cutShort, &file};  // the file itself is no image
    for (const CursorBytes* bytes : refused) {
        HICON made = create(*bytes, FALSE);
        EXPECT_EQ(made, nullptr) << bytes->size();
        if (made != nullptr) DestroyCursor(made);
    }

    HCURSOR cursor = create(good, FALSE);
    ASSERT_NE(cursor, nullptr);
    EXPECT_TRUE(DestroyCursor(cursor));
    EXPECT_FALSE(DestroyCursor(cursor));
}

TEST(CursorFileTest, ReadingRefusesFilesThatAreNoCursorFiles) {
    CursorBytes file = makeCursorFile({{32, 32, 4, 15, 15}});
    CursorResources resources;
    EXPECT_TRUE(readCursorFile(file, &resources));
    CursorBytes icon = file;
    icon[2] = 1;  // an icon file
    CursorBytes empty = file;
    empty[4] = 0;  // no image
    CursorBytes truncated(file.begin(), file.end() - 1);
    for (const CursorBytes* bad : {&icon, &empty, &truncated}) {
        EXPECT_FALSE(readCursorFile(*bad, &resources));
    }
}

}  // namespace
