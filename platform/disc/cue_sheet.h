#pragma once
// Cue sheets: the text file that says which image file holds a disc's sectors
// and how they are laid out in tracks.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Cue sheets are a few hundred bytes; a larger file is not one.
inline constexpr std::size_t kLargestCueSheet = 64 * 1024;

// The image file a cue sheet names on its FILE line, as written. Nothing, with
// `problem` saying why, for a text that is not a cue sheet (no FILE line with a
// BINARY image followed by a TRACK line, or not text at all) and for a disc
// split over several image files, which the disc reader cannot read.
std::optional<std::string> CueImageFile(std::string_view text, std::string& problem);

// The image file named `written` by a cue sheet in `cueFolder`: the name as
// written, from the root when it starts with "/", else from the cue sheet, with "\" or "/" between
// steps and each step matched without regard to ASCII case; failing that, its last step in the cue
// sheet's own folder (cue sheets made elsewhere often carry a path that only meant something
// there).
std::optional<std::string> LocateCueImage(const std::string& cueFolder, std::string_view written);

} // namespace platform
