#pragma once
// The masks FindFirstFileA takes in the last step of its path ("*.*", "*.DAT").
#include <string_view>

namespace platform {

// True when `name` matches `mask`: "*" stands for any run of characters, "?"
// for one, other characters match without regard to ASCII letter case. As on
// Windows, a mask ending in ".*" also matches names without that dot, so
// "*.*" matches every name and "AVSEQ01.*" matches "AVSEQ01".
bool MatchesMask(std::string_view name, std::string_view mask);

} // namespace platform
