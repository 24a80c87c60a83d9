// Graphics services of the emulated API: the bitmap subset through which a
// picture reaches the clipboard and comes back as device-independent
// pixels, and the memory device contexts those calls take.
#pragma once

#include "emulation/kernel32.h"
#include "emulation/win32_types.h"

typedef void* HGDIOBJ;
typedef struct HBITMAP__* HBITMAP;
typedef struct HBRUSH__* HBRUSH;
typedef struct HDC__* HDC;
typedef DWORD COLORREF;

#define RGB(r, g, b)                                                                              \
    static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | \
                          (static_cast<DWORD>(static_cast<BYTE>(b)) << 16))

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};
typedef BITMAP* LPBITMAP;

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
typedef BITMAPINFOHEADER* LPBITMAPINFOHEADER;

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
typedef BITMAPINFO* LPBITMAPINFO;

#define BI_RGB 0u
#define BI_BITFIELDS 3u
#define DIB_RGB_COLORS 0u

#define OBJ_BRUSH 2u
#define OBJ_DC 3u
#define OBJ_BITMAP 7u
#define OBJ_MEMDC 10u

// GetDeviceCaps indexes.
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14

// Bitmaps. A device-dependent bitmap of the emulated display keeps 32 bits
// a pixel (or 1 for a monochrome one); its rows run top-down and are padded
// to two bytes. A DIB section keeps its pixels as its header describes them.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
int GetDIBits(HDC dc, HBITMAP bitmap, UINT firstScanLine, UINT scanLines, LPVOID bits,
              LPBITMAPINFO info, UINT usage);
int GetObjectA(HANDLE object, int size, LPVOID buffer);
DWORD GetObjectType(HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);

// Device contexts: memory contexts, and the display's for compatibility.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
int GetDeviceCaps(HDC dc, int index);
