// Cursors and icons: the standard cursors, cursors and icons made from the
// bytes of a resource image, the choice among the images of a resource
// directory, and the cursor shown.
#include <cstring>
#include <map>

#include "emulation/desktop_internal.h"
#include "emulation/dib_pixels.h"

namespace {

struct Cursor {
    bool icon = false;
    bool shared = false;  // a standard cursor, which is never destroyed
    int width = 0;
    int height = 0;
    DWORD hotspotX = 0;
    DWORD hotspotY = 0;
    bool monochrome = false;
    std::vector<bool> mask;      // top-down; true where the screen shows through
    std::vector<DWORD> colours;  // top-down 0xAARRGGBB, or the XOR bits when monochrome
};

std::map<HICON, Cursor>& cursors() {
    static std::map<HICON, Cursor> table;
    return table;
}

HCURSOR& shownCursor() {
    static HCURSOR cursor = nullptr;
    return cursor;
}

constexpr int kStandardSize = 32;
constexpr DWORD kVersion2 = 0x00020000;
constexpr DWORD kVersion3 = 0x00030000;
constexpr int kLargestImage = 256;

struct StandardCursor {
    WORD id;
    DWORD hotspotX;
    DWORD hotspotY;
};

// The standard cursors by resource number, with their hot spots.
constexpr StandardCursor kStandardCursors[] = {
    {32512, 0, 0},    // IDC_ARROW
    {32513, 16, 16},  // IDC_IBEAM
    {32514, 16, 16},  // IDC_WAIT
    {32515, 16, 16},  // IDC_CROSS
    {32516, 16, 0},   // IDC_UPARROW
    {32640, 16, 16},  // IDC_SIZE
    {32641, 16, 16},  // IDC_ICON
    {32642, 16, 16},  // IDC_SIZENWSE
    {32643, 16, 16},  // IDC_SIZENESW
    {32644, 16, 16},  // IDC_SIZEWE
    {32645, 16, 16},  // IDC_SIZENS
    {32646, 16, 16},  // IDC_SIZEALL
    {32648, 16, 16},  // IDC_NO
    {32649, 5, 0},    // IDC_HAND
    {32650, 0, 0},    // IDC_APPSTARTING
    {32651, 0, 0},    // IDC_HELP
};

WORD readWord(const BYTE* at) { return static_cast<WORD>(at[0] | at[1] << 8); }
DWORD readDword(const BYTE* at) {
    return static_cast<DWORD>(at[0]) | static_cast<DWORD>(at[1]) << 8 |
           static_cast<DWORD>(at[2]) << 16 | static_cast<DWORD>(at[3]) << 24;
}

HICON addCursor(Cursor cursor) {
    HICON handle = static_cast<HICON>(emulation::desktop::newUserHandle());
    cursors()[handle] = std::move(cursor);
    return handle;
}

Cursor* findCursor(HICON handle) {
    auto it = cursors().find(handle);
    return it == cursors().end() ? nullptr : &it->second;
}

// Reads one image: an information header (whose height counts the colour
// and mask bitmaps together), the colours of a palette image, the colour
// bits and the mask bits, all rows bottom-up. False when the bytes do not
// hold such an image.
bool readImage(const BYTE* bytes, DWORD size, Cursor* cursor) {
    if (size < sizeof(BITMAPINFOHEADER)) return false;
    DWORD headerSize = readDword(bytes);
    if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > size) return false;
    LONG width = static_cast<LONG>(readDword(bytes + 4));
    LONG doubledHeight = static_cast<LONG>(readDword(bytes + 8));
    WORD planes = readWord(bytes + 12);
    WORD bitsPerPixel = readWord(bytes + 14);
    DWORD compression = readDword(bytes + 16);
    DWORD coloursUsed = readDword(bytes + 32);
    if (width <= 0 || width > kLargestImage || doubledHeight <= 0 ||
        doubledHeight / 2 > kLargestImage || doubledHeight / 2 == 0 || planes != 1 ||
        compression != BI_RGB || !emulation::gdi::isDibBitCount(bitsPerPixel)) {
        return false;
    }
    int height = doubledHeight / 2;
    DWORD paletteSize = 0;
    if (bitsPerPixel <= 8) {
        paletteSize = coloursUsed != 0 ? coloursUsed : 1u << bitsPerPixel;
        if (paletteSize > (1u << bitsPerPixel)) return false;
    }
    std::size_t colourOffset = headerSize + paletteSize * sizeof(RGBQUAD);
    std::size_t colourBytes =
        static_cast<std::size_t>(emulation::gdi::dibStride(width, bitsPerPixel)) * height;
    std::size_t maskBytes = static_cast<std::size_t>(emulation::gdi::dibStride(width, 1)) * height;
    if (colourOffset + colourBytes + maskBytes > size) return false;

    emulation::gdi::DibLayout colourLayout;
    colourLayout.width = width;
    colourLayout.height = height;
    colourLayout.bitsPerPixel = bitsPerPixel;
    for (DWORD i = 0; i < paletteSize; ++i) {
        const BYTE* entry = bytes + headerSize + i * sizeof(RGBQUAD);
        colourLayout.palette.push_back({entry[0], entry[1], entry[2], 0});
    }
    emulation::gdi::DibLayout maskLayout;
    maskLayout.width = width;
    maskLayout.height = height;
    maskLayout.bitsPerPixel = 1;
    maskLayout.palette = {{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};

    cursor->width = width;
    cursor->height = height;
    cursor->monochrome = bitsPerPixel == 1;
    cursor->mask.resize(static_cast<std::size_t>(width) * height);
    cursor->colours.resize(static_cast<std::size_t>(width) * height);
    const BYTE* colourBits = bytes + colourOffset;
    const BYTE* maskBits = colourBits + colourBytes;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::size_t at = static_cast<std::size_t>(y) * width + x;
            cursor->mask[at] = emulation::gdi::dibPixel(maskLayout, maskBits, x, y) != 0;
            DWORD colour = emulation::gdi::dibPixel(colourLayout, colourBits, x, y);
            if (bitsPerPixel == 32) {
                int row = height - 1 - y;
                colour |= static_cast<DWORD>(
                              colourBits[row * emulation::gdi::dibStride(width, 32) + 4 * x + 3])
                          << 24;
            }
            cursor->colours[at] = colour;
        }
    }
    return true;
}

// Nearest-neighbour scaling to the size asked for; the hot spot follows.
void scale(Cursor* cursor, int width, int height) {
    if (width == cursor->width && height == cursor->height) return;
    std::vector<bool> mask(static_cast<std::size_t>(width) * height);
    std::vector<DWORD> colours(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::size_t from =
                static_cast<std::size_t>(y * cursor->height / height) * cursor->width +
                x * cursor->width / width;
            mask[static_cast<std::size_t>(y) * width + x] = cursor->mask[from];
            colours[static_cast<std::size_t>(y) * width + x] = cursor->colours[from];
        }
    }
    cursor->hotspotX = cursor->hotspotX * width / cursor->width;
    cursor->hotspotY = cursor->hotspotY * height / cursor->height;
    cursor->width = width;
    cursor->height = height;
    cursor->mask = std::move(mask);
    cursor->colours = std::move(colours);
}

// A monochrome bitmap from rows of bits, true for white.
HBITMAP monochromeBitmap(int width, int height, const std::vector<bool>& pixels) {
    int stride = ((width + 15) / 16) * 2;
    std::vector<BYTE> bits(static_cast<std::size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (pixels[static_cast<std::size_t>(y) * width + x]) {
                bits[static_cast<std::size_t>(y) * stride + x / 8] |=
                    static_cast<BYTE>(0x80 >> (x % 8));
            }
        }
    }
    return CreateBitmap(width, height, 1, 1, bits.data());
}

}  // namespace

// Standard cursors are shared: every call gives the same handle. Only
// standard cursors can be loaded; the program has no cursor resources.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    static std::map<WORD, HCURSOR> loaded;
    if (instance == nullptr && name != nullptr && IS_INTRESOURCE(name)) {
        WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
        for (const StandardCursor& standard : kStandardCursors) {
            if (standard.id != id) continue;
            HCURSOR& handle = loaded[id];
            if (handle == nullptr) {
                Cursor cursor;
                cursor.shared = true;
                cursor.width = kStandardSize;
                cursor.height = kStandardSize;
                cursor.hotspotX = standard.hotspotX;
                cursor.hotspotY = standard.hotspotY;
                cursor.mask.assign(kStandardSize * kStandardSize, true);
                cursor.colours.assign(kStandardSize * kStandardSize, 0);
                handle = addCursor(std::move(cursor));
            }
            return handle;
        }
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous = shownCursor();
    shownCursor() = cursor;
    return previous;
}

HCURSOR GetCursor() { return shownCursor(); }

// Destroying a standard cursor succeeds and leaves it in place; the cursor
// shown cannot be destroyed.
BOOL DestroyCursor(HCURSOR cursor) {
    Cursor* found = findCursor(cursor);
    if (found == nullptr || cursor == shownCursor()) {
        SetLastError(found == nullptr ? ERROR_INVALID_PARAMETER : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!found->shared) cursors().erase(cursor);
    return TRUE;
}

BOOL DestroyIcon(HICON icon) { return DestroyCursor(icon); }

// The bitmaps are new: the caller deletes them. A monochrome image has no
// colour bitmap and a mask of double height, the AND bits over the XOR bits.
BOOL GetIconInfo(HICON icon, PICONINFO info) {
    Cursor* cursor = findCursor(icon);
    if (cursor == nullptr || info == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->fIcon = cursor->icon ? TRUE : FALSE;
    info->xHotspot = cursor->hotspotX;
    info->yHotspot = cursor->hotspotY;
    if (cursor->monochrome) {
        std::vector<bool> both = cursor->mask;
        for (DWORD colour : cursor->colours) both.push_back(colour != 0);
        info->hbmMask = monochromeBitmap(cursor->width, 2 * cursor->height, both);
        info->hbmColor = nullptr;
        return TRUE;
    }
    info->hbmMask = monochromeBitmap(cursor->width, cursor->height, cursor->mask);
    info->hbmColor = CreateBitmap(cursor->width, cursor->height, 1, 32, cursor->colours.data());
    return TRUE;
}

HICON CreateIconFromResourceEx(PBYTE bits, DWORD size, BOOL icon, DWORD version, int width,
                               int height, UINT flags) {
    if (bits == nullptr || version < kVersion2 || version > kVersion3 || width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Cursor cursor;
    cursor.icon = icon != FALSE;
    DWORD offset = 0;
    if (!icon) {
        if (size < 4) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        cursor.hotspotX = readWord(bits);
        cursor.hotspotY = readWord(bits + 2);
        offset = 4;
    }
    if (!readImage(bits + offset, size - offset, &cursor)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (icon) {
        cursor.hotspotX = static_cast<DWORD>(cursor.width / 2);
        cursor.hotspotY = static_cast<DWORD>(cursor.height / 2);
    }
    int defaultSize = (flags & LR_DEFAULTSIZE) ? kStandardSize : 0;
    int targetWidth = width != 0 ? width : defaultSize != 0 ? defaultSize : cursor.width;
    int targetHeight = height != 0 ? height : defaultSize != 0 ? defaultSize : cursor.height;
    scale(&cursor, targetWidth, targetHeight);
    return addCursor(std::move(cursor));
}

// The image whose width is the largest not above the width asked for (32
// when none is asked for), or the smallest when all are larger; among those,
// the one with the most bits a pixel, the first on a tie. LR_MONOCHROME is
// not looked at, as Wine does not look at it either.
int LookupIconIdFromDirectoryEx(PBYTE directory, BOOL icon, int width, int, UINT) {
    if (directory == nullptr) return 0;
    WORD reserved = readWord(directory);
    WORD type = readWord(directory + 2);
    WORD count = readWord(directory + 4);
    if (reserved != 0 || (type != 1 && type != 2) || count == 0) return 0;
    int wanted = width > 0 ? width : kStandardSize;
    int bestWidth = -1;
    int bestBits = -1;
    int bestId = 0;
    auto better = [wanted](int candidate, int best) {
        if (best < 0) return true;
        bool fits = candidate <= wanted, bestFits = best <= wanted;
        if (fits != bestFits) return fits;
        return fits ? candidate > best : candidate < best;
    };
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = directory + 6 + 14 * i;
        int entryWidth;
        int entryBits = readWord(entry + 6);
        if (icon) {
            entryWidth = entry[0] != 0 ? entry[0] : 256;
            if (entryBits == 0) {
                for (int colours = entry[2]; colours > 1; colours >>= 1) ++entryBits;
            }
        } else {
            entryWidth = readWord(entry);
        }
        int id = readWord(entry + 12);
        if (entryWidth != bestWidth && better(entryWidth, bestWidth)) {
            bestWidth = entryWidth;
            bestBits = entryBits;
            bestId = id;
        } else if (entryWidth == bestWidth && entryBits > bestBits && entryBits <= 32) {
            bestBits = entryBits;
            bestId = id;
        }
    }
    return bestId;
}

namespace emulation::desktop {

bool cursorSize(HCURSOR handle, int* width, int* height) {
    Cursor* cursor = findCursor(handle);
    if (cursor == nullptr) return false;
    *width = cursor->width;
    *height = cursor->height;
    return true;
}

int liveCursorCount() {
    int count = 0;
    for (const auto& [handle, cursor] : cursors()) count += cursor.shared ? 0 : 1;
    return count;
}

}  // namespace emulation::desktop
