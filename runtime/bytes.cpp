// Byte block primitives and raw memory copies.
#include "runtime/bytes.h"

#include <cstring>

Bytes::Bytes(const void* data, int length)
    : bytes_(length > 0
                 ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(length))
                 : std::string()) {}

int bytesLength(const Bytes& block) { return static_cast<int>(block.view().size()); }

Bytes blankBytes(int n) {
    if (n <= 0) return {};
    return Bytes(std::string(static_cast<std::size_t>(n), '\0'));
}

bool bytesEqual(const Bytes& a, const Bytes& b) { return a.view() == b.view(); }

std::int32_t readIntegerFromBytes(const Bytes& block) {
    std::uint32_t value = 0;
    std::string_view bytes = block.view();
    for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

Bytes bytesFromMemory(const void* address, int length) {
    if (length <= 0) return {};
    return Bytes(address, length);
}

namespace {
void copyPrefix(const void* source, int size, void* address, std::optional<int> length) {
    int count = (length && *length >= 0 && *length <= size) ? *length : size;
    if (count > 0) std::memcpy(address, source, static_cast<std::size_t>(count));
}
}  // namespace

void writeToMemory(std::int32_t value, void* address, std::optional<int> length) {
    unsigned char bytes[4];
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    copyPrefix(bytes, 4, address, length);
}

void writeToMemory(const Bytes& value, void* address, std::optional<int> length) {
    copyPrefix(value.data(), bytesLength(value), address, length);
}

Bytes detail::concatByteViews(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view part : parts) total += part.size();
    std::string result;
    result.reserve(total);
    for (std::string_view part : parts) result.append(part);
    return Bytes(std::move(result));
}
