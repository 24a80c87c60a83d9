// The GDI subset: bitmaps (device-dependent ones of the emulated 32-bit
// display and DIB sections), memory and display device contexts, and
// GetDIBits, through which a picture comes back as device-independent
// pixels. Objects are guarded by a lock, as the clipboard, which another
// thread may hold, frees the bitmaps put on it.
#include <cstring>
#include <map>
#include <mutex>

#include "emulation/desktop_internal.h"
#include "emulation/dib_pixels.h"

namespace {

struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool dibSection = false;
    bool topDown = false;  // DIB sections only; device-dependent rows run top-down
    std::vector<RGBQUAD> palette;
    std::vector<unsigned char> bits;
    HDC selectedInto = nullptr;
    bool deletePending = false;  // deleted while selected: goes when deselected

    int stride() const {
        // Device-dependent rows are padded to two bytes, DIB rows to four.
        return dibSection ? emulation::gdi::dibStride(width, bitsPerPixel)
                          : ((width * bitsPerPixel + 15) / 16) * 2;
    }

    // The colour of a pixel, x from the left and y from the top.
    DWORD pixel(int x, int y) const {
        static const std::vector<RGBQUAD> blackAndWhite = {{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};
        int row = dibSection && !topDown ? height - 1 - y : y;
        const unsigned char* line = bits.data() + static_cast<std::size_t>(row) * stride();
        const std::vector<RGBQUAD>& colours =
            !dibSection && bitsPerPixel == 1 ? blackAndWhite : palette;
        return emulation::gdi::rowPixel(bitsPerPixel, colours, line, x);
    }
};

struct DeviceContext {
    bool memory = false;
    HWND window = nullptr;  // the window of a display context
    HBITMAP selected = nullptr;
};

std::recursive_mutex gdiMutex;
std::map<HGDIOBJ, Bitmap> bitmaps;
std::map<HGDIOBJ, DeviceContext> contexts;
std::uintptr_t nextGdiHandle = 0x00800004;

constexpr DWORD kDisplayBits = 32;
constexpr std::size_t kLargestBitmapBytes = 256u << 20;

HGDIOBJ newGdiHandle() {
    HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(nextGdiHandle);
    nextGdiHandle += 4;
    return handle;
}

// The 1 x 1 monochrome bitmap every memory context starts with. It is never
// deleted and never counted as a live object.
HBITMAP stockBitmap() {
    static HBITMAP handle = nullptr;
    if (handle == nullptr) {
        handle = static_cast<HBITMAP>(newGdiHandle());
        Bitmap& bitmap = bitmaps[handle];
        bitmap.width = 1;
        bitmap.height = 1;
        bitmap.bitsPerPixel = 1;
        bitmap.bits.assign(2, 0);
    }
    return handle;
}

Bitmap* findBitmap(HGDIOBJ handle) {
    auto it = bitmaps.find(handle);
    return it == bitmaps.end() ? nullptr : &it->second;
}

DeviceContext* findContext(HGDIOBJ handle) {
    auto it = contexts.find(handle);
    return it == contexts.end() ? nullptr : &it->second;
}

HBITMAP addBitmap(Bitmap bitmap) {
    HBITMAP handle = static_cast<HBITMAP>(newGdiHandle());
    bitmaps[handle] = std::move(bitmap);
    return handle;
}

bool allocate(Bitmap* bitmap) {
    std::size_t bytes = static_cast<std::size_t>(bitmap->stride()) * bitmap->height;
    if (bytes > kLargestBitmapBytes) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    bitmap->bits.assign(bytes, 0);
    return true;
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    // Device-dependent bitmaps of the emulated display: monochrome, 16-bit
    // (five bits a colour), 24-bit and 32-bit.
    if (width <= 0 || height <= 0 || width > 0x8000 || height > 0x8000 || planes != 1 ||
        (bitsPerPixel != 1 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bitsPerPixel = static_cast<int>(bitsPerPixel);
    if (!allocate(&bitmap)) return nullptr;
    if (bits != nullptr) std::memcpy(bitmap.bits.data(), bits, bitmap.bits.size());
    return addBitmap(std::move(bitmap));
}

// Compatible with a memory context means the format of the bitmap selected
// into it (monochrome for a new one); otherwise the display's.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    DeviceContext* context = findContext(dc);
    if (context == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    UINT bitsPerPixel = kDisplayBits;
    if (context->memory) {
        Bitmap* selected = findBitmap(context->selected);
        bitsPerPixel = selected->dibSection && selected->bitsPerPixel < 16
                           ? kDisplayBits
                           : static_cast<UINT>(selected->bitsPerPixel);
        if (bitsPerPixel != 1 && bitsPerPixel != 16 && bitsPerPixel != 24) {
            bitsPerPixel = kDisplayBits;
        }
    }
    return CreateBitmap(width, height, 1, bitsPerPixel, nullptr);
}

// The pixels live in memory the bitmap owns; *bits points at them until the
// bitmap is deleted. Sections of file mappings are not emulated.
HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    if (bits != nullptr) *bits = nullptr;
    if (info == nullptr || section != nullptr || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biPlanes != 1 || header.biCompression != BI_RGB ||
        !emulation::gdi::isDibBitCount(header.biBitCount) || header.biWidth > 0x8000 ||
        header.biHeight > 0x8000 || header.biHeight < -0x8000) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Bitmap bitmap;
    bitmap.dibSection = true;
    bitmap.width = header.biWidth;
    bitmap.height = header.biHeight > 0 ? header.biHeight : -header.biHeight;
    bitmap.topDown = header.biHeight < 0;
    bitmap.bitsPerPixel = header.biBitCount;
    if (header.biBitCount <= 8) {
        DWORD colours = header.biClrUsed != 0 ? header.biClrUsed : 1u << header.biBitCount;
        if (colours > (1u << header.biBitCount)) colours = 1u << header.biBitCount;
        // The colour table follows the header; the caller allocates it.
        const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(
            reinterpret_cast<const unsigned char*>(info) + header.biSize);
        bitmap.palette.assign(table, table + colours);
    }
    if (!allocate(&bitmap)) return nullptr;
    HBITMAP handle = addBitmap(std::move(bitmap));
    if (bits != nullptr) *bits = findBitmap(handle)->bits.data();
    return handle;
}

// Copies scan lines of the bitmap as a device-independent bitmap of 24 or
// 32 bits a pixel: rows padded with zeros to four bytes, blue, green and red
// bytes, bottom row first unless the header's height is negative. Scan line
// numbers count in that order too. With no buffer, fills in the header.
int GetDIBits(HDC dc, HBITMAP handle, UINT firstScanLine, UINT scanLines, LPVOID bits,
              LPBITMAPINFO info, UINT usage) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    Bitmap* bitmap = findBitmap(handle);
    if (findContext(dc) == nullptr || bitmap == nullptr || info == nullptr ||
        info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    BITMAPINFOHEADER& header = info->bmiHeader;
    if (bits == nullptr) {
        if (header.biBitCount == 0) {
            header.biWidth = bitmap->width;
            header.biHeight = bitmap->height;
            header.biPlanes = 1;
            header.biBitCount = static_cast<WORD>(bitmap->bitsPerPixel);
            header.biCompression = BI_RGB;
        }
        header.biSizeImage =
            static_cast<DWORD>(emulation::gdi::dibStride(header.biWidth, header.biBitCount) *
                               (header.biHeight > 0 ? header.biHeight : -header.biHeight));
        return bitmap->height;
    }
    if ((header.biBitCount != 24 && header.biBitCount != 32) || header.biCompression != BI_RGB ||
        header.biWidth <= 0 || header.biHeight == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int height = header.biHeight > 0 ? header.biHeight : -header.biHeight;
    bool bottomUp = header.biHeight > 0;
    int bytesPerPixel = header.biBitCount / 8;
    int stride = emulation::gdi::dibStride(header.biWidth, header.biBitCount);
    header.biSizeImage = static_cast<DWORD>(stride * height);
    auto* out = static_cast<unsigned char*>(bits);
    int copied = 0;
    for (UINT i = 0; i < scanLines; ++i) {
        long long line = static_cast<long long>(firstScanLine) + i;
        if (line >= height) break;
        int y = bottomUp ? height - 1 - static_cast<int>(line) : static_cast<int>(line);
        unsigned char* row = out + static_cast<std::size_t>(i) * stride;
        std::memset(row, 0, static_cast<std::size_t>(stride));
        for (int x = 0; x < header.biWidth; ++x) {
            if (x >= bitmap->width || y >= bitmap->height) continue;
            DWORD colour = bitmap->pixel(x, y);
            row[x * bytesPerPixel] = static_cast<unsigned char>(colour);
            row[x * bytesPerPixel + 1] = static_cast<unsigned char>(colour >> 8);
            row[x * bytesPerPixel + 2] = static_cast<unsigned char>(colour >> 16);
        }
        ++copied;
    }
    return copied;
}

// Fills a BITMAP for a bitmap; with no buffer, says how many bytes it needs.
int GetObjectA(HANDLE object, int size, LPVOID buffer) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    Bitmap* bitmap = findBitmap(object);
    if (bitmap == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (buffer == nullptr) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP description{};
    description.bmType = 0;
    description.bmWidth = bitmap->width;
    description.bmHeight = bitmap->height;
    description.bmWidthBytes = bitmap->stride();
    description.bmPlanes = 1;
    description.bmBitsPixel = static_cast<WORD>(bitmap->bitsPerPixel);
    description.bmBits = bitmap->dibSection ? bitmap->bits.data() : nullptr;
    std::memcpy(buffer, &description, sizeof description);
    return sizeof(BITMAP);
}

DWORD GetObjectType(HGDIOBJ object) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    if (findBitmap(object) != nullptr) return OBJ_BITMAP;
    if (DeviceContext* context = findContext(object)) return context->memory ? OBJ_MEMDC : OBJ_DC;
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
}

// A bitmap still selected into a context is deleted when it leaves it.
BOOL DeleteObject(HGDIOBJ object) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    Bitmap* bitmap = findBitmap(object);
    if (bitmap == nullptr) return FALSE;
    if (object == stockBitmap()) return TRUE;
    if (bitmap->selectedInto != nullptr) {
        bitmap->deletePending = true;
        return TRUE;
    }
    bitmaps.erase(object);
    return TRUE;
}

HDC CreateCompatibleDC(HDC dc) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    if (dc != nullptr && findContext(dc) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HDC handle = static_cast<HDC>(newGdiHandle());
    DeviceContext& context = contexts[handle];
    context.memory = true;
    context.selected = stockBitmap();
    return handle;
}

namespace {

void deselect(DeviceContext& context) {
    Bitmap* bitmap = findBitmap(context.selected);
    if (bitmap == nullptr || context.selected == stockBitmap()) return;
    bitmap->selectedInto = nullptr;
    if (bitmap->deletePending) bitmaps.erase(context.selected);
}

}  // namespace

BOOL DeleteDC(HDC dc) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    DeviceContext* context = findContext(dc);
    if (context == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    deselect(*context);
    contexts.erase(dc);
    return TRUE;
}

// Only bitmaps are selected, and only into memory contexts; a bitmap can be
// in one context at a time.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    DeviceContext* context = findContext(dc);
    Bitmap* bitmap = findBitmap(object);
    if (context == nullptr || bitmap == nullptr || !context->memory ||
        (bitmap->selectedInto != nullptr && bitmap->selectedInto != dc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HGDIOBJ previous = context->selected;
    if (previous == object) return previous;
    Bitmap* old = findBitmap(previous);
    if (old != nullptr && previous != stockBitmap()) {
        old->selectedInto = nullptr;
        if (old->deletePending) {
            bitmaps.erase(previous);
            previous = nullptr;
        }
    }
    context->selected = static_cast<HBITMAP>(object);
    if (object != stockBitmap()) findBitmap(object)->selectedInto = dc;
    return previous;
}

int GetDeviceCaps(HDC dc, int index) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    if (findContext(dc) == nullptr) return 0;
    switch (index) {
        case BITSPIXEL:
            return static_cast<int>(kDisplayBits);
        case PLANES:
            return 1;
        case HORZRES:
            return emulation::desktop::kScreenWidth;
        case VERTRES:
            return emulation::desktop::kScreenHeight;
        default:
            return 0;
    }
}

HDC GetDC(HWND window) {
    if (window != nullptr && emulation::desktop::windowOrError(window) == nullptr) return nullptr;
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    HDC handle = static_cast<HDC>(newGdiHandle());
    contexts[handle].window = window;
    return handle;
}

int ReleaseDC(HWND, HDC dc) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    DeviceContext* context = findContext(dc);
    if (context == nullptr || context->memory) return 0;
    contexts.erase(dc);
    return 1;
}

namespace emulation::desktop {

bool isBitmap(HGDIOBJ object) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    return findBitmap(object) != nullptr;
}

bool bitmapSize(HBITMAP handle, int* width, int* height) {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    Bitmap* bitmap = findBitmap(handle);
    if (bitmap == nullptr) return false;
    *width = bitmap->width;
    *height = bitmap->height;
    return true;
}

int liveBitmapCount() {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    stockBitmap();
    return static_cast<int>(bitmaps.size()) - 1;
}

int liveDeviceContextCount() {
    std::lock_guard<std::recursive_mutex> lock(gdiMutex);
    return static_cast<int>(contexts.size());
}

}  // namespace emulation::desktop
