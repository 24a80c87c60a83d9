// Cursor files for tests: a generator of the bytes of a Windows cursor
// file, and the reading a program does to turn those bytes into the
// resource form that LookupIconIdFromDirectoryEx and
// CreateIconFromResourceEx take.
#pragma once

#include <vector>

using CursorBytes = std::vector<unsigned char>;

struct CursorImage {
    int width;
    int height;
    int bitsPerPixel;  // 1, 4, 8, 24 or 32
    int hotspotX;
    int hotspotY;
};

// A cursor file: a 6-byte header, a 16-byte entry per image (with its hot
// spot), then each image: an information header of doubled height, a
// palette for up to 8 bits a pixel, the colour rows and the mask rows.
CursorBytes makeCursorFile(const std::vector<CursorImage>& images);

// The file's images as a resource holds them: a directory of 14-byte
// entries numbered from 1, and each image's bits after its hot spot.
struct CursorResources {
    CursorBytes directory;
    std::vector<CursorBytes> images;
};

// False when the bytes are not a cursor file whose images lie inside it.
bool readCursorFile(const CursorBytes& file, CursorResources* resources);
