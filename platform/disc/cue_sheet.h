#pragma once
// Cue sheets: the text file that says which image files hold a disc's sectors
// and how they are laid out in tracks.
#include "platform/disc/image_layout.h"
#include "platform/disc/sheet_text.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Where the sheet's tracks lie in the image files it names on its FILE lines
// (each found through `find`), in one or several files and with any sector
// size a CD track is written with. Nothing, with `problem` saying why, for a
// text that is not a cue sheet of binary images (no FILE line with a BINARY
// image followed by a TRACK line, or not text at all), for a file that
// `find` does not find, and for a disc whose first track holds no data.
std::optional<ImageLayout> CueLayout(std::string_view text, const FindImageFile& find,
                                     std::string& problem);

// The image file named `written` by a cue sheet in `cueFolder`: the name as
// written, from the root when it starts with "/", else from the cue sheet, with "\" or "/" between
// steps and each step matched without regard to ASCII case; failing that, its last step in the cue
// sheet's own folder (cue sheets made elsewhere often carry a path that only meant something
// there).
std::optional<std::string> LocateCueImage(const std::string& cueFolder, std::string_view written);

} // namespace platform
