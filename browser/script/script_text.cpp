#include "browser/script/script_text.h"

namespace browser {

std::string utf16ToCesu8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t unit : text) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (unit >> 12));
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

std::u16string cesu8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    auto continuation = [&](size_t k) {
        return k < text.size() && (static_cast<unsigned char>(text[k]) & 0xC0) == 0x80;
    };
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        char32_t code = 0xFFFD;
        size_t length = 1;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0 && continuation(i + 1)) {
            code = ((lead & 0x1F) << 6) | (text[i + 1] & 0x3F);
            length = 2;
        } else if ((lead & 0xF0) == 0xE0 && continuation(i + 1) && continuation(i + 2)) {
            code = ((lead & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F);
            length = 3;
        } else if ((lead & 0xF8) == 0xF0 && continuation(i + 1) && continuation(i + 2) &&
                   continuation(i + 3)) {
            code = ((lead & 0x07) << 18) | ((text[i + 1] & 0x3F) << 12) |
                   ((text[i + 2] & 0x3F) << 6) | (text[i + 3] & 0x3F);
            length = 4;
        }
        if (code >= 0x10000 && code <= 0x10FFFF) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 | (code >> 10));
            out += static_cast<char16_t>(0xDC00 | (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
        i += length;
    }
    return out;
}

}  // namespace browser
