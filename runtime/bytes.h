// Bytes: a byte block with an explicit length that may hold zero bytes.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/array.h"

class Bytes {
public:
    Bytes() = default;
    Bytes(const void* data, int length);
    explicit Bytes(std::string bytes) : bytes_(std::move(bytes)) {}

    const unsigned char* data() const {
        return reinterpret_cast<const unsigned char*>(bytes_.data());
    }
    std::string_view view() const { return bytes_; }

    friend bool operator==(const Bytes&, const Bytes&) = default;

private:
    std::string bytes_;
};

using BytesArray = Array<Bytes>;

int bytesLength(const Bytes& block);
Bytes blankBytes(int n);
bool bytesEqual(const Bytes& a, const Bytes& b);
std::int32_t readIntegerFromBytes(const Bytes& block);
Bytes bytesFromMemory(const void* address, int length);

// Copies the value's bytes (four, least significant first, for an integer) to
// `address`; a length between 0 and the value's size copies only that many.
void writeToMemory(std::int32_t value, void* address, std::optional<int> length = std::nullopt);
void writeToMemory(const Bytes& value, void* address, std::optional<int> length = std::nullopt);

namespace detail {
Bytes concatByteViews(std::initializer_list<std::string_view> parts);
inline std::string_view bytesView(const Bytes& block) { return block.view(); }
}  // namespace detail

// Joins two or more blocks in order, in one allocation.
template <class... Parts>
requires(sizeof...(Parts) >= 2) Bytes concatBytes(const Parts&... parts) {
    return detail::concatByteViews({detail::bytesView(parts)...});
}
