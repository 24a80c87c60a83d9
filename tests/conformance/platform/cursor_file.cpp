#include "tests/conformance/platform/cursor_file.h"

namespace {

void putWord(CursorBytes* out, unsigned value) {
    out->push_back(static_cast<unsigned char>(value));
    out->push_back(static_cast<unsigned char>(value >> 8));
}

void putDword(CursorBytes* out, unsigned value) {
    putWord(out, value & 0xFFFF);
    putWord(out, value >> 16);
}

unsigned word(const CursorBytes& bytes, std::size_t at) { return bytes[at] | bytes[at + 1] << 8; }

unsigned dword(const CursorBytes& bytes, std::size_t at) {
    return word(bytes, at) | word(bytes, at + 2) << 16;
}

int stride(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

// An image with a grey palette, colour bytes that vary along the row and
// a mask that leaves every other row transparent on the left.
CursorBytes imageBytes(const CursorImage& image) {
    CursorBytes bytes;
    int colourBytes = stride(image.width, image.bitsPerPixel) * image.height;
    int maskBytes = stride(image.width, 1) * image.height;
    putDword(&bytes, 40);
    putDword(&bytes, static_cast<unsigned>(image.width));
    putDword(&bytes, static_cast<unsigned>(image.height * 2));
    putWord(&bytes, 1);
    putWord(&bytes, static_cast<unsigned>(image.bitsPerPixel));
    putDword(&bytes, 0);
    putDword(&bytes, static_cast<unsigned>(colourBytes + maskBytes));
    for (int i = 0; i < 4; ++i) putDword(&bytes, 0);
    if (image.bitsPerPixel <= 8) {
        for (int i = 0; i < (1 << image.bitsPerPixel); ++i) {
            putDword(&bytes, (i * 0x010101u * (255 / ((1 << image.bitsPerPixel) - 1))) & 0xFFFFFF);
        }
    }
    for (int i = 0; i < colourBytes; ++i) bytes.push_back(static_cast<unsigned char>(i * 7));
    for (int row = 0; row < image.height; ++row) {
        for (int i = 0; i < stride(image.width, 1); ++i) {
            bytes.push_back(row % 2 == 1 && i == 0 ? 0xF0 : 0x00);
        }
    }
    return bytes;
}

}  // namespace

CursorBytes makeCursorFile(const std::vector<CursorImage>& images) {
    CursorBytes file;
    putWord(&file, 0);
    putWord(&file, 2);  // a cursor file
    putWord(&file, static_cast<unsigned>(images.size()));
    std::vector<CursorBytes> data;
    for (const CursorImage& image : images) data.push_back(imageBytes(image));
    unsigned offset = static_cast<unsigned>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const CursorImage& image = images[i];
        file.push_back(static_cast<unsigned char>(image.width));
        file.push_back(static_cast<unsigned char>(image.height));
        file.push_back(
            static_cast<unsigned char>(image.bitsPerPixel < 8 ? 1 << image.bitsPerPixel : 0));
        file.push_back(0);
        putWord(&file, static_cast<unsigned>(image.hotspotX));
        putWord(&file, static_cast<unsigned>(image.hotspotY));
        putDword(&file, static_cast<unsigned>(data[i].size()));
        putDword(&file, offset);
        offset += static_cast<unsigned>(data[i].size());
    }
    for (const CursorBytes& image : data) file.insert(file.end(), image.begin(), image.end());
    return file;
}

bool readCursorFile(const CursorBytes& file, CursorResources* resources) {
    if (file.size() < 6 || word(file, 0) != 0 || word(file, 2) != 2) return false;
    unsigned count = word(file, 4);
    if (count == 0 || file.size() < 6 + 16 * static_cast<std::size_t>(count)) return false;
    resources->directory.clear();
    resources->images.clear();
    putWord(&resources->directory, 0);
    putWord(&resources->directory, 2);
    putWord(&resources->directory, count);
    for (unsigned i = 0; i < count; ++i) {
        std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        unsigned size = dword(file, entry + 8);
        unsigned offset = dword(file, entry + 12);
        if (offset < 6 + 16 * count || offset > file.size() || size > file.size() - offset ||
            size < 40) {
            return false;
        }
        CursorBytes bits;
        putWord(&bits, word(file, entry + 4));  // the hot spot
        putWord(&bits, word(file, entry + 6));
        bits.insert(bits.end(), file.begin() + offset, file.begin() + offset + size);
        // Sizes and colours come from the image's own header; a cursor
        // directory counts the height of the colour and mask rows together.
        putWord(&resources->directory, dword(file, offset + 4));
        putWord(&resources->directory, dword(file, offset + 8));
        putWord(&resources->directory, 1);
        putWord(&resources->directory, word(file, offset + 14));
        putDword(&resources->directory, static_cast<unsigned>(bits.size()));
        putWord(&resources->directory, i + 1);
        resources->images.push_back(std::move(bits));
    }
    return true;
}
