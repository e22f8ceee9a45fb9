#pragma once
// Numbers read from the bytes of an image's descriptor, bounds checked: a
// field that lies outside the bytes reads as nothing.
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

using Bytes = std::span<const std::uint8_t>;

std::optional<std::uint64_t> BigEndian(Bytes bytes, std::uint64_t at, std::size_t size);
std::optional<std::uint64_t> LittleEndian(Bytes bytes, std::uint64_t at, std::size_t size);

} // namespace platform
