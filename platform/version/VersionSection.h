#pragma once
// Where an executable carries its VS_VERSIONINFO block: the build places the
// block in this ELF section and the version reader looks it up by name.
#include <cstddef>
#include <string_view>

namespace platform::version {

inline constexpr std::string_view kVersionSectionName = ".qvinfo";

// A block's lengths are 16-bit, so nothing past this can belong to it.
inline constexpr std::size_t kMaxVersionBlockBytes = 0xFFFF;

} // namespace platform::version
