#pragma once
// Disc images stay open from one file call to the next. libcdio reads an image
// through a 128 kB buffer that it fills anew after every open, which would
// cost a disc scan several times what its own reading does.
#include "platform/disc/sector_reader.h"

#include <memory>
#include <string>

namespace platform {

// The sectors of the image at `path` (as OpenDiscImage opens them), from the
// last call for the same path while none of the files they come from has been
// replaced or changed since; else opened afresh. Null, with `problem`, when the
// image cannot be read. Safe from any thread.
std::shared_ptr<SectorReader> SharedDiscImage(const std::string& path, std::string& problem);

} // namespace platform
