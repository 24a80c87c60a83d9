// Texts between COM (UTF-16) and duktape, whose strings are CESU-8: UTF-8
// in which a character outside the basic plane is written as its two
// UTF-16 surrogates, each encoded on its own (as script's "\uD83D\uDE00").
#pragma once

#include <string>
#include <string_view>

namespace browser {

std::string utf16ToCesu8(std::u16string_view text);
// Four-byte UTF-8 sequences (which duktape also accepts) become surrogate
// pairs; a malformed byte becomes U+FFFD.
std::u16string cesu8ToUtf16(std::string_view text);

}  // namespace browser
