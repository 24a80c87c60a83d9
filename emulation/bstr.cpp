// BSTR allocation. A BSTR points four bytes into its block: the block starts
// with the string's length in bytes (a 32-bit count, not including the
// terminator), then the characters, then one zero character. Code that reads
// the length prefix or passes a BSTR to another process relies on this
// layout, so it is kept exactly.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "emulation/oleauto.h"

namespace {

constexpr std::size_t kPrefixBytes = sizeof(std::uint32_t);

// The largest byte length whose block (prefix, text, terminator) still has a
// size that fits in 32 bits, as on Windows.
constexpr std::uint32_t kMaxByteLength = 0xFFFFFFFFu - kPrefixBytes - sizeof(OLECHAR);

// A block for `byteLength` bytes of text, the text left uninitialised. The
// terminator is written as two zero bytes after the text, and one more zero
// byte follows it so that an odd byte length still ends on a whole zero
// character.
BSTR allocateBlock(std::uint32_t byteLength) {
    if (byteLength > kMaxByteLength) return nullptr;
    const std::size_t blockSize = kPrefixBytes + std::size_t{byteLength} + sizeof(OLECHAR) + 1;
    auto* block = static_cast<unsigned char*>(std::malloc(blockSize));
    if (block == nullptr) return nullptr;
    std::memcpy(block, &byteLength, kPrefixBytes);
    std::memset(block + kPrefixBytes + byteLength, 0, sizeof(OLECHAR) + 1);
    return reinterpret_cast<BSTR>(block + kPrefixBytes);
}

unsigned char* blockOf(BSTR text) { return reinterpret_cast<unsigned char*>(text) - kPrefixBytes; }

std::size_t charactersBefore(const OLECHAR* text) {
    std::size_t length = 0;
    while (text[length] != 0) ++length;
    return length;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
    if (text == nullptr) return nullptr;
    const std::size_t length = charactersBefore(text);
    if (length > kMaxByteLength / sizeof(OLECHAR)) return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(length));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    if (length > kMaxByteLength / sizeof(OLECHAR)) return nullptr;
    const std::uint32_t byteLength = length * static_cast<std::uint32_t>(sizeof(OLECHAR));
    BSTR result = allocateBlock(byteLength);
    if (result == nullptr) return nullptr;
    // Without text the characters are documented as uninitialised; zeros are
    // as good a content as any and keep the sanitizers quiet.
    if (text != nullptr) {
        std::memcpy(result, text, byteLength);
    } else {
        std::memset(result, 0, byteLength);
    }
    return result;
}

BSTR SysAllocStringByteLen(LPCSTR bytes, UINT byteLength) {
    BSTR result = allocateBlock(byteLength);
    if (result == nullptr) return nullptr;
    if (bytes != nullptr) {
        std::memcpy(result, bytes, byteLength);
    } else {
        std::memset(result, 0, byteLength);
    }
    return result;
}

void SysFreeString(BSTR text) {
    if (text != nullptr) std::free(blockOf(text));
}

UINT SysStringByteLen(BSTR text) {
    if (text == nullptr) return 0;
    std::uint32_t byteLength;
    std::memcpy(&byteLength, blockOf(text), kPrefixBytes);
    return byteLength;
}

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / static_cast<UINT>(sizeof(OLECHAR)); }
