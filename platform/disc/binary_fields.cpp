#include "platform/disc/binary_fields.h"

namespace platform {
namespace {
bool Holds(Bytes bytes, std::uint64_t at, std::size_t size) {
    return size <= 8 && at <= bytes.size() && size <= bytes.size() - at;
}
} // namespace

std::optional<std::uint64_t> BigEndian(Bytes bytes, std::uint64_t at, std::size_t size) {
    if (!Holds(bytes, at, size))
        return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = value << 8 | bytes[at + i];
    return value;
}

std::optional<std::uint64_t> LittleEndian(Bytes bytes, std::uint64_t at, std::size_t size) {
    if (!Holds(bytes, at, size))
        return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = size; i > 0; --i)
        value = value << 8 | bytes[at + i - 1];
    return value;
}

} // namespace platform
