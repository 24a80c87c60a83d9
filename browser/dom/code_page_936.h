// Conversions between the tree's code page 936 bytes and the UTF-8 that gumbo
// reads and writes. They never fail: what the target cannot hold is replaced.
#pragma once

#include <string>
#include <string_view>

namespace dom {

// Code page 936 to UTF-8. A byte sequence that is not code page 936 becomes
// U+FFFD and the conversion goes on after it.
std::string cp936ToUtf8(std::string_view cp936);

// UTF-8 to code page 936. U+00A0 (the no-break space of "&nbsp;") becomes a
// plain space, as the system's best-fit mapping gives it; any other character
// the code page lacks, and any malformed UTF-8, becomes '?'.
std::string utf8ToCp936(std::string_view utf8);

}  // namespace dom
