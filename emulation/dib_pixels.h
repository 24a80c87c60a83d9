// Reading the pixels of a device-independent bitmap: the layout rules that
// icons, cursors and DIB sections share. Internal to the emulation.
#pragma once

#include <vector>

#include "emulation/gdi32.h"

namespace emulation::gdi {

// Rows of a device-independent bitmap are padded to four bytes.
inline int dibStride(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

struct DibLayout {
    int width = 0;
    int height = 0;  // always positive; topDown tells the row order
    bool topDown = false;
    int bitsPerPixel = 0;
    std::vector<RGBQUAD> palette;
};

// The colour of pixel x of one row, as 0x00RRGGBB. A palette index outside
// the palette reads as black.
inline DWORD rowPixel(int bitsPerPixel, const std::vector<RGBQUAD>& palette,
                      const unsigned char* line, int x) {
    auto fromPalette = [&palette](unsigned index) -> DWORD {
        if (index >= palette.size()) return 0;
        const RGBQUAD& colour = palette[index];
        return static_cast<DWORD>(colour.rgbRed) << 16 | static_cast<DWORD>(colour.rgbGreen) << 8 |
               colour.rgbBlue;
    };
    switch (bitsPerPixel) {
        case 1:
            return fromPalette((line[x / 8] >> (7 - x % 8)) & 1);
        case 4:
            return fromPalette((line[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F);
        case 8:
            return fromPalette(line[x]);
        case 16: {
            // Five bits each of red, green and blue.
            unsigned value = line[2 * x] | line[2 * x + 1] << 8;
            auto widen = [](unsigned five) { return (five << 3) | (five >> 2); };
            return widen((value >> 10) & 0x1F) << 16 | widen((value >> 5) & 0x1F) << 8 |
                   widen(value & 0x1F);
        }
        case 24:
            return static_cast<DWORD>(line[3 * x + 2]) << 16 |
                   static_cast<DWORD>(line[3 * x + 1]) << 8 | line[3 * x];
        case 32:
            return static_cast<DWORD>(line[4 * x + 2]) << 16 |
                   static_cast<DWORD>(line[4 * x + 1]) << 8 | line[4 * x];
        default:
            return 0;
    }
}

// The colour of a pixel, x from the left and y from the top.
inline DWORD dibPixel(const DibLayout& layout, const unsigned char* bits, int x, int y) {
    int row = layout.topDown ? y : layout.height - 1 - y;
    const unsigned char* line =
        bits + static_cast<std::ptrdiff_t>(row) * dibStride(layout.width, layout.bitsPerPixel);
    return rowPixel(layout.bitsPerPixel, layout.palette, line, x);
}

inline bool isDibBitCount(int bitsPerPixel) {
    return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 ||
           bitsPerPixel == 24 || bitsPerPixel == 32;
}

}  // namespace emulation::gdi
